#pragma once
// The funnel chart: x the number of FIBs of a centre, y its percentage, the
// country's line, the 95 % and 99.8 % limits as curves, one point per centre,
// the chosen centre in red and the centres outside 99.8 % labelled. Drawn on
// the screen's canvas or on a printed page, in a box of the surface's units.

#include <cstdint>

#include "print/Surface.h"
#include "ref/Funnel.h"

namespace pelo::ref {

struct ChartBox {
    int left = 0, top = 0, width = 480, height = 480;
    int fontSize = 8;            // points
    double unitsPerPoint = 1.4;  // surface units of one point of text (about 4.2 on a 300-dpi page)
    bool legend = true;
    bool labels = true;  // the numbers of the centres outside 99.8 %
};

void drawFunnel(Surface& s, const Funnel& f, std::int32_t chosenCentre, const ChartBox& box);

// The top of the percentage axis: a round value above the shares and the
// upper limit of the small centres, at most 100.
double funnelAxisTop(const Funnel& f);
// The end of the axis of FIBs: the largest centre's number of FIBs (at least 1).
std::uint32_t funnelAxisEnd(const Funnel& f);

}  // namespace pelo::ref
