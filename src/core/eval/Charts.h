#pragma once
// The drawings of the evaluation screen (bar charts of a section read back
// from the list lines, the hint lines, the title of the class lists) and the
// printed synthesis, as lists of drawing items.

#include <algorithm>
#include <string>
#include <vector>

#include "print/Surface.h"

namespace pelo::eval {

// Colour of bar k (from 1) of a chart.
using BarColour = Rgb (*)(int k);
Rgb firstChartColour(int k);    // aqua, orange, red, then navy
Rgb hba1cChartColour(int k);    // the same with a fourth red bar
Rgb headingChartColour(int k);  // red 250 - 35k, green 35k + 5, blue 10, each modulo 256

// The bold font of the charts' texts.
FontSpec boldFont(int size, Rgb colour);

// A rectangle filled with the brush and outlined with the pen.
void outlined(Surface& s, int x1, int y1, int x2, int y2);
// Text on a background of its own, as the toolkit writes it with an opaque
// brush: a box of 7 pixels per character plus 2, 15 high, under the text.
void textOn(Surface& s, int x, int y, const std::string& text, Rgb background);

// White bold size-10 font, navy brush, blue pen: the settings of every chart.
void chartSettings(Surface& s);

// Highest bar (100 %), and the height of a chart from its title to its base
// line: the title, two rows of labels, the bars.
inline constexpr int kBarMax = 100;
inline constexpr int kChartHeight = kBarMax + 60;

// The box a chart's text takes (7 pixels a character plus 2, 15 high), and
// whether two boxes overlap.
struct TextBox {
    int x1, y1, x2, y2;
};
TextBox labelBox(int x, int y, const std::string& text);
bool overlap(const TextBox& a, const TextBox& b);

// The chart of the section whose heading is line h: its title at (tx, ty), then
// one bar `step` wide per band line, on the base line yb, until a line of 10
// characters or fewer.
void drawSectionChart(Surface& s, const std::vector<std::string>& lines, int h, int tx, int ty, int x0, int yb,
                      BarColour colour, int step = 45);

// Right edge of the charts of a clicked heading: the synthesis list starts just after it.
inline constexpr int kChartRight = 380;

// The four first charts (HbA1c, blood pressure, body mass, cholesterol) and the three hints.
void drawFirstCharts(Surface& s, const std::vector<std::string>& lines);
// The chart of a clicked heading.
void drawHeadingChart(Surface& s, const std::vector<std::string>& lines, int h);
// The title written above the class lists.
void drawClassesTitle(Surface& s);

// The printed synthesis in 300-dpi units: on every page the title (line 0),
// the population evaluated ("Tous types", "Type 1", "Type 2") and "page k / n";
// lines 2..last in two columns of kPrintRows rows from kPrintTop, a section
// never split without its heading repeated.
inline constexpr int kPrintRows = 54;
inline constexpr int kPrintTop = 300;
PrintDocument synthesisPrintout(const std::vector<std::string>& lines, int lastIndex, const std::string& name,
                                const std::string& population = {});

}  // namespace pelo::eval
