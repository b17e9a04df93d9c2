#pragma once
// A Surface drawing through a QPainter: a form's backing image, or a printer
// page in 300-dpi units.

#include <QPainter>

#include "print/Surface.h"

namespace pelo::ui {

QColor toQColor(Rgb c);

class PainterSurface : public Surface {
public:
    // pixelsPerPoint 0: fonts keep their point size (screen); otherwise fonts
    // are sized in pixels of the painter's space (300 / 72 on a page).
    explicit PainterSurface(QPainter& p, double pixelsPerPoint = 0.0) : p_(p), ppp_(pixelsPerPoint) {}
    void setPen(Rgb c) override;
    void setBrush(Rgb c) override;
    void setFont(const FontSpec& f) override;
    void line(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& utf8) override;

private:
    QPainter& p_;
    double ppp_;
    QColor pen_{Qt::black}, brush_{Qt::white}, textColor_{Qt::black};
};

}  // namespace pelo::ui
