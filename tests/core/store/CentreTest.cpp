#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "store/Centre.h"

using namespace pelo;
using namespace pelo::centre;

TEST(Departments, SpecialTextsAndNumbersConvertBothWays) {
    const std::pair<const char*, int> cases[] = {{"2A", 101}, {"2B", 102}, {"971", 96}, {"972", 97}, {"973", 98},
                                                 {"974", 99}, {"03", 3},   {"95", 95},  {"67", 67},  {"01", 1}};
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
    EXPECT_EQ(regionName(24), "Guadeloupe");  // code 24 as stored, its label spelt right
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
