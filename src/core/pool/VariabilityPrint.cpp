#include "pool/VariabilityPrint.h"

#include <array>

namespace pelo::pool {

namespace {

// Arial's advance widths of the printable ASCII characters, in thousandths of an em.
constexpr std::array<int, 95> kArial{278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
                                     556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
                                     1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
                                     667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
                                     333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
                                     556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};

int charWidth(unsigned char c) { return c >= 32 && c < 127 ? kArial[c - 32] : 556; }
bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }
// Thousandths of an em to device units at 300 dpi: one point is 300 / 72 units.
int units(long milli, int points) { return int((milli * points * 300 + 72 * 1000 / 2) / (72 * 1000)); }

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

// "    17    42.5" -> "17", "42.5%"
void countAndPercent(std::string_view part, std::string& count, std::string& percent) {
    const std::string t = trimmed(part);
    const auto sp = t.find(' ');
    count = t.substr(0, sp);
    percent = sp == std::string::npos ? std::string() : trimmed(std::string_view(t).substr(sp)) + "%";
}

// Layout of a column of the sheet, from its left edge.
constexpr int kCountRight = 110, kPercentRight = 250, kBar = 266, kCentreCountRight = 380, kCentrePercentRight = 535,
              kLabel = 560, kColumnWidth = 1040;
constexpr int kPoints = 9, kSmallestPoints = 7;

}  // namespace

int arialWidth(std::string_view s, int points) {
    long milli = 0;
    for (unsigned char c : s)
        if (!continuation(c)) milli += charWidth(c);
    return units(milli, points);
}

std::string cutToWidth(std::string_view s, int points, int width) {
    if (arialWidth(s, points) <= width) return std::string(s);
    const std::string ellipsis = "\xE2\x80\xA6";
    const int room = width - units(1000, points);
    long milli = 0;
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (continuation(c)) continue;
        if (units(milli + charWidth(c), points) > room) break;
        milli += charWidth(c);
        end = i + 1;
        while (end < s.size() && continuation(static_cast<unsigned char>(s[end]))) ++end;
    }
    return trimmed(s.substr(0, end)) + ellipsis;
}

PrintedLine splitListLine(std::string_view line) {
    PrintedLine out;
    const auto first = line.find('%');
    const auto bar = line.find(" | ");
    if (first == std::string_view::npos || bar != first + 1) {
        out.label = trimmed(line);
        return out;
    }
    out.band = true;
    countAndPercent(line.substr(0, first), out.countryCount, out.countryPercent);
    std::string_view rest = line.substr(bar + 3);
    if (const auto second = rest.find('%'); second != std::string_view::npos) {
        countAndPercent(rest.substr(0, second), out.centreCount, out.centrePercent);
        rest = rest.substr(second + 1);
    }
    out.label = trimmed(rest);
    return out;
}

PrintDocument variabilityPrintout(const std::vector<std::string>& lines, int last, const std::string& what) {
    PrintDocument doc;
    doc.title = what.empty() ? "Repartition" : "Repartition-" + what;
    auto line = [&](int i) { return i >= 0 && i < int(lines.size()) ? lines[std::size_t(i)] : std::string(); };
    auto startSheet = [&] {
        doc.pages.emplace_back();
        DrawList& p = doc.pages.back();
        FontSpec f;
        f.size = 12;
        f.italic = true;
        p.setFont(f);
        p.text(700, 150, line(0));
        f.size = kPoints;
        p.setFont(f);
        p.text(150, 225, cutToWidth(line(1), kPoints, kColumnWidth - 20));
        p.text(1210, 225, cutToWidth(line(1), kPoints, kColumnWidth - 20));
        f.italic = false;
        p.setFont(f);
        p.setPen(colors::Black);
        p.line(1200, 300, 1200, 3200);
    };
    auto right = [](DrawList& p, int x, int y, const std::string& t) {
        if (!t.empty()) p.text(x - arialWidth(t, kPoints), y, t);
    };
    startSheet();
    if (last < 2) return doc;
    int r = 0;
    for (int i = 2; i <= last; ++i) {
        DrawList& p = doc.pages.back();
        const int x = r < 51 ? 150 : 1210;
        const int y = r < 51 ? r * 55 + 300 : (r - 50) * 55 + 300;
        const PrintedLine l = splitListLine(line(i));
        if (!l.band) {
            p.text(x, y, cutToWidth(line(i), kPoints, kColumnWidth - 20));
        } else {
            right(p, x + kCountRight, y, l.countryCount);
            right(p, x + kPercentRight, y, l.countryPercent);
            p.text(x + kBar, y, "|");
            right(p, x + kCentreCountRight, y, l.centreCount);
            right(p, x + kCentrePercentRight, y, l.centrePercent);
            // A label too long for its column at the list's size is printed
            // smaller, whole, rather than cut.
            const int room = kColumnWidth - kLabel - 20;
            int size = kPoints;
            while (size > kSmallestPoints && arialWidth(l.label, size) > room) --size;
            if (size != kPoints) p.setFont(FontSpec{.size = size});
            p.text(x + kLabel, y, cutToWidth(l.label, size, room));
            if (size != kPoints) p.setFont(FontSpec{.size = kPoints});
        }
        if (++r == 102 && i < last) {
            startSheet();
            r = 0;
        }
    }
    return doc;
}

}  // namespace pelo::pool
