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

TextBox labelBox(int x, int y, const std::string& text) { return {x, y, x + int(utf8Length(text)) * 7 + 2, y + 15}; }

bool overlap(const TextBox& a, const TextBox& b) { return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2; }

void drawSectionChart(Surface& s, const std::vector<std::string>& lines, int h, int tx, int ty, int x0, int yb,
                      BarColour colour, int step) {
    if (h < 0 || h >= int(lines.size())) return;
    s.text(tx, ty, lines[h]);
    // Labels wider than a bar would run into their neighbours: they take
    // turns on two rows above the tallest bar possible (100). Otherwise each
    // sits just above its own bar. Either way they stay under the title.
    std::vector<LinePercent> bars;
    int widest = 0;
    for (int k = 1; h + k < int(lines.size()) && lines[h + k].size() > 10; ++k) {
        LinePercent p;
        if (!readLinePercent(lines[h + k], p)) break;
        widest = std::max(widest, labelBox(0, 0, p.text).x2);
        bars.push_back(p);
    }
    const bool staggered = widest > step;
    for (int k = 1; k <= int(bars.size()); ++k) {
        const LinePercent& p = bars[std::size_t(k - 1)];
        const int v = std::clamp(p.height, 0, kBarMax);
        const int x1 = x0 + (k - 1) * step, x2 = x0 + k * step;
        const int w = labelBox(0, 0, p.text).x2;
        const int y = staggered ? yb - kBarMax - 17 - (k % 2 == 0 ? 16 : 0) : yb - 17 - v;
        s.text(x1 + (step - w) / 2, y, p.text);
        // Filled in the band's colour, outlined in white so that a navy bar
        // still shows on the navy background.
        s.setBrush(colour(k));
        s.setPen(colors::White);
        outlined(s, x1, yb - v, x2, yb);
        s.setPen(colors::Blue);
        s.setBrush(colors::Navy);
    }
}

void drawFirstCharts(Surface& s, const std::vector<std::string>& lines) {
    chartSettings(s);
    // Two charts side by side left of the list, each under its own title,
    // with a gap between them and room above the bars for the labels.
    constexpr int step = 42, leftX = 5, rightX = 235;
    constexpr int top1 = 78, base1 = top1 + kChartHeight, top2 = base1 + 12, base2 = top2 + kChartHeight;
    drawSectionChart(s, lines, 2, leftX + 5, top1, leftX, base1, hba1cChartColour, step);
    drawSectionChart(s, lines, 9, rightX + 5, top1, rightX, base1, firstChartColour, step);
    drawSectionChart(s, lines, 14, leftX + 5, top2, leftX, base2, firstChartColour, step);
    drawSectionChart(s, lines, 19, rightX + 5, top2, rightX, base2, firstChartColour, step);
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
    drawSectionChart(s, lines, h, 50, 300 - kChartHeight, 5, 300, headingChartColour, step);
}

void drawClassesTitle(Surface& s) {
    chartSettings(s);
    s.text(80, 90, "Listes des numéros de Fiches pour chaque Classe");
}

PrintDocument synthesisPrintout(const std::vector<std::string>& lines, int lastIndex, const std::string& name,
                                const std::string& population) {
    PrintDocument doc;
    doc.title = name;
    if (lines.empty()) return doc;
    lastIndex = std::min(lastIndex, int(lines.size()) - 1);
    FontSpec title;
    title.size = 12;
    title.italic = true;
    FontSpec body;
    body.size = 9;

    // Sections: a heading and its band lines. Lines before the first heading
    // stand alone; blank lines only separate.
    struct Block {
        std::vector<int> lines;
        int heading = -1;
    };
    std::vector<Block> blocks;
    const auto& table = lineTable();
    for (int i = 2; i <= lastIndex; ++i) {
        const auto kind = i < kLineCount ? table[std::size_t(i)].kind : LineInfo::BandLine;
        if (kind == LineInfo::Blank && lines[std::size_t(i)].find_first_not_of(' ') == std::string::npos) continue;
        if (kind == LineInfo::Heading || blocks.empty()) {
            blocks.emplace_back();
            if (kind == LineInfo::Heading) blocks.back().heading = i;
        }
        blocks.back().lines.push_back(i);
    }

    // Two columns of kPrintRows rows a page. A section that does not fit in
    // what is left of a column starts the next one; one longer than a whole
    // column goes on with its heading repeated.
    struct Placed {
        int page, column, row;
        std::string text;
    };
    std::vector<Placed> placed;
    int page = 0, column = 0, row = 0;
    auto nextColumn = [&] {
        row = 0;
        if (++column == 2) column = 0, ++page;
    };
    for (const Block& b : blocks) {
        const int n = int(b.lines.size());
        if (row > 0) ++row;  // a blank row between sections
        if (row > 0 && row + n > kPrintRows) nextColumn();
        for (int i : b.lines) {
            if (row == kPrintRows) {
                nextColumn();
                if (b.heading >= 0 && i != b.heading)
                    placed.push_back({page, column, row++, lines[std::size_t(b.heading)] + " (suite)"});
            }
            placed.push_back({page, column, row++, lines[std::size_t(i)]});
        }
    }

    const int pages = placed.empty() ? 1 : placed.back().page + 1;
    for (int k = 0; k < pages; ++k) {
        doc.pages.emplace_back();
        DrawList& d = doc.pages.back();
        d.setFont(title);
        d.text(700, 150, lines[0]);
        d.setFont(body);
        if (!population.empty()) d.text(700, 220, "Population évaluée : " + population);
        d.text(1100, kPrintTop + 55 * (kPrintRows + 1),
               "page " + std::to_string(k + 1) + " / " + std::to_string(pages));
    }
    for (const Placed& p : placed)
        doc.pages[std::size_t(p.page)].text(p.column == 0 ? 200 : 1200, kPrintTop + 55 * p.row, p.text);
    return doc;
}

}  // namespace pelo::eval
