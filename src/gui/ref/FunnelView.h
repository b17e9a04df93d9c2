#pragma once
// What the screens share about the funnels of a stored synthesis: drawing one
// on a canvas, its printed page, and the spreadsheet of the whole benchmark.

#include <QPoint>
#include <QString>
#include <cstdint>

#include "print/Surface.h"

namespace pelo {
struct AppContext;
class CountryWorkspace;
namespace ui {
class Canvas;
}
namespace ref {
struct StoredSynthesis;

// Clears the canvas and draws the funnel of a band line; false (nothing
// drawn) for a line that is not a band line.
bool drawFunnelOn(ui::Canvas& canvas, const StoredSynthesis& s, int line, std::int32_t chosenCentre);
PrintDocument funnelPrint(const StoredSynthesis& s, int line, std::int32_t chosenCentre);
// The tooltip of the point drawn at `at` (drawing coordinates of the canvas)
// on the funnel of a band line: the centre, its count of FIBs and its share,
// and where it stands; empty away from every point.
QString funnelTipAt(const StoredSynthesis& s, int line, QPoint at);
// "Export tableur": asks for the file, proposed in the working folder, writes
// it, says where.
void exportBenchmark(AppContext& ctx, const CountryWorkspace& country, const StoredSynthesis& s);
}  // namespace ref
}  // namespace pelo
