#pragma once
// The pages of the centres' reports, one look for both kinds (the bands of a
// stored synthesis, the adjusted indicators of a campaign): A4 at 300 dpi, a
// head naming the centre and what it is compared with, the header rows of the
// tables, and a footer numbering the pages.

#include <span>
#include <string>

#include "print/Surface.h"

namespace pelo::ref {

inline constexpr int kReportWidth = 2480;
inline constexpr int kReportFooterY = 3360;

FontSpec reportFont(int size, bool bold = false, Rgb colour = colors::Black);

// The head of every page: the title and the date on the first line, what the
// centre is compared with under them, then the centre's own line (none when empty).
struct ReportHead {
    std::string title, date, about, centreLine;
};
// A new page with its head and its heading.
DrawList& addReportPage(PrintDocument& doc, const ReportHead& head, const std::string& heading);
// The header row of a table: the titles in bold at their columns, a rule under them.
void reportTableHead(DrawList& page, std::span<const int> columns, std::span<const char* const> titles);
// The footer of every page, once their number is known: `left`, then « Page i / n ».
void reportFooters(PrintDocument& doc, const std::string& left);

}  // namespace pelo::ref
