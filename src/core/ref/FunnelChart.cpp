#include "ref/FunnelChart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ref/ChartAxes.h"
#include "store/Text.h"

namespace pelo::ref {

namespace {

using namespace funnelColours;

int iround(double v) { return static_cast<int>(std::lround(v)); }

std::string tickText(double v, bool decimals) {
    if (!decimals) return std::to_string(iround(v));
    const auto tenths = static_cast<std::int64_t>(std::floor(v * 10 + 0.5));
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

}  // namespace

std::uint32_t funnelAxisEnd(const Funnel& f) {
    std::uint32_t most = 1;
    for (const auto& c : f.centres) most = std::max<std::uint32_t>(most, c.n);
    return most;
}

namespace {
// Ticks of the axis of FIBs: 1, 2, 2.5 or 5 times a power of ten, about five of them.
std::uint32_t tickStep(std::uint32_t end) {
    for (std::uint32_t p = 1;; p *= 10)
        for (std::uint32_t m : {10u, 20u, 25u, 50u})
            if (m * p >= 10 && m * p / 10 * 5 >= end) return m * p / 10;
}
}  // namespace

double funnelAxisTop(const Funnel& f) {
    double top = f.target * 100;
    for (const auto& c : f.centres)
        if (c.n > 0) top = std::max(top, 100.0 * c.x / c.n);
    const std::uint32_t small = std::max<std::uint32_t>(1, funnelAxisEnd(f) / 20);
    top = std::max(top, 100.0 * funnelLimits(small, f.target).hi998);
    for (double v : {1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 30.0, 40.0, 50.0, 60.0, 80.0})
        if (top <= v) return v;
    return 100.0;
}

namespace {
// Where the chart's points go in its box.
struct Plot {
    double u;  // one line of text
    int x0, x1, y0, y1;
    double xEnd, yTop;
    int px(double n) const { return x0 + iround((x1 - x0) * n / xEnd); }
    int py(double pct) const { return y1 - iround((y1 - y0) * std::clamp(pct, 0.0, yTop) / yTop); }
    int radius() const { return std::max(1, iround(u * 0.18)); }
};

Plot plotOf(const Funnel& f, const ChartBox& b) {
    const double u = b.fontSize * b.unitsPerPoint;
    return {u,
            b.left + iround(u * 4),
            b.left + b.width - iround(u),
            b.top + iround(u * 2.2),
            b.top + b.height - iround(u * (b.legend ? 5.0 : 2.6)),
            double(funnelAxisEnd(f)),
            funnelAxisTop(f)};
}
}  // namespace

const FunnelCentre* funnelCentreAt(const Funnel& f, const ChartBox& b, int x, int y) {
    const Plot plot = plotOf(f, b);
    const int reach = plot.radius() * 2 + 2;
    const FunnelCentre* best = nullptr;
    int bestDistance = 0;
    for (const auto& c : f.centres) {
        if (c.n == 0) continue;
        const int dx = plot.px(c.n) - x, dy = plot.py(100.0 * c.x / c.n) - y;
        const int d = dx * dx + dy * dy;
        if (std::abs(dx) > reach || std::abs(dy) > reach || (best && d >= bestDistance)) continue;
        best = &c;
        bestDistance = d;
    }
    return best;
}

ChartBox printedFunnelBox() {
    ChartBox box;
    box.left = 150;
    box.top = 400;
    box.width = 2480 - 300;  // an A4 page's width at 300 dots per inch, less its margins
    box.height = 2300;
    box.fontSize = 9;
    box.unitsPerPoint = 300.0 / 72.0;
    return box;
}

void drawFunnel(Surface& s, const Funnel& f, std::int32_t chosen, const ChartBox& b) {
    const Plot plot = plotOf(f, b);
    const double u = plot.u;
    const int x0 = plot.x0, x1 = plot.x1, y0 = plot.y0, y1 = plot.y1;
    const double xEnd = plot.xEnd, yTop = plot.yTop;
    auto px = [&](double n) { return plot.px(n); };
    auto py = [&](double pct) { return plot.py(pct); };

    FontSpec font = drawChartTitle(s, b, f.title);

    // Frame and ticks.
    const bool decimals = yTop < 10;
    drawValueAxis(s, {x0, y0, x1, y1, yTop, 5, true, iround(u * 0.3)}, py, [&](double pct, int y) {
        const std::string t = tickText(pct, decimals);
        s.text(x0 - iround(u * 0.5) - iround(u * 0.45 * double(t.size())), y - iround(u * 0.5), t);
    });
    const std::uint32_t step = tickStep(static_cast<std::uint32_t>(xEnd));
    for (std::uint32_t n = 0; n <= xEnd; n += step) {
        const int x = px(n);
        s.line(x, y1, x, y1 + iround(u * 0.3));
        const std::string nt = std::to_string(n);
        s.text(x - iround(u * 0.22 * double(nt.size())), y1 + iround(u * 0.4), nt);
    }
    s.text(x0 - iround(u * 3.8), y0 - iround(u * 1.2), "%");
    const std::string axis = "Nombre de fiches du centre";
    s.text(x1 - iround(u * 0.45 * double(utf8Length(axis))), y1 + iround(u * 1.3), axis);

    // The country's line and the limits, sampled more finely where they bend.
    s.setPen(kCountry);
    s.line(x0, py(f.target * 100), x1, py(f.target * 100));
    constexpr int kSteps = 48;
    std::array<std::array<int, kSteps + 1>, 4> ys{};
    std::array<int, kSteps + 1> xs{};
    for (int i = 0; i <= kSteps; ++i) {
        const double q = double(i) / kSteps;
        const auto n = std::max<std::uint32_t>(1, static_cast<std::uint32_t>(std::lround(xEnd * q * q)));
        const auto l = funnelLimits(n, f.target);
        xs[std::size_t(i)] = px(n);
        ys[0][std::size_t(i)] = py(l.lo998 * 100);
        ys[1][std::size_t(i)] = py(l.lo95 * 100);
        ys[2][std::size_t(i)] = py(l.hi95 * 100);
        ys[3][std::size_t(i)] = py(l.hi998 * 100);
    }
    for (std::size_t k = 0; k < 4; ++k) {
        s.setPen(k == 1 || k == 2 ? kLimit95 : kLimit998);
        for (std::size_t i = 1; i <= kSteps; ++i) {
            if (xs[i] == xs[i - 1] && ys[k][i] == ys[k][i - 1]) continue;
            s.line(xs[i - 1], ys[k][i - 1], xs[i], ys[k][i]);
            s.line(xs[i - 1], ys[k][i - 1] + 1, xs[i], ys[k][i] + 1);
        }
    }

    // The centres, the chosen one last so that it stays on top.
    const int r = plot.radius();
    const FunnelCentre* mine = nullptr;
    s.setBrush(kCentre);
    // A point over one already drawn at the same place adds nothing: with
    // hundreds of centres most fall on one another.
    const int cell = std::max(1, r), cols = b.width / cell + 2;
    std::vector<bool> drawn(std::size_t(cols) * std::size_t(b.height / cell + 2));
    for (const auto& c : f.centres) {
        if (c.n == 0) continue;
        if (c.centre == chosen) {
            mine = &c;
            continue;
        }
        const int x = px(c.n), y = py(100.0 * c.x / c.n);
        const auto at = std::size_t(std::clamp((y - b.top) / cell, 0, b.height / cell + 1)) * std::size_t(cols) +
                        std::size_t(std::clamp((x - b.left) / cell, 0, cols - 1));
        if (drawn[at]) continue;
        drawn[at] = true;
        s.fillRect(x - r, y - r, x + r + 1, y + r + 1);
    }
    if (b.labels) {
        // A label that would cover another is left out: the point stays. The
        // centres outside 99.8 % are labelled first, in the colour of their
        // limit, then those outside 95 % only, in the colour of theirs.
        struct Box {
            int x1, y1, x2, y2;
        };
        std::vector<Box> placed;
        for (const int level : {2, 1}) {
            font.color = level == 2 ? kLimit998 : kLimit95;
            s.setFont(font);
            for (const auto& c : f.centres) {
                if (c.n == 0 || std::abs(c.position) != level || c.centre == chosen) continue;
                const std::string t = std::to_string(c.centre);
                const Box bx{px(c.n) + r + 1, py(100.0 * c.x / c.n) - iround(u * 0.6), 0, 0};
                const Box box{bx.x1, bx.y1, bx.x1 + iround(u * 0.6 * double(t.size())), bx.y1 + iround(u * 1.1)};
                const bool covers = std::any_of(placed.begin(), placed.end(), [&](const Box& o) {
                    return box.x1 < o.x2 && o.x1 < box.x2 && box.y1 < o.y2 && o.y1 < box.y2;
                });
                if (covers) continue;
                placed.push_back(box);
                s.text(box.x1, box.y1, t);
            }
        }
    }
    if (mine) {
        const int x = px(mine->n), y = py(100.0 * mine->x / mine->n), rr = r * 2 + 1;
        s.setBrush(kChosen);
        s.fillRect(x - rr, y - rr, x + rr + 1, y + rr + 1);
        font.color = kChosen;
        font.bold = true;
        s.setFont(font);
        // Its number on the side where it stays within the chart.
        const std::string t = std::to_string(mine->centre);
        const int w = iround(u * 0.6 * double(t.size()));
        s.text(x + rr + 2 + w <= b.left + b.width ? x + rr + 2 : x - rr - 2 - w, y - iround(u * 0.6), t);
    }

    if (!b.legend) return;
    font.color = colors::Black;
    font.bold = false;
    s.setFont(font);
    const int ly = b.top + b.height - iround(u * 2.6), lx = b.left + iround(u);
    auto mark = [&](int x, int y, Rgb c, bool dot) {
        if (dot) {
            s.setBrush(c);
            s.fillRect(x + iround(u * 0.6) - r * 2, y - r * 2, x + iround(u * 0.6) + r * 2 + 1, y + r * 2 + 1);
        } else {
            s.setPen(c);
            s.line(x, y, x + iround(u * 1.4), y);
            s.line(x, y + 1, x + iround(u * 1.4), y + 1);
        }
    };
    const int mid = iround(u * 0.55), col = (b.width - iround(u * 2)) / 3, row = iround(u * 1.3);
    auto entry = [&](int c, int rw, Rgb colour, bool dot, const std::string& text) {
        mark(lx + c * col, ly + rw * row + mid, colour, dot);
        s.text(lx + c * col + iround(u * 1.8), ly + rw * row, text);
    };
    entry(0, 0, kCountry, false, "Pays (" + percentText(f.target) + " %)");
    entry(0, 1, kCentre, true, "Un centre");
    entry(1, 0, kLimit95, false, "Limites à 95 %");
    entry(1, 1, kLimit998, false, "Limites à 99,8 %");
    if (chosen > 0) entry(2, 0, kChosen, true, "Centre " + std::to_string(chosen));
}

}  // namespace pelo::ref
