#pragma once
// What the funnel and the trend charts draw alike: the title, the two axes and
// a silver line across the chart at each division of the value axis.

#include <functional>
#include <string>

#include "print/Surface.h"
#include "ref/FunnelChart.h"

namespace pelo::ref {

// Writes the title in bold navy, one point larger, at the box's top-left
// corner; then sets the plain black font of the chart's texts and returns it.
FontSpec drawChartTitle(Surface& s, const ChartBox& b, const std::string& title);

struct ValueAxis {
    int x0 = 0, y0 = 0;  // the value axis, from its top (x0, y0) ...
    int x1 = 0, y1 = 0;  // ... down to the base, which runs from (x0, y1) to (x1, y1)
    double top = 100;    // the value at y0
    int divisions = 4;
    bool ticks = false;  // a tick of tickLength left of the axis at each division
    int tickLength = 0;
};

// Both axes in black, then from the base up, at each division: the silver
// line across (none on the base), the tick, and label(value, y) with the
// black pen. yOf places a value on the axis.
void drawValueAxis(Surface& s, const ValueAxis& a, const std::function<int(double)>& yOf,
                   const std::function<void(double value, int y)>& label);

}  // namespace pelo::ref
