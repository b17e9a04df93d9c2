#pragma once
// What the benchmarks share: a demonstration record file made once in the
// temporary folder, the plain sequential read that every measure is set
// against, and a best-of timing for the closing ratio line.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/RecordFile.h"
#include "store/Demo.h"

namespace pelo::bench {

// A 65,535-FIB demonstration file under the given name in the temporary folder.
inline std::string makeDemoFile(const std::string& name, std::uint32_t fibs = 65535) {
    std::string p = (std::filesystem::temp_directory_path() / name).string();
    recordfile::replaceWith(p, demoRecords(DemoCentre{}, fibs, 7));
    return p;
}

// Reads the whole file in large blocks, touching one byte per record.
inline std::uint64_t plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buf(1 << 18);
    std::uint64_t sum = 0;
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0)
        for (ssize_t i = 0; i < n; i += 248) sum += static_cast<unsigned char>(buf[i + 173]);
    ::close(fd);
    return sum;
}

// Drops the file's pages from the page cache, so that the next read comes
// from the disk, as a pooled collection read for the first time does.
inline void evict(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Best wall time of several runs, in seconds; with a path, each run starts
// with the file out of the page cache.
template <class F> double bestOfCold(F f, int runs, const std::string& path) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        evict(path);
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(f());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

// Best wall time of several runs, in seconds.
template <class F> double bestOf(F f, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(f());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace pelo::bench
