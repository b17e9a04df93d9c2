#include "pool/Variability.h"

#include <algorithm>
#include <map>

#include "store/Text.h"

namespace pelo::pool {

using eval::kLineCount;
using eval::kSections;
using eval::LineInfo;

std::string countryOf(std::string_view name) {
    const std::string_view pair = name.size() >= 5 ? name.substr(3, 2) : std::string_view{};
    if (pair == "Fr") return "      FRANCE ";
    if (pair == "Vz") return "    VENEZUELA";
    if (pair == "Ag") return "    ARGENTINE";
    if (pair == "Sp") return "      ESPAGNE";
    if (pair == "Ch") return "      SUISSE ";
    return "    PAYS";
}

std::string variabilityPart(std::uint32_t c, std::uint32_t d) {
    const Percent p = percentOf(c, d);
    const std::int64_t r = p.rounded();
    std::string s = "  ";
    if (c < 1000) s += "  ";
    if (c < 100) s += "  ";
    if (c < 10) s += "  ";
    s += std::to_string(c);
    s += "  ";
    if (r < 100) s += "  ";
    if (r < 10) s += "  ";
    s += p.text();
    return s;
}

namespace {
// The list of this window writes some labels of the centre synthesis with
// more room around the signs, and counter 176 is the waist here.
const std::map<int, const char*>& labelOverrides() {
    static const std::map<int, const char*> m{
        {0, "Hb < 6.5"},          {1, "Hb 6.5 à < 8"},     {2, "Hb 8 à < 10"},        {3, "Hb 10 à < 12"},
        {4, "Hb >= 12"},          {5, "TA < 140/90"},      {6, "TA < 160/100"},       {7, "TA > 160/100"},
        {8, "BMI < 25"},          {10, "BMI > 30"},        {11, "Chol. < 6.5"},       {13, "Chol. > 7.5"},
        {14, "Trigly < 1.8"},     {16, "Trigly > 2.5"},    {17, "Micro < 30"},        {19, "Micro > 300"},
        {25, "Age <= 35"},        {28, "Age >= 76"},       {32, "Groupe 1"},          {33, "Groupe 2"},
        {34, "Groupe 3"},         {37, "Durée < 5 ans"},   {40, "Durée > 15 ans"},    {141, "Inib. Gluco"},
        {142, "Inib. Gluco"},     {143, "Thiazo."},        {144, "Thiazo."},          {176, "Pas de tour de taille"},
    };
    return m;
}

std::string bandLabel(int counter, const char* fallback) {
    const auto& m = labelOverrides();
    auto it = m.find(counter);
    return it == m.end() ? std::string(fallback) : std::string(it->second);
}
}  // namespace

std::string variabilityLabel(int line) {
    if (line < 2 || line >= kLineCount) return {};
    const LineInfo& li = eval::lineTable()[std::size_t(line)];
    if (li.kind == LineInfo::Heading) return li.section == 0 ? " HbA1C      " : kSections[li.section].heading;
    if (li.kind == LineInfo::BandLine) {
        const auto& b = kSections[li.section].bands[li.band];
        return "      " + bandLabel(b.counter, b.label);
    }
    return " ";
}

int counterOfLine(int line) {
    if (line < 0 || line >= kLineCount) return -1;
    const LineInfo& li = eval::lineTable()[std::size_t(line)];
    if (li.kind != LineInfo::BandLine) return -1;
    return kSections[li.section].bands[li.band].counter;
}

std::vector<std::string> variabilityLines(const VariabilityInput& in) {
    std::vector<std::string> lines(kLineCount, " ");
    lines[0] = "            SYNTHESE  des  " + std::to_string(in.total) + "  Fiches";
    lines[1] = countryOf(in.name);
    if (in.centre)
        lines[1] += "  |    Centre : " + std::to_string(in.centre->number) + "  (" +
                    std::to_string(in.centre->shownCount) + " fiches)";
    for (int i = 2; i < kLineCount; ++i) {
        const int k = counterOfLine(i);
        if (k < 0) {
            lines[i] = variabilityLabel(i);
            continue;
        }
        std::string s = variabilityPart(in.country[k], in.total) + "%" + " | ";
        if (in.centre) s += variabilityPart(in.centre->counts[k], in.centre->denominator) + "%";
        lines[i] = s + variabilityLabel(i);
    }
    return lines;
}

namespace {
// The number written just before the %-sign at pos: digits and one point.
bool numberBefore(std::string_view line, std::size_t pos, std::string& text, std::int64_t& tenths) {
    std::size_t b = pos;
    while (b > 0 && ((line[b - 1] >= '0' && line[b - 1] <= '9') || line[b - 1] == '.')) --b;
    text = std::string(line.substr(b, pos - b));
    std::int64_t whole = 0, tenth = 0;
    std::size_t k = 0;
    bool digits = false;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k, digits = true) whole = whole * 10 + (text[k] - '0');
    if (k < text.size() && text[k] == '.') {
        ++k;
        if (k < text.size()) tenth = text[k++] - '0';
        // A second decimal (not written by this list) is dropped.
        while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k;
    }
    if (!digits || k != text.size()) return false;
    tenths = whole * 10 + tenth;
    return true;
}
}  // namespace

LinePercents readPercents(std::string_view line) {
    LinePercents out;
    const std::size_t first = line.find('%');
    if (first == std::string_view::npos) return out;
    if (!numberBefore(line, first, out.countryText, out.countryTenths)) out.countryTenths = -1;
    const std::size_t second = line.find('%', first + 1);
    if (second != std::string_view::npos && !numberBefore(line, second, out.centreText, out.centreTenths))
        out.centreTenths = -1;
    return out;
}

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
        auto pos = std::upper_bound(bars.begin(), bars.end(), b,
                                    [](const VariabilityBar& x, const VariabilityBar& y) { return x.percent > y.percent; });
        bars.insert(pos, b);
    }
    return bars;
}

namespace {
constexpr int kAreaRight = 481;  // the chart area runs from x 0 to 480
constexpr int kAreaBottom = 495; // and down to y 494

FontSpec chartFont(Rgb colour) {
    FontSpec f;
    f.size = 9;
    f.bold = true;
    f.color = colour;
    return f;
}

// Text on a coloured background, as the toolkit writes it with an opaque brush.
void textOn(Surface& s, int x, int y, const std::string& text, Rgb background) {
    std::size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    s.setBrush(background);
    s.fillRect(x, y, x + int(chars) * 7 + 2, y + 15);
    s.text(x, y, text);
}

void outlined(Surface& s, int x1, int y1, int x2, int y2) {
    s.fillRect(x1, y1, x2, y2);
    s.line(x1, y1, x2, y1);
    s.line(x2, y1, x2, y2);
    s.line(x2, y2, x1, y2);
    s.line(x1, y2, x1, y1);
}
}  // namespace

void clearChartArea(Surface& s, VariabilityChartMode& mode) {
    const int top = mode.lowerNext == 0 ? 20 : 220;
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
    s.fillRect(0, 20, kAreaRight, kAreaBottom);
}

void drawVariabilitySectionChart(Surface& s, const std::vector<std::string>& lines, int h, std::int32_t centre) {
    if (h < 0 || h >= int(lines.size())) return;
    s.setPen(colors::Aqua);
    s.setFont(chartFont(colors::White));
    s.setBrush(colors::Blue);
    s.fillRect(170, 20, 184, 35);
    s.setBrush(colors::Red);
    s.fillRect(235, 20, 249, 35);
    textOn(s, 185, 20, "PAYS", colors::Navy);
    if (centre > 0) textOn(s, 250, 20, "Centro  " + std::to_string(centre), colors::Navy);
    textOn(s, 50, 40, lines[h], colors::Navy);
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

std::string variabilityTitle(int line) {
    std::string label = variabilityLabel(line);
    const std::size_t b = label.find_first_not_of(' ');
    label = b == std::string::npos ? std::string() : label.substr(b);
    std::size_t chars = 0, i = 0;
    for (; i < label.size(); ++i) {
        if ((static_cast<unsigned char>(label[i]) & 0xC0) == 0x80) continue;
        if (chars == 49) break;
        ++chars;
    }
    return label.substr(0, i);
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
    textOn(s, 100, mode.offset + 30, std::string(title), colors::Navy);
    if (n == 0) {
        textOn(s, 100, mode.offset + 60, "Aucun centre", colors::Navy);
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

PrintDocument variabilityPrintout(const std::vector<std::string>& lines, int last) {
    PrintDocument doc;
    doc.title = "Repartition";
    auto line = [&](int i) { return i >= 0 && i < int(lines.size()) ? lines[std::size_t(i)] : std::string(); };
    auto startSheet = [&] {
        doc.pages.emplace_back();
        DrawList& p = doc.pages.back();
        FontSpec f;
        f.size = 12;
        f.italic = true;
        p.setFont(f);
        p.text(700, 150, line(0));
        f.size = 9;
        p.setFont(f);
        p.text(150, 225, line(1));
        p.text(1210, 225, line(1));
        f.italic = false;
        p.setFont(f);
        p.setPen(colors::Black);
        p.line(1200, 300, 1200, 3200);
    };
    startSheet();
    if (last < 2) return doc;
    int r = 0;
    for (int i = 2; i <= last; ++i) {
        DrawList& p = doc.pages.back();
        if (r < 51) p.text(150, r * 55 + 300, line(i));
        else p.text(1210, (r - 50) * 55 + 300, line(i));
        if (++r == 102 && i < last) {
            startSheet();
            r = 0;
        }
    }
    return doc;
}

}  // namespace pelo::pool
