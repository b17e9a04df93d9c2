#pragma once
// Fair comparison of the centres of a stored synthesis: for a band line, each
// centre's share set against control limits around the country's share that
// widen as the centre's number of FIBs shrinks (a funnel plot), the centres
// outside them, and the bands followed across several campaigns.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ref/StoredSynthesis.h"

namespace pelo::ref {

// The four limits, as fractions of 1, for a centre of n FIBs around a target
// share t: lower 99.8 %, lower 95 %, upper 95 %, upper 99.8 %.
struct FunnelLimits {
    double lo998 = 0, lo95 = 0, hi95 = 0, hi998 = 0;
};

// The limit at probability q: with R ~ Binomial(n, t) and F its distribution,
// r the smallest count with F(r) >= q and a = (F(r) - q) / (F(r) - F(r - 1)),
// the limit is (r - a) / n within 0 and 1. A target of 0 or 1 (or outside)
// gives the target itself; n must be above 0.
double funnelLimit(std::uint32_t n, double t, double q);
FunnelLimits funnelLimits(std::uint32_t n, double t);

// +2 above the upper 99.8 % limit, +1 above the upper 95 % one only, -1 and -2
// the same below, 0 within (a share equal to a limit is within).
int funnelPosition(std::uint32_t x, std::uint32_t n, const FunnelLimits& l);

struct FunnelCentre {
    std::uint16_t centre = 0;
    std::uint16_t n = 0;                 // NbFichesCentre, low 16 bits
    std::uint16_t x = 0;                 // its count of the band
    std::optional<FunnelLimits> limits;  // none when n is 0
    int position = 0;
};

struct Funnel {
    std::string title;    // the band's label, or the indicator's name
    std::string section;  // the heading of the band's section ("Pied Gauche"); empty for an indicator
    int line = 0;
    int counter = 0;
    std::uint16_t total = 0;            // index entry 999
    std::uint16_t count = 0;            // the country's count of the band
    double target = 0;                  // count / total (0 for a total of 0)
    std::vector<FunnelCentre> centres;  // the centres of the index, increasing
};

// The funnel of a band line of the variability list; nothing for another line.
std::optional<Funnel> funnelOf(const StoredSynthesis& s, int line);

// Appends the centres of the index to f, each with the count `count` gives from its record and its
// number of FIBs, then its limits around f.target and its position.
void addFunnelCentres(Funnel& f, const StoredSynthesis& s,
                      const std::function<std::uint16_t(const pool::SynCounters&, std::uint16_t n)>& count);

// One centre outside the limits of a band line.
struct Alert {
    int line = 0;
    std::uint16_t centre = 0;
    int position = 0;
    bool operator==(const Alert&) const = default;
};
// Every band line in order, then centre order: the centres whose position is
// at least `level` away from 0 (2: outside 99.8 %; 1: outside 95 %).
std::vector<Alert> alertsOf(const StoredSynthesis& s, int level);

// The (band line, centre) pairs that alertsOf tests: every band line times the
// centres of the index that hold FIBs.
std::uint32_t alertPairsTested(const StoredSynthesis& s);
// The number of alerts chance alone gives among `pairs` tests at that level
// (5 % outside 95 %, 0.2 % outside 99.8 %), one decimal: "17.0".
std::string expectedByChance(std::uint32_t pairs, int level);

// The band lines of the variability list, in order.
std::vector<int> bandLines();

// A limit or a share as the commands write it: percent with one decimal, the
// nearest tenth, a half going up ("2.5", "100.0").
std::string percentText(double fraction);

// The position in words, as the centres' reports write it.
const char* positionWords(int position);

}  // namespace pelo::ref
