#pragma once
// The manifest of a collection, written beside the pooled file
// ("FibFr97.Dat" -> "FibFr97-manifeste.csv"): each source file taken with its
// centre, its number of FIBs, its size, its date and its SHA-256; each file
// left aside and why; each FIB found in two source files (same centre and
// same initial, birth month and year, sex and date).

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/PooledFile.h"
#include "store/IoError.h"

namespace pelo::pool {

class Manifest {
public:
    // A source taken: its bytes as read (opened, for a sealed copy), its centre
    // and the FIBs pooled from it; `sealed` names the sealed copy it came from.
    void taken(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes,
               std::int32_t centre, const std::vector<PooledFibRecord>& fibs, const std::string& sealed = {});
    void leftAside(const std::string& name, const std::string& why);
    // The manifest's text: UTF-8 with its mark, « ; », CRLF.
    std::string text() const;
    // Number of FIBs found in two source files.
    std::size_t duplicates() const { return duplicates_.size(); }

private:
    struct Source {
        std::string name, date, sha256, remark;
        std::int32_t centre;
        std::size_t fibs;
        std::uint64_t size;
    };
    std::vector<Source> sources_;
    std::vector<std::pair<std::string, std::string>> aside_;
    std::unordered_map<std::string, std::string> seen_;  // identity -> "FIB12.DAT, fiche 3"
    std::vector<std::pair<std::string, std::string>> duplicates_;
};

// "FibFr97.Dat" -> "FibFr97-manifeste.csv".
std::string manifestName(const std::string& poolName);
// Written through the export sink beside the pooled file.
IoStatus writeManifest(const std::string& folder, const std::string& poolName, const Manifest& m);

// SHA-256 of bytes, in lower-case hexadecimal (libsodium).
std::string sha256Hex(const void* data, std::size_t n);

}  // namespace pelo::pool
