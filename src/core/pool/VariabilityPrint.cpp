#include "pool/VariabilityPrint.h"

namespace pelo::pool {

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
