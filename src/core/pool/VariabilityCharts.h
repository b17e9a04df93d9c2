#pragma once
// The variability window's charts: the section chart read back from the list
// lines, and the variability chart of one band (the band's share in every
// centre, highest first).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pool/VariabilityList.h"
#include "print/Surface.h"

namespace pelo::pool {

// Height of a bar of p tenths of a percent at 2.5 pixels per percent, nearest
// integer, a half to even (100 % gives 250).
int sectionBarHeight(std::int64_t tenths);

// One centre of the stored synthesis for a band: its counter and FIB count.
struct CentreShare {
    std::uint16_t centre = 0;
    std::uint16_t value = 0;
    std::uint16_t denominator = 0;
};
struct VariabilityBar {
    std::uint16_t percent = 0;  // rounded, a half to even; 0 for a centre without FIB
    std::uint16_t centre = 0;
    bool operator==(const VariabilityBar&) const = default;
};
// Bars of the centres given in increasing centre order, sorted from the
// highest percentage; equal percentages keep the centres' order.
std::vector<VariabilityBar> variabilityBars(const std::vector<CentreShare>& shares);

// The chart modes shared with the records-per-centre screen, which sets them
// to 0 before each opening.
struct VariabilityChartMode {
    std::uint8_t twoCharts = 0;  // two-chart mode
    std::uint8_t lowerNext = 0;  // the next variability chart goes to the lower half
    std::uint16_t offset = 0;    // 0 or 200
};

// Clears the chart area before a click's chart (the lower half only when the
// lower chart comes next) and sets the offset.
void clearChartArea(Surface& s, VariabilityChartMode& mode);
// The whole chart area, for the switch of the two-chart mode; the mode is switched.
void switchTwoCharts(Surface& s, VariabilityChartMode& mode);

// The section chart of the heading at line h, over the whole area cleared
// first: country bars in blue, the chosen centre's (centre > 0) in red over
// their right part. The next band chart goes to the upper half.
void drawVariabilitySectionChart(Surface& s, const std::vector<std::string>& lines, int h, std::int32_t centre,
                                 VariabilityChartMode& mode);

// The variability chart of a band line: title, one bar per centre.
void drawVariabilityChart(Surface& s, std::string_view title, const std::vector<VariabilityBar>& bars,
                          std::int32_t chosenCentre, VariabilityChartMode& mode);

}  // namespace pelo::pool
