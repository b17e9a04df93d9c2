// The risk profile of a FIB.
#include <gtest/gtest.h>

#include <set>

#include "eval/Risk.h"

using namespace pelo;
using namespace pelo::risk;

namespace {
const std::array<std::uint16_t, 7> kMmol{3, 3, 3, 3, 3, 3, 3};
const std::array<std::uint16_t, 7> kGrams{4, 4, 3, 3, 4, 4, 4};
const std::array<std::uint16_t, 7> kMgDl{5, 5, 5, 5, 5, 5, 5};

FibRecord blank() { return emptyFibFromHeader(headerTemplate(), "08/12/2026"); }

// A FIB with every measure known and nothing at risk.
FibRecord healthy() {
    FibRecord r = blank();
    r.set(fld::Tabac, 2);
    r.set(fld::TaSyst, 130);
    r.set(fld::TaDiast, 80);
    r.set(fld::Cholesterol, 5.0f);
    r.set(fld::Triglycerides, 1.2f);
    r.set(fld::HbA1c, 7.0f);
    r.set(fld::Poids, 70);
    r.set(fld::Taille, 175);
    r.set(fld::Microalb, 20.0f);
    r.set(fld::ExamYeux, 1);
    r.set(fld::ExamPieds, 1);
    return r;
}

std::vector<std::string> shown(const RiskProfile& p) {
    std::vector<std::string> out;
    for (const auto& l : p.labels)
        if (l.shown) out.emplace_back(l.name);
    return out;
}
using Names = std::vector<std::string>;
}  // namespace

TEST(Risk, AllEmptyShowsTheNineWhiteLabels) {
    auto p = riskProfile(blank(), kMmol);
    EXPECT_EQ(shown(p), (Names{"Label16", "Label17", "Label14", "Label13", "Label12", "Label15", "Label19", "Label8",
                               "Label10"}));
    for (const auto& l : p.labels) {
        if (l.shown) {
            EXPECT_FALSE(l.risk) << l.name;
        }
    }
    EXPECT_EQ(p.count, 9);
    EXPECT_EQ(p.gauge, 9);
    EXPECT_FALSE(p.bmi);
    ASSERT_EQ(p.labels.size(), 17u);
    EXPECT_STREQ(p.find("Label8")->text, " Examen des YEUX  non fait ");
}

TEST(Risk, HealthyShowsNothing) {
    auto p = riskProfile(healthy(), kMmol);
    EXPECT_TRUE(shown(p).empty());
    EXPECT_EQ(p.gauge, 0);
}

TEST(Risk, BloodPressureEdges) {
    FibRecord r = healthy();
    r.set(fld::TaSyst, 160);
    r.set(fld::TaDiast, 90);
    EXPECT_TRUE(shown(riskProfile(r, kMmol)).empty());
    r.set(fld::TaSyst, 161);
    r.set(fld::TaDiast, 91);
    EXPECT_EQ(shown(riskProfile(r, kMmol)), (Names{"Label2", "Label3"}));
}

TEST(Risk, CholesterolByUnit) {
    FibRecord r = healthy();
    r.set(fld::Cholesterol, 6.5f);
    EXPECT_TRUE(shown(riskProfile(r, kMmol)).empty());
    r.set(fld::Cholesterol, 6.51f);
    EXPECT_EQ(shown(riskProfile(r, kMmol)), Names{"Label4"});

    r.set(fld::Cholesterol, 2.6f);
    EXPECT_TRUE(shown(riskProfile(r, kGrams)).empty());
    r.set(fld::Cholesterol, 2.61f);
    EXPECT_EQ(shown(riskProfile(r, kGrams)), Names{"Label4"});

    r.set(fld::Cholesterol, 260.0f);
    EXPECT_TRUE(shown(riskProfile(r, kMgDl)).empty());
    r.set(fld::Cholesterol, 261.0f);
    EXPECT_EQ(shown(riskProfile(r, kMgDl)), Names{"Label4"});

    auto other = kMmol;
    other[4] = 65535;  // units never chosen properly: no limit
    r.set(fld::Cholesterol, 99.0f);
    EXPECT_TRUE(shown(riskProfile(r, other)).empty());
}

TEST(Risk, TriglyceridesAsStoredExceptMilligrams) {
    FibRecord r = healthy();
    auto grams = kMmol, mgdl = kMmol;
    grams[6] = 4;
    mgdl[6] = 5;
    r.set(fld::Triglycerides, 2.0f);
    EXPECT_TRUE(shown(riskProfile(r, kMmol)).empty());
    EXPECT_TRUE(shown(riskProfile(r, grams)).empty());
    r.set(fld::Triglycerides, 2.01f);
    EXPECT_EQ(shown(riskProfile(r, grams)), Names{"Label5"});
    r.set(fld::Triglycerides, 175.0f);  // 1.995 mmol/l
    EXPECT_TRUE(shown(riskProfile(r, mgdl)).empty());
    r.set(fld::Triglycerides, 176.0f);  // 2.006 mmol/l
    EXPECT_EQ(shown(riskProfile(r, mgdl)), Names{"Label5"});
}

TEST(Risk, HbA1cAndBmi) {
    FibRecord r = healthy();
    r.set(fld::HbA1c, 8.0f);
    EXPECT_TRUE(shown(riskProfile(r, kMmol)).empty());
    r.set(fld::HbA1c, 8.01f);
    r.set(fld::Poids, 90);
    r.set(fld::Taille, 170);
    auto p = riskProfile(r, kMmol);
    EXPECT_EQ(shown(p), (Names{"Label6", "Label7"}));
    ASSERT_TRUE(p.bmi);
    EXPECT_NEAR(*p.bmi, 31.14f, 0.01f);

    r.set(fld::Taille, -1);
    EXPECT_EQ(shown(riskProfile(r, kMmol)), (Names{"Label6", "Label15"}));
    r.set(fld::Taille, 0);  // no division by zero: not monitored
    p = riskProfile(r, kMmol);
    EXPECT_EQ(shown(p), (Names{"Label6", "Label15"}));
    EXPECT_FALSE(p.bmi);
}

TEST(Risk, RenalDamage) {
    FibRecord r = healthy();
    r.set(fld::Microalb, 300.0f);
    r.set(fld::Proteinurie, 0.4f);
    EXPECT_TRUE(shown(riskProfile(r, kMmol)).empty());
    r.set(fld::Proteinurie, 0.6f);
    EXPECT_EQ(shown(riskProfile(r, kMmol)), Names{"Label11"});
    r.set(fld::Microalb, -1.0f);  // proteinuria alone is a measure
    EXPECT_EQ(shown(riskProfile(r, kMmol)), Names{"Label11"});
    r.set(fld::Proteinurie, -1.0f);
    r.set(fld::Microalb, 301.0f);
    EXPECT_EQ(shown(riskProfile(r, kMmol)), Names{"Label11"});
}

TEST(Risk, EveryRiskAtOnceFillsTheGauge) {
    FibRecord r = blank();
    r.set(fld::Tabac, 1);
    r.set(fld::TaSyst, 200);
    r.set(fld::TaDiast, 100);
    r.set(fld::Cholesterol, 8.0f);
    r.set(fld::Triglycerides, 3.0f);
    r.set(fld::HbA1c, 10.0f);
    r.set(fld::Poids, 120);
    r.set(fld::Taille, 160);
    r.set(fld::Microalb, 400.0f);
    auto p = riskProfile(r, kMmol);
    EXPECT_EQ(p.count, 10);
    EXPECT_EQ(p.gauge, 10);
    for (const auto& l : p.labels) {
        if (l.shown && std::string(l.name) != "Label8" && std::string(l.name) != "Label10") {
            EXPECT_TRUE(l.risk);
        }
    }
}

TEST(RiskLabels, TheScreenLaysOutSeventeenLabelsEightOfThemRisks) {
    const auto labels = riskLabels();
    ASSERT_EQ(labels.size(), 17u);
    int risks = 0;
    std::set<std::string> names;
    for (const auto& l : labels) {
        EXPECT_FALSE(l.shown);
        risks += l.risk;
        names.insert(l.name);
    }
    EXPECT_EQ(risks, 8);
    EXPECT_EQ(names.size(), 17u);
    EXPECT_STREQ(labels.front().text, " FUMEUR ");
    EXPECT_STREQ(labels.back().text, " Examen des PIEDS non fait ");
}
