#pragma once
// Builders of the pooled-level test files.

#include <cstring>
#include <string>
#include <vector>

#include "SampleFibs.h"
#include "TestSupport.h"
#include "formats/PooledFile.h"

namespace pelo::test {

// A blank pooled FIB of a centre: every answer empty.
inline pool::PooledFibRecord pooledFib(std::int32_t centre) {
    FibRecord f = emptyFibFromHeader(headerTemplate(), "01/02/1997");
    pool::PooledFibRecord p = pool::widen(f);
    p.set(pool::pfld::NumCentre, centre);
    return p;
}

// A pooled file: header (NbFiches = number of FIBs unless given) then the FIBs.
inline void writePooled(const std::string& path, const std::vector<pool::PooledFibRecord>& fibs,
                        std::int32_t nbFiches = -1, std::int32_t headerCentre = 77) {
    pool::PooledHeader h = pool::widen(headerTemplate());
    h.set(pool::pfld::NumCentre, headerCentre);
    h.setNbFiches(nbFiches < 0 ? std::int32_t(fibs.size()) : nbFiches);
    std::vector<unsigned char> bytes(h.bytes.begin(), h.bytes.end());
    for (const auto& f : fibs) bytes.insert(bytes.end(), f.bytes.begin(), f.bytes.end());
    writeBytes(path, bytes);
}

// A centre's own record file (248-byte records) with n FIBs of that centre.
inline void writeCentreFile(const std::string& path, std::uint16_t centre, int n, std::uint8_t sexe = 1) {
    const auto recs = sampleFile(
        centre, n, [sexe](FibRecord& f, int) { f.set(fld::Sexe, sexe); }, "03/04/1997");
    std::vector<unsigned char> bytes;
    for (const FibRecord& r : recs) bytes.insert(bytes.end(), r.bytes.begin(), r.bytes.end());
    writeBytes(path, bytes);
}

// The records of a pooled file as written.
inline std::vector<pool::PooledFibRecord> readPooled(const std::string& path) {
    auto bytes = readBytes(path);
    std::vector<pool::PooledFibRecord> out(bytes.size() / pool::kPooledSize);
    std::memcpy(out.data(), bytes.data(), out.size() * pool::kPooledSize);
    return out;
}

}  // namespace pelo::test
