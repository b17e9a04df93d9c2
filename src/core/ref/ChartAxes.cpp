#include "ref/ChartAxes.h"

namespace pelo::ref {

FontSpec drawChartTitle(Surface& s, const ChartBox& b, const std::string& title) {
    FontSpec font;
    font.size = b.fontSize + 1;
    font.bold = true;
    font.color = colors::Navy;
    s.setFont(font);
    s.text(b.left, b.top, title);
    font.size = b.fontSize;
    font.bold = false;
    font.color = colors::Black;
    s.setFont(font);
    return font;
}

void drawValueAxis(Surface& s, const ValueAxis& a, const std::function<int(double)>& yOf,
                   const std::function<void(double value, int y)>& label) {
    s.setPen(colors::Black);
    s.line(a.x0, a.y0, a.x0, a.y1);
    s.line(a.x0, a.y1, a.x1, a.y1);
    for (int i = 0; i <= a.divisions; ++i) {
        const double value = a.top * i / a.divisions;
        const int y = yOf(value);
        // With ticks the pen changes at every division, the base included.
        const bool pens = i > 0 || a.ticks;
        if (pens) s.setPen(colors::Silver);
        if (i > 0) s.line(a.x0 + 1, y, a.x1, y);
        if (pens) s.setPen(colors::Black);
        if (a.ticks) s.line(a.x0 - a.tickLength, y, a.x0, y);
        label(value, y);
    }
}

}  // namespace pelo::ref
