#include "eval/Objectives.h"

#include "store/Text.h"

namespace pelo::eval {

const std::array<Objective, kObjectiveCount> kObjectives{{
    {"FUMEUR", 0, 21, -1},
    {"Tension < 140/90", 100, 5, -1},
    {"CHOLESTEROL < 6.5", 100, 11, -1},
    {"TRIGLYCERIDES < 1.8", 100, 14, -1},
    {"HbA1C < 8", 100, 0, 1},  // every FIB below 8: the two first bands together
    {"BMI < 25", 100, 8, -1},
    {"MICROALBUMIN. surveillée", 100, 182, -1, true},  // c182: no microalbuminuria
    {"YEUX surveillés", 100, 68, -1},
    {"PIEDS surveillés", 100, 69, -1},
}};

std::uint32_t objectiveCount(const Objective& o, const BandCounts& c) {
    std::uint32_t n = c[o.counter];
    if (o.alsoCounter >= 0) n += c[std::size_t(o.alsoCounter)];
    return n;
}

std::int64_t objectiveTenths(const Objective& o, const BandCounts& c, std::uint32_t d) {
    const std::uint32_t count = objectiveCount(o, c);
    if (o.measured) return (100 - percentOf(count, d).rounded()) * 10;
    return percentOf(count, d).tenths();
}

}  // namespace pelo::eval
