#pragma once
// Helpers of the core tests: a temporary working folder and raw file access.

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pelo::test {

// Creates a fresh folder, makes it the working folder, and goes back on exit.
class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/pelo-test-XXXXXX";
        path_ = ::mkdtemp(tmpl);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir() {
        std::filesystem::current_path(old_);
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_, old_;
};

// A disk that fills up: while it lives, a write past maxBytes of a file fails
// (as a full disk does, after writing what fits), for this process only.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t maxBytes) {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lim = old_;
        lim.rlim_cur = maxBytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*old_handler_)(int) = SIG_DFL;
};

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pelo::test
