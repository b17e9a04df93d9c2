#include "ref/ComparisonChart.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "pool/VariabilityList.h"
#include "ref/ChartAxes.h"
#include "store/Text.h"

namespace pelo::ref {

const char* const kAdjustedLegend =
    "Pourcentages ajustés sur le type, le sexe, l'âge et l'ancienneté du diabète ; limites élargies pour la "
    "dispersion entre centres.";

namespace {

using namespace funnelColours;

int iround(double v) { return static_cast<int>(std::lround(v)); }

// The chart's frame inside its box, shared by the drawing and the points.
struct Frame {
    int x0, x1, y0, y1;
    double xEnd, yTop;
    int px(double n) const { return x0 + iround((x1 - x0) * n / xEnd); }
    int py(double pct) const { return y1 - iround((y1 - y0) * std::clamp(pct, 0.0, yTop) / yTop); }
};

Frame frameOf(const IndicatorComparison& ind, const ChartBox& b) {
    const double u = b.fontSize * b.unitsPerPoint;
    Frame f{b.left + iround(u * 4),
            b.left + b.width - iround(u),
            b.top + iround(u * 2.2),
            b.top + b.height - iround(u * (b.legend ? 6.2 : 2.6)),
            1,
            100};
    std::uint32_t most = 1;
    for (const auto& c : ind.centres) most = std::max(most, c.n);
    f.xEnd = most;
    double top = 100 * ind.t;
    for (const auto& c : ind.centres)
        if (c.adjusted()) top = std::max(top, ind.adjustedPercent(c.y));
    top = std::max(top, ind.shownLimit(ind.curveAt(std::max(1.0, f.xEnd / 20)).hi998));
    f.yTop = 100;
    for (double v : {10.0, 20.0, 30.0, 40.0, 50.0, 60.0, 80.0})
        if (top <= v) {
            f.yTop = v;
            break;
        }
    return f;
}

std::uint32_t tickStep(std::uint32_t end) {
    for (std::uint32_t p = 1;; p *= 10)
        for (std::uint32_t m : {10u, 20u, 25u, 50u})
            if (m * p / 10 * 5 >= end) return std::max(1u, m * p / 10);
}

std::string comma(std::string t) {
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

}  // namespace

std::vector<ChartPoint> comparisonPoints(const IndicatorComparison& ind, const ChartBox& box) {
    const Frame f = frameOf(ind, box);
    std::vector<ChartPoint> out;
    for (const auto& c : ind.centres)
        if (c.adjusted()) out.push_back({c.centre, f.px(c.n), f.py(ind.adjustedPercent(c.y))});
    return out;
}

std::uint16_t centreNear(const std::vector<ChartPoint>& points, int x, int y, int reach) {
    std::uint16_t best = 0;
    long bestDistance = long(reach) * reach + 1;
    for (const auto& p : points) {
        const long d = long(p.x - x) * (p.x - x) + long(p.y - y) * (p.y - y);
        if (d < bestDistance) {
            bestDistance = d;
            best = p.centre;
        }
    }
    return best;
}

void drawComparisonFunnel(Surface& s, const IndicatorComparison& ind, std::int32_t chosen, const ChartBox& b) {
    const double u = b.fontSize * b.unitsPerPoint;
    const Frame f = frameOf(ind, b);
    FontSpec font = drawChartTitle(s, b, std::string(ind.info().label) + " (ajusté)");
    drawValueAxis(
        s, {f.x0, f.y0, f.x1, f.y1, f.yTop, 5, true, iround(u * 0.3)}, [&f](double v) { return f.py(v); },
        [&](double pct, int y) {
            const std::string t = std::to_string(iround(pct));
            s.text(f.x0 - iround(u * 0.5) - iround(u * 0.45 * double(t.size())), y - iround(u * 0.5), t);
        });
    const std::uint32_t step = tickStep(static_cast<std::uint32_t>(f.xEnd));
    for (std::uint32_t n = 0; n <= f.xEnd; n += step) {
        const int x = f.px(n);
        s.line(x, f.y1, x, f.y1 + iround(u * 0.3));
        const std::string nt = std::to_string(n);
        s.text(x - iround(u * 0.22 * double(nt.size())), f.y1 + iround(u * 0.4), nt);
    }
    s.text(f.x0 - iround(u * 3.8), f.y0 - iround(u * 1.2), "%");
    const std::string axis = "Fiches éligibles du centre";
    s.text(f.x1 - iround(u * 0.45 * double(utf8Length(axis))), f.y1 + iround(u * 1.3), axis);

    // The country's line, then the limits of a centre whose patients are like the country's.
    s.setPen(kCountry);
    s.line(f.x0, f.py(100 * ind.t), f.x1, f.py(100 * ind.t));
    constexpr int kSteps = 48;
    std::array<std::array<int, kSteps + 1>, 4> ys{};
    std::array<int, kSteps + 1> xs{};
    for (int i = 0; i <= kSteps; ++i) {
        const double q = double(i) / kSteps;
        const double n = std::max(1.0, std::round(f.xEnd * q * q));
        const RatioLimits l = ind.curveAt(n);
        xs[std::size_t(i)] = f.px(n);
        ys[0][std::size_t(i)] = f.py(ind.shownLimit(l.lo998));
        ys[1][std::size_t(i)] = f.py(ind.shownLimit(l.lo95));
        ys[2][std::size_t(i)] = f.py(ind.shownLimit(l.hi95));
        ys[3][std::size_t(i)] = f.py(ind.shownLimit(l.hi998));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        s.setPen(k == 1 || k == 2 ? kLimit95 : kLimit998);
        for (std::size_t i = 1; i <= kSteps; ++i) {
            if (xs[i] == xs[i - 1] && ys[k][i] == ys[k][i - 1]) continue;
            s.line(xs[i - 1], ys[k][i - 1], xs[i], ys[k][i]);
        }
    }

    const int r = std::max(1, iround(u * 0.18));
    const ChartPoint* mine = nullptr;
    const auto points = comparisonPoints(ind, b);
    s.setBrush(kCentre);
    for (const auto& p : points) {
        if (p.centre == chosen) {
            mine = &p;
            continue;
        }
        s.fillRect(p.x - r, p.y - r, p.x + r + 1, p.y + r + 1);
    }
    if (mine) {
        const int rr = r * 2 + 1;
        s.setBrush(kChosen);
        s.fillRect(mine->x - rr, mine->y - rr, mine->x + rr + 1, mine->y + rr + 1);
        font.color = kChosen;
        font.bold = true;
        s.setFont(font);
        s.text(mine->x + rr + 2, mine->y - iround(u * 0.6), std::to_string(mine->centre));
        font.bold = false;
    }
    if (!b.legend) return;
    font.color = colors::Black;
    s.setFont(font);
    const int ly = b.top + b.height - iround(u * 3.9), lx = b.left + iround(u);
    const int col = (b.width - iround(u * 2)) / 3, row = iround(u * 1.3), mid = iround(u * 0.55);
    auto entry = [&](int c, int rw, Rgb colour, const std::string& text) {
        s.setPen(colour);
        s.line(lx + c * col, ly + rw * row + mid, lx + c * col + iround(u * 1.4), ly + rw * row + mid);
        s.text(lx + c * col + iround(u * 1.8), ly + rw * row, text);
    };
    entry(0, 0, kCountry, "Pays (" + ind.crude().text() + " %)");
    entry(1, 0, kLimit95, "Limites à 95 %");
    entry(2, 0, kLimit998, "Limites à 99,8 %");
    s.text(lx, ly + row, kAdjustedLegend);
}

const CentreComparison* centreOf(const IndicatorComparison& ind, std::uint16_t centre) {
    const auto it = std::lower_bound(ind.centres.begin(), ind.centres.end(), centre,
                                     [](const CentreComparison& c, std::uint16_t n) { return c.centre < n; });
    return it != ind.centres.end() && it->centre == centre ? &*it : nullptr;
}

std::vector<std::uint16_t> comparedCentres(const Comparison& c) {
    std::vector<std::uint16_t> out;
    for (const auto& ind : c.indicators)
        for (const auto& cc : ind.centres) out.push_back(cc.centre);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::string comparisonCell(const IndicatorComparison& ind, const CentreComparison& c) {
    if (!c.adjusted()) return c.crude().text() + " (brut)";
    std::string out = decimalText(ind.adjustedPercent(c.y), 1);
    const int a = std::abs(c.position);
    if (a == 2) out += " **";
    if (a == 1) out += " *";
    const int j = ind.judgement(c);
    if (j != 0) out += std::string(" ") + judgementWords(j);
    return out;
}

std::string comparisonCsv(const Comparison& c) {
    std::string out = "\xEF\xBB\xBF";
    out += csvField(
               "Comparaison des centres, ajustée sur le type, le sexe, l'âge et l'ancienneté du diabète : "
               "année " +
               std::to_string(c.year) + ", " + std::to_string(c.fibs) + " fiches") +
           "\r\n";
    out +=
        "Centre;Indicateur;Libellé;Fiches;Événements;Attendus;Brut;Ajusté;z;Limite basse 95 %;Limite haute 95 %;"
        "Limite basse 99,8 %;Limite haute 99,8 %;Position;Jugement\r\n";
    for (std::uint16_t centre : comparedCentres(c))
        for (const auto& ind : c.indicators) {
            const CentreComparison* cc = centreOf(ind, centre);
            if (!cc) continue;
            out += std::to_string(centre) + ";" + std::to_string(ind.number) + ";" + csvField(ind.info().label) + ";" +
                   std::to_string(cc->n) + ";" + std::to_string(cc->o) + ";" + comma(decimalText(cc->e, 3)) + ";" +
                   comma(cc->crude().text()) + ";";
            if (cc->adjusted()) {
                const auto& l = cc->limits;
                out += comma(decimalText(ind.adjustedPercent(cc->y), 1)) + ";" + comma(decimalText(cc->z, 3));
                for (double v : {l.lo95, l.hi95, l.lo998, l.hi998})
                    out += ";" + comma(decimalText(ind.shownLimit(v), 1));
            } else {
                out += ";;;;;";
            }
            out += ";" + std::to_string(cc->position) + ";" + judgementWords(ind.judgement(*cc)) + "\r\n";
        }
    return out;
}

std::string campaignTitle(const std::string& poolName, std::int32_t year) {
    const std::string country = trimSpaces(pool::countryOf(poolName));
    std::string out;
    for (std::size_t i = 0; i < country.size(); ++i)
        out += i == 0 ? country[i] : char(std::tolower(static_cast<unsigned char>(country[i])));
    return out + " " + std::to_string(year);
}

PrintDocument comparisonPrintout(const Comparison& c, int indicator, std::int32_t chosen, const std::string& campaign) {
    const auto& ind = c.indicators[std::size_t(std::clamp(indicator, 1, kCareIndicatorCount) - 1)];
    PrintDocument doc;
    doc.title = "Comparaison-" + campaign + "-indicateur" + std::to_string(ind.number);
    std::replace(doc.title.begin(), doc.title.end(), ' ', '-');
    doc.pages.emplace_back();
    DrawList& p = doc.pages.back();
    FontSpec title;
    title.size = 14;
    title.bold = true;
    title.color = colors::Navy;
    p.setFont(title);
    p.text(150, 130, "Comparaison des centres – " + campaign);
    FontSpec plain;
    plain.size = 10;
    p.setFont(plain);
    p.text(150, 230,
           std::string(ind.info().label) + " : " + std::to_string(ind.o) + " sur " + std::to_string(ind.n) +
               " fiches éligibles (" + ind.crude().text() + " %), " + std::to_string(ind.centres.size()) + " centres");
    const ChartBox box = printedFunnelBox();
    drawComparisonFunnel(p, ind, chosen, box);
    // The centres of the indicator, 50 a page.
    constexpr int kRows = 50;
    for (std::size_t first = 0; first < ind.centres.size(); first += kRows) {
        doc.pages.emplace_back();
        DrawList& t = doc.pages.back();
        t.setFont(title);
        t.text(150, 130, std::string(ind.info().label) + " – " + campaign);
        FontSpec head = plain;
        head.bold = true;
        t.setFont(head);
        const int cols[] = {150, 450, 700, 1000, 1300, 1750};
        const char* titles[] = {"Centre", "Fiches", "Brut", "Ajusté", "Limites 99,8 %", "Position"};
        for (std::size_t i = 0; i < std::size(cols); ++i) t.text(cols[i], 260, titles[i]);
        for (std::size_t k = first; k < std::min(ind.centres.size(), first + kRows); ++k) {
            const auto& cc = ind.centres[k];
            const int y = 330 + int(k - first) * 58;
            const int j = ind.judgement(cc);
            FontSpec row = plain;
            row.color = j > 0 ? colors::Green : j < 0 ? colors::Red : colors::Black;
            t.setFont(row);
            t.text(cols[0], y, std::to_string(cc.centre));
            t.text(cols[1], y, std::to_string(cc.n));
            t.text(cols[2], y, cc.crude().text() + " %");
            t.text(cols[3], y, cc.adjusted() ? decimalText(ind.adjustedPercent(cc.y), 1) + " %" : "-");
            t.text(cols[4], y,
                   cc.adjusted() ? decimalText(ind.shownLimit(cc.limits.lo998), 1) + " – " +
                                       decimalText(ind.shownLimit(cc.limits.hi998), 1)
                                 : "-");
            t.text(cols[5], y, judgementWords(j));
        }
    }
    return doc;
}

}  // namespace pelo::ref
