#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ref/Benchmark.h"
#include "ref/FunnelChart.h"

using namespace pelo;

namespace {

// Three centres; band c0 (line 3) and c68 (line 107, eyes examined) set.
ref::StoredSynthesis sample() {
    ref::StoredSynthesis s;
    s.name = "SynFr97.Atx";
    s.records.resize(1);
    const int centres[][4] = {{4, 500, 150, 370}, {12, 200, 95, 100}, {30, 300, 55, 240}};
    for (const auto& c : centres) {
        pool::SynCounters r;
        r.counters[0] = static_cast<std::uint16_t>(c[2]);
        r.counters[68] = static_cast<std::uint16_t>(c[3]);
        r.NbFichesCentre = static_cast<std::uint32_t>(c[1]);
        s.records[0].addCounters(r);
        s.records.push_back(r);
        s.index.entries[std::size_t(c[0])] = static_cast<std::uint16_t>(s.records.size() - 1);
    }
    s.index.entries[0] = 3;
    s.index.entries[999] = 1000;
    return s;
}

bool hasText(const DrawList& page, const std::string& t) {
    const auto texts = page.texts();
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& s) { return s.find(t) != std::string::npos; });
}

}  // namespace

TEST(Benchmark, IndicatorsAndSpreadsheetRows) {
    const auto b = ref::benchmarkOf(sample());
    ASSERT_EQ(b.bands.size(), 183u);
    // "YEUX surveillés" (row 8): 710 of 1000 in the country; centre 12 at 50 %.
    const ref::Funnel& eyes = b.indicators[7];
    EXPECT_EQ(eyes.count, 710);
    const auto* c12 = ref::Benchmark::centreIn(eyes, 12);
    ASSERT_TRUE(c12);
    EXPECT_EQ(c12->position, -2);
    EXPECT_FALSE(ref::Benchmark::centreIn(eyes, 13));
    // Microalbuminuria measured: the FIBs without c182, all of them here.
    EXPECT_EQ(b.indicators[6].count, 1000);

    const std::string csv = ref::benchmarkCsv(b);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2 + 3 * 183);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(csv.find("\r\n12;3;Hb < 6.5;95;200;47,5;"), std::string::npos);
    EXPECT_NE(csv.find(";2\r\n12;4;"), std::string::npos);  // centre 12 above on line 3, then its line 4
}

TEST(Benchmark, CentreReportPages) {
    const auto b = ref::benchmarkOf(sample());
    EXPECT_EQ(ref::reportFileName("SynFr97.Atx", 12), "Rapport-SynFr97-centre12.pdf");
    const auto doc = ref::centreReport(b, 12, "09/12/2026");
    ASSERT_EQ(doc.pages.size(), 2u);
    for (const auto& p : doc.pages) {
        EXPECT_TRUE(hasText(p, "Centre 12 : 200 fiches"));
        EXPECT_TRUE(hasText(p, "09/12/2026"));
    }
    EXPECT_TRUE(hasText(doc.pages[0], "YEUX surveillés"));
    EXPECT_TRUE(hasText(doc.pages[0], "en dessous"));
    EXPECT_TRUE(hasText(doc.pages[1], "Hb < 6.5"));
    EXPECT_TRUE(hasText(doc.pages[1], "au-dessus (99,8 %)"));
    // Centre 4 sits on the country's figures: nothing on page 2.
    EXPECT_TRUE(hasText(ref::centreReport(b, 4, "09/12/2026").pages[1], "Aucune"));
}

TEST(Benchmark, FunnelChartStaysInItsBox) {
    const auto b = ref::benchmarkOf(sample());
    DrawList d;
    ref::ChartBox box;
    box.left = 10;
    box.top = 20;
    drawFunnel(d, b.bands.front(), 12, box);
    int reds = 0;
    Rgb brush{};
    for (const auto& it : d.items) {
        if (it.kind == DrawItem::Brush) brush = it.color;
        if (it.kind == DrawItem::Rect && brush == colors::Red) ++reds;
        if (it.kind == DrawItem::Line || it.kind == DrawItem::Rect) {
            EXPECT_GE(std::min(it.x1, it.x2), box.left);
            EXPECT_LE(std::max(it.x1, it.x2), box.left + box.width);
            EXPECT_GE(std::min(it.y1, it.y2), box.top);
            EXPECT_LE(std::max(it.y1, it.y2), box.top + box.height);
        }
    }
    EXPECT_EQ(reds, 2);  // the chosen centre and its mark in the legend
    const auto texts = d.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "30"), texts.end());  // outside 99.8 %, labelled
    EXPECT_EQ(ref::funnelAxisEnd(b.bands.front()), 500u);
    EXPECT_EQ(ref::funnelAxisTop(b.bands.front()), 60.0);
}

// Centres outside 95 % only are labelled too, in the colour of their limit,
// after those outside 99.8 %; one within is not. A point is found again from
// where it is drawn, for the screen's tooltips.
TEST(FunnelChart, LabelsOutsideEitherLimitAndPointsFoundByPlace) {
    ref::Funnel f;
    f.title = "Hb < 6.5";
    f.total = 1000;
    f.count = 300;
    f.target = 0.3;
    auto centre = [](std::uint16_t number, std::uint16_t n, std::uint16_t x, int position) {
        ref::FunnelCentre c;
        c.centre = number;
        c.n = n;
        c.x = x;
        c.position = position;
        return c;
    };
    f.centres = {centre(3, 100, 30, 0), centre(7, 200, 80, 1), centre(9, 400, 200, 2), centre(11, 0, 0, 0)};
    DrawList d;
    const ref::ChartBox box;
    drawFunnel(d, f, 0, box);
    std::map<std::string, Rgb> labelColour;
    Rgb colour{};
    for (const auto& it : d.items) {
        if (it.kind == DrawItem::Font) colour = it.font.color;
        if (it.kind == DrawItem::Text) labelColour[it.text] = colour;
    }
    EXPECT_EQ(labelColour.count("3"), 0u) << "within the limits";
    ASSERT_EQ(labelColour.count("7"), 1u) << "outside 95 % only";
    ASSERT_EQ(labelColour.count("9"), 1u);
    EXPECT_EQ(labelColour["7"], colors::Orange);
    EXPECT_EQ(labelColour["9"], colors::Maroon);

    // The label of centre 7 stands just right of its point: the point is there.
    int labelX = 0, labelY = 0;
    for (const auto& it : d.items)
        if (it.kind == DrawItem::Text && it.text == "7") labelX = it.x1, labelY = it.y1;
    const auto* found = ref::funnelCentreAt(f, box, labelX - 3, labelY + 7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->centre, 7);
    EXPECT_EQ(ref::funnelCentreAt(f, box, box.left, box.top), nullptr);
}
