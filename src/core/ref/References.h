#pragma once
// The stored syntheses read as references: their titles, the records-per-
// centre chart (list items, chart order, screen chart and printout), the
// comparison table of three references and the nine standard indicators.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eval/Bands.h"
#include "eval/Objectives.h"
#include "print/Surface.h"

namespace pelo::ref {

// One button of the reference menu: caption, stored synthesis, title.
struct Reference {
    const char* control;
    const char* caption;
    const char* file;
    const char* title;
};
inline constexpr int kReferenceCount = 18;
extern const std::array<Reference, kReferenceCount> kReferences;

// The title of a stored synthesis typed by name: up to its first ".".
std::string titleOf(std::string_view name);

// ---- Records per centre ----

struct CentreCount {
    std::uint16_t centre = 0;
    std::uint16_t count = 0;
    bool operator==(const CentreCount&) const = default;
};
// Centres given in increasing number, put in chart order: largest count
// first, equal counts in increasing centre order.
std::vector<CentreCount> chartOrder(const std::vector<CentreCount>& centres);

// " 12   -   40 " and its reading back (false when the text is not one).
std::string centreItem(std::uint16_t centre, std::uint16_t count);
bool readCentreItem(std::string_view item, std::int32_t& centre, std::int32_t& count);

// " 3 Ctr -  120 Fib"
std::string centresSummary(std::uint16_t centres, std::uint16_t total);

// The chart on the screen: the selected centre's bar in red, drawn last and
// framed in yellow; the centre numbers under the bars, every k-th one
// (recordsLabelStep) when they would touch. No centre: "Aucun centre".
void drawRecordsChart(Surface& s, const std::vector<CentreCount>& bars, std::int32_t selected);
int recordsLabelStep(const std::vector<CentreCount>& bars);
// The bar (index in bars) seen at x of the screen chart, -1 for none.
int recordsBarAt(const std::vector<CentreCount>& bars, std::int32_t selected, int x);
// The printed chart, the selected centre's bar filled black and labelled; the
// document is named after the stored synthesis file (fileTag, "SynFr97.Atx")
// and the selected centre.
PrintDocument recordsPrintout(std::string_view title, std::string_view fileTag, const std::vector<CentreCount>& bars,
                              std::int32_t selected);

// ---- Comparison of three references ----

struct ReferenceTotals {
    std::uint16_t total = 0;    // FIBs of the synthesis (index entry 999)
    eval::BandCounts counts{};  // counter record 0
};
// The three references compared, in column order.
struct ComparedFile {
    const char* index;
    const char* counters;
};
inline constexpr std::array<ComparedFile, 3> kCompared{
    {{"SYNFR97.ATX", "SYNFR97.BTX"}, {"SYNHopi.ATX", "SYNHopi.BTX"}, {"SYNLibe.ATX", "SYNLibe.BTX"}}};

// A percentage cell: " " + two spaces per missing digit + p + " %"; 0.0 % when total is 0.
std::string comparisonPercent(std::uint32_t count, std::uint32_t total);
inline constexpr int kComparisonColumns = 9;
inline constexpr int kComparisonRows = 7;
using ComparisonGrid = std::array<std::array<std::string, kComparisonColumns>, kComparisonRows>;
// Fills the cells of reference r (0..2): its total in row 0 and its HbA1c bands
// in rows 2..6; the labels of column 8 come with reference 0.
void fillComparison(ComparisonGrid& g, int r, const ReferenceTotals& t);

// ---- Standard indicators ----

// The nine objectives of the centre synthesis's chart (eval::kObjectives).
inline constexpr int kIndicatorCount = eval::kObjectiveCount;

// Tenths of a percent of the nine indicators for counters over a denominator,
// as the objectives chart writes them (rows 1..9).
std::array<std::int64_t, kIndicatorCount> indicatorTenths(const eval::BandCounts& c, std::uint32_t denominator);

// The chart: per indicator the ideal, the country and (centre > 0) the centre.
void drawIndicators(Surface& s, std::string_view title, const std::array<std::int64_t, kIndicatorCount>& country,
                    const std::optional<std::array<std::int64_t, kIndicatorCount>>& centre, std::int32_t centreNumber);

}  // namespace pelo::ref
