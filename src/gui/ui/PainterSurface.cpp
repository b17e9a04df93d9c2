#include "ui/PainterSurface.h"

#include <QFontMetrics>

namespace pelo::ui {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

void PainterSurface::setPen(Rgb c) { pen_ = toQColor(c); }
void PainterSurface::setBrush(Rgb c) { brush_ = toQColor(c); }

void PainterSurface::setFont(const FontSpec& f) {
    QFont font(QString::fromStdString(f.name));
    if (ppp_ > 0) font.setPixelSize(std::max(1, int(f.size * ppp_ + 0.5)));
    else font.setPointSize(f.size);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    p_.setFont(font);
    textColor_ = toQColor(f.color);
}

void PainterSurface::line(int x1, int y1, int x2, int y2) {
    p_.setPen(QPen(pen_, ppp_ > 0 ? 2 : 1));
    p_.drawLine(x1, y1, x2, y2);
}

void PainterSurface::fillRect(int x1, int y1, int x2, int y2) {
    p_.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QSize(std::abs(x2 - x1), std::abs(y2 - y1))), brush_);
}

void PainterSurface::text(int x, int y, const std::string& utf8) {
    p_.setPen(textColor_);
    QFontMetrics fm = p_.fontMetrics();
    p_.drawText(QPoint(x, y + fm.ascent()), QString::fromStdString(utf8));
}

}  // namespace pelo::ui
