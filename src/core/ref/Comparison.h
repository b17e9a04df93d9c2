#pragma once
// Fair comparison of the centres of a pooled file on nine indicators of care.
// Each centre's events are set against those expected from the country's rates
// for patients like its own (type, sex, age and duration of diabetes: 180
// strata), and judged within limits widened by the real spread between
// centres (over-dispersion), so that a centre is flagged for its care rather
// than for its patients or for chance.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "pool/PoolFiles.h"
#include "store/Text.h"

namespace pelo::ref {

inline constexpr int kCareIndicatorCount = 9;
inline constexpr int kStratumCount = 180;
// Two-sided normal quantiles of the 95 % and 99.8 % limits.
inline constexpr double kZ95 = 1.959964;
inline constexpr double kZ998 = 3.090232;

// Which way an indicator is better.
enum class Better { Higher, Lower };

struct IndicatorInfo {
    int number;
    const char* label;
    Better better;
};
const std::array<IndicatorInfo, kCareIndicatorCount>& indicatorTable();

// Eligibility and event of the nine indicators for one FIB: bit k - 1 for
// indicator k. An event is always eligible.
struct FibOutcome {
    std::uint16_t eligible = 0, events = 0;
};
FibOutcome outcomeOf(const pool::PooledFibRecord& f);

// The case-mix stratum (0 to 179) of a FIB, ages and durations counted from
// `year`: type (1, 2, other) x sex (1, 2, other) x age (< 40, 40-59, 60-74,
// >= 75, unknown) x duration (< 5, 5-14, >= 15, unknown).
int stratumOf(const pool::PooledFibRecord& f, std::int32_t year);

// Limits on the scale of the standardised ratio y = O / E (1 is the country).
struct RatioLimits {
    double lo998 = 1, lo95 = 1, hi95 = 1, hi998 = 1;
};
// 1 -/+ q * sqrt(s^2 + tau^2) for both levels.
RatioLimits ratioLimits(double s, double tau2);
// +2 above the upper 99.8 % limit, +1 above the upper 95 % one only, -1 and
// -2 the same below, 0 within (a ratio equal to a limit is within).
int ratioPosition(double y, const RatioLimits& l);

struct CentreComparison {
    std::uint16_t centre = 0;
    std::uint32_t n = 0, o = 0;  // eligible FIBs, events
    double e = 0, v = 0;         // expected events and their variance
    // Ratio, z, limits and position mean something only when V and E are above 0.
    double y = 0, z = 0, s = 0;
    RatioLimits limits;
    int position = 0;
    bool adjusted() const { return v > 0 && e > 0; }
    Percent crude() const { return percentOf(o, n); }
};

struct IndicatorComparison {
    int number = 0;
    std::uint32_t n = 0, o = 0;  // the country
    double t = 0;                // o / n
    int dispersed = 0;           // I, the centres with V > 0
    double phi = 0, tau2 = 0;
    std::vector<CentreComparison> centres;  // the centres with n >= 1, increasing

    const IndicatorInfo& info() const { return indicatorTable()[std::size_t(number - 1)]; }
    Percent crude() const { return percentOf(o, n); }
    // A ratio as an adjusted percentage, 100 t y.
    double adjustedPercent(double y) const { return 100.0 * t * y; }
    // A ratio limit as shown, 100 t L kept within 0 and 100.
    double shownLimit(double limit) const;
    // The limits of a centre of n eligible FIBs whose patients are like the
    // country's (s = sqrt((1 - t) / (n t))): the funnel's curves.
    RatioLimits curveAt(double n) const;
    // Better (+1), worse (-1) or neither (0) by the indicator's direction.
    int judgement(const CentreComparison& c) const;
};

// The nine indicators numbered, without FIB.
std::array<IndicatorComparison, kCareIndicatorCount> emptyIndicators();

struct Comparison {
    std::int32_t year = 0;
    std::uint32_t fibs = 0;  // FIBs counted (annulled ones left out)
    std::array<IndicatorComparison, kCareIndicatorCount> indicators = emptyIndicators();
};

// The over-dispersion of I centres from their z and s (both of size I): the
// z winsorised at the 10 % on each side, phi the mean of their squares, and
// tau^2 the additive spread when I >= 10 and I phi > I - 1 (0 otherwise).
struct OverDispersion {
    double phi = 0, tau2 = 0;
};
OverDispersion overDispersion(const std::vector<double>& z, const std::vector<double>& s);

// The comparison of pooled FIBs (annulled ones left out; centre 0 counts for
// the country only).
Comparison compareCentres(std::span<const pool::PooledFibRecord> fibs, std::int32_t year);
// The same on FIBs 1 to NbFiches of the pooled file of the folder.
IoStatus compareCentres(const std::string& folder, const std::string& poolName, std::int32_t year, Comparison& out);

// A number with a fixed count of decimals, a half going up, never "-0.000".
std::string decimalText(double v, int decimals);
// The judgement in words: "meilleur", "moins bon", "dans les limites".
const char* judgementWords(int judgement);

}  // namespace pelo::ref
