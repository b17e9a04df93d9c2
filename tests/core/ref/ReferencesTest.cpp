#include <gtest/gtest.h>

#include "ref/References.h"

using namespace pelo;
using namespace pelo::ref;

namespace {
std::vector<DrawItem> barsOn(const DrawList& d, int base) {
    std::vector<DrawItem> out;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Rect && i.y2 == base) out.push_back(i);
    return out;
}
}  // namespace

TEST(ReferenceTitles, UpToTheFirstPoint) {
    EXPECT_EQ(titleOf("SynVz98.Atx"), "SynVz98");
    EXPECT_EQ(titleOf("Synthese"), "Synthese");
    EXPECT_EQ(titleOf("a.b.c"), "a");
    EXPECT_EQ(kReferences.front().file, std::string("SynFr97.Atx"));
    EXPECT_EQ(kReferences.back().title, std::string("France 1996"));
}

TEST(RecordsPerCentre, ChartOrderAndListItems) {
    EXPECT_EQ(chartOrder({{5, 40}, {7, 90}, {9, 40}}), (std::vector<CentreCount>{{7, 90}, {5, 40}, {9, 40}}));
    EXPECT_EQ(centreItem(12, 40), " 12   -   40 ");
    EXPECT_EQ(centresSummary(3, 170), " 3 Ctr -  170 Fib");
    std::int32_t c = 0, k = 0;
    ASSERT_TRUE(readCentreItem(" 12   -   40 ", c, k));
    EXPECT_EQ(c, 12);
    EXPECT_EQ(k, 40);
    EXPECT_FALSE(readCentreItem("", c, k));
    EXPECT_FALSE(readCentreItem(" x   -   4 ", c, k));
    EXPECT_FALSE(readCentreItem(" 12   -   ", c, k));
}

TEST(RecordsPerCentre, ScreenChartOneBarAndOverlappingBars) {
    DrawList one;
    drawRecordsChart(one, {{5, 40}}, 0);
    auto bars = barsOn(one, 350);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].x1, 132 + 140);  // w = 265: nearest(132.5) = 132
    EXPECT_EQ(bars[0].x2, 132 + 210);
    EXPECT_EQ(bars[0].y1, 350 - 40 * 62 / 10);  // scale 2500 / 40 = 62
    EXPECT_EQ(one.texts().front(), "40 Fib");

    std::vector<CentreCount> twenty;
    for (std::uint16_t c = 1; c <= 20; ++c) twenty.push_back({c, std::uint16_t(100 - c)});
    DrawList many;
    drawRecordsChart(many, twenty, 3);
    bars = barsOn(many, 350);
    ASSERT_EQ(bars.size(), 20u);
    EXPECT_LT(bars[1].x1, bars[0].x2);  // 70-pixel bars 25.2 apart overlap
    Rgb brush{};
    int i = 0;
    for (const auto& it : many.items) {
        if (it.kind == DrawItem::Brush) brush = it.color;
        if (it.kind == DrawItem::Rect && it.y2 == 350 && ++i == 3) {
            EXPECT_EQ(brush, colors::Red);
        }
    }

    DrawList none;
    drawRecordsChart(none, {}, 0);
    EXPECT_TRUE(barsOn(none, 350).empty());
    EXPECT_EQ(none.texts().front(), "Aucun centre");
}

TEST(RecordsPerCentre, PrintoutFillsTheSelectedBarBlackAndLabelsIt) {
    const auto doc = recordsPrintout("France 1997", {{7, 90}, {5, 40}, {9, 40}}, 5);
    ASSERT_EQ(doc.pages.size(), 1u);
    const DrawList& p = doc.pages[0];
    std::vector<Rgb> fills;
    Rgb brush{};
    for (const auto& it : p.items) {
        if (it.kind == DrawItem::Brush) brush = it.color;
        if (it.kind == DrawItem::Rect) fills.push_back(brush);
    }
    EXPECT_EQ(fills, (std::vector<Rgb>{colors::White, colors::Black, colors::White}));
    const auto bars = barsOn(p, 2300);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].x1, 250 + 100);  // w = 500
    EXPECT_EQ(bars[0].y1, 2300 - 90 * (17000 / 90) / 10);
    const auto t = p.texts();
    EXPECT_EQ(t[0], "France 1997");
    EXPECT_NE(std::find(t.begin(), t.end(), "Centre : 5"), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "40 Fib"), t.end());

    const auto plain = recordsPrintout("X", {{7, 90}}, 0);
    for (const auto& s : plain.pages[0].texts()) EXPECT_EQ(s.find("Centre :"), std::string::npos);
}

TEST(Comparison, CellsOfThreeReferences) {
    EXPECT_EQ(comparisonPercent(5, 40), "   12.5 %");
    EXPECT_EQ(comparisonPercent(1, 40), "     2.5 %");
    EXPECT_EQ(comparisonPercent(40, 40), " 100.0 %");
    EXPECT_EQ(comparisonPercent(3, 0), "     0.0 %");  // no FIB: no division by zero

    ComparisonGrid g{};
    ReferenceTotals fr;
    fr.total = 200;
    fr.counts = {20, 100, 50, 25, 5};
    ReferenceTotals ho;
    ho.total = 0;
    fillComparison(g, 0, fr);
    fillComparison(g, 1, ho);
    EXPECT_EQ(g[0][1], "200");
    EXPECT_EQ(g[0][4], "0");
    EXPECT_EQ(g[1][8], " HbA1C      ");
    EXPECT_EQ(g[2][8], "      Hb <6.5");
    EXPECT_EQ(g[6][8], "      Hb >= 12");
    EXPECT_EQ(g[3][0], "  100");
    EXPECT_EQ(g[3][1], "   50.0 %");
    EXPECT_EQ(g[6][1], "     2.5 %");
    EXPECT_EQ(g[2][3], "  0");
    EXPECT_EQ(g[2][4], "     0.0 %");
    EXPECT_TRUE(g[2][6].empty());
}

TEST(Indicators, NineRowsOfTheObjectivesChart) {
    eval::BandCounts c{};
    c[21] = 30;  // smokers
    c[5] = 50;   // TA < 140/90
    c[11] = 1;
    c[14] = 2;
    c[0] = 10;
    c[1] = 15;  // HbA1c < 8: 25
    c[8] = 40;
    c[182] = 25;  // no microalbuminuria: 12.5 % -> 12, 88 % measured
    c[68] = 199;
    c[69] = 200;
    const auto t = indicatorTenths(c, 200);
    EXPECT_EQ(t, (std::array<std::int64_t, 9>{150, 250, 5, 10, 125, 200, 880, 995, 1000}));
    EXPECT_EQ(indicatorTenths(c, 0)[0], 0);

    DrawList d;
    drawIndicators(d, "France 1997", t, t, 12);
    int rectsOf230 = 0;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Rect && i.x1 == 230) ++rectsOf230;
    EXPECT_EQ(rectsOf230, 1 + 27);  // the legend's ideal mark, then 3 bars per indicator
    const auto texts = d.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Centre 12"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "99.5 %"), texts.end());
}
