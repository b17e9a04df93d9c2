#pragma once
// Stored syntheses written for a test: the index and its counter file. Core only, so that the core and the
// screen tests share it (the screen tests include it as "../core/SynthesisTestSupport.h").

#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "pool/PoolFiles.h"

namespace pelo::test {

// Writes a stored synthesis named `name` (its counter file beside it) of centres given as
// (number, FIBs, counter c0), in that order; record 0 is their sum. `fill` sets more counters of each centre.
inline void writeStoredSynthesis(const std::string& name, const std::vector<std::array<int, 3>>& centres,
                                 const std::function<void(pool::SynCounters&)>& fill = {}) {
    pool::SynIndex index;
    std::vector<pool::SynCounters> recs(1);
    int total = 0;
    for (const auto& c : centres) {
        pool::SynCounters r;
        r.counters[0] = static_cast<std::uint16_t>(c[2]);
        if (fill) fill(r);
        r.NbFichesCentre = static_cast<std::uint32_t>(c[1]);
        recs[0].addCounters(r);
        recs.push_back(r);
        index.entries[std::size_t(c[0])] = static_cast<std::uint16_t>(recs.size() - 1);
        total += c[1];
    }
    index.entries[0] = static_cast<std::uint16_t>(centres.size());
    index.entries[999] = static_cast<std::uint16_t>(total);
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(&index), sizeof index);
    std::ofstream b(pool::counterFileOf(name), std::ios::binary);
    b.write(reinterpret_cast<const char*>(recs.data()), std::streamsize(recs.size() * sizeof(pool::SynCounters)));
}

}  // namespace pelo::test
