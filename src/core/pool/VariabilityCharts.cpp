#include "pool/VariabilityCharts.h"

#include <algorithm>

#include "eval/Charts.h"
#include "store/Text.h"

namespace pelo::pool {

using eval::outlined;
using eval::textOn;

int sectionBarHeight(std::int64_t tenths) {
    // tenths x 2.5 / 10 = tenths / 4, to the nearest integer, a half to even.
    return int(Percent{tenths, 4}.rounded());
}

std::vector<VariabilityBar> variabilityBars(const std::vector<CentreShare>& shares) {
    std::vector<VariabilityBar> bars;
    bars.reserve(shares.size());
    for (const auto& s : shares) {
        VariabilityBar b{static_cast<std::uint16_t>(percentOf(s.value, s.denominator).rounded()), s.centre};
        // Insertion into the sorted bars: after every bar of an equal or higher share.
        auto pos = std::upper_bound(bars.begin(), bars.end(), b, [](const VariabilityBar& x, const VariabilityBar& y) {
            return x.percent > y.percent;
        });
        bars.insert(pos, b);
    }
    return bars;
}

namespace {
constexpr int kAreaRight = 481;   // the chart area runs from x 0 to 480
constexpr int kAreaBottom = 495;  // and down to y 494

FontSpec chartFont(Rgb colour) { return eval::boldFont(9, colour); }

}  // namespace

void clearChartArea(Surface& s, VariabilityChartMode& mode) {
    // The lower half from its title down; otherwise everything, the chart
    // drawn before (a section chart runs the whole height) included.
    const int top = mode.lowerNext == 0 ? 0 : 200;
    mode.offset = mode.lowerNext == 0 ? 0 : 200;
    s.setBrush(colors::Silver);
    s.fillRect(0, top, kAreaRight, kAreaBottom);
    s.setPen(colors::Aqua);
}

void switchTwoCharts(Surface& s, VariabilityChartMode& mode) {
    mode.twoCharts = mode.twoCharts ? 0 : 1;
    mode.lowerNext = 0;
    mode.offset = 0;
    s.setBrush(colors::Silver);
    s.fillRect(0, 0, kAreaRight, kAreaBottom);
}

void drawVariabilitySectionChart(Surface& s, const std::vector<std::string>& lines, int h, std::int32_t centre,
                                 VariabilityChartMode& mode) {
    if (h < 0 || h >= int(lines.size())) return;
    // The section chart takes the whole area, whatever was there; the next
    // band chart starts again from the upper half.
    s.setBrush(colors::Silver);
    s.fillRect(0, 0, kAreaRight, kAreaBottom);
    mode.lowerNext = 0;
    mode.offset = 0;
    s.setPen(colors::Aqua);
    s.setFont(chartFont(colors::White));
    s.setBrush(colors::Blue);
    // The legend above the title, both above the highest percentage (y 50).
    s.fillRect(170, 4, 184, 19);
    s.setBrush(colors::Red);
    s.fillRect(235, 4, 249, 19);
    textOn(s, 185, 4, "PAYS", colors::Navy);
    if (centre > 0) textOn(s, 250, 4, "Centre  " + std::to_string(centre), colors::Navy);
    textOn(s, 50, 24, lines[h], colors::Navy);
    for (int k = 1; h + k < int(lines.size()) && lines[h + k].size() > 10; ++k) {
        const LinePercents p = readPercents(lines[h + k]);
        if (p.countryTenths < 0) break;
        const int b = sectionBarHeight(p.countryTenths);
        s.setFont(chartFont(colors::Blue));
        textOn(s, (k - 1) * 35 + 7, 300 - b, p.countryText, colors::White);
        s.setBrush(colors::Blue);
        outlined(s, (k - 1) * 35 + 5, 350 - b, k * 35 + 5, 350);
        if (centre > 0 && p.centreTenths >= 0) {
            const int b2 = sectionBarHeight(p.centreTenths);
            s.setFont(chartFont(colors::Red));
            textOn(s, (k - 1) * 35 + 25, 360, p.centreText, colors::White);
            s.setBrush(colors::Red);
            outlined(s, (k - 1) * 35 + 25, 350 - b2, (k - 1) * 35 + 40, 350);
        }
        s.setFont(chartFont(colors::White));
    }
}

void drawVariabilityChart(Surface& s, std::string_view title, const std::vector<VariabilityBar>& bars,
                          std::int32_t chosenCentre, VariabilityChartMode& mode) {
    const int n = int(bars.size());
    const double w = 300.0 / (n + 1);
    int base = 350;
    if (mode.twoCharts) {
        base = 170;
        mode.lowerNext = 1;
    }
    int max = 0;
    for (const auto& b : bars) max = std::max<int>(max, b.percent);
    const int scale = ((base - 50) * 10) / (max + 1);
    const int y0 = base + mode.offset;
    auto height = [&](int q) { return (q * scale) / 10; };
    auto nearest = [](double x) { return int(roundHalfEven(x)); };

    s.setPen(colors::Aqua);
    s.setFont(chartFont(colors::White));
    // The title at the top of its half, above the highest percentage (offset + 25).
    textOn(s, 100, mode.offset + 4, std::string(title), colors::Navy);
    if (n == 0) {
        textOn(s, 100, mode.offset + 30, "Aucun centre", colors::Navy);
        return;
    }
    textOn(s, nearest(w), y0 - height(bars[0].percent) - 25, std::to_string(bars[0].percent) + " %", colors::Navy);
    for (int i = 1; i <= n; ++i) {
        const VariabilityBar& b = bars[std::size_t(i - 1)];
        if (chosenCentre > 0 && b.centre == chosenCentre) {
            textOn(s, nearest(w * i), y0 + 5, std::to_string(b.percent) + " %", colors::Navy);
            s.setBrush(colors::Red);
        } else {
            const int g = nearest(255.0 * i / n);
            s.setBrush(Rgb{10, static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(255 - g)});
        }
        outlined(s, nearest(w * i - w * 0.5), y0 - height(b.percent), nearest(w * i + w * 0.5), y0);
    }
    const VariabilityBar& last = bars.back();
    textOn(s, nearest(w * (n + 1)), y0 - height(last.percent) - 25, std::to_string(last.percent) + " %", colors::Navy);
}

}  // namespace pelo::pool
