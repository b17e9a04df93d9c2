#include "ref/Comparison.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace pelo::ref {

namespace {

constexpr std::array<IndicatorInfo, kCareIndicatorCount> kIndicators{{
    {1, "Fumeurs", Better::Lower},
    {2, "TA <= 140/90", Better::Higher},
    {3, "Cholestérol < 6.5", Better::Higher},
    {4, "Triglycérides < 1.8", Better::Higher},
    {5, "HbA1c < 8", Better::Higher},
    {6, "IMC < 25", Better::Higher},
    {7, "Microalbuminurie surveillée", Better::Higher},
    {8, "Yeux examinés", Better::Higher},
    {9, "Pieds examinés", Better::Higher},
}};

constexpr std::uint16_t bitOf(int k) { return std::uint16_t(1u << (k - 1)); }

// A stored single above 0 (finite).
bool positive(float x) { return isMeasure(x) && greaterThan(x, 0); }

int ageClass(std::int32_t birth, std::int32_t year) {
    if (birth < 1900 || birth > year) return 4;
    const std::int32_t a = year - birth;
    return a < 40 ? 0 : a < 60 ? 1 : a < 75 ? 2 : 3;
}
int durationClass(std::int32_t start, std::int32_t year) {
    if (start < 1900 || start > year) return 3;
    const std::int32_t d = year - start;
    return d < 5 ? 0 : d < 15 ? 1 : 2;
}
int codeClass(std::uint8_t v) { return v == 1 ? 0 : v == 2 ? 1 : 2; }

// What the comparison keeps of a FIB.
struct Item {
    std::uint16_t centre;
    std::uint8_t stratum;
    std::uint16_t eligible, events;
};

struct CentreSums {
    std::array<std::uint32_t, kCareIndicatorCount> n{}, o{};
    std::array<double, kCareIndicatorCount> e{}, v{};
};

class Accumulator {
public:
    explicit Accumulator(std::int32_t year) : year_(year) {}
    void add(const pool::PooledFibRecord& f) {
        if (f.get(pool::pfld::EtatFiche) == 255) return;
        const FibOutcome oc = outcomeOf(f);
        const auto s = std::uint8_t(stratumOf(f, year_));
        items_.push_back({f.centre(), s, oc.eligible, oc.events});
        for (int k = 0; k < kCareIndicatorCount; ++k) {
            if (!(oc.eligible >> k & 1u)) continue;
            ++strata_[std::size_t(k)][s].n;
            strata_[std::size_t(k)][s].o += oc.events >> k & 1u;
        }
    }
    Comparison finish() const;

private:
    struct Count {
        std::uint32_t n = 0, o = 0;
    };
    std::int32_t year_;
    std::vector<Item> items_;
    std::array<std::array<Count, kStratumCount>, kCareIndicatorCount> strata_{};
};

Comparison Accumulator::finish() const {
    Comparison out;
    out.year = year_;
    out.fibs = std::uint32_t(items_.size());
    // The country's rate of each stratum.
    std::array<std::array<double, kStratumCount>, kCareIndicatorCount> p{}, pq{};
    for (int k = 0; k < kCareIndicatorCount; ++k) {
        auto& ind = out.indicators[std::size_t(k)];
        ind.number = k + 1;
        for (int s = 0; s < kStratumCount; ++s) {
            const Count& c = strata_[std::size_t(k)][std::size_t(s)];
            ind.n += c.n;
            ind.o += c.o;
            const double r = c.n == 0 ? 0.0 : double(c.o) / double(c.n);
            p[std::size_t(k)][std::size_t(s)] = r;
            pq[std::size_t(k)][std::size_t(s)] = r * (1.0 - r);
        }
        ind.t = ind.n == 0 ? 0.0 : double(ind.o) / double(ind.n);
    }
    // Each centre's sums, the centres numbered in order of appearance.
    std::vector<std::int32_t> slot(65536, -1);
    std::vector<CentreSums> sums;
    std::vector<std::uint16_t> numbers;
    for (const Item& it : items_) {
        if (it.centre == 0) continue;
        std::int32_t& sl = slot[it.centre];
        if (sl < 0) {
            sl = std::int32_t(sums.size());
            sums.emplace_back();
            numbers.push_back(it.centre);
        }
        CentreSums& c = sums[std::size_t(sl)];
        for (int k = 0; k < kCareIndicatorCount; ++k) {
            if (!(it.eligible >> k & 1u)) continue;
            const auto ku = std::size_t(k);
            ++c.n[ku];
            c.o[ku] += it.events >> k & 1u;
            c.e[ku] += p[ku][it.stratum];
            c.v[ku] += pq[ku][it.stratum];
        }
    }
    std::sort(numbers.begin(), numbers.end());
    for (int k = 0; k < kCareIndicatorCount; ++k) {
        const auto ku = std::size_t(k);
        auto& ind = out.indicators[ku];
        std::vector<double> zs, ss;
        for (std::uint16_t number : numbers) {
            const CentreSums& c = sums[std::size_t(slot[number])];
            if (c.n[ku] == 0) continue;
            CentreComparison cc;
            cc.centre = number;
            cc.n = c.n[ku];
            cc.o = c.o[ku];
            cc.e = c.e[ku];
            cc.v = c.v[ku];
            if (cc.adjusted()) {
                cc.y = double(cc.o) / cc.e;
                cc.z = (double(cc.o) - cc.e) / std::sqrt(cc.v);
                cc.s = std::sqrt(cc.v) / cc.e;
                zs.push_back(cc.z);
                ss.push_back(cc.s);
            }
            ind.centres.push_back(cc);
        }
        ind.dispersed = int(zs.size());
        const OverDispersion od = overDispersion(zs, ss);
        ind.phi = od.phi;
        ind.tau2 = od.tau2;
        for (auto& cc : ind.centres) {
            if (!cc.adjusted()) continue;
            cc.limits = ratioLimits(cc.s, ind.tau2);
            cc.position = ratioPosition(cc.y, cc.limits);
        }
    }
    return out;
}

}  // namespace

const std::array<IndicatorInfo, kCareIndicatorCount>& indicatorTable() { return kIndicators; }

std::array<IndicatorComparison, kCareIndicatorCount> emptyIndicators() {
    std::array<IndicatorComparison, kCareIndicatorCount> out;
    for (int k = 0; k < kCareIndicatorCount; ++k) out[std::size_t(k)].number = k + 1;
    return out;
}

FibOutcome outcomeOf(const pool::PooledFibRecord& f) {
    using namespace pool::pfld;
    FibOutcome r;
    auto mark = [&r](int k, bool eligible, bool event) {
        if (!eligible) return;
        r.eligible |= bitOf(k);
        if (event) r.events |= bitOf(k);
    };
    const std::uint8_t tabac = f.get(Tabac);
    mark(1, tabac == 1 || tabac == 2, tabac == 1);
    const std::int32_t sys = f.get(TaSyst), dia = f.get(TaDiast);
    mark(2, sys >= 1 && dia >= 1, sys <= 140 && dia <= 90);
    const float chol = f.get(Cholesterol), trig = f.get(Triglycerides), hb = f.get(HbA1c);
    mark(3, positive(chol), lessThan(chol, 6.5));
    mark(4, positive(trig), lessThan(trig, 1.8));
    mark(5, positive(hb), lessThan(hb, 8));
    const std::int32_t w = f.get(Poids), h = f.get(Taille);
    if (w >= 1 && h >= 1) {
        const float bmi = toSingle(double(w) / ((double(h) * 0.01) * (double(h) * 0.01)));
        mark(6, true, isMeasure(bmi) && lessThan(bmi, 25));
    }
    const float micro = f.get(Microalb);
    mark(7, true, isMeasure(micro) && !lessThan(micro, 0));
    mark(8, true, f.get(ExamYeux) == 1);
    mark(9, true, f.get(ExamPieds) == 1);
    return r;
}

int stratumOf(const pool::PooledFibRecord& f, std::int32_t year) {
    using namespace pool::pfld;
    const int type = codeClass(f.get(TypeDiabete)), sex = codeClass(f.get(Sexe));
    const int age = ageClass(f.get(AnNaissance), year), duration = durationClass(f.get(AnDebutDiabete), year);
    return ((type * 3 + sex) * 5 + age) * 4 + duration;
}

RatioLimits ratioLimits(double s, double tau2) {
    const double spread = std::sqrt(s * s + tau2);
    return {1.0 - kZ998 * spread, 1.0 - kZ95 * spread, 1.0 + kZ95 * spread, 1.0 + kZ998 * spread};
}

int ratioPosition(double y, const RatioLimits& l) {
    if (y > l.hi998) return 2;
    if (y > l.hi95) return 1;
    if (y < l.lo998) return -2;
    if (y < l.lo95) return -1;
    return 0;
}

double IndicatorComparison::shownLimit(double limit) const { return std::clamp(100.0 * t * limit, 0.0, 100.0); }

RatioLimits IndicatorComparison::curveAt(double n) const {
    if (!(n > 0) || !(t > 0)) return ratioLimits(0, tau2);
    return ratioLimits(std::sqrt((1.0 - t) / (n * t)), tau2);
}

int IndicatorComparison::judgement(const CentreComparison& c) const {
    const int side = c.position > 0 ? 1 : c.position < 0 ? -1 : 0;
    return info().better == Better::Higher ? side : -side;
}

OverDispersion overDispersion(const std::vector<double>& z, const std::vector<double>& s) {
    OverDispersion r;
    const std::size_t count = z.size();
    if (count == 0) return r;
    std::vector<double> sorted = z;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t k = count / 10;
    const double lo = sorted[k], hi = sorted[count - 1 - k];
    double sum = 0;
    for (double v : z) {
        const double w = std::clamp(v, lo, hi);
        sum += w * w;
    }
    const double i = double(count);
    r.phi = sum / i;
    if (count >= 10 && i * r.phi > i - 1.0) {
        double sw = 0, sw2 = 0;
        for (double se : s) {
            const double w = 1.0 / (se * se);
            sw += w;
            sw2 += w * w;
        }
        const double denominator = sw - sw2 / sw;
        if (denominator > 0) r.tau2 = (i * r.phi - (i - 1.0)) / denominator;
    }
    return r;
}

Comparison compareCentres(std::span<const pool::PooledFibRecord> fibs, std::int32_t year) {
    auto acc = std::make_unique<Accumulator>(year);
    for (const auto& f : fibs) acc->add(f);
    return acc->finish();
}

IoStatus compareCentres(const std::string& folder, const std::string& poolName, std::int32_t year, Comparison& out) {
    pool::PooledReader in;
    if (auto e = in.open(folder, poolName)) return e;
    auto acc = std::make_unique<Accumulator>(year);
    IoStatus readError;
    while (const pool::PooledFibRecord* f = in.next(&readError)) acc->add(*f);
    if (readError) return readError;
    out = acc->finish();
    return {};
}

std::string decimalText(double v, int decimals) {
    if (!std::isfinite(v)) return "-";
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const auto units = static_cast<std::int64_t>(std::floor(v * scale + 0.5));
    const std::uint64_t a = units < 0 ? std::uint64_t(-units) : std::uint64_t(units);
    const auto whole = std::uint64_t(scale);
    std::string frac = std::to_string(a % whole);
    if (decimals > 0) frac.insert(0, std::size_t(decimals) - frac.size(), '0');
    std::string out = units < 0 ? "-" : "";
    out += std::to_string(a / whole);
    if (decimals > 0) out += "." + frac;
    return out;
}

const char* judgementWords(int judgement) {
    if (judgement > 0) return "meilleur";
    if (judgement < 0) return "moins bon";
    return "dans les limites";
}

}  // namespace pelo::ref
