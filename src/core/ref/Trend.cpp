#include "ref/Trend.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "pool/VariabilityList.h"
#include "ref/ChartAxes.h"
#include "ref/Funnel.h"

namespace pelo::ref {

std::vector<TrendRow> trendRows(const std::vector<StoredSynthesis>& all, std::int32_t centre) {
    std::vector<TrendRow> out;
    for (int line : bandLines()) {
        const auto k = std::size_t(pool::counterOfLine(line));
        TrendRow r;
        r.line = line;
        r.label = trimSpaces(pool::variabilityLabel(line));
        for (const auto& s : all) {
            r.country.push_back(percentOf(s.records.at(0).counters[k], s.index.totalFibs()));
            if (centre <= 0) continue;
            const auto* c = s.centre(centre);
            r.centre.push_back(c ? std::optional<Percent>(percentOf(c->counters[k], c->NbFichesCentre & 0xFFFF))
                                 : std::nullopt);
        }
        out.push_back(std::move(r));
    }
    return out;
}

std::string seriesOf(const std::string& name) {
    std::string out;
    for (char c : name)
        if (c < '0' || c > '9') out += char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string otherSeries(const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (seriesOf(n) != seriesOf(names.front())) return n;
    return {};
}

std::string campaignName(const std::string& name) {
    std::string s = name.substr(0, name.find_last_of('.'));
    if (s.size() > 3) {
        std::string head = s.substr(0, 3);
        std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        if (head == "SYN") s = s.substr(3);
    }
    return s;
}

void drawTrend(Surface& s, const TrendRow& row, const std::vector<std::string>& campaigns, std::int32_t centre,
               const ChartBox& b) {
    const double u = b.fontSize * b.unitsPerPoint;
    const int x0 = b.left + static_cast<int>(std::lround(u * 3.5)), x1 = b.left + b.width - static_cast<int>(u * 2);
    const int y0 = b.top + static_cast<int>(std::lround(u * 2.6));
    const int y1 = b.top + b.height - static_cast<int>(std::lround(u * 3.2));
    double top = 0;
    for (const auto& p : row.country) top = std::max(top, p.value());
    for (const auto& p : row.centre)
        if (p) top = std::max(top, p->value());
    double axis = 100;
    for (double v : {1.0, 2.0, 5.0, 10.0, 20.0, 30.0, 40.0, 50.0, 60.0, 80.0})
        if (top <= v) {
            axis = v;
            break;
        }
    const std::size_t n = campaigns.size();
    auto px = [&](std::size_t i) {
        // Each campaign in the middle of its share of the axis.
        return x0 +
               static_cast<int>(std::lround(double(x1 - x0) * (double(i) + 0.5) / double(std::max<std::size_t>(n, 1))));
    };
    auto py = [&](double pct) { return y1 - static_cast<int>(std::lround(double(y1 - y0) * pct / axis)); };

    drawChartTitle(s, b, row.label);
    drawValueAxis(s, {x0, y0, x1, y1, axis, 4, false, 0}, py, [&](double pct, int y) {
        const std::string t = percentText(pct / 100);
        s.text(x0 - static_cast<int>(u * 0.5 * double(t.size() + 1)), y - static_cast<int>(u * 0.5), t);
    });
    s.text(x0 - static_cast<int>(u * 3.2), y0 - static_cast<int>(u * 1.4), "%");
    for (std::size_t i = 0; i < n; ++i) {
        const std::string name = campaignName(campaigns[i]);
        s.text(px(i) - static_cast<int>(u * 0.25 * double(name.size())), y1 + static_cast<int>(u * 0.4), name);
    }

    const int r = std::max(2, static_cast<int>(u * 0.25));
    auto series = [&](Rgb colour, auto valueAt) {
        s.setPen(colour);
        s.setBrush(colour);
        std::optional<std::pair<int, int>> prev;
        for (std::size_t i = 0; i < n; ++i) {
            const std::optional<double> v = valueAt(i);
            if (!v) {
                prev.reset();
                continue;
            }
            const int x = px(i), y = py(*v);
            if (prev) {
                s.line(prev->first, prev->second, x, y);
                s.line(prev->first, prev->second + 1, x, y + 1);
            }
            s.fillRect(x - r, y - r, x + r + 1, y + r + 1);
            prev = {x, y};
        }
    };
    series(colors::Blue, [&](std::size_t i) -> std::optional<double> {
        return i < row.country.size() ? std::optional<double>(row.country[i].value()) : std::nullopt;
    });
    if (centre > 0)
        series(colors::Red, [&](std::size_t i) -> std::optional<double> {
            if (i >= row.centre.size() || !row.centre[i]) return std::nullopt;
            return row.centre[i]->value();
        });

    // Legend under the axis.
    const int ly = b.top + b.height - static_cast<int>(std::lround(u * 1.4));
    s.setBrush(colors::Blue);
    s.fillRect(x0, ly + r, x0 + r * 4, ly + r * 3);
    s.text(x0 + r * 5, ly, "Pays");
    if (centre > 0) {
        s.setBrush(colors::Red);
        const int cx = x0 + static_cast<int>(u * 6);
        s.fillRect(cx, ly + r, cx + r * 4, ly + r * 3);
        s.text(cx + r * 5, ly, "Centre " + std::to_string(centre));
    }
}

}  // namespace pelo::ref
