#include <gtest/gtest.h>

#include <cmath>

#include "ref/Funnel.h"

using namespace pelo;

namespace {

// The limit computed apart from the code under test: the whole distribution
// by log-gamma terms in long double, summed from 0.
double referenceLimit(std::uint32_t n, double t, double q) {
    long double cum = 0, prev = 0;
    const long double lt = std::log(static_cast<long double>(t)), lu = std::log1p(-static_cast<long double>(t));
    for (std::uint32_t r = 0; r <= n; ++r) {
        const long double lp = std::lgamma(static_cast<long double>(n) + 1) -
                               std::lgamma(static_cast<long double>(r) + 1) -
                               std::lgamma(static_cast<long double>(n - r) + 1) + r * lt + (n - r) * lu;
        prev = cum;
        cum += std::exp(lp);
        if (cum >= q) {
            const long double alpha = (cum - q) / (cum - prev);
            return std::clamp(static_cast<double>((r - alpha) / n), 0.0, 1.0);
        }
    }
    return 1.0;
}

// Small n: exact sums of n!/(r!(n-r)!) t^r (1-t)^(n-r).
double exactSmall(std::uint32_t n, double t, double q) {
    long double cum = 0, prev = 0, choose = 1;
    for (std::uint32_t r = 0; r <= n; ++r) {
        if (r > 0) choose = choose * (n - r + 1) / r;
        prev = cum;
        cum += choose * std::pow(static_cast<long double>(t), r) * std::pow(1.0L - t, n - r);
        if (cum >= q) return std::clamp(static_cast<double>((r - (cum - q) / (cum - prev)) / n), 0.0, 1.0);
    }
    return 1.0;
}

void expectLimits(std::uint32_t n, double t, double (*ref)(std::uint32_t, double, double), double tol) {
    const auto l = ref::funnelLimits(n, t);
    EXPECT_NEAR(l.lo998, ref(n, t, 0.001), tol) << n << " " << t;
    EXPECT_NEAR(l.lo95, ref(n, t, 0.025), tol) << n << " " << t;
    EXPECT_NEAR(l.hi95, ref(n, t, 0.975), tol) << n << " " << t;
    EXPECT_NEAR(l.hi998, ref(n, t, 0.999), tol) << n << " " << t;
}

// A stored synthesis in memory: centres (number, FIBs, count of band c0).
ref::StoredSynthesis stored(const std::vector<std::array<int, 3>>& centres, int total, int count) {
    ref::StoredSynthesis s;
    s.name = "SynFr97.Atx";
    s.records.resize(1);
    for (const auto& c : centres) {
        pool::SynCounters r;
        r.counters[0] = static_cast<std::uint16_t>(c[2]);
        r.NbFichesCentre = static_cast<std::uint32_t>(c[1]);
        s.records.push_back(r);
        s.index.entries[std::size_t(c[0])] = static_cast<std::uint16_t>(s.records.size() - 1);
    }
    s.index.entries[0] = static_cast<std::uint16_t>(centres.size());
    s.index.entries[999] = static_cast<std::uint16_t>(total);
    s.records[0].counters[0] = static_cast<std::uint16_t>(count);
    return s;
}

}  // namespace

TEST(Funnel, LimitsWorkedByHand) {
    // n = 1, t = 0.5: F(0) = 0.5, F(1) = 1; the upper limits interpolate
    // within the last step, the lower ones fall below 0 and are kept at 0.
    auto l = ref::funnelLimits(1, 0.5);
    EXPECT_DOUBLE_EQ(l.hi95, 0.95);
    EXPECT_DOUBLE_EQ(l.hi998, 0.998);
    EXPECT_EQ(l.lo95, 0.0);
    EXPECT_EQ(l.lo998, 0.0);
    // n = 10, t = 0.5: F(1) = 11/1024, F(2) = 56/1024, so the lower 95 %
    // limit is (2 - (56/1024 - 0.025) / (45/1024)) / 10 = 59.6 / 450.
    l = ref::funnelLimits(10, 0.5);
    EXPECT_NEAR(l.lo95, 59.6 / 450, 1e-12);
    // F(7) = 968/1024, F(8) = 1013/1024: (8 - (1013/1024 - 0.975) / (45/1024)) / 10.
    EXPECT_NEAR(l.hi95, 345.4 / 450, 1e-12);
}

TEST(Funnel, LimitsAgainstIndependentSums) {
    for (std::uint32_t n : {1u, 2u, 3u, 7u, 20u, 45u})
        for (double t : {0.001, 0.03, 0.2, 0.5, 0.77, 0.999}) expectLimits(n, t, exactSmall, 1e-11);
    for (std::uint32_t n : {137u, 1000u, 65535u})
        for (double t : {0.0004, 0.05, 0.31, 0.5, 0.93}) expectLimits(n, t, referenceLimit, 1e-9);
}

TEST(Funnel, LargestCentreNearTheNormalLimits) {
    // 65,535 FIBs: close to t +/- z sd, and the limits increase from lower to upper.
    const double t = 0.3, sd = std::sqrt(t * (1 - t) / 65535.0);
    const auto l = ref::funnelLimits(65535, t);
    EXPECT_NEAR(l.hi95, t + 1.959964 * sd, 3e-5);
    EXPECT_NEAR(l.lo998, t - 3.090232 * sd, 3e-5);
    EXPECT_LT(l.lo998, l.lo95);
    EXPECT_LT(l.lo95, l.hi95);
    EXPECT_LT(l.hi95, l.hi998);
}

TEST(Funnel, TargetZeroOrOneIsItsOwnLimit) {
    for (double t : {0.0, 1.0}) {
        const auto l = ref::funnelLimits(12, t);
        EXPECT_EQ(l.lo998, t);
        EXPECT_EQ(l.hi998, t);
        EXPECT_EQ(ref::funnelPosition(std::uint32_t(12 * t), 12, l), 0);
    }
    // A share of 0 % where everyone else has 0 % is not below anything.
    EXPECT_EQ(ref::funnelPosition(0, 12, ref::funnelLimits(12, 0.0)), 0);
    EXPECT_EQ(ref::funnelPosition(1, 12, ref::funnelLimits(12, 0.0)), 2);
}

TEST(Funnel, PositionsAndTiesOnALimit) {
    const ref::FunnelLimits l{0.1, 0.2, 0.6, 0.8};
    EXPECT_EQ(ref::funnelPosition(9, 10, l), 2);
    EXPECT_EQ(ref::funnelPosition(7, 10, l), 1);
    EXPECT_EQ(ref::funnelPosition(4, 10, l), 0);
    EXPECT_EQ(ref::funnelPosition(1, 10, l), -1);
    EXPECT_EQ(ref::funnelPosition(0, 10, l), -2);
    // A share equal to a limit is within it.
    EXPECT_EQ(ref::funnelPosition(8, 10, l), 1);
    EXPECT_EQ(ref::funnelPosition(6, 10, l), 0);
    EXPECT_EQ(ref::funnelPosition(2, 10, l), 0);
    // A small centre at 0 % whose lower limits are kept at 0 is within them.
    const auto small = ref::funnelLimits(5, 0.2);
    EXPECT_EQ(small.lo95, 0.0);
    EXPECT_EQ(ref::funnelPosition(0, 5, small), 0);
}

TEST(Funnel, FunnelOfABandLineAndAlerts) {
    // Country: 300 of 1000 FIBs in band c0 (line 3).
    const auto s = stored({{4, 500, 150}, {7, 0, 0}, {12, 200, 95}, {30, 300, 55}}, 1000, 300);
    EXPECT_FALSE(ref::funnelOf(s, 2));  // a heading
    EXPECT_FALSE(ref::funnelOf(s, 263));
    const auto f = ref::funnelOf(s, 3);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->counter, 0);
    EXPECT_DOUBLE_EQ(f->target, 0.3);
    ASSERT_EQ(f->centres.size(), 4u);
    EXPECT_EQ(f->centres[0].position, 0);
    EXPECT_FALSE(f->centres[1].limits);  // no FIB, no limits
    EXPECT_EQ(f->centres[1].position, 0);
    EXPECT_EQ(f->centres[2].position, 2);   // 47.5 %
    EXPECT_EQ(f->centres[3].position, -2);  // 18.3 %
    EXPECT_EQ(ref::alertsOf(s, 2), (std::vector<ref::Alert>{{3, 12, 2}, {3, 30, -2}}));
    // Every other band is 0 everywhere: t = 0, nobody outside.
    EXPECT_EQ(ref::alertsOf(s, 1).size(), 2u);
}

TEST(Funnel, PercentTexts) {
    EXPECT_EQ(ref::percentText(0.0625), "6.3");  // a half goes up
    EXPECT_EQ(ref::percentText(1.0), "100.0");
    EXPECT_EQ(ref::percentText(0.0), "0.0");
    EXPECT_EQ(ref::positionWords(2), std::string("au-dessus"));
    EXPECT_EQ(ref::positionWords(-1), std::string("en dessous"));
    EXPECT_EQ(ref::positionWords(0), std::string("dans les limites"));
}
