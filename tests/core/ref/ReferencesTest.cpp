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
    // The chosen centre (third bar) is drawn last, over its neighbours, in red.
    EXPECT_EQ(bars.back().x1, 63 + 140);  // nearest(25.238 * 2.5)
    Rgb brush{};
    for (const auto& it : many.items) {
        if (it.kind == DrawItem::Brush) brush = it.color;
        if (&it == &many.items.back()) break;
        if (it.kind == DrawItem::Rect && it.y2 == 350 && it.x1 == bars.back().x1) {
            EXPECT_EQ(brush, colors::Red);
        }
    }

    DrawList none;
    drawRecordsChart(none, {}, 0);
    EXPECT_TRUE(barsOn(none, 350).empty());
    EXPECT_EQ(none.texts().front(), "Aucun centre");
}

TEST(RecordsPerCentre, CentreNumbersUnderTheBarsWhereThereIsRoom) {
    // Three centres: room for every number.
    DrawList few;
    drawRecordsChart(few, {{7, 90}, {5, 40}, {9, 40}}, 0);
    auto t = few.texts();
    for (const char* c : {"7", "5", "9"}) EXPECT_NE(std::find(t.begin(), t.end(), c), t.end()) << c;

    // 100 centres of up to three digits: one number in k, never two touching,
    // none left out beside the chosen one, whose number stands over its bar.
    std::vector<CentreCount> hundred;
    for (std::uint16_t c = 1; c <= 100; ++c) hundred.push_back({std::uint16_t(c * 3), std::uint16_t(200 - c)});
    const int k = recordsLabelStep(hundred);
    EXPECT_EQ(k, 6);  // 5.25 pixels a bar, 27 a label
    DrawList many;
    drawRecordsChart(many, hundred, 150);
    std::vector<DrawItem> labels;
    for (const auto& it : many.items)
        if (it.kind == DrawItem::Text && it.y1 == 353) labels.push_back(it);
    ASSERT_GE(labels.size(), 100u / 6);
    std::sort(labels.begin(), labels.end(), [](const DrawItem& a, const DrawItem& b) { return a.x1 < b.x1; });
    for (std::size_t i = 1; i < labels.size(); ++i)
        EXPECT_GE(labels[i].x1, labels[i - 1].x1 + int(labels[i - 1].text.size()) * 7 + 2) << labels[i].text;
    EXPECT_EQ(labels.size(), 17u);  // bars 1, 7, ..., 97: the chosen bar 50 is not one of them
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const DrawItem& l) { return l.text == "165"; }));
    const auto chosen = std::find_if(many.items.begin(), many.items.end(),
                                     [](const DrawItem& it) { return it.kind == DrawItem::Text && it.text == "150"; });
    ASSERT_NE(chosen, many.items.end());
    EXPECT_EQ(chosen->y1, 350 - (200 - 50) * ((350 - 100) * 10 / 199) / 10 - 17);

    // The bar under the mouse: the chosen one on top of its neighbours.
    const std::vector<CentreCount> three{{7, 90}, {5, 40}, {9, 40}};
    EXPECT_EQ(recordsBarAt(three, 0, 100), -1);
    EXPECT_EQ(recordsBarAt(three, 0, 66 + 140), 0);  // w = 132.5
    EXPECT_EQ(recordsBarAt(three, 0, 331 + 140 + 69), 2);
    std::vector<CentreCount> twenty;
    for (std::uint16_t c = 1; c <= 20; ++c) twenty.push_back({c, std::uint16_t(100 - c)});
    EXPECT_EQ(recordsBarAt(twenty, 0, 63 + 140 + 30), 3);  // bar 4 drawn over bar 3
    EXPECT_EQ(recordsBarAt(twenty, 3, 63 + 140 + 30), 2);  // unless bar 3 is the chosen one
}

TEST(RecordsPerCentre, PrintoutFillsTheSelectedBarBlackAndLabelsIt) {
    const auto doc = recordsPrintout("France 1997", "SynFr97.Atx", {{7, 90}, {5, 40}, {9, 40}}, 5);
    EXPECT_EQ(doc.title, "Fiches-par-centre-SynFr97-centre5");
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
    EXPECT_EQ(std::count(t.begin(), t.end(), "Centre : 5"), 1);  // once, under its bar
    EXPECT_NE(std::find(t.begin(), t.end(), "40 Fib"), t.end());

    const auto plain = recordsPrintout("X", "X.Atx", {{7, 90}}, 0);
    EXPECT_EQ(plain.title, "Fiches-par-centre-X");
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

    // No value hides under a bar or touches another value: boxes of 6 pixels a
    // character and 11 high at size 8.
    struct Box {
        int x1, y1, x2, y2;
        bool meets(const Box& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
    };
    std::vector<Box> values, bars;
    for (const auto& i : d.items) {
        if (i.kind == DrawItem::Text && i.text.size() > 2 && i.text.substr(i.text.size() - 2) == " %")
            values.push_back({i.x1, i.y1, i.x1 + int(i.text.size()) * 6, i.y1 + 11});
        if (i.kind == DrawItem::Rect && i.x1 == 230 && i.y1 > 60) bars.push_back({i.x1, i.y1, i.x2, i.y2});
    }
    ASSERT_EQ(values.size(), 27u);
    for (std::size_t a = 0; a < values.size(); ++a) {
        for (std::size_t b = a + 1; b < values.size(); ++b) EXPECT_FALSE(values[a].meets(values[b])) << a << " " << b;
        for (const Box& bar : bars) EXPECT_FALSE(values[a].meets(bar)) << a;
    }
}
