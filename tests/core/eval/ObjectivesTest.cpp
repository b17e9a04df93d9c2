#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "eval/Objectives.h"
#include "eval/Synthesis.h"
#include "ref/References.h"
#include "store/Text.h"

using namespace pelo;
using namespace pelo::eval;

namespace {

// The number written in an objectives cell ("    26.7 %", "   88 %"), in tenths.
std::int64_t cellTenths(const std::string& cell) {
    std::string t = cell.substr(cell.find_first_not_of(' '));
    t = t.substr(0, t.find(' '));
    std::int64_t v = -1;
    EXPECT_TRUE(parseTenths(t, v)) << cell;
    return v;
}

}  // namespace

// The objectives chart of a centre and the standard indicators of a stored
// synthesis are two displays of the same nine values: for the same counts
// they must say the same, row by row, halves and empty denominators included.
TEST(Objectives, ChartAndStandardIndicatorsShowTheSameNineValues) {
    const std::uint32_t denominators[] = {0, 1, 3, 7, 16, 200, 40000};
    for (std::uint32_t d : denominators) {
        SynthesisResult r;
        r.evaluated = d;
        for (int k = 0; k < kBandCount; ++k)
            r.counts[std::size_t(k)] = std::uint16_t(d == 0 ? 0 : (k * 7 + 3) % (d + 1));
        r.counts[182] = std::uint16_t(d / 8);  // 12.5 %: a half, taken to the even 12
        ObjectivesGrid g;
        writeObjectiveHeadings(g);
        writeObjectiveResults(r, g);
        const auto tenths = ref::indicatorTenths(r.counts, d);
        for (int i = 0; i < kObjectiveCount; ++i) {
            const Objective& o = kObjectives[std::size_t(i)];
            EXPECT_EQ(cellTenths(g[i + 1][2]), tenths[std::size_t(i)]) << "row " << i + 1 << " over " << d;
            EXPECT_EQ(g[i + 1][0], std::string("  ") + o.name);
            EXPECT_EQ(cellTenths(g[i + 1][1]), o.ideal * 10);
        }
    }
}

TEST(Objectives, TableRows) {
    ASSERT_EQ(kObjectiveCount, 9);
    BandCounts c{};
    c[0] = 3;
    c[1] = 4;
    c[182] = 1;
    EXPECT_EQ(objectiveCount(kObjectives[4], c), 7u);  // HbA1C < 8: both first bands
    EXPECT_EQ(objectiveTenths(kObjectives[4], c, 8), 875);
    EXPECT_EQ(objectiveTenths(kObjectives[6], c, 8), 880);  // 100 - 12 (12.5 to even)
    EXPECT_EQ(objectiveTenths(kObjectives[6], c, 0), 1000);
    EXPECT_EQ(objectiveTenths(kObjectives[0], c, 0), 0);
    EXPECT_EQ(kObjectives[0].ideal, 0);
    for (int i = 1; i < kObjectiveCount; ++i) EXPECT_EQ(kObjectives[std::size_t(i)].ideal, 100);
}

TEST(Objectives, GoldenChartOfTheTestFile) {
    // The rows' texts of the golden chart come from the table.
    std::ifstream in(std::string(PELO_TEST_DATA) + "/synthese/objectifs-type1-2026.txt");
    std::string line;
    std::getline(in, line);
    for (int i = 0; i < kObjectiveCount && std::getline(in, line); ++i)
        EXPECT_EQ(line.substr(0, line.find('\t')), std::string("  ") + kObjectives[std::size_t(i)].name);
}
