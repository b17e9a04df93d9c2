// The funnel of one band of the largest stored synthesis (998 centres,
// 65,535 FIBs): the four limits and the position of every centre. Target: at
// most 20 ms. Beside it the whole benchmark (every band and indicator, what
// the reports and the spreadsheet start from) and the pages of all reports.
#include <benchmark/benchmark.h>

#include <random>

#include "ref/Benchmark.h"
#include "ref/Funnel.h"

namespace {

// Centres of 65 or 66 FIBs (or, skewed, one centre of half the FIBs), each
// band's count drawn around a share that differs by band.
pelo::ref::StoredSynthesis largest(bool skewed) {
    pelo::ref::StoredSynthesis s;
    s.name = "SynFr97.Atx";
    s.records.resize(1);
    std::mt19937 g(7);
    std::uint32_t total = 0;
    for (int c = 1; c <= 998; ++c) {
        pelo::pool::SynCounters r;
        std::uint32_t n = 65 + (c <= 665 ? 1 : 0);  // 998 x 65 + 665 = 65,535
        if (skewed) n = c == 1 ? 32768 : 32767 / 997 + (c <= 1 + 32767 % 997 ? 1 : 0);
        r.NbFichesCentre = n;
        for (int k = 0; k < pelo::eval::kBandCount; ++k) {
            std::binomial_distribution<std::uint32_t> d(n, 0.05 + 0.9 * ((k * 37) % 100) / 100.0);
            r.counters[std::size_t(k)] = static_cast<std::uint16_t>(d(g));
        }
        s.records[0].addCounters(r);
        s.records.push_back(r);
        s.index.entries[std::size_t(c)] = static_cast<std::uint16_t>(c);
        total += n;
    }
    s.index.entries[0] = 998;
    s.index.entries[999] = static_cast<std::uint16_t>(total);
    return s;
}

void BM_FunnelOfOneBand(benchmark::State& state) {
    const auto s = largest(state.range(0) != 0);
    // Line 83 (counter c50) has a share of one half, the widest distributions.
    for (auto _ : state) {
        const auto f = pelo::ref::funnelOf(s, 83);
        double sum = 0;
        for (const auto& c : f->centres) sum += c.limits ? c.limits->hi998 : 0.0;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FunnelOfOneBand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WholeBenchmark(benchmark::State& state) {
    const auto s = largest(false);
    for (auto _ : state) benchmark::DoNotOptimize(pelo::ref::benchmarkOf(s));
}
BENCHMARK(BM_WholeBenchmark)->Unit(benchmark::kMillisecond);

void BM_PagesOfEveryReport(benchmark::State& state) {
    const auto b = pelo::ref::benchmarkOf(largest(false));
    for (auto _ : state)
        for (int c = 1; c <= 998; ++c) benchmark::DoNotOptimize(pelo::ref::centreReport(b, c, "09/12/2026"));
}
BENCHMARK(BM_PagesOfEveryReport)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
