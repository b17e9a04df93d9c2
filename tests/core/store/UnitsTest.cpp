#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/Units.h"

using namespace pelo;
using namespace pelo::units;

TEST(Units, TableTextsKeepTheirLeadingSpace) {
    EXPECT_EQ(rowName(0), " Glycémie");
    EXPECT_EQ(rowName(6), " Triglycérides");
    EXPECT_EQ(text(kUnitGly, 3), " mmol/l");
    EXPECT_EQ(text(kUnitCreat, 3), " µmol/l");
    EXPECT_EQ(text(kUnitCreat, 4), " mg/l");
    EXPECT_EQ(text(kUnitCreat, 5), "");
    EXPECT_EQ(text(kUnitMicroalb, 3), " mg/j");
    EXPECT_EQ(text(kUnitMicroalb, 4), "");
    EXPECT_EQ(text(kUnitProteinurie, 3), " g/j");
    EXPECT_EQ(text(kUnitHdl, 5), " mg/dl");
    EXPECT_EQ(text(kUnitTrig, 6), "");
    EXPECT_EQ(text(kUnitTrig, 0), "");
}

TEST(Units, LabelsBesideTheValuesFallBackToTheInternationalUnit) {
    EXPECT_EQ(label(kUnitGly, 3), "mmol/l");
    EXPECT_EQ(label(kUnitGly, 4), "g/l");
    EXPECT_EQ(label(kUnitGly, 5), "mg/dl");
    EXPECT_EQ(label(kUnitCreat, 4), "mg/l");
    EXPECT_EQ(label(kUnitChol, 5), "mg/dl");
    EXPECT_EQ(label(kUnitCreat, 5), "µmol/l");  // creatinine has no mg/dl unit
    EXPECT_EQ(label(kUnitChol, 65535), "mmol/l");
    EXPECT_EQ(label(kUnitCreat, 0), "µmol/l");
    EXPECT_EQ(label(kUnitMicroalb, 4), "mg/j");
}

namespace {
CentreHeader headerWithSlots(std::array<float, 7> slots) {
    CentreHeader h = headerTemplate();
    for (int i = 0; i < 7; ++i) h.set(kUnitSlots[i], slots[i]);
    return h;
}
}  // namespace

TEST(UnitLoading, NeverChosenMeansAllInternationalAndTheBufferIsUntouched) {
    CentreHeader h = headerTemplate();
    const CentreHeader before = h;
    auto codes = load(h);
    for (auto c : codes) EXPECT_EQ(c, 3);
    EXPECT_EQ(h, before);
    // Only the first slot decides, even when the others hold codes.
    h = headerWithSlots({-1.0f, 4.0f, 3.0f, 3.0f, 5.0f, 5.0f, 4.0f});
    for (auto c : load(h)) EXPECT_EQ(c, 3);
}

TEST(UnitLoading, NearestIntegersHalfToEvenThenSlotsBackToEmpty) {
    CentreHeader h = headerWithSlots({4.0f, 3.0f, 3.0f, 3.0f, 5.0f, 4.5f, 3.5f});
    CentreHeader expected = h;
    for (auto slot : kUnitSlots) expected.set(slot, -1.0f);
    auto codes = load(h);
    EXPECT_EQ(codes, (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 4, 4}));
    EXPECT_EQ(h, expected);  // nothing else of the record changed
    h = headerWithSlots({2.9999f, 4.49f, 5.51f, 0.0f, 3.0f, 3.0f, 3.0f});
    EXPECT_EQ(load(h), (std::array<std::uint16_t, 7>{3, 4, 6, 0, 3, 3, 3}));
}

TEST(UnitLoading, AnEmptySlotBesideAChosenFirstOneConvertsNothing) {
    CentreHeader h = headerWithSlots({3.0f, -1.0f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f});
    auto codes = load(h);
    EXPECT_EQ(codes[kUnitCreat], 65535);
    EXPECT_EQ(text(kUnitCreat, codes[kUnitCreat]), "");
    h = headerWithSlots({3.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f, 3.0f, 3.0f, 3.0f, 3.0f});
    codes = load(h);
    EXPECT_FALSE(offered(kUnitCreat, codes[kUnitCreat]));
    EXPECT_FALSE(offered(kUnitMicroalb, codes[kUnitMicroalb]));
}

TEST(UnitLoading, StoredCodesComeBackAsSingles) {
    CentreHeader h = headerTemplate();
    store(h, {4, 3, 3, 3, 5, 5, 4});
    EXPECT_EQ(h.get(fld::UniteGlycemie), 4.0f);
    EXPECT_EQ(h.get(fld::UniteCreatinine), 3.0f);
    EXPECT_EQ(h.get(fld::UniteCholesterol), 5.0f);
    EXPECT_EQ(h.get(fld::UniteTriglycerides), 4.0f);
    EXPECT_EQ(h.get(fld::HbA1c), -1.0f);  // the slots between are not unit slots
    EXPECT_EQ(load(h), (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 5, 4}));
}

TEST(UnitLoading, CodesInEffectThatAreNoUnitBecomeTheDefault) {
    EXPECT_EQ(orDefault({0, 0, 0, 0, 0, 0, 0}), (std::array<std::uint16_t, 7>{3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(orDefault({5, 5, 4, 3, 4, 65535, 5}), (std::array<std::uint16_t, 7>{5, 3, 3, 3, 4, 3, 5}));
}

TEST(UnitLoading, FromHeaderLeavesTheHeaderAsItIs) {
    CentreHeader h = headerTemplate();
    h.set(fld::UniteCholesterol, 4.0f);  // ignored: the first slot says never chosen
    EXPECT_EQ(fromHeader(h), (Codes{3, 3, 3, 3, 3, 3, 3}));
    h.set(fld::UniteGlycemie, 5.0f);
    h.set(fld::UniteCreatinine, 3.5f);  // nearest, a half to even
    h.set(fld::UniteMicroalb, 4.5f);
    h.set(fld::UniteProteinurie, 2.6f);
    h.set(fld::UniteHdl, 7.0f);
    const CentreHeader before = h;
    EXPECT_EQ(fromHeader(h), (Codes{5, 4, 4, 3, 4, 7, 65535}));  // triglycerides still -1.0
    EXPECT_EQ(h, before);
}

TEST(UnitFactors, LipidsToMmolPerLitre) {
    // The factors are compared bit for bit: the synthesis multiplies with them.
    EXPECT_EQ(toMmol(kUnitChol, 4), 2.58);
    EXPECT_EQ(toMmol(kUnitChol, 5), 0.0258);
    EXPECT_EQ(toMmol(kUnitHdl, 4), 2.58);
    EXPECT_EQ(toMmol(kUnitTrig, 4), 1.14);
    EXPECT_EQ(toMmol(kUnitTrig, 5), 0.0114);
    for (std::uint16_t code : {0, 3, 6, 65535}) EXPECT_EQ(toMmol(kUnitChol, code), 1.0) << code;
    EXPECT_EQ(toMmol(kUnitGly, 4), 1.0);  // glycaemia is never converted
    EXPECT_EQ(toMmol(-1, 4), 1.0);
}

TEST(UnitFactors, CholesterolRiskLimitInTheCentresUnit) {
    EXPECT_EQ(cholesterolRiskLimit(3), 6.5);
    EXPECT_EQ(cholesterolRiskLimit(4), 2.6);
    EXPECT_EQ(cholesterolRiskLimit(5), 260.0);
    EXPECT_FALSE(cholesterolRiskLimit(65535));
    EXPECT_FALSE(cholesterolRiskLimit(0));
}
