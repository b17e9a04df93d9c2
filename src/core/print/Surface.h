#pragma once
// The drawing surface shared by the screens' charts and the printer: pen,
// brush, font, line, filled rectangle and text at a point. Layouts are built
// in core as lists of DrawItem and replayed onto any Surface; a DrawList
// records what is drawn, so a chart or a page is checked item by item.

#include <cstdint>
#include <string>
#include <vector>

namespace pelo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Navy{0, 0, 128};
inline constexpr Rgb Aqua{0, 255, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Lime{0, 255, 0};
inline constexpr Rgb Yellow{255, 255, 0};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Green{0, 128, 0};
inline constexpr Rgb Olive{128, 128, 0};
inline constexpr Rgb Purple{128, 0, 128};
inline constexpr Rgb Teal{0, 128, 128};
inline constexpr Rgb Gray{128, 128, 128};
inline constexpr Rgb Silver{192, 192, 192};
inline constexpr Rgb Maroon{128, 0, 0};
inline constexpr Rgb Fuchsia{255, 0, 255};
inline constexpr Rgb Orange{255, 128, 0};
}  // namespace colors

struct FontSpec {
    std::string name = "Arial";
    int size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Rgb color{};
    bool operator==(const FontSpec&) const = default;
};

class Surface {
public:
    virtual ~Surface() = default;
    virtual void setPen(Rgb c) = 0;
    virtual void setBrush(Rgb c) = 0;
    virtual void setFont(const FontSpec& f) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush, from (x1, y1) to (x2, y2) exclusive.
    virtual void fillRect(int x1, int y1, int x2, int y2) = 0;
    // UTF-8 text whose top-left corner is at (x, y).
    virtual void text(int x, int y, const std::string& utf8) = 0;
};

struct DrawItem {
    enum Kind { Pen, Brush, Font, Line, Rect, Text } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb color{};
    FontSpec font{};
    std::string text;
    bool operator==(const DrawItem&) const = default;
};

// Records every call; replays onto another surface.
class DrawList : public Surface {
public:
    std::vector<DrawItem> items;

// GCC 12 in Release takes the empty font of these items for uninitialised once push_back is
// inlined into a long layout function (a known false positive).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

    void setPen(Rgb c) override { items.push_back({DrawItem::Pen, 0, 0, 0, 0, c, {}, {}}); }
    void setBrush(Rgb c) override { items.push_back({DrawItem::Brush, 0, 0, 0, 0, c, {}, {}}); }
    void setFont(const FontSpec& f) override { items.push_back({DrawItem::Font, 0, 0, 0, 0, f.color, f, {}}); }
    void line(int x1, int y1, int x2, int y2) override {
        items.push_back({DrawItem::Line, x1, y1, x2, y2, {}, {}, {}});
    }
    void fillRect(int x1, int y1, int x2, int y2) override {
        items.push_back({DrawItem::Rect, x1, y1, x2, y2, {}, {}, {}});
    }
    void text(int x, int y, const std::string& s) override { items.push_back({DrawItem::Text, x, y, 0, 0, {}, {}, s}); }
#pragma GCC diagnostic pop

    void replay(Surface& s) const;
    // Texts drawn, in order (handy in tests).
    std::vector<std::string> texts() const;
};

// One printed page or more: each page is a DrawList in 300-dpi device units.
struct PrintDocument {
    std::string title;   // names the PDF file when no printer exists
    std::string folder;  // where that file goes ("" = the current folder)
    std::vector<DrawList> pages;
};

}  // namespace pelo
