#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "eval/Bands.h"

using namespace pelo::eval;

namespace {

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// What a list line shows of its band or heading: a band line's label after
// its counts (" | " on the variability list, "%" on the synthesis).
std::string labelPart(const std::string& line, const std::string& after) {
    const auto at = line.rfind(after);
    return at == std::string::npos ? line : line.substr(at + after.size());
}

// Every heading and band line of a golden list against the band table's
// variant for that list.
void expectListLabels(const std::vector<std::string>& lines, const std::string& after, LabelUse use) {
    ASSERT_GE(lines.size(), std::size_t(kLineCount) - 1);
    int bands = 0, headings = 0;
    for (int i = 2; i < int(lines.size()); ++i) {
        const LineInfo& li = lineTable()[std::size_t(i)];
        const Section& s = kSections[std::size_t(li.section < 0 ? 0 : li.section)];
        if (li.kind == LineInfo::Heading) {
            EXPECT_EQ(lines[std::size_t(i)], headingOf(s, use)) << "line " << i;
            ++headings;
        } else if (li.kind == LineInfo::BandLine) {
            EXPECT_EQ(labelPart(lines[std::size_t(i)], after), std::string("      ") + labelOf(s.bands[li.band], use))
                << "line " << i;
            ++bands;
        }
    }
    EXPECT_EQ(headings, kSectionCount);
    EXPECT_EQ(bands, kBandCount);
}

}  // namespace

TEST(BandLabels, VariabilityVariantsAreTheLabelsOfTheGoldenVariabilityList) {
    expectListLabels(linesOf(std::string(PELO_TEST_DATA) + "/repartition/repartition.txt"), " | ",
                     LabelUse::Variability);
}

TEST(BandLabels, SynthesisLabelsAreTheLabelsOfTheGoldenSynthesisList) {
    // The synthesis list writes six spaces after the "%" before its label.
    std::vector<std::string> lines = linesOf(std::string(PELO_TEST_DATA) + "/synthese/synthese-2026.txt");
    for (auto& l : lines)
        if (l.find('%') != std::string::npos)
            l = std::string("%").append(labelPart(l, "%"));  // not "%" + ...: GCC 12 -Wrestrict
    expectListLabels(lines, "%", LabelUse::Synthesis);
}

TEST(BandLabels, ComparisonVariantsAndFallbacks) {
    const Section& hba1c = kSections[0];
    const char* const compared[5] = {"Hb <6.5", "Hb 6.5 à < 8", "Hb 8 à < 10", "Hb 10 à < 12", "Hb >= 12"};
    for (int k = 0; k < 5; ++k) EXPECT_STREQ(labelOf(hba1c.bands[k], LabelUse::Comparison), compared[k]);
    EXPECT_STREQ(headingOf(hba1c, LabelUse::Comparison), " HbA1C      ");
    EXPECT_STREQ(headingOf(hba1c, LabelUse::Synthesis), "      HbA1C      ");
    // A band without variants shows its one label everywhere; the waist's
    // counter is named for the waist on the variability list only.
    for (const Section& s : kSections)
        for (int k = 0; k < s.size; ++k) {
            const Band& b = s.bands[k];
            if (b.counter == 176) {
                EXPECT_STREQ(labelOf(b, LabelUse::Synthesis), "Pas de taille");
                EXPECT_STREQ(labelOf(b, LabelUse::Variability), "Pas de tour de taille");
            }
            if (!b.pooledLabel && !b.comparedLabel) {
                EXPECT_STREQ(labelOf(b, LabelUse::Variability), b.label);
                EXPECT_STREQ(labelOf(b, LabelUse::Comparison), b.label);
            }
        }
}
