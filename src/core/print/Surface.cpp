#include "print/Surface.h"

namespace pelo {

void DrawList::replay(Surface& s) const {
    for (const auto& it : items) {
        switch (it.kind) {
        case DrawItem::Pen: s.setPen(it.color); break;
        case DrawItem::Brush: s.setBrush(it.color); break;
        case DrawItem::Font: s.setFont(it.font); break;
        case DrawItem::Line: s.line(it.x1, it.y1, it.x2, it.y2); break;
        case DrawItem::Rect: s.fillRect(it.x1, it.y1, it.x2, it.y2); break;
        case DrawItem::Text: s.text(it.x1, it.y1, it.text); break;
        }
    }
}

std::vector<std::string> DrawList::texts() const {
    std::vector<std::string> out;
    for (const auto& it : items)
        if (it.kind == DrawItem::Text) out.push_back(it.text);
    return out;
}

}  // namespace pelo
