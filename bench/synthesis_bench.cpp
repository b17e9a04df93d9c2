// The centre synthesis over a 65,535-FIB record file, beside a plain
// sequential read of the same file. The ratio of the two is printed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "eval/Synthesis.h"
#include "store/Demo.h"
#include "store/RecordFile.h"

namespace {

const std::string& benchFile() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "pelo-bench-synthese-FIB.DAT").string();
        pelo::recordfile::replaceWith(p, pelo::demoRecords(pelo::DemoCentre{}, 65535, 7));
        return p;
    }();
    return path;
}

std::uint64_t plainRead() {
    int fd = ::open(benchFile().c_str(), O_RDONLY);
    std::vector<char> buf(1 << 18);
    std::uint64_t sum = 0;
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0)
        for (ssize_t i = 0; i < n; i += 248) sum += static_cast<unsigned char>(buf[i + 173 % 248]);
    ::close(fd);
    return sum;
}

std::uint64_t synthesis() {
    pelo::eval::SynthesisResult r;
    pelo::eval::BandParams p;
    p.year = 2026;
    if (pelo::eval::runSynthesis(benchFile(), 0, p, r)) return 0;
    return r.evaluated + r.counts[100];
}

void BM_PlainRead(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(plainRead());
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_Synthesis(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(synthesis());
}
BENCHMARK(BM_Synthesis)->Unit(benchmark::kMillisecond);

template <class F> double bestOf(F f, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(f());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double plain = bestOf(plainRead, 30), synth = bestOf(synthesis, 30);
    std::printf("\nSynthèse de 65535 fiches : lecture brute %.2f ms, synthèse %.2f ms, rapport %.2f (objectif <= 1.5)\n",
                plain * 1e3, synth * 1e3, synth / plain);
    benchmark::Shutdown();
    std::filesystem::remove(benchFile());
    return 0;
}
