// The centre synthesis over a 65,535-FIB record file, beside a plain
// sequential read of the same file. The ratio of the two is printed at the end.
#include <cstdio>
#include <filesystem>

#include "BenchSupport.h"

#include "eval/Synthesis.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"

namespace {

const std::string& benchFile() {
    static const std::string path = pelo::bench::makeDemoFile("pelo-bench-synthese-FIB.DAT");
    return path;
}

std::uint64_t plainRead() { return pelo::bench::plainRead(benchFile()); }

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

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double plain = pelo::bench::bestOf(plainRead, 30), synth = pelo::bench::bestOf(synthesis, 30);
    std::printf(
        "\nSynthèse de 65535 fiches, fichier en mémoire : lecture brute %.2f ms, synthèse %.2f ms, rapport %.2f\n",
        plain * 1e3, synth * 1e3, synth / plain);
    const std::string& f = benchFile();
    const double coldPlain = pelo::bench::bestOfCold(plainRead, 10, f),
                 coldSynth = pelo::bench::bestOfCold(synthesis, 10, f);
    std::printf(
        "Synthèse de 65535 fiches, fichier lu sur le disque : lecture brute %.2f ms, synthèse %.2f ms, rapport %.2f "
        "(objectif <= 1.5)\n",
        coldPlain * 1e3, coldSynth * 1e3, coldSynth / coldPlain);
    benchmark::Shutdown();
    std::filesystem::remove(benchFile());
    return 0;
}
