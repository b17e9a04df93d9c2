// Reading a 65,535-FIB record file through the record API, beside a plain
// sequential read of the same bytes. The ratio of the two is printed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "store/Demo.h"
#include "store/RecordFile.h"

namespace {

const std::string& benchFile() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "pelo-bench-FIB.DAT").string();
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
    const double plain = bestOf(plainRead, 30), api = bestOf(apiRead, 30);
    std::printf("\nLecture de 65535 fiches : lecture brute %.2f ms, API des fichiers %.2f ms, rapport %.2f (objectif <= 1.5)\n",
                plain * 1e3, api * 1e3, api / plain);
    benchmark::Shutdown();
    std::filesystem::remove(benchFile());
    return 0;
}
