#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "store/Centre.h"
#include "store/Units.h"

using namespace pelo;
using namespace pelo::centre;

TEST(Departments, SpecialTextsAndNumbersConvertBothWays) {
    const std::pair<const char*, int> cases[] = {{"2A", 101}, {"2B", 102}, {"971", 96}, {"972", 97},
                                                 {"973", 98}, {"974", 99}, {"03", 3},   {"95", 95},
                                                 {"67", 67},  {"01", 1}};
    for (auto [text, code] : cases) {
        ASSERT_EQ(departmentCode(text), std::optional<std::uint8_t>(code)) << text;
        EXPECT_EQ(departmentText(static_cast<std::uint8_t>(code)), text) << code;
    }
}

TEST(Departments, TextsThatAreNoDepartmentGiveNoCode) {
    for (const char* bad : {"", "2C", "2a", "A", "1000", "256", "00", "-3", " 3"})
        EXPECT_FALSE(departmentCode(bad).has_value()) << bad;
    EXPECT_EQ(departmentText(0), "");
}

TEST(Departments, EveryOfferedTextHasADistinctCodeThatComesBack) {
    std::set<int> codes;
    int count = 0;
    for (int r = 1; r <= kRegionCount; ++r)
        for (const auto& t : departmentTexts(r)) {
            auto c = departmentCode(t);
            ASSERT_TRUE(c.has_value()) << t;
            EXPECT_EQ(departmentText(*c), t);
            codes.insert(*c);
            ++count;
        }
    EXPECT_EQ(count, 100);  // 94 numbered, Corsica's two, four overseas
    EXPECT_EQ(codes.size(), 100u);
}

TEST(Regions, ListOrderGivesTheCodes) {
    EXPECT_EQ(regions().size(), 26u);
    EXPECT_EQ(regionName(1), "Alsace");
    EXPECT_EQ(regionName(8), "Corse");
    EXPECT_EQ(regionName(14), "Midi - Pyrénées");
    EXPECT_EQ(regionName(21), "Provence - Alpes - Côte d'Azur");
    EXPECT_EQ(regionName(26), "Réunion");
    EXPECT_EQ(regionName(0), "");
    EXPECT_EQ(regionName(27), "");
    EXPECT_EQ(departmentTexts(8), (std::vector<std::string>{"2A", "2B"}));
    EXPECT_EQ(departmentTexts(10), (std::vector<std::string>{"75", "77", "78", "91", "92", "93", "94", "95"}));
    EXPECT_EQ(departmentTexts(23), (std::vector<std::string>{"973"}));
    EXPECT_EQ(departmentTexts(24), (std::vector<std::string>{"971"}));
    EXPECT_TRUE(departmentTexts(0).empty());
    EXPECT_TRUE(departmentTexts(27).empty());
    EXPECT_EQ(regionDep(8, 102), 8 * 256 + 102);
    EXPECT_EQ(regionDep(26, 0), 26 * 256);
}

TEST(Structures, LongAndShortTexts) {
    EXPECT_EQ(structureName(1), "Généraliste");
    EXPECT_EQ(structureName(4), "Service spécialisé diabète (hopital ou clinique)");
    EXPECT_EQ(structureShortName(4), "Service spécialisé diabète");
    EXPECT_EQ(structureShortName(5), "Service non spécialisé diabète");
    EXPECT_EQ(structureShortName(0), "");
    EXPECT_EQ(structureName(6), "");
}

TEST(Units, TableTextsKeepTheirLeadingSpace) {
    EXPECT_EQ(unitRowName(0), " Glycémie");
    EXPECT_EQ(unitRowName(6), " Triglycérides");
    EXPECT_EQ(unitText(kUnitGly, 3), " mmol/l");
    EXPECT_EQ(unitText(kUnitCreat, 3), " µmol/l");
    EXPECT_EQ(unitText(kUnitCreat, 4), " mg/l");
    EXPECT_EQ(unitText(kUnitCreat, 5), "");
    EXPECT_EQ(unitText(kUnitMicroalb, 3), " mg/j");
    EXPECT_EQ(unitText(kUnitMicroalb, 4), "");
    EXPECT_EQ(unitText(kUnitProteinurie, 3), " g/j");
    EXPECT_EQ(unitText(kUnitHdl, 5), " mg/dl");
    EXPECT_EQ(unitText(kUnitTrig, 6), "");
    EXPECT_EQ(unitText(kUnitTrig, 0), "");
}

TEST(Units, PlainLabelsForTheEntryPagesAndPrintout) {
    EXPECT_EQ(unitLabel(kUnitGly, 3), "mmol/l");
    EXPECT_EQ(unitLabel(kUnitGly, 4), "g/l");
    EXPECT_EQ(unitLabel(kUnitGly, 5), "mg/dl");
    EXPECT_EQ(unitLabel(kUnitCreat, 4), "mg/l");
    EXPECT_EQ(unitLabel(kUnitChol, 5), "mg/dl");
    EXPECT_EQ(unitLabel(kUnitCreat, 5), "");
    EXPECT_EQ(unitLabel(kUnitChol, 65535), "");
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
    auto codes = loadUnitCodes(h);
    for (auto c : codes) EXPECT_EQ(c, 3);
    EXPECT_EQ(h, before);
    // Only the first slot decides, even when the others hold codes.
    h = headerWithSlots({-1.0f, 4.0f, 3.0f, 3.0f, 5.0f, 5.0f, 4.0f});
    for (auto c : loadUnitCodes(h)) EXPECT_EQ(c, 3);
}

TEST(UnitLoading, NearestIntegersHalfToEvenThenSlotsBackToEmpty) {
    CentreHeader h = headerWithSlots({4.0f, 3.0f, 3.0f, 3.0f, 5.0f, 4.5f, 3.5f});
    CentreHeader expected = h;
    for (auto slot : kUnitSlots) expected.set(slot, -1.0f);
    auto codes = loadUnitCodes(h);
    EXPECT_EQ(codes, (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 4, 4}));
    EXPECT_EQ(h, expected);  // nothing else of the record changed
    h = headerWithSlots({2.9999f, 4.49f, 5.51f, 0.0f, 3.0f, 3.0f, 3.0f});
    EXPECT_EQ(loadUnitCodes(h), (std::array<std::uint16_t, 7>{3, 4, 6, 0, 3, 3, 3}));
}

TEST(UnitLoading, AnEmptySlotBesideAChosenFirstOneConvertsNothing) {
    CentreHeader h = headerWithSlots({3.0f, -1.0f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f});
    auto codes = loadUnitCodes(h);
    EXPECT_EQ(codes[kUnitCreat], 65535);
    EXPECT_EQ(unitText(kUnitCreat, codes[kUnitCreat]), "");
    h = headerWithSlots({3.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f, 3.0f, 3.0f, 3.0f, 3.0f});
    codes = loadUnitCodes(h);
    EXPECT_FALSE(unitOffered(kUnitCreat, codes[kUnitCreat]));
    EXPECT_FALSE(unitOffered(kUnitMicroalb, codes[kUnitMicroalb]));
}

TEST(UnitLoading, StoredCodesComeBackAsSingles) {
    CentreHeader h = headerTemplate();
    storeUnitCodes(h, {4, 3, 3, 3, 5, 5, 4});
    EXPECT_EQ(h.get(fld::UniteGlycemie), 4.0f);
    EXPECT_EQ(h.get(fld::UniteCreatinine), 3.0f);
    EXPECT_EQ(h.get(fld::UniteCholesterol), 5.0f);
    EXPECT_EQ(h.get(fld::UniteTriglycerides), 4.0f);
    EXPECT_EQ(h.get(fld::HbA1c), -1.0f);  // the slots between are not unit slots
    EXPECT_EQ(loadUnitCodes(h), (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 5, 4}));
}

TEST(UnitLoading, CodesInEffectThatAreNoUnitBecomeTheDefault) {
    EXPECT_EQ(unitCodesOrDefault({0, 0, 0, 0, 0, 0, 0}), (std::array<std::uint16_t, 7>{3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(unitCodesOrDefault({5, 5, 4, 3, 4, 65535, 5}), (std::array<std::uint16_t, 7>{5, 3, 3, 3, 4, 3, 5}));
}

TEST(CentreNumber, OneToFourDigits) {
    EXPECT_EQ(parseCentreNumber("").kind, CentreEntry::Empty);
    EXPECT_EQ(parseCentreNumber("   ").kind, CentreEntry::Empty);
    auto n = parseCentreNumber("1234");
    EXPECT_EQ(n.kind, CentreEntry::Number);
    EXPECT_EQ(n.number, 1234);
    EXPECT_EQ(parseCentreNumber(" 0012 ").number, 12);
    EXPECT_EQ(parseCentreNumber("9999").number, 9999);
    for (const char* bad : {"0", "0000", "12a", "-12", "+12", "12345", "1 2", "1.5", "abc"})
        EXPECT_EQ(parseCentreNumber(bad).kind, CentreEntry::Invalid) << bad;
}
