#include "ref/References.h"

#include <algorithm>
#include <cmath>

#include "eval/Charts.h"
#include "store/Text.h"

namespace pelo::ref {

const std::array<Reference, kReferenceCount> kReferences{{
    {"Button12", "Synthèse  FRANCE 97", "SynFr97.Atx", "France 1997"},
    {"Button11", "Synthèse  Hopitaux", "SynHopi.Atx", "Hopitaux 1997"},
    {"Button10", "Synthèse  Libéraux", "SynLibe.Atx", "Libéraux 1997"},
    {"Button9", "Synthèse  Type 1", "SynTyp1.Atx", "Diabète Type 1"},
    {"Button8", "Synthèse  Type 2", "SynTyp2.Atx", "Diabète Type 2"},
    {"Button7", "Synthèse  Hommes", "SynHomm.Atx", "Hommes 1997"},
    {"Button6", "Synthèse  Femmes", "SynFemm.Atx", "Femmes 1997"},
    {"Button5", "Hopitaux et Type 1", "SynHoT1.Atx", "Hopitaux Type 1"},
    {"Button4", "Libéraux et Type 1", "SynLiT1.Atx", "Libéraux Type 1"},
    {"Button3", "Hopitaux et Type 2", "SynHoT2.Atx", "Hopitaux Type 2"},
    {"Button2", "Libéraux et Type 2", "SynLiT2.Atx", "Libéraux Type 2"},
    {"Button13", "Synthèse  VENEZUELA  98", "SynVz98.Atx", "Vénézuela 1998"},
    {"Button14", "Synthèse  VENEZUELA  97", "SynVz97.Atx", "Vénézuela 1997"},
    {"Button15", "Synthèse  ARGENTINA  97", "SynAg97.Atx", "Argentina 1997"},
    {"BFr93", "FRANCE 93", "SynFr93.Atx", "France 1993"},
    {"BFr94", "FRANCE 94", "SynFr94.Atx", "France 1994"},
    {"BFr95", "FRANCE 95", "SynFr95.Atx", "France 1995"},
    {"BFr96", "FRANCE 96", "SynFr96.Atx", "France 1996"},
}};

std::string titleOf(std::string_view name) {
    const auto dot = name.find('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::vector<CentreCount> chartOrder(const std::vector<CentreCount>& centres) {
    std::vector<CentreCount> out;
    out.reserve(centres.size());
    for (const auto& c : centres) {
        auto pos = std::upper_bound(out.begin(), out.end(), c,
                                    [](const CentreCount& a, const CentreCount& b) { return a.count > b.count; });
        out.insert(pos, c);
    }
    return out;
}

// GCC 12 at -O3 sees an overlapping copy when a text is put before a string (a known false positive).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
std::string centreItem(std::uint16_t centre, std::uint16_t count) {
    return " " + std::to_string(centre) + "   -   " + std::to_string(count) + " ";
}
#pragma GCC diagnostic pop

bool readCentreItem(std::string_view item, std::int32_t& centre, std::int32_t& count) {
    std::size_t i = 0;
    auto skip = [&](char c) {
        while (i < item.size() && item[i] == c) ++i;
    };
    auto number = [&](std::int32_t& out) {
        const std::size_t b = i;
        std::int64_t v = 0;
        while (i < item.size() && item[i] >= '0' && item[i] <= '9' && i - b < 6) v = v * 10 + (item[i++] - '0');
        out = static_cast<std::int32_t>(v);
        return i > b && (i == item.size() || item[i] == ' ');
    };
    skip(' ');
    if (!number(centre)) return false;
    skip(' ');
    skip('-');
    skip(' ');
    return number(count);
}

// The same false positive of GCC 12 as centreItem's.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
std::string centresSummary(std::uint16_t centres, std::uint16_t total) {
    return " " + std::to_string(centres) + " Ctr - " + " " + std::to_string(total) + " Fib";
}
#pragma GCC diagnostic pop

namespace {
using eval::outlined;
using eval::textOn;

int nearest(double x) { return int(roundHalfEven(x)); }

std::uint16_t maxCount(const std::vector<CentreCount>& bars) {
    std::uint16_t m = 0;
    for (const auto& b : bars) m = std::max(m, b.count);
    return m;
}
}  // namespace

namespace {
// The screen chart's geometry: bar i (1-based) from x(i) + 140 to x(i) + 210
// on the base line 350; bars overlap when there are many centres.
constexpr int kRecordsBase = 350;
double recordsStep(std::size_t n) { return 530.0 / double(n + 1); }
int recordsBarLeft(double w, int i) { return nearest(w * i - w * 0.5) + 140; }
int selectedIndex(const std::vector<CentreCount>& bars, std::int32_t selected) {
    if (selected <= 0) return 0;
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (bars[i].centre == selected) return int(i) + 1;
    return 0;
}
}  // namespace

int recordsLabelStep(const std::vector<CentreCount>& bars) {
    std::size_t digits = 1;
    for (const auto& b : bars) digits = std::max(digits, std::to_string(b.centre).size());
    // A label is 7 pixels a character plus 2, and wants 4 more between two.
    const double room = recordsStep(bars.size());
    return std::max(1, int(std::ceil((7.0 * double(digits) + 6.0) / room)));
}

void drawRecordsChart(Surface& s, const std::vector<CentreCount>& bars, std::int32_t selected) {
    s.setFont(eval::boldFont(9, colors::Black));
    s.setBrush(colors::Aqua);
    s.setPen(colors::Aqua);
    const int n = int(bars.size());
    if (n == 0) {
        textOn(s, 280, 200, "Aucun centre", colors::Aqua);
        textOn(s, 280, 378, "Nombre de fiches par centre", colors::Aqua);
        return;
    }
    const double w = recordsStep(bars.size());
    const int y0 = kRecordsBase;
    const int m = maxCount(bars);
    const int scale = m == 0 ? 0 : (350 - 100) * 10 / m;
    auto height = [&](int k) { return k * scale / 10; };
    textOn(s, nearest(w * 0.5) + 150, y0 - height(bars[0].count) - 25, std::to_string(bars[0].count) + " Fib",
           colors::Aqua);
    const int sel = selectedIndex(bars, selected);
    for (int i = 1; i <= n; ++i) {
        if (i == sel) continue;  // drawn last, over its neighbours
        const CentreCount& b = bars[std::size_t(i - 1)];
        const int g = nearest(255.0 * i / n);
        s.setBrush(Rgb{10, static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(255 - g)});
        const int x = recordsBarLeft(w, i);
        outlined(s, x, y0 - height(b.count), x + 70, y0);
    }
    if (sel > 0) {
        const CentreCount& b = bars[std::size_t(sel - 1)];
        const int x = recordsBarLeft(w, sel);
        const int top = y0 - height(b.count);
        s.setBrush(colors::Red);
        outlined(s, x, top, x + 70, y0);
        // A yellow frame two pixels wide, so that the bar stands out among the blue ones.
        s.setPen(colors::Yellow);
        for (int d = 0; d < 2; ++d) {
            s.line(x - d, top - d, x + 70 + d, top - d);
            s.line(x + 70 + d, top - d, x + 70 + d, y0);
            s.line(x - d, y0, x - d, top - d);
        }
        s.setPen(colors::Aqua);
    }
    // The centre numbers under their bars: every k-th one when they would touch.
    const int step = recordsLabelStep(bars);
    const double visible = std::min(w, 70.0);
    auto labelOf = [&](int i) { return std::to_string(bars[std::size_t(i - 1)].centre); };
    auto labelLeft = [&](int i, double mid) { return nearest(mid - (7.0 * double(labelOf(i).size()) + 2.0) / 2); };
    s.setFont(eval::boldFont(8, colors::White));
    for (int i = 1; i <= n; ++i) {
        if (i == sel || (i - 1) % step != 0) continue;
        textOn(s, labelLeft(i, recordsBarLeft(w, i) + visible / 2), y0 + 3, labelOf(i), colors::Navy);
    }
    // The chosen centre's number over the middle of its bar, where it hides
    // no other number (above the count of the first or last bar, for those).
    if (sel > 0) {
        const int top = y0 - height(bars[std::size_t(sel - 1)].count);
        const int width = int(labelOf(sel).size()) * 7 + 2;
        const int left = std::clamp(labelLeft(sel, recordsBarLeft(w, sel) + 35.0), 0, 800 - width);
        textOn(s, left, top - (sel == 1 || sel == n ? 42 : 17), labelOf(sel), colors::Red);
    }
    s.setFont(eval::boldFont(9, colors::Black));
    textOn(s, nearest(w * (n + 1)) + 200, y0 - height(bars.back().count) - 25,
           std::to_string(bars.back().count) + " Fib", colors::Aqua);
    textOn(s, 280, 378, "Nombre de fiches par centre", colors::Aqua);
}

int recordsBarAt(const std::vector<CentreCount>& bars, std::int32_t selected, int x) {
    const int n = int(bars.size());
    if (n == 0) return -1;
    const double w = recordsStep(bars.size());
    const int sel = selectedIndex(bars, selected);
    // The chosen bar is on top of the others.
    if (sel > 0) {
        const int left = recordsBarLeft(w, sel);
        if (x >= left && x < left + 70) return sel - 1;
    }
    // Otherwise the last bar drawn over x: the one of highest rank that covers it.
    for (int i = n; i >= 1; --i) {
        const int left = recordsBarLeft(w, i);
        if (x >= left && x < left + 70) return i - 1;
    }
    return -1;
}

PrintDocument recordsPrintout(std::string_view title, std::string_view fileTag, const std::vector<CentreCount>& bars,
                              std::int32_t selected) {
    PrintDocument doc;
    doc.title = "Fiches-par-centre-" + titleOf(fileTag);
    if (selected > 0) doc.title += "-centre" + std::to_string(selected);
    doc.pages.emplace_back();
    DrawList& p = doc.pages.back();
    FontSpec f;
    f.size = 12;
    p.setFont(f);
    p.text(1000, 150, std::string(title));
    f.size = 10;
    p.setFont(f);
    p.text(900, 370, "Nombre de fiches par centre");
    const int n = int(bars.size());
    if (n == 0) {
        p.text(900, 1000, "Aucun centre");
        return doc;
    }
    const double w = 2000.0 / (n + 1);
    const int y0 = 2300;
    const int m = maxCount(bars);
    const int scale = m == 0 ? 0 : 17000 / m;
    auto height = [&](int k) { return k * scale / 10; };
    p.setPen(colors::Black);
    p.text(nearest(w * 0.5) + 150, y0 - height(bars[0].count) - 60, std::to_string(bars[0].count) + " Fib");
    for (int i = 1; i <= n; ++i) {
        const CentreCount& b = bars[std::size_t(i - 1)];
        const int x = nearest(w * i - w * 0.5);
        if (selected > 0 && b.centre == selected) {
            p.text(x + 100, y0 + 15, std::to_string(b.count) + " Fib");
            p.text(x + 100, y0 + 70, "Centre : " + std::to_string(selected));
            p.setBrush(colors::Black);
        } else {
            p.setBrush(colors::White);
        }
        outlined(p, x + 100, y0 - height(b.count), x + 300, y0);
    }
    // The chosen centre is named once, under its bar.
    p.text(nearest(w * (n + 1)) + 300, y0 - height(bars.back().count) - 60, std::to_string(bars.back().count) + " Fib");
    return doc;
}

std::string comparisonPercent(std::uint32_t count, std::uint32_t total) {
    // Appended rather than " " + text: GCC 12 at -O3 reports a false overlapping
    // copy (-Wrestrict) when a literal is put before a temporary string.
    std::string s = " ";
    s += percentOf(count, total).alignedText();
    s += " %";
    return s;
}

void fillComparison(ComparisonGrid& g, int r, const ReferenceTotals& t) {
    if (r < 0 || r > 2) return;
    // The HbA1c section of the band table, with the comparison's labels.
    const eval::Section& hba1c = eval::kSections[0];
    const int col = r * 3;
    g[0][std::size_t(col + 1)] = std::to_string(t.total);
    g[1][8] = eval::headingOf(hba1c, eval::LabelUse::Comparison);
    for (int k = 0; k < hba1c.size; ++k) {
        const eval::Band& b = hba1c.bands[std::size_t(k)];
        auto& row = g[std::size_t(k + 2)];
        row[8] = std::string("      ") + eval::labelOf(b, eval::LabelUse::Comparison);
        row[std::size_t(col)] = "  " + std::to_string(t.counts[b.counter]);
        row[std::size_t(col + 1)] = comparisonPercent(t.counts[b.counter], t.total);
    }
}

std::array<std::int64_t, kIndicatorCount> indicatorTenths(const eval::BandCounts& c, std::uint32_t d) {
    std::array<std::int64_t, kIndicatorCount> out{};
    for (int i = 0; i < kIndicatorCount; ++i)
        out[std::size_t(i)] = eval::objectiveTenths(eval::kObjectives[std::size_t(i)], c, d);
    return out;
}

void drawIndicators(Surface& s, std::string_view title, const std::array<std::int64_t, kIndicatorCount>& country,
                    const std::optional<std::array<std::int64_t, kIndicatorCount>>& centre, std::int32_t centreNumber) {
    // Nine rows, one per indicator: the ideal as a thin green bar, the country
    // in blue and the centre in red, 3 pixels per percent from x 230. Each bar
    // has a band of 12 pixels of its own, its value written just after its end
    // on the band's top line, so that no value hides under a bar or touches another.
    constexpr int x0 = 230, rowHeight = 40, top = 70, band = 12;  // 4 pixels between rows
    FontSpec f = eval::boldFont(10, colors::Navy);
    s.setFont(f);
    s.setPen(colors::Navy);
    s.text(20, 15, std::string(title));
    f.size = 8;
    s.setFont(f);
    s.setBrush(colors::Green);
    s.fillRect(230, 45, 242, 57);
    s.text(246, 43, "Idéal");
    s.setBrush(colors::Blue);
    s.fillRect(300, 45, 312, 57);
    s.text(316, 43, "Pays");
    if (centre) {
        s.setBrush(colors::Red);
        s.fillRect(370, 45, 382, 57);
        s.text(386, 43, "Centre " + std::to_string(centreNumber));
    }
    s.line(x0, top - 4, x0, top + kIndicatorCount * rowHeight);
    for (int i = 0; i < kIndicatorCount; ++i) {
        const int y = top + i * rowHeight;
        f.size = 9;
        s.setFont(f);
        s.text(10, y + 12, eval::kObjectives[std::size_t(i)].name);
        auto bar = [&](int k, int inset, std::int64_t tenths, Rgb colour) {
            // A bar never runs past 100 % (a corrupt counter could say more).
            const int len = int(Percent{std::min<std::int64_t>(tenths, 1000) * 3, 10}.rounded());
            const int b = y + k * band;
            s.setBrush(colour);
            s.fillRect(x0, b + inset, x0 + len, b + band - inset);
            s.text(x0 + len + 6, b, Percent{tenths * 10, 100}.text() + " %");
        };
        f.size = 8;
        s.setFont(f);
        bar(0, 4, eval::kObjectives[std::size_t(i)].ideal * 10, colors::Green);
        bar(1, 1, country[std::size_t(i)], colors::Blue);
        if (centre) bar(2, 1, (*centre)[std::size_t(i)], colors::Red);
    }
}

}  // namespace pelo::ref
