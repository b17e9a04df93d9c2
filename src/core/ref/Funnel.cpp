#include "ref/Funnel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "eval/Bands.h"
#include "pool/VariabilityList.h"
#include "store/Text.h"

namespace pelo::ref {

namespace {

constexpr std::array<double, 4> kLevels{0.001, 0.025, 0.975, 0.999};

// Terms below this share of the largest one are left out: their whole tail
// weighs less than 1e-15 of the distribution.
constexpr double kNegligible = 1e-18;

// The binomial probabilities around the mode, relative to the mode's (taken
// as 1), so that no term underflows whatever n; the distribution is their
// running sum over their total.
class Binomial {
public:
    Binomial(std::uint32_t n, double t) {
        const double odds = t / (1.0 - t);
        auto mode = static_cast<std::uint32_t>(std::floor((double(n) + 1.0) * t));
        mode = std::min(mode, n);
        std::vector<double> below;  // mode - 1, mode - 2, ...
        double p = 1.0;
        std::uint32_t k = mode;
        while (k > 0) {
            p *= double(k) / (double(n - k + 1) * odds);
            if (p < kNegligible) break;
            below.push_back(p);
            --k;
        }
        lo_ = mode - std::uint32_t(below.size());
        terms_.assign(below.rbegin(), below.rend());
        terms_.push_back(1.0);
        p = 1.0;
        for (k = mode; k < n; ++k) {
            p *= double(n - k) * odds / double(k + 1);
            if (p < kNegligible) break;
            terms_.push_back(p);
        }
        for (double v : terms_) total_ += v;
    }

    // For each level (in increasing order) the limit (r - a) / n.
    template <std::size_t N> std::array<double, N> limits(std::uint32_t n, const std::array<double, N>& levels) const {
        std::array<double, N> out{};
        std::size_t next = 0;
        double cum = 0;
        for (std::size_t i = 0; i < terms_.size() && next < N; ++i) {
            cum += terms_[i];
            // The last running sum is the total itself, so F reaches 1.
            const double f = cum / total_;
            while (next < N && f >= levels[next]) {
                const double q = levels[next];
                const double alpha = (f - q) / (terms_[i] / total_);
                const double r = double(lo_ + std::uint32_t(i));
                out[next] = std::clamp((r - alpha) / double(n), 0.0, 1.0);
                ++next;
            }
        }
        return out;
    }

private:
    std::uint32_t lo_ = 0;
    std::vector<double> terms_;
    double total_ = 0;
};

bool degenerate(double t) { return !(t > 0.0 && t < 1.0); }
double clamped(double t) { return std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0); }

}  // namespace

double funnelLimit(std::uint32_t n, double t, double q) {
    if (n == 0 || degenerate(t)) return clamped(t);
    return Binomial(n, t).limits(n, std::array<double, 1>{q})[0];
}

FunnelLimits funnelLimits(std::uint32_t n, double t) {
    if (n == 0 || degenerate(t)) {
        const double v = clamped(t);
        return {v, v, v, v};
    }
    const auto l = Binomial(n, t).limits(n, kLevels);
    return {l[0], l[1], l[2], l[3]};
}

int funnelPosition(std::uint32_t x, std::uint32_t n, const FunnelLimits& l) {
    if (n == 0) return 0;
    const double share = double(x) / double(n);
    if (share > l.hi998) return 2;
    if (share > l.hi95) return 1;
    if (share < l.lo998) return -2;
    if (share < l.lo95) return -1;
    return 0;
}

std::optional<Funnel> funnelOf(const StoredSynthesis& s, int line) {
    const int counter = pool::counterOfLine(line);
    if (counter < 0 || s.records.empty()) return std::nullopt;
    Funnel f;
    f.title = pool::variabilityTitle(line);
    const auto& li = eval::lineTable()[std::size_t(line)];
    f.section = trimSpaces(eval::headingOf(eval::kSections[li.section], eval::LabelUse::Variability));
    f.line = line;
    f.counter = counter;
    f.total = s.index.totalFibs();
    f.count = s.records[0].counters[std::size_t(counter)];
    f.target = f.total == 0 ? 0.0 : double(f.count) / double(f.total);
    addFunnelCentres(f, s,
                     [counter](const pool::SynCounters& r, std::uint16_t) { return r.counters[std::size_t(counter)]; });
    return f;
}

void addFunnelCentres(Funnel& f, const StoredSynthesis& s,
                      const std::function<std::uint16_t(const pool::SynCounters&, std::uint16_t n)>& count) {
    for (int c = 1; c <= pool::SynIndex::kLastCentre; ++c) {
        const auto* r = s.centre(c);
        if (!r) continue;
        FunnelCentre fc;
        fc.centre = static_cast<std::uint16_t>(c);
        fc.n = static_cast<std::uint16_t>(r->NbFichesCentre & 0xFFFF);
        fc.x = count(*r, fc.n);
        if (fc.n > 0) {
            fc.limits = funnelLimits(fc.n, f.target);
            fc.position = funnelPosition(fc.x, fc.n, *fc.limits);
        }
        f.centres.push_back(fc);
    }
}

std::vector<int> bandLines() {
    std::vector<int> out;
    for (int line = 0; line < eval::kLineCount; ++line)
        if (pool::counterOfLine(line) >= 0) out.push_back(line);
    return out;
}

std::vector<Alert> alertsOf(const StoredSynthesis& s, int level) {
    std::vector<Alert> out;
    for (int line : bandLines()) {
        const auto f = funnelOf(s, line);
        if (!f) continue;
        for (const auto& c : f->centres)
            if (std::abs(c.position) >= level && c.position != 0) out.push_back({line, c.centre, c.position});
    }
    return out;
}

std::uint32_t alertPairsTested(const StoredSynthesis& s) {
    if (s.records.empty()) return 0;
    std::uint32_t centres = 0;
    for (int c = 1; c <= pool::SynIndex::kLastCentre; ++c)
        if (const auto* r = s.centre(c); r && (r->NbFichesCentre & 0xFFFF) > 0) ++centres;
    return centres * std::uint32_t(bandLines().size());
}

std::string expectedByChance(std::uint32_t pairs, int level) {
    // pairs x 0.05 or pairs x 0.002, exact to the tenth.
    return level >= 2 ? Percent{2 * std::int64_t(pairs), 1000}.text() : Percent{5 * std::int64_t(pairs), 100}.text();
}

std::string percentText(double fraction) {
    const auto tenths = static_cast<std::int64_t>(std::floor(fraction * 1000.0 + 0.5));
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

const char* positionWords(int position) {
    if (position > 0) return "au-dessus";
    if (position < 0) return "en dessous";
    return "dans les limites";
}

}  // namespace pelo::ref
