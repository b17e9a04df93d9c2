// The comparison of the centres of the largest pooled file (65,535 FIBs of
// 998 centres): the nine indicators adjusted for the patients, their
// over-dispersion, limits and positions. Target: at most 50 ms, the pooled
// file read from the page cache included.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "pool/PoolFiles.h"
#include "ref/Comparison.h"
#include "store/Demo.h"

namespace {

// 998 centres of 65 or 66 demonstration FIBs each, the centres' sheets
// following each other as a collection writes them.
std::vector<pelo::pool::PooledFibRecord> largestPool() {
    std::vector<pelo::pool::PooledFibRecord> fibs;
    fibs.reserve(65535);
    for (int c = 1; c <= 998; ++c) {
        pelo::DemoCentre d;
        d.centre = static_cast<std::uint16_t>(c);
        d.year = 2026;
        d.caseMix = true;
        d.hba1cShift = 0.02 * (c % 25) - 0.25;
        const auto recs = pelo::demoRecords(d, 65 + (c <= 665 ? 1 : 0), std::uint64_t(c));
        for (std::size_t k = 1; k < recs.size(); ++k) fibs.push_back(pelo::pool::widen(recs[k]));
    }
    return fibs;
}

std::string writePool(const std::vector<pelo::pool::PooledFibRecord>& fibs) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    pelo::pool::PooledHeader h = pelo::pool::widen(pelo::demoRecords(pelo::DemoCentre{}, 0, 1)[0]);
    pelo::pool::PooledWriter out;
    if (!out.create(folder, "bench-comparaison.dat", h) && !out.write(fibs.data(), fibs.size())) (void)out.finish(h);
    return folder;
}

void BM_ComparisonInMemory(benchmark::State& state) {
    const auto fibs = largestPool();
    for (auto _ : state) benchmark::DoNotOptimize(pelo::ref::compareCentres(fibs, 2026));
}
BENCHMARK(BM_ComparisonInMemory)->Unit(benchmark::kMillisecond);

void BM_ComparisonOfThePooledFile(benchmark::State& state) {
    const std::string folder = writePool(largestPool());
    pelo::ref::Comparison c;
    for (auto _ : state) {
        if (pelo::ref::compareCentres(folder, "bench-comparaison.dat", 2026, c)) state.SkipWithError("lecture");
        benchmark::DoNotOptimize(c);
    }
    std::filesystem::remove(std::filesystem::path(folder) / "bench-comparaison.dat");
}
BENCHMARK(BM_ComparisonOfThePooledFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
