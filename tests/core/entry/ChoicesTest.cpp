#include <gtest/gtest.h>

#include "entry/Choices.h"

using namespace pelo::choices;

namespace {
// Toggles box b of a row as a click would, then applies the row's rule.
RowState click(bool exclusive, RowTicks t, Box b) {
    t[b] = !t[b];
    return complicationClick(exclusive, t, b);
}
}  // namespace

TEST(ComplicationRow, BothOuiBoxesCombineAndNonClearsThem) {
    RowState s = click(false, {}, Recent);
    EXPECT_EQ(s.value, 1);
    s = click(false, s.ticks, Old);
    EXPECT_EQ(s.value, 3);
    EXPECT_EQ(s.ticks, (RowTicks{true, true, false}));
    s = click(false, s.ticks, No);
    EXPECT_EQ(s.value, 4);
    EXPECT_EQ(s.ticks, (RowTicks{false, false, true}));
    // An "Oui" box after "non" unticks "non".
    s = click(false, s.ticks, Old);
    EXPECT_EQ(s.value, 2);
    EXPECT_EQ(s.ticks, (RowTicks{false, true, false}));
    // Unticking the last box empties the field.
    s = click(false, s.ticks, Old);
    EXPECT_EQ(s.value, 255);
}

TEST(ComplicationRow, ExclusiveRowKeepsOneBox) {
    RowState s = click(true, {}, Recent);
    s = click(true, s.ticks, Old);
    EXPECT_EQ(s.value, 2);
    EXPECT_EQ(s.ticks, (RowTicks{false, true, false}));
    s = click(true, s.ticks, No);
    EXPECT_EQ(s.value, 4);
    EXPECT_EQ(s.ticks, (RowTicks{false, false, true}));
    s = click(true, s.ticks, No);
    EXPECT_EQ(s.value, 255);
    EXPECT_EQ(s.ticks, (RowTicks{false, false, false}));
}

TEST(ComplicationRow, StoredCodesTickTheirBoxes) {
    EXPECT_EQ(complicationTicks(3), (RowTicks{true, true, false}));
    EXPECT_EQ(complicationTicks(4), (RowTicks{false, false, true}));
    EXPECT_EQ(complicationTicks(255), (RowTicks{false, false, false}));
    EXPECT_EQ(complicationTicks(7), (RowTicks{false, false, false}));
    for (std::uint8_t v : {1, 2, 3, 4, 255}) EXPECT_EQ(complicationValue(complicationTicks(v)), v);
}

TEST(ChoicePair, UntickedBoxEmptiesTheField) {
    EXPECT_EQ(clickedCode(2, true), 2);
    EXPECT_EQ(clickedCode(2, false), 255);
    EXPECT_EQ(pairTicks(1), (std::array<bool, 2>{true, false}));
    EXPECT_EQ(pairTicks(255), (std::array<bool, 2>{false, false}));
}
