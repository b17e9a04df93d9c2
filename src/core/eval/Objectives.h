#pragma once
// The nine indicators of the St-Vincent objectives: the objectives chart of
// the centre synthesis shows them as rows 1 to 9, and "Indicateurs standards"
// draws them for a stored synthesis. Each is the share of the FIBs in one
// band, or in two bands together, or (microalbuminuria) the share of FIBs
// where the measure was made, to the whole percent.

#include <array>
#include <cstdint>

#include "eval/Bands.h"

namespace pelo::eval {

struct Objective {
    const char* name;          // "FUMEUR"
    std::uint8_t ideal;        // 0 or 100 (%)
    std::uint8_t counter;      // the band counted
    std::int16_t alsoCounter;  // a second band added to it, or -1
    bool measured = false;     // the share of FIBs outside the band, to the whole percent
};
inline constexpr int kObjectiveCount = 9;
extern const std::array<Objective, kObjectiveCount> kObjectives;

// The FIBs that an objective counts.
std::uint32_t objectiveCount(const Objective& o, const BandCounts& c);
// Its value in tenths of a percent of the denominator, as the chart writes it:
// the one-decimal percentage (a half up), or ten times the whole percent of a
// measured one (nearest integer, a half to even). 0 for a denominator of 0.
std::int64_t objectiveTenths(const Objective& o, const BandCounts& c, std::uint32_t denominator);

}  // namespace pelo::eval
