#pragma once
// The folder where a fuzz target writes the bytes it is given, as the file a
// reader opens; one per process, removed at exit.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace pelo::fuzz {

inline const std::string& folder() {
    static const std::string dir = [] {
        // In memory when possible: the writers sync what they write.
        std::string tmpl = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/pelo-fuzz-XXXXXX"
                                                                      : "/tmp/pelo-fuzz-XXXXXX";
        std::string d = ::mkdtemp(tmpl.data());
        static std::string keep = d;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(keep, ec);
        });
        return d;
    }();
    return dir;
}

inline void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(folder() + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace pelo::fuzz
