#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "PoolTestSupport.h"
#include "SynthesisTestSupport.h"
#include "eval/Bands.h"
#include "pool/ReferenceYear.h"
#include "ref/Comparison.h"
#include "ref/ComparisonChart.h"
#include "ref/ComparisonReport.h"
#include "ref/Trend.h"

using namespace pelo;
using pool::PooledFibRecord;
namespace pf = pool::pfld;

namespace {

// A FIB of a centre in a given case-mix, ages counted from 2026.
PooledFibRecord patient(std::int32_t centre, std::uint8_t type, std::uint8_t sex, std::int32_t birth,
                        std::int32_t onset) {
    PooledFibRecord f = test::pooledFib(centre);
    f.set(pf::TypeDiabete, type);
    f.set(pf::Sexe, sex);
    f.set(pf::AnNaissance, birth);
    f.set(pf::AnDebutDiabete, onset);
    return f;
}
// Young type 1 (stratum 0) and very old type 2 women of long standing.
PooledFibRecord young(std::int32_t centre, bool eyes) {
    auto f = patient(centre, 1, 1, 2000, 2024);
    f.set(pf::ExamYeux, std::uint8_t(eyes ? 1 : 2));
    return f;
}
PooledFibRecord old(std::int32_t centre, bool eyes) {
    auto f = patient(centre, 2, 2, 1940, 1990);
    f.set(pf::ExamYeux, std::uint8_t(eyes ? 1 : 2));
    return f;
}

void setDate(PooledFibRecord& f, const char* d) { std::memcpy(f.bytes.data() + pf::DateFib.offset, d, 10); }

const ref::IndicatorComparison& eyes(const ref::Comparison& c) { return c.indicators[7]; }

}  // namespace

TEST(CaseMix, StrataCoverTypeSexAgeAndDuration) {
    EXPECT_EQ(ref::stratumOf(patient(1, 1, 1, 1987, 2022), 2026), 0);  // 39 years, 4 years
    EXPECT_EQ(ref::stratumOf(test::pooledFib(1), 2026), 179);          // nothing known
    // Class bounds: 40, 60, 75 years; 5 and 15 years of diabetes.
    EXPECT_EQ(ref::stratumOf(patient(1, 1, 1, 1986, 2021), 2026), 1 * 4 + 1);
    EXPECT_EQ(ref::stratumOf(patient(1, 1, 1, 1966, 2011), 2026), 2 * 4 + 2);
    EXPECT_EQ(ref::stratumOf(patient(1, 1, 1, 1951, 2011), 2026), 3 * 4 + 2);
    // A year after the reference year or before 1900 is unknown.
    EXPECT_EQ(ref::stratumOf(patient(1, 2, 2, 2027, 1899), 2026), ((1 * 3 + 1) * 5 + 4) * 4 + 3);
    // Type 3 and sex 3 are "other".
    EXPECT_EQ(ref::stratumOf(patient(1, 3, 3, 1987, 2022), 2026), (2 * 3 + 2) * 5 * 4);
    // The same patient is old in 2026 and young in 1997.
    EXPECT_EQ(ref::stratumOf(patient(1, 1, 1, 1950, 1995), 1997), 1 * 4 + 0);

    std::set<int> all;
    for (std::uint8_t type : {1, 2, 3})
        for (std::uint8_t sex : {1, 2, 0})
            for (std::int32_t birth : {2000, 1980, 1960, 1940, -1})
                for (std::int32_t onset : {2025, 2015, 2000, -1})
                    all.insert(ref::stratumOf(patient(1, type, sex, birth, onset), 2026));
    EXPECT_EQ(all.size(), 180u);
    EXPECT_EQ(*all.rbegin(), 179);
}

TEST(CaseMix, EligibilityAndEventsFollowTheStoredValues) {
    auto has = [](const PooledFibRecord& f, int k) {
        const auto o = ref::outcomeOf(f);
        return std::pair<bool, bool>(o.eligible >> (k - 1) & 1, o.events >> (k - 1) & 1);
    };
    using P = std::pair<bool, bool>;
    PooledFibRecord f = test::pooledFib(1);
    // A blank sheet is eligible only for the three examinations, with no event.
    EXPECT_EQ(ref::outcomeOf(f).eligible, 0b111000000);
    EXPECT_EQ(ref::outcomeOf(f).events, 0);
    f.set(pf::Tabac, std::uint8_t(1));
    EXPECT_EQ(has(f, 1), P(true, true));
    f.set(pf::Tabac, std::uint8_t(3));
    EXPECT_EQ(has(f, 1), P(false, false));
    f.set(pf::TaSyst, 140);
    f.set(pf::TaDiast, 90);
    EXPECT_EQ(has(f, 2), P(true, true));
    f.set(pf::TaDiast, 91);
    EXPECT_EQ(has(f, 2), P(true, false));
    f.set(pf::TaSyst, 0);
    EXPECT_EQ(has(f, 2), P(false, false));
    // Bounds in single precision: 6.5 and 1.8 typed are not below.
    f.set(pf::Cholesterol, 6.5f);
    f.set(pf::Triglycerides, 1.8f);
    EXPECT_EQ(has(f, 3), P(true, false));
    EXPECT_EQ(has(f, 4), P(true, false));
    f.set(pf::Triglycerides, std::nextafter(1.8f, 0.0f));
    EXPECT_EQ(has(f, 4), P(true, true));
    f.set(pf::HbA1c, 7.9f);
    EXPECT_EQ(has(f, 5), P(true, true));
    f.set(pf::HbA1c, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(has(f, 5), P(false, false));
    f.set(pf::HbA1c, std::numeric_limits<float>::infinity());
    EXPECT_EQ(has(f, 5), P(false, false));
    // 80 kg for 1.79 m: 24.97.
    f.set(pf::Poids, 80);
    f.set(pf::Taille, 179);
    EXPECT_EQ(has(f, 6), P(true, true));
    f.set(pf::Taille, 178);
    EXPECT_EQ(has(f, 6), P(true, false));
    f.set(pf::Microalb, 0.0f);
    EXPECT_EQ(has(f, 7), P(true, true));
    f.set(pf::Microalb, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(has(f, 7), P(true, false));
    f.set(pf::ExamPieds, std::uint8_t(1));
    EXPECT_EQ(has(f, 9), P(true, true));
}

// Two strata by hand: young (rate 3/5 = 0.6) and old (2/4 = 0.5).
TEST(CentreComparison, ExpectedEventsAndVarianceFromTheStrataRates) {
    std::vector<PooledFibRecord> fibs{young(1, true), young(1, true), young(2, true), young(2, false), old(2, true),
                                      old(2, false),  old(2, false),  old(3, true),   young(0, false)};
    PooledFibRecord annulled = young(3, false);
    annulled.set(pf::EtatFiche, std::uint8_t(255));
    fibs.push_back(annulled);
    const auto c = ref::compareCentres(fibs, 2026);
    EXPECT_EQ(c.fibs, 9u);
    const auto& ind = eyes(c);
    EXPECT_EQ(ind.n, 9u);
    EXPECT_EQ(ind.o, 5u);
    EXPECT_DOUBLE_EQ(ind.t, 5.0 / 9.0);
    ASSERT_EQ(ind.centres.size(), 3u);  // centre 0 counts for the country only
    const auto& c1 = ind.centres[0];
    EXPECT_EQ(c1.centre, 1);
    EXPECT_EQ(c1.n, 2u);
    EXPECT_EQ(c1.o, 2u);
    EXPECT_NEAR(c1.e, 1.2, 1e-12);
    EXPECT_NEAR(c1.v, 0.48, 1e-12);
    EXPECT_NEAR(c1.y, 2 / 1.2, 1e-12);
    EXPECT_NEAR(c1.z, 0.8 / std::sqrt(0.48), 1e-12);
    EXPECT_NEAR(ind.adjustedPercent(c1.y), 100.0 * 5 / 9 * 2 / 1.2, 1e-9);
    const auto& c2 = ind.centres[1];
    EXPECT_EQ(c2.n, 5u);
    EXPECT_EQ(c2.o, 2u);
    EXPECT_NEAR(c2.e, 2 * 0.6 + 3 * 0.5, 1e-12);
    EXPECT_NEAR(c2.v, 2 * 0.24 + 3 * 0.25, 1e-12);
    EXPECT_NEAR(ind.centres[2].e, 0.5, 1e-12);
    // Three centres: phi without tau.
    EXPECT_EQ(ind.dispersed, 3);
    const double z3 = 0.5 / 0.5;
    EXPECT_NEAR(ind.phi, (c1.z * c1.z + c2.z * c2.z + z3 * z3) / 3, 1e-12);
    EXPECT_EQ(ind.tau2, 0.0);
    // Limits around 1 with s = sqrt(V) / E only.
    const double s1 = std::sqrt(0.48) / 1.2;
    EXPECT_NEAR(c1.limits.hi95, 1 + ref::kZ95 * s1, 1e-12);
    EXPECT_NEAR(c1.limits.lo998, 1 - ref::kZ998 * s1, 1e-12);
    EXPECT_EQ(c1.position, 0);
    // Nobody smokes on record: no centre for indicator 1.
    EXPECT_TRUE(c.indicators[0].centres.empty());
    EXPECT_EQ(c.indicators[0].dispersed, 0);
}

TEST(CentreComparison, NoVarianceOrNoExpectedEventsLeavesACentreUnadjusted) {
    // Feet: every young patient examined (rate 1, V = 0), no old one (rate 0, E = 0).
    std::vector<PooledFibRecord> fibs;
    for (int k = 0; k < 3; ++k) {
        auto y = young(1, true);
        y.set(pf::ExamPieds, std::uint8_t(1));
        fibs.push_back(y);
        fibs.push_back(old(2, true));
    }
    const auto c = ref::compareCentres(fibs, 2026);
    const auto& feet = c.indicators[8];
    ASSERT_EQ(feet.centres.size(), 2u);
    EXPECT_DOUBLE_EQ(feet.centres[0].e, 3.0);
    EXPECT_EQ(feet.centres[0].v, 0.0);
    EXPECT_FALSE(feet.centres[0].adjusted());
    EXPECT_EQ(feet.centres[1].e, 0.0);
    EXPECT_FALSE(feet.centres[1].adjusted());
    EXPECT_EQ(feet.centres[0].position, 0);
    EXPECT_EQ(feet.centres[1].position, 0);
    EXPECT_EQ(feet.dispersed, 0);
    EXPECT_EQ(feet.phi, 0.0);
}

TEST(OverDispersion, WinsorisedZAndTauOnAWorkedExample) {
    // Ten centres: k = 1, so -5 becomes -1 and 4 becomes 2; sum of squares 11.81.
    const std::vector<double> z{0.2, -5, -1, -0.5, 0, 0.4, 0.6, 1, 2, 4};
    const std::vector<double> s{0.1, 0.1, 0.1, 0.1, 0.1, 0.2, 0.2, 0.2, 0.2, 0.2};
    const auto od = ref::overDispersion(z, s);
    EXPECT_NEAR(od.phi, 1.181, 1e-12);
    // w = 100 five times and 25 five times: sum 625, sum of squares 53125.
    EXPECT_NEAR(od.tau2, (11.81 - 9) / (625 - 53125.0 / 625), 1e-12);
    // The limits widen by tau.
    const auto l = ref::ratioLimits(0.1, od.tau2);
    EXPECT_NEAR(l.hi998, 1 + ref::kZ998 * std::sqrt(0.01 + od.tau2), 1e-12);
    EXPECT_EQ(ref::ratioPosition(l.hi95, l), 0);
    EXPECT_EQ(ref::ratioPosition(std::nextafter(l.hi95, 2.0), l), 1);
    EXPECT_EQ(ref::ratioPosition(std::nextafter(l.lo998, 0.0), l), -2);

    // Below ten centres, or without excess spread, tau stays 0.
    const std::vector<double> nine(z.begin(), z.begin() + 9), s9(s.begin(), s.begin() + 9);
    const auto small = ref::overDispersion(nine, s9);
    EXPECT_GT(small.phi, 1.0);
    EXPECT_EQ(small.tau2, 0.0);
    const std::vector<double> calm{0.1, -0.2, 0.3, -0.1, 0.5, -0.5, 0.9, -0.9, 1, -1};
    EXPECT_EQ(ref::overDispersion(calm, s).tau2, 0.0);
    EXPECT_EQ(ref::overDispersion({}, {}).phi, 0.0);
}

TEST(CentreComparison, TheFileGivesWhatTheRecordsGive) {
    test::TempDir dir;
    std::vector<PooledFibRecord> fibs{young(1, true), old(1, false), young(1000, false), old(2, true)};
    test::writePooled("FibFr26.Dat", fibs);
    ref::Comparison fromFile;
    ASSERT_FALSE(ref::compareCentres("", "FibFr26.Dat", 2026, fromFile));
    const auto direct = ref::compareCentres(fibs, 2026);
    ASSERT_EQ(eyes(fromFile).centres.size(), 3u);
    EXPECT_EQ(eyes(fromFile).centres[2].centre, 1000);  // beyond the stored synthesis's index
    EXPECT_EQ(eyes(fromFile).centres[0].e, eyes(direct).centres[0].e);
    ref::Comparison none;
    EXPECT_TRUE(ref::compareCentres("", "Absent.Dat", 2026, none));
}

TEST(ReferenceYear, TheYearOfMostSheetsTiesGoingLater) {
    std::vector<PooledFibRecord> fibs(6, test::pooledFib(1));
    setDate(fibs[0], "01/02/2025");
    setDate(fibs[1], "03/04/2025");
    setDate(fibs[2], "01/02/2026");
    setDate(fibs[3], "28/12/2026");
    setDate(fibs[4], "01/02/19a7");
    setDate(fibs[5], "01/02/1899");
    EXPECT_EQ(pool::proposedReferenceYear(fibs), 2026);
    setDate(fibs[3], "28/12/2024");
    EXPECT_EQ(pool::proposedReferenceYear(fibs), 2025);
    EXPECT_EQ(pool::yearOfSheet(fibs[4]), 0);
    EXPECT_EQ(pool::yearOfSheet(fibs[5]), 0);
    std::vector<PooledFibRecord> undated(2, fibs[4]);
    EXPECT_EQ(pool::proposedReferenceYear(undated), 1997);

    test::TempDir dir;
    test::writePooled("FibFr25.Dat", fibs);
    std::int32_t year = 0;
    ASSERT_FALSE(pool::proposeReferenceYear("", "FibFr25.Dat", year));
    EXPECT_EQ(year, 2025);
}

TEST(CentreComparison, NumbersAreWrittenWithFixedDecimals) {
    EXPECT_EQ(ref::decimalText(2.0005, 3), "2.001");
    EXPECT_EQ(ref::decimalText(-0.0004, 3), "0.000");
    EXPECT_EQ(ref::decimalText(-1.25, 1), "-1.2");  // a half goes up
    EXPECT_EQ(ref::decimalText(0.05, 4), "0.0500");
    EXPECT_EQ(ref::decimalText(104.96, 1), "105.0");
}

// Twelve centres of 40 FIBs: eleven examine the eyes of 14 to 30 patients
// (over-dispersed), centre 1 of 2 only.
TEST(ComparisonChart, TableCellsSpreadsheetAndPoints) {
    std::vector<PooledFibRecord> fibs;
    for (int c = 1; c <= 12; ++c) {
        const int examined = c == 1 ? 2 : 14 + ((c * 7) % 11) * 16 / 10;
        for (int k = 0; k < 40; ++k) fibs.push_back(k % 2 ? young(c, k < examined) : old(c, k < examined));
    }
    const auto cmp = ref::compareCentres(fibs, 2026);
    const auto& ind = eyes(cmp);
    EXPECT_EQ(ind.dispersed, 12);
    EXPECT_GT(ind.tau2, 0.0);
    const auto* first = ref::centreOf(ind, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->position, -2);
    EXPECT_EQ(ref::comparisonCell(ind, *first), ref::decimalText(ind.adjustedPercent(first->y), 1) + " ** moins bon");
    // Smokers would be better below: the judgement follows the indicator's direction.
    ref::IndicatorComparison smoking = ind;
    smoking.number = 1;
    EXPECT_EQ(smoking.judgement(*first), 1);
    EXPECT_EQ(ref::centreOf(ind, 13), nullptr);
    EXPECT_EQ(ref::comparedCentres(cmp).size(), 12u);

    const std::string csv = ref::comparisonCsv(cmp);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(csv.find("\r\n1;8;Yeux examinés;40;2;"), std::string::npos);
    EXPECT_NE(csv.find(";-2;moins bon\r\n"), std::string::npos);

    ref::ChartBox box;
    const auto points = ref::comparisonPoints(ind, box);
    ASSERT_EQ(points.size(), 12u);
    EXPECT_LT(points[11].y, points[0].y);  // higher share, higher on the chart
    EXPECT_EQ(ref::centreNear(points, points[4].x, points[4].y + 2, 5), 5);
    EXPECT_EQ(ref::centreNear(points, -100, -100, 5), 0);
    DrawList drawn;
    ref::drawComparisonFunnel(drawn, ind, 3, box);
    const auto texts = drawn.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(ref::kAdjustedLegend)), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "3"), texts.end());  // the chosen centre named
    const auto doc = ref::comparisonPrintout(cmp, 8, 3, "France 2026");
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.title, "Comparaison-France-2026-indicateur8");
    EXPECT_EQ(ref::campaignTitle("FibFr26.Dat", 2026), "France 2026");
    EXPECT_EQ(ref::campaignTitle("Fib.Dat", 1997), "Pays 1997");

    // The centre's report: titled by its campaign, the indicator in red since
    // fewer eyes examined is worse.
    const auto report = ref::comparisonReport(cmp, "France 2026", nullptr, 1, "10/12/2026");
    EXPECT_EQ(report.title, "Rapport-France-2026-centre1.pdf");
    ASSERT_EQ(report.pages.size(), 2u);
    const auto words = report.pages[0].texts();
    EXPECT_EQ(words.front(), "Rapport du centre 1 – France 2026");
    Rgb colour{};
    bool red = false;
    for (const auto& it : report.pages[0].items) {
        if (it.kind == DrawItem::Font) colour = it.color;
        if (it.kind == DrawItem::Text && it.text == "moins bon (99,8 %)") red = colour == colors::Red;
    }
    EXPECT_TRUE(red);
    for (const auto& page : report.pages)
        for (const auto& t : page.texts()) EXPECT_EQ(t.find("Ligne"), std::string::npos) << t;
}

TEST(Trend, OnlySynthesesOfOneSeriesFollowEachOther) {
    EXPECT_EQ(ref::otherSeries({"SynFr96.Atx", "SYNFr97.ATX", "SynFr2026.Atx"}), "");
    EXPECT_EQ(ref::otherSeries({"SynFr96.Atx", "SynHopi.Atx", "SynFr97.Atx"}), "SynHopi.Atx");
}

TEST(ComparisonReport, BandsJudgedByTheirDirectionNotByTheDeviation) {
    EXPECT_EQ(eval::betterDirection(0), 1);    // Hb < 6.5
    EXPECT_EQ(eval::betterDirection(4), -1);   // Hb >= 12
    EXPECT_EQ(eval::betterDirection(21), -1);  // smokers
    EXPECT_EQ(eval::betterDirection(24), 0);   // women
    // Centre 12 above the country in Hb < 6.5 (better), centre 30 below (worse).
    test::TempDir dir;
    test::writeStoredSynthesis("SynFr97.Atx", {{4, 500, 150}, {12, 200, 95}, {30, 300, 55}});
    ref::StoredSynthesis s;
    ASSERT_FALSE(ref::readStored("", "SynFr97.Atx", s));
    const auto b = ref::benchmarkOf(s);
    const ref::Comparison none;
    auto colourOf = [&](std::uint16_t centre, const std::string& what) {
        const auto doc = ref::comparisonReport(none, "France 1997", &b, centre, "10/12/2026");
        Rgb colour{};
        for (const auto& it : doc.pages[1].items) {
            if (it.kind == DrawItem::Font) colour = it.color;
            if (it.kind == DrawItem::Text && it.text == what) return colour;
        }
        return Rgb{1, 2, 3};
    };
    EXPECT_EQ(colourOf(12, "Hb < 6.5"), colors::Green);
    EXPECT_EQ(colourOf(30, "Hb < 6.5"), colors::Red);
}
