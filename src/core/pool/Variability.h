#pragma once
// The variability window's data: the 264 list lines of a stored synthesis for
// the country and, beside it, one chosen centre; the section charts read back
// from those lines; the variability chart of one band (the band's share in
// every centre, highest first); the printed list.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eval/Bands.h"
#include "print/Surface.h"

namespace pelo::pool {

// Country named by the 4th and 5th characters of a stored synthesis name
// ("SynFr97.Atx" -> "      FRANCE "; an unknown pair -> "    PAYS").
std::string countryOf(std::string_view synthesisName);

// Count and percentage of a band line, two spaces per missing digit.
std::string variabilityPart(std::uint32_t count, std::uint32_t denominator);

// The list's label of a line: a heading whole, a band label with its six
// leading spaces, " " for a blank line; empty for lines 0 and 1.
std::string variabilityLabel(int line);

// The counter shown by a band line; -1 for any other line.
int counterOfLine(int line);

struct ChosenCentre {
    std::int32_t number = 0;          // the centre's number
    eval::BandCounts counts{};        // its counter record
    std::uint16_t denominator = 0;    // its NbFichesCentre, low 16 bits
    std::int32_t shownCount = 0;      // its count on the records-per-centre chart
};

struct VariabilityInput {
    std::string name;                 // "SynFr97.Atx"
    std::uint16_t total = 0;          // FIBs of the synthesis (index entry 999)
    eval::BandCounts country{};       // counter record 0
    std::optional<ChosenCentre> centre;
};

// Lines 0 to 263 of the list.
std::vector<std::string> variabilityLines(const VariabilityInput& in);

// The percentages written in a list line: the number before the first "%"
// (country) and before the second (centre). Tenths of a percent.
struct LinePercents {
    std::string countryText, centreText;
    std::int64_t countryTenths = -1, centreTenths = -1;  // -1: absent
};
LinePercents readPercents(std::string_view line);

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
    std::uint8_t twoCharts = 0;   // two-chart mode
    std::uint8_t lowerNext = 0;   // the next variability chart goes to the lower half
    std::uint16_t offset = 0;     // 0 or 200
};

// Clears the chart area before a click's chart (the lower half only when the
// lower chart comes next) and sets the offset.
void clearChartArea(Surface& s, VariabilityChartMode& mode);
// The whole chart area, for the switch of the two-chart mode; the mode is switched.
void switchTwoCharts(Surface& s, VariabilityChartMode& mode);

// The section chart of the heading at line h: country bars in blue, the
// chosen centre's (centre > 0) in red over their right part.
void drawVariabilitySectionChart(Surface& s, const std::vector<std::string>& lines, int h, std::int32_t centre);

// The variability chart of a band line: title, one bar per centre.
void drawVariabilityChart(Surface& s, std::string_view title, const std::vector<VariabilityBar>& bars,
                          std::int32_t chosenCentre, VariabilityChartMode& mode);

// The band label of a line without its leading spaces, at most 49 characters.
std::string variabilityTitle(int line);

// The printed list: line 0 and line 1 heading every sheet, lines 2..last in
// two columns of 51, 102 lines a sheet. Nothing but the heading when last < 2.
PrintDocument variabilityPrintout(const std::vector<std::string>& lines, int last);

}  // namespace pelo::pool
