// Reading a 65,535-FIB record file through the record API, beside a plain
// sequential read of the same bytes. The ratio of the two is printed at the end.
#include <cstdio>
#include <filesystem>

#include "BenchSupport.h"

#include "formats/RecordFile.h"
#include "store/Demo.h"

namespace {

const std::string& benchFile() {
    static const std::string path = pelo::bench::makeDemoFile("pelo-bench-FIB.DAT");
    return path;
}

std::uint64_t plainRead() { return pelo::bench::plainRead(benchFile()); }

std::uint64_t apiRead() {
    pelo::RecordReader r;
    if (r.open(benchFile())) return 0;
    pelo::IoStatus err;
    std::uint64_t sum = 0;
    while (const pelo::FibRecord* f = r.next(&err)) sum += f->get(pelo::fld::EtatFiche);
    return sum;
}

void BM_PlainRead(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(plainRead());
    st.SetBytesProcessed(int64_t(st.iterations()) * 65536 * 248);
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_RecordReader(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(apiRead());
    st.SetBytesProcessed(int64_t(st.iterations()) * 65536 * 248);
}
BENCHMARK(BM_RecordReader)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double plain = pelo::bench::bestOf(plainRead, 30), api = pelo::bench::bestOf(apiRead, 30);
    std::printf(
        "\nLecture de 65535 fiches : lecture brute %.2f ms, API des fichiers %.2f ms, rapport %.2f (objectif <= 1.5)\n",
        plain * 1e3, api * 1e3, api / plain);
    benchmark::Shutdown();
    std::filesystem::remove(benchFile());
    return 0;
}
