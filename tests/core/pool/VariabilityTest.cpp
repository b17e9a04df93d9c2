#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "pool/VariabilityCharts.h"
#include "pool/VariabilityList.h"
#include "pool/VariabilityPrint.h"

using namespace pelo;
using namespace pelo::pool;

namespace {

VariabilityInput sample(bool withCentre) {
    VariabilityInput in;
    in.name = "SynFr97.Atx";
    in.total = 1234;
    for (int k = 0; k < eval::kBandCount; ++k) in.country[k] = static_cast<std::uint16_t>(k);
    in.country[0] = 5;
    if (withCentre) {
        ChosenCentre c;
        c.number = 12;
        c.counts[0] = 1;
        c.counts[176] = 40;
        c.denominator = 40;
        c.shownCount = 40;
        in.centre = c;
    }
    return in;
}

std::vector<DrawItem> rects(const DrawList& d) {
    std::vector<DrawItem> out;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Rect) out.push_back(i);
    return out;
}

}  // namespace

TEST(VariabilityLines, CountAndPercentAlignedTwoSpacesPerMissingDigit) {
    EXPECT_EQ(variabilityPart(5, 40), "        5    12.5");  // 12.5 counts as 12 for the spaces
    EXPECT_EQ(variabilityPart(1234, 1234), "  1234  100.0");
    EXPECT_EQ(variabilityPart(99, 1000), "      99    9.9");  // 9.9 counts as 10
    EXPECT_EQ(variabilityPart(3, 0), "        3      0.0");   // no FIB: 0.0, never a division by zero
    EXPECT_EQ(variabilityPart(19, 200), "      19    9.5");   // 9.5 counts as 10 (to the even)
}

TEST(VariabilityLines, CountryAloneOrBesideTheChosenCentre) {
    const auto plain = variabilityLines(sample(false));
    ASSERT_EQ(plain.size(), 264u);
    EXPECT_EQ(plain[0], "            SYNTHESE  des  1234  Fiches");
    EXPECT_EQ(plain[1], "      FRANCE ");
    EXPECT_EQ(plain[2], " HbA1C      ");
    EXPECT_EQ(plain[3], "        5      0.4% |       Hb < 6.5");
    EXPECT_EQ(plain[8], " ");
    EXPECT_EQ(plain[114], " ");
    EXPECT_EQ(plain[263], " ");
    EXPECT_EQ(plain[250], " Qualité des réponses FIB ");
    EXPECT_EQ(plain[256], "    176    14.3% |       Pas de tour de taille");
    EXPECT_EQ(plain[206], "    141    11.4% |       Inib. Gluco");
    EXPECT_EQ(plain[204], "    137    11.1% |       Biguanides");

    const auto withCentre = variabilityLines(sample(true));
    EXPECT_EQ(withCentre[1], "      FRANCE   |    Centre : 12  (40 fiches)");
    EXPECT_EQ(withCentre[3], "        5      0.4% |         1      2.5%      Hb < 6.5");
    EXPECT_EQ(withCentre[256], "    176    14.3% |       40  100.0%      Pas de tour de taille");
    // Every band line carries its label after the percentages, every other line none.
    for (int i = 2; i < 263; ++i) EXPECT_EQ(counterOfLine(i) >= 0, withCentre[i].find('%') != std::string::npos) << i;
}

TEST(VariabilityLines, CountryFromTheFourthAndFifthCharacters) {
    EXPECT_EQ(countryOf("SynVz98.Atx"), "    VENEZUELA");
    EXPECT_EQ(countryOf("SynAg97.Atx"), "    ARGENTINE");
    EXPECT_EQ(countryOf("SynSp97.Atx"), "      ESPAGNE");
    EXPECT_EQ(countryOf("SynCh97.Atx"), "      SUISSE ");
    EXPECT_EQ(countryOf("SynHopi.Atx"), "    PAYS");
    EXPECT_EQ(countryOf("SYNFR97.ATX"), "    PAYS");  // case-sensitive
    EXPECT_EQ(countryOf("Syn"), "    PAYS");
}

TEST(VariabilityLines, PercentagesReadBackForTheSectionCharts) {
    const auto lines = variabilityLines(sample(true));
    const LinePercents p = readPercents(lines[3]);
    EXPECT_EQ(p.countryText, "0.4");
    EXPECT_EQ(p.countryTenths, 4);
    EXPECT_EQ(p.centreText, "2.5");
    EXPECT_EQ(p.centreTenths, 25);
    EXPECT_EQ(readPercents(lines[2]).countryTenths, -1);
    EXPECT_EQ(readPercents(variabilityLines(sample(false))[3]).centreTenths, -1);

    EXPECT_EQ(sectionBarHeight(1000), 250);
    EXPECT_EQ(sectionBarHeight(333), 83);
    EXPECT_EQ(sectionBarHeight(2), 0);  // 0.5 to the even
    EXPECT_EQ(sectionBarHeight(6), 2);  // 1.5 to the even
}

TEST(VariabilityBars, SortedHighestFirstEqualSharesInCentreOrder) {
    const auto bars = variabilityBars({{4, 5, 10}, {9, 2, 10}, {12, 10, 20}});
    EXPECT_EQ(bars, (std::vector<VariabilityBar>{{50, 4}, {50, 12}, {20, 9}}));

    const auto r = variabilityBars({{1, 334, 1000}, {2, 335, 1000}, {3, 325, 1000}, {4, 7, 0}});
    EXPECT_EQ(r, (std::vector<VariabilityBar>{{34, 2}, {33, 1}, {32, 3}, {0, 4}}));
}

TEST(VariabilityChart, ThreeCentresStepSeventyFive) {
    VariabilityChartMode mode;
    DrawList d;
    drawVariabilityChart(d, "Hb < 6.5", {{50, 4}, {50, 12}, {20, 9}}, 9, mode);
    // scale = 3000 / 51 = 58; 50 % rises 290, 20 % rises 116 above 350.
    const auto r = rects(d);
    std::vector<DrawItem> bars;
    for (const auto& i : r)
        if (i.y2 == 350) bars.push_back(i);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].x1, 38);
    EXPECT_EQ(bars[0].x2, 112);
    EXPECT_EQ(bars[0].y1, 60);
    EXPECT_EQ(bars[1].x1, 112);
    EXPECT_EQ(bars[1].x2, 188);
    EXPECT_EQ(bars[2].x1, 188);
    EXPECT_EQ(bars[2].y1, 234);

    // Highest above the first bar, lowest right of the last, chosen centre's
    // percentage under the baseline; its bar red, the others shaded.
    std::vector<std::pair<std::string, std::pair<int, int>>> texts;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Text) texts.push_back({i.text, {i.x1, i.y1}});
    ASSERT_EQ(texts.size(), 4u);
    // The title on top, clear of the highest percentage (y 35 and below).
    EXPECT_EQ(texts[0], (std::pair<std::string, std::pair<int, int>>{"Hb < 6.5", {100, 4}}));
    EXPECT_EQ(texts[1], (std::pair<std::string, std::pair<int, int>>{"50 %", {75, 35}}));
    EXPECT_EQ(texts[2], (std::pair<std::string, std::pair<int, int>>{"20 %", {225, 355}}));
    EXPECT_EQ(texts[3], (std::pair<std::string, std::pair<int, int>>{"20 %", {300, 209}}));
    Rgb lastBrush{};
    std::vector<Rgb> barBrushes;
    for (const auto& i : d.items) {
        if (i.kind == DrawItem::Brush) lastBrush = i.color;
        if (i.kind == DrawItem::Rect && i.y2 == 350) barBrushes.push_back(lastBrush);
    }
    EXPECT_EQ(barBrushes[0], (Rgb{10, 85, 170}));
    EXPECT_EQ(barBrushes[1], (Rgb{10, 170, 85}));
    EXPECT_EQ(barBrushes[2], colors::Red);
}

TEST(VariabilityChart, TwoChartModeUpperThenLowerHalf) {
    VariabilityChartMode mode;
    DrawList d;
    switchTwoCharts(d, mode);
    EXPECT_EQ(mode.twoCharts, 1);
    clearChartArea(d, mode);
    drawVariabilityChart(d, "A", {{100, 1}}, 0, mode);
    EXPECT_EQ(mode.lowerNext, 1);
    auto barOn = [](const DrawList& l, int base) {
        for (const auto& i : rects(l))
            if (i.y2 == base) return i;
        DrawItem none{};
        none.kind = DrawItem::Pen;
        return none;
    };
    EXPECT_EQ(barOn(d, 170).kind, DrawItem::Rect);
    DrawList d2;
    clearChartArea(d2, mode);
    EXPECT_EQ(mode.offset, 200);
    EXPECT_EQ(rects(d2).front().y1, 200);  // only the lower half is cleared, its title included
    drawVariabilityChart(d2, "B", {{100, 1}}, 0, mode);
    // scale (120 x 10) / 101 = 11: 100 % rises 110 above 370.
    EXPECT_EQ(barOn(d2, 370).y1, 260);

    DrawList none;
    VariabilityChartMode m2;
    drawVariabilityChart(none, "C", {}, 0, m2);
    EXPECT_EQ(none.texts(), (std::vector<std::string>{"C", "Aucun centre"}));
}

TEST(VariabilityChart, SectionChartBlueCountryRedCentre) {
    const auto lines = variabilityLines(sample(true));
    DrawList d;
    VariabilityChartMode mode{1, 1, 200};
    drawVariabilitySectionChart(d, lines, 2, 12, mode);
    // The whole area is cleared first, and the next band chart goes to the upper half.
    ASSERT_FALSE(d.items.empty());
    EXPECT_EQ(rects(d).front().y1, 0);
    EXPECT_EQ(rects(d).front().y2, 495);
    EXPECT_EQ(mode.lowerNext, 0);
    EXPECT_EQ(mode.offset, 0);
    EXPECT_EQ(mode.twoCharts, 1);
    std::vector<DrawItem> blue, red;
    Rgb brush{};
    for (const auto& i : d.items) {
        if (i.kind == DrawItem::Brush) brush = i.color;
        if (i.kind == DrawItem::Rect && i.y2 == 350) (brush == colors::Blue ? blue : red).push_back(i);
    }
    ASSERT_EQ(blue.size(), 5u);  // five HbA1c bands
    ASSERT_EQ(red.size(), 5u);
    EXPECT_EQ(blue[0].x1, 5);
    EXPECT_EQ(blue[0].x2, 40);
    EXPECT_EQ(blue[0].y1, 349);  // 0.4 % x 2.5 = 1
    EXPECT_EQ(red[0].x1, 25);
    EXPECT_EQ(red[0].x2, 40);
    EXPECT_EQ(red[0].y1, 344);  // 2.5 % x 2.5 = 6.25 -> 6
    EXPECT_EQ(blue[4].x1, 145);
    const auto t = d.texts();
    EXPECT_EQ(t[0], "PAYS");
    EXPECT_EQ(t[1], "Centre  12");
    EXPECT_EQ(t[2], " HbA1C      ");

    DrawList noCentre;
    drawVariabilitySectionChart(noCentre, variabilityLines(sample(false)), 2, 0, mode);
    for (const auto& s : noCentre.texts()) EXPECT_EQ(s.find("Centre"), std::string::npos);
}

TEST(VariabilityPrintout, SheetsOf102LinesInTwoColumns) {
    const auto lines = variabilityLines(sample(false));
    const PrintDocument doc = variabilityPrintout(lines, 263, "SynFr97");
    EXPECT_EQ(doc.title, "Repartition-SynFr97");
    ASSERT_EQ(doc.pages.size(), 3u);
    // Rows of the body: the distinct heights of its texts in each column.
    auto rows = [](const DrawList& p) {
        std::set<std::pair<int, int>> at;
        for (const auto& i : p.items)
            if (i.kind == DrawItem::Text && i.y1 >= 300) at.insert({i.x1 < 1200 ? 0 : 1, i.y1});
        return at.size();
    };
    EXPECT_EQ(rows(doc.pages[0]), 102u);
    EXPECT_EQ(rows(doc.pages[1]), 102u);
    EXPECT_EQ(rows(doc.pages[2]), 58u);
    std::vector<DrawItem> texts;
    for (const auto& i : doc.pages[0].items)
        if (i.kind == DrawItem::Text) texts.push_back(i);
    EXPECT_EQ(texts[0].text, lines[0]);
    EXPECT_EQ(texts[0].x1, 700);
    EXPECT_EQ(texts[3].text, lines[2]);  // a heading, whole
    EXPECT_EQ(texts[3].y1, 300);
    EXPECT_EQ(doc.pages[1].texts()[3], lines[104]);
    EXPECT_EQ(variabilityPrintout(lines, 1).pages.size(), 1u);
}

TEST(VariabilityPrintout, FiguresRightAlignedAtFixedColumnsLabelsCut) {
    const auto lines = variabilityLines(sample(true));
    const PrintedLine l = splitListLine(lines[3]);
    ASSERT_TRUE(l.band);
    EXPECT_EQ(l.countryCount, "5");
    EXPECT_EQ(l.countryPercent, "0.4%");
    EXPECT_EQ(l.centreCount, "1");
    EXPECT_EQ(l.centrePercent, "2.5%");
    EXPECT_EQ(l.label, "Hb < 6.5");
    EXPECT_FALSE(splitListLine(lines[2]).band);
    const PrintedLine noCentre = splitListLine(variabilityLines(sample(false))[3]);
    EXPECT_TRUE(noCentre.centreCount.empty());
    EXPECT_EQ(noCentre.label, "Hb < 6.5");

    // Every figure ends at its column's right edge, whatever its digits, and
    // no label runs into the rule between the columns or off the sheet, nor
    // is cut: a long one is printed smaller.
    const PrintDocument doc = variabilityPrintout(lines, 263);
    std::map<int, std::set<int>> rightEdges;  // by column offset
    bool smaller = false;
    for (const auto& page : doc.pages) {
        int size = 9;
        for (const auto& i : page.items) {
            if (i.kind == DrawItem::Font) size = i.font.size;
            if (i.kind != DrawItem::Text || i.y1 < 300) continue;
            const int column = i.x1 < 1200 ? 150 : 1210;
            const int right = i.x1 + arialWidth(i.text, size);
            EXPECT_LE(right, column + 1040) << i.text;
            EXPECT_EQ(i.text.find("\xE2\x80\xA6"), std::string::npos) << i.text;
            if (i.text == "Amput. sup. cheville ancienne") smaller = size < 9;
            if (!i.text.empty() && (std::isdigit(static_cast<unsigned char>(i.text[0])) != 0) && i.x1 - column < 560)
                rightEdges[column].insert(right - column);
        }
    }
    EXPECT_TRUE(smaller);
    EXPECT_EQ(rightEdges[150], (std::set<int>{110, 250, 380, 535}));
    EXPECT_EQ(rightEdges[1210], (std::set<int>{110, 250, 380, 535}));

    EXPECT_EQ(arialWidth("10", 9), 42);  // two digits of 556 thousandths at 37.5 units an em
    const std::string cut = cutToWidth("Insuffisance rénale terminale avec dialyse", 9, 300);
    EXPECT_LE(arialWidth(cut, 9), 300);
    EXPECT_EQ(cut.substr(cut.size() - 3), "\xE2\x80\xA6");
    EXPECT_EQ(cutToWidth("Hb < 6.5", 9, 300), "Hb < 6.5");
}

TEST(VariabilityTitle, LabelWithoutLeadingSpaces) {
    EXPECT_EQ(variabilityTitle(3), "Hb < 6.5");
    EXPECT_EQ(variabilityTitle(256), "Pas de tour de taille");
    EXPECT_EQ(counterOfLine(204), 137);
    EXPECT_EQ(counterOfLine(222), 145);
    EXPECT_EQ(counterOfLine(115), 75);
    EXPECT_EQ(counterOfLine(114), -1);
    EXPECT_EQ(counterOfLine(263), -1);
}
