#include "ref/ReportPage.h"

namespace pelo::ref {

FontSpec reportFont(int size, bool bold, Rgb colour) {
    FontSpec f;
    f.size = size;
    f.bold = bold;
    f.color = colour;
    return f;
}

DrawList& addReportPage(PrintDocument& doc, const ReportHead& head, const std::string& heading) {
    doc.pages.emplace_back();
    DrawList& p = doc.pages.back();
    p.setFont(reportFont(15, true, colors::Navy));
    p.text(150, 130, head.title);
    p.setFont(reportFont(10));
    p.text(1700, 145, "Édité le " + head.date);
    p.text(150, 230, head.about);
    if (!head.centreLine.empty()) {
        p.setFont(reportFont(11, true));
        p.text(150, 300, head.centreLine);
    }
    p.setPen(colors::Navy);
    p.line(150, 370, kReportWidth - 150, 370);
    p.setFont(reportFont(12, true, colors::Navy));
    p.text(150, 400, heading);
    return p;
}

void reportTableHead(DrawList& page, std::span<const int> columns, std::span<const char* const> titles) {
    page.setFont(reportFont(9, true));
    for (std::size_t i = 0; i < columns.size() && i < titles.size(); ++i) page.text(columns[i], 490, titles[i]);
    page.setPen(colors::Black);
    page.line(150, 545, kReportWidth - 150, 545);
}

void reportFooters(PrintDocument& doc, const std::string& left) {
    const std::size_t n = doc.pages.size();
    for (std::size_t i = 0; i < n; ++i) {
        DrawList& p = doc.pages[i];
        p.setPen(colors::Gray);
        p.line(150, kReportFooterY - 20, kReportWidth - 150, kReportFooterY - 20);
        p.setFont(reportFont(8, false, colors::Gray));
        p.text(150, kReportFooterY, left);
        p.text(kReportWidth - 450, kReportFooterY, "Page " + std::to_string(i + 1) + " / " + std::to_string(n));
    }
}

}  // namespace pelo::ref
