#pragma once
// The variability window's printed list.

#include <string>
#include <string_view>
#include <vector>

#include "print/Surface.h"

namespace pelo::pool {

// The printed list: line 0 and line 1 heading every sheet, lines 2..last in
// two columns of 51, 102 lines a sheet. Nothing but the heading when last < 2.
// A band line is printed in fixed columns (counts and percentages right-
// aligned, a long label printed smaller to fit its column, cut only below
// 7 points), since spaces do not align figures
// in a proportional font. The document is named "Repartition-" + what (the
// synthesis, the centre or the group).
PrintDocument variabilityPrintout(const std::vector<std::string>& lines, int last, const std::string& what = {});

// A list line split into its fields; band is false for a heading or blank line.
struct PrintedLine {
    bool band = false;
    std::string countryCount, countryPercent, centreCount, centrePercent, label;
};
PrintedLine splitListLine(std::string_view line);

// Width of a text in Arial at the given size, in 300-dpi device units
// (Arial's advance widths; a character outside ASCII counts as a digit).
int arialWidth(std::string_view utf8, int points);
// The longest start of a text no wider than width, "…" ending it when cut.
std::string cutToWidth(std::string_view utf8, int points, int width);

}  // namespace pelo::pool
