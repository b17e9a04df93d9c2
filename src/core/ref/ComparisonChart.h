#pragma once
// What the window « Comparaison des centres » draws, prints and exports: the
// funnel of one adjusted indicator (x the eligible FIBs of a centre, y its
// adjusted percentage, the country's line and the limits widened for the
// spread between centres), the table of every centre, and its spreadsheet.

#include <cstdint>
#include <string>
#include <vector>

#include "print/Surface.h"
#include "ref/Comparison.h"
#include "ref/FunnelChart.h"

namespace pelo::ref {

// Where each adjusted centre stands on the chart drawn in `box`.
struct ChartPoint {
    std::uint16_t centre = 0;
    int x = 0, y = 0;
};
std::vector<ChartPoint> comparisonPoints(const IndicatorComparison& ind, const ChartBox& box);
// The centre whose point is nearest (x, y) within `reach` units; 0 for none.
std::uint16_t centreNear(const std::vector<ChartPoint>& points, int x, int y, int reach);

void drawComparisonFunnel(Surface& s, const IndicatorComparison& ind, std::int32_t chosenCentre, const ChartBox& box);

// The legend of the adjusted figures, as the window and the printout write it.
extern const char* const kAdjustedLegend;

// The cell of a centre for an indicator in the table: adjusted percentage,
// "*" outside 95 %, "**" outside 99.8 %, then "meilleur" or "moins bon";
// the crude percentage when no adjustment is possible; "" when the centre has
// no eligible FIB.
std::string comparisonCell(const IndicatorComparison& ind, const CentreComparison& c);
// A centre's entry for an indicator; nullptr when it has no eligible FIB.
const CentreComparison* centreOf(const IndicatorComparison& ind, std::uint16_t centre);
// Every centre that appears in one indicator at least, increasing.
std::vector<std::uint16_t> comparedCentres(const Comparison& c);

// One row per (centre, indicator), centres in increasing order: centre;
// indicateur; libellé; fiches; événements; attendus; brut; ajusté; z; the
// four limits; position; jugement. UTF-8 with its mark, ";" between fields,
// decimal comma, CRLF, as the other spreadsheets.
std::string comparisonCsv(const Comparison& c);

// The campaign a pooled file holds, as titles name it: the country of the
// name's 4th and 5th characters and the reference year ("FibFr26.Dat", 2026
// -> "France 2026").
std::string campaignTitle(const std::string& poolName, std::int32_t year);

// The funnel of one indicator on a page, with the legend, and the table of
// the centres on the following pages.
PrintDocument comparisonPrintout(const Comparison& c, int indicator, std::int32_t chosenCentre,
                                 const std::string& campaign);

}  // namespace pelo::ref
