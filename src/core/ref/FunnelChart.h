#pragma once
// The funnel chart: x the number of FIBs of a centre, y its percentage, the
// country's line, the 95 % and 99.8 % limits as curves, one point per centre,
// the chosen centre in red and the centres outside the limits labelled (those
// outside 99.8 % first, then those outside 95 % only). Drawn on
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
    bool labels = true;  // the numbers of the centres outside the limits
};

// The colours of every funnel, of a band or of an adjusted indicator.
namespace funnelColours {
inline constexpr Rgb kLimit95 = colors::Orange;
inline constexpr Rgb kLimit998 = colors::Maroon;
inline constexpr Rgb kCountry = colors::Blue;
inline constexpr Rgb kCentre = colors::Navy;
inline constexpr Rgb kChosen = colors::Red;
}  // namespace funnelColours

// The box of a funnel on a printed page (300 dots per inch), under its title lines.
ChartBox printedFunnelBox();

void drawFunnel(Surface& s, const Funnel& f, std::int32_t chosenCentre, const ChartBox& box);
// The centre whose point is drawn at (x, y) of the box, or nearest to it
// within a few units; null when there is none.
const FunnelCentre* funnelCentreAt(const Funnel& f, const ChartBox& box, int x, int y);

// The top of the percentage axis: a round value above the shares and the
// upper limit of the small centres, at most 100.
double funnelAxisTop(const Funnel& f);
// The end of the axis of FIBs: the largest centre's number of FIBs (at least 1).
std::uint32_t funnelAxisEnd(const Funnel& f);

}  // namespace pelo::ref
