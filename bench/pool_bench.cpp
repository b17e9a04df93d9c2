// The national level at its bound: 999 centre files holding 65,535 FIBs in
// all, collected into one pooled file, and the pooled synthesis of that file,
// each beside a plain sequential read of the same bytes.
#include <cstdio>
#include <filesystem>

#include "BenchSupport.h"

#include "pool/Collection.h"
#include "pool/PoolSynthesis.h"

namespace {

namespace fs = std::filesystem;

const std::string& benchFolder() {
    static const std::string folder = [] {
        fs::path dir = fs::temp_directory_path() / "pelo-bench-pays";
        fs::remove_all(dir);
        fs::create_directories(dir);
        // 65,535 = 999 x 65 + 600: the first 600 centres get one FIB more.
        for (int c = 1; c <= 999; ++c) {
            pelo::DemoCentre centre;
            centre.centre = static_cast<std::uint16_t>(c);
            centre.year = 1997;
            const std::uint32_t n = 65 + (c <= 600 ? 1 : 0);
            pelo::recordfile::replaceWith((dir / ("FIB" + std::to_string(c) + ".DAT")).string(),
                                          pelo::demoRecords(centre, n, 11 + std::uint64_t(c)));
        }
        return dir.string();
    }();
    return folder;
}

std::uint64_t readSources() {
    std::uint64_t sum = 0;
    for (int c = 1; c <= 999; ++c) sum += pelo::bench::plainRead(benchFolder() + "/FIB" + std::to_string(c) + ".DAT");
    return sum;
}

std::uint64_t collection() {
    pelo::pool::CollectionResult r;
    if (pelo::pool::collect(benchFolder(), "FibFr97.Dat", r)) return 0;
    return r.fibs;
}

std::uint64_t readPool() { return pelo::bench::plainRead(benchFolder() + "/FibFr97.Dat"); }

std::uint64_t synthesis() {
    pelo::pool::PoolSynthesisResult r;
    if (pelo::pool::poolSynthesis(benchFolder(), "FibFr97.Dat", 1997, r)) return 0;
    return r.fibs + r.centres;
}

void BM_ReadSources(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(readSources());
}
BENCHMARK(BM_ReadSources)->Unit(benchmark::kMillisecond);

void BM_Collection(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(collection());
}
BENCHMARK(BM_Collection)->Unit(benchmark::kMillisecond);

void BM_ReadPool(benchmark::State& st) {
    collection();
    for (auto _ : st) benchmark::DoNotOptimize(readPool());
}
BENCHMARK(BM_ReadPool)->Unit(benchmark::kMillisecond);

void BM_PoolSynthesis(benchmark::State& st) {
    collection();
    for (auto _ : st) benchmark::DoNotOptimize(synthesis());
}
BENCHMARK(BM_PoolSynthesis)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double src = pelo::bench::bestOf(readSources, 10), col = pelo::bench::bestOf(collection, 10);
    const double pool = pelo::bench::bestOf(readPool, 10), syn = pelo::bench::bestOf(synthesis, 10);
    std::printf("\nCollecte de 999 centres, %llu fiches : lecture brute %.2f ms, collecte %.2f ms, rapport %.2f\n",
                static_cast<unsigned long long>(collection()), src * 1e3, col * 1e3, col / src);
    std::printf("Synthèse pays : lecture brute %.2f ms, synthèse %.2f ms, rapport %.2f\n", pool * 1e3, syn * 1e3,
                syn / pool);
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
    return 0;
}
