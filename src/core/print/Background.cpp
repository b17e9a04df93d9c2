#include "print/Background.h"

#include "store/Text.h"

namespace pelo {

std::vector<GradientLine> backgroundGradient(int h) {
    const int n = static_cast<int>(roundHalfEven(h / 480.0 * 415.0));
    const int top = static_cast<int>(roundHalfEven(h / 480.0 * 65.0));
    std::vector<GradientLine> lines;
    lines.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const int half = i / 2;
        lines.push_back({top + i, Rgb{0, static_cast<std::uint8_t>(half % 256),
                                      static_cast<std::uint8_t>(((255 - half) % 256 + 256) % 256)}});
    }
    return lines;
}

void drawBackground(Surface& s, int w, int h) {
    for (const auto& l : backgroundGradient(h)) {
        s.setPen(l.color);
        s.line(0, l.y, w, l.y);
    }
}

}  // namespace pelo
