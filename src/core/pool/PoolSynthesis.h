#pragma once
// The pooled synthesis: one pass over a pooled file (or a sub-collection) that
// counts its FIBs centre by centre into the 183 bands of the centre synthesis
// and stores the result as an index file and a counter file.
//
// Counter record 0 is the country's total, records 1..K the centres in the
// order in which their FIBs come (a centre whose FIBs are not consecutive gets
// one record per run, its index entry naming the last). Every FIB counts,
// annulled ones included; ages and durations are counted from the reference
// year; cholesterol and triglycerides are compared as stored; counter c176
// counts a missing waist.

#include <cstdint>
#include <string>

#include "eval/Bands.h"
#include "pool/PoolFiles.h"

namespace pelo::pool {

inline constexpr std::int32_t kDefaultReferenceYear = 1997;

// The rules of the bands for a pooled synthesis of that year.
eval::BandParams pooledParams(std::int32_t referenceYear);

struct PoolSynthesisResult {
    SynNames names;
    std::uint32_t centres = 0;       // K, the centre records
    std::uint32_t fibs = 0;          // N, the FIBs counted
    std::uint32_t withoutIndex = 0;  // FIBs of centres 999 and above (or 0): in the totals only
};

// "K centres, N fiches"
std::string poolSynthesisMessage(const PoolSynthesisResult& r);
// The warning that follows it when FIBs had no index entry; empty otherwise.
std::string withoutIndexWarning(const PoolSynthesisResult& r);

// Reads the pooled file of the folder and writes its stored synthesis next to
// it, each file replaced whole. A name of 3 characters or fewer is refused
// (plain IoError).
// Progress counts the FIBs read, the centre at hand named; cancelling
// replaces neither file.
IoStatus poolSynthesis(const std::string& folder, const std::string& poolName, std::int32_t referenceYear,
                       PoolSynthesisResult& out, const Progress& progress = {});

}  // namespace pelo::pool
