#include <gtest/gtest.h>

#include "ref/ChartAxes.h"

using namespace pelo;

namespace {

DrawItem pen(Rgb c) { return {DrawItem::Pen, 0, 0, 0, 0, c, {}, {}}; }
DrawItem line(int x1, int y1, int x2, int y2) { return {DrawItem::Line, x1, y1, x2, y2, {}, {}, {}}; }
DrawItem text(int x, int y, const std::string& t) { return {DrawItem::Text, x, y, 0, 0, {}, {}, t}; }

}  // namespace

TEST(ChartAxes, TitleThenThePlainFontOfTheTexts) {
    DrawList d;
    ref::ChartBox b;
    b.left = 7;
    b.top = 3;
    b.fontSize = 8;
    const FontSpec body = ref::drawChartTitle(d, b, "Hb < 6.5");
    ASSERT_EQ(d.items.size(), 3u);
    EXPECT_EQ(d.items[0].font.size, 9);
    EXPECT_TRUE(d.items[0].font.bold);
    EXPECT_EQ(d.items[0].font.color, colors::Navy);
    EXPECT_EQ(d.items[1], text(7, 3, "Hb < 6.5"));
    EXPECT_EQ(d.items[2].font, body);
    EXPECT_EQ(body.size, 8);
    EXPECT_FALSE(body.bold);
    EXPECT_EQ(body.color, colors::Black);
}

TEST(ChartAxes, GridLinesAboveTheBaseTicksOnlyWhenAsked) {
    // Values 0..40 on 100 units: the divisions at 100, 50 and 0 from the top.
    auto yOf = [](double v) { return 110 - static_cast<int>(v * 2.5); };
    auto label = [](DrawList& d) {
        return [&d](double v, int y) { d.text(0, y, std::to_string(static_cast<int>(v))); };
    };
    DrawList plain;
    ref::drawValueAxis(plain, {20, 10, 200, 110, 40, 2, false, 0}, yOf, label(plain));
    const std::vector<DrawItem> expected{pen(colors::Black),    line(20, 10, 20, 110), line(20, 110, 200, 110),
                                         text(0, 110, "0"),     pen(colors::Silver),   line(21, 60, 200, 60),
                                         pen(colors::Black),    text(0, 60, "20"),     pen(colors::Silver),
                                         line(21, 10, 200, 10), pen(colors::Black),    text(0, 10, "40")};
    EXPECT_EQ(plain.items, expected);

    DrawList ticked;
    ref::drawValueAxis(ticked, {20, 10, 200, 110, 40, 1, true, 3}, yOf, label(ticked));
    const std::vector<DrawItem> withTicks{pen(colors::Black),  line(20, 10, 20, 110), line(20, 110, 200, 110),
                                          pen(colors::Silver), pen(colors::Black),    line(17, 110, 20, 110),
                                          text(0, 110, "0"),   pen(colors::Silver),   line(21, 10, 200, 10),
                                          pen(colors::Black),  line(17, 10, 20, 10),  text(0, 10, "40")};
    EXPECT_EQ(ticked.items, withTicks);
}
