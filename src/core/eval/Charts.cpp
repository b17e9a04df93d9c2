#include "eval/Charts.h"

#include "eval/Synthesis.h"
#include "store/Text.h"

namespace pelo::eval {

Rgb firstChartColour(int k) {
    switch (k) {
    case 1: return colors::Aqua;
    case 2: return Rgb{255, 159, 64};
    case 3: return colors::Red;
    default: return colors::Navy;
    }
}

Rgb hba1cChartColour(int k) { return k == 4 ? colors::Red : firstChartColour(k); }

Rgb headingChartColour(int k) {
    auto mod = [](int v) { return static_cast<std::uint8_t>(((v % 256) + 256) % 256); };
    return Rgb{mod(250 - 35 * k), mod(35 * k + 5), 10};
}

FontSpec boldFont(int size, Rgb colour) {
    FontSpec f;
    f.size = size;
    f.bold = true;
    f.color = colour;
    return f;
}

void outlined(Surface& s, int x1, int y1, int x2, int y2) {
    s.fillRect(x1, y1, x2, y2);
    s.line(x1, y1, x2, y1);
    s.line(x2, y1, x2, y2);
    s.line(x2, y2, x1, y2);
    s.line(x1, y2, x1, y1);
}

void textOn(Surface& s, int x, int y, const std::string& text, Rgb background) {
    s.setBrush(background);
    s.fillRect(x, y, x + int(utf8Length(text)) * 7 + 2, y + 15);
    s.text(x, y, text);
}

void chartSettings(Surface& s) {
    s.setFont(boldFont(10, colors::White));
    s.setBrush(colors::Navy);
    s.setPen(colors::Blue);
}

namespace {
// Band lines that follow heading h, up to the end of its section.
int barCount(const std::vector<std::string>& lines, int h) {
    int n = 0;
    while (h + n + 1 < int(lines.size()) && lines[h + n + 1].size() > 10) ++n;
    return n;
}
}  // namespace

void drawSectionChart(Surface& s, const std::vector<std::string>& lines, int h, int tx, int ty, int x0, int yb,
                      BarColour colour, int step) {
    if (h < 0 || h >= int(lines.size())) return;
    s.text(tx, ty, lines[h]);
    const int textOffset = step * 15 / 45;
    for (int k = 1; h + k < int(lines.size()) && lines[h + k].size() > 10; ++k) {
        LinePercent p;
        if (!readLinePercent(lines[h + k], p)) break;
        const int v = p.height;
        const int x1 = x0 + (k - 1) * step, x2 = x0 + k * step;
        s.text(x0 + textOffset + (k - 1) * step, yb - 20 - v, p.text);
        s.setBrush(colour(k));
        outlined(s, x1, yb - v, x2, yb);  // the outline in the pen's blue
        s.setBrush(colors::Navy);
    }
}

void drawFirstCharts(Surface& s, const std::vector<std::string>& lines) {
    chartSettings(s);
    drawSectionChart(s, lines, 2, 10, 90, 5, 200, hba1cChartColour);
    drawSectionChart(s, lines, 9, 260, 90, 225, 200, firstChartColour);
    drawSectionChart(s, lines, 14, 10, 290, 5, 400, firstChartColour);
    drawSectionChart(s, lines, 19, 260, 290, 225, 400, firstChartColour);
    s.text(20, 440, "Clicquez sur un titre de la liste pour voir l'histogramme");
    s.text(20, 460, "Clicquez sur un résultat pour voir les numéros de fiche");
    s.text(20, 480, "Clicquez sur un numéro de fiche pour voir la fiche");
}

void drawHeadingChart(Surface& s, const std::vector<std::string>& lines, int h) {
    chartSettings(s);
    // Bars 45 wide, narrower for a section of more bands than the space left
    // of the list holds, so that none is hidden behind it.
    const int n = barCount(lines, h);
    const int step = n > 0 && 5 + n * 45 > kChartRight ? (kChartRight - 5) / n : 45;
    drawSectionChart(s, lines, h, 50, 140, 5, 300, headingChartColour, step);
}

void drawClassesTitle(Surface& s) {
    chartSettings(s);
    s.text(80, 90, "Listes des numéros de Fiches pour chaque Classe");
}

PrintDocument synthesisPrintout(const std::vector<std::string>& lines, int lastIndex, const std::string& name) {
    PrintDocument doc;
    doc.title = name;
    if (lines.empty()) return doc;
    lastIndex = std::min(lastIndex, int(lines.size()) - 1);
    FontSpec title;
    title.size = 12;
    title.italic = true;
    FontSpec body;
    body.size = 9;
    auto newPage = [&] {
        doc.pages.emplace_back();
        doc.pages.back().setFont(title);
        doc.pages.back().text(700, 150, lines[0]);
        doc.pages.back().setFont(body);
    };
    newPage();
    int k = 0;
    for (int i = 2; i <= lastIndex; ++i) {
        // A new page only when a line is left for it.
        if (k == 102) {
            newPage();
            k = 0;
        }
        if (k <= 50) doc.pages.back().text(200, 300 + 55 * k, lines[i]);
        else doc.pages.back().text(1200, 300 + 55 * (k - 50), lines[i]);
        ++k;
    }
    return doc;
}

}  // namespace pelo::eval
