#pragma once
// Answer codes of the choice controls of the entry pages: what a click on a
// box writes into its field, and which boxes a stored code ticks.

#include <array>
#include <cstdint>

namespace pelo::choices {

// Yes/no pair, single tick and radio choice: the box of code `code` was
// clicked and is now ticked or not; the field gets the code, or 255 when the
// box ends unticked.
inline std::uint8_t clickedCode(std::uint8_t code, bool ticked) { return ticked ? code : 255; }

// A row of complication boxes: "Oui < 12 mois", "Oui ancien", "non".
enum Box { Recent = 0, Old = 1, No = 2 };
using RowTicks = std::array<bool, 3>;

struct RowState {
    RowTicks ticks;
    std::uint8_t value;  // 1, 2, 3 (both "Oui"), 4 ("non") or 255
};

// The row after a click on `clicked`, whose tick is already toggled in `ticks`.
// An exclusive row (blindness, renal failure) keeps one box at most; in the
// other rows "non" excludes both "Oui" boxes, which combine into 3.
RowState complicationClick(bool exclusive, RowTicks ticks, Box clicked);

// The value that a row of ticks stands for (1, 2, 3, 4 or 255).
std::uint8_t complicationValue(const RowTicks& ticks);

// Boxes ticked by a stored complication code (3 ticks both "Oui" boxes).
RowTicks complicationTicks(std::uint8_t value);

// Boxes of a yes/no pair ticked by a stored code: {oui, non}.
inline std::array<bool, 2> pairTicks(std::uint8_t value) { return {value == 1, value == 2}; }

}  // namespace pelo::choices
