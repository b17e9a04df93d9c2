#include "ui/Canvas.h"

#include <QPainter>

#include "ui/PainterSurface.h"

namespace pelo::ui {

// Draws on the image and records at the same time.
class Canvas::Tee : public Surface {
public:
    explicit Tee(Canvas& c) : c_(c) {}
    void setPen(Rgb x) override {
        c_.recorded_.setPen(x);
        pen_ = x;
    }
    void setBrush(Rgb x) override {
        c_.recorded_.setBrush(x);
        brush_ = x;
    }
    void setFont(const FontSpec& f) override {
        c_.recorded_.setFont(f);
        font_ = f;
        hasFont_ = true;
    }
    void line(int x1, int y1, int x2, int y2) override {
        c_.recorded_.line(x1, y1, x2, y2);
        draw([&](Surface& s) { s.line(x1, y1, x2, y2); });
    }
    void fillRect(int x1, int y1, int x2, int y2) override {
        c_.recorded_.fillRect(x1, y1, x2, y2);
        draw([&](Surface& s) { s.fillRect(x1, y1, x2, y2); });
    }
    void text(int x, int y, const std::string& t) override {
        c_.recorded_.text(x, y, t);
        draw([&](Surface& s) { s.text(x, y, t); });
    }

private:
    template <class F> void draw(F f) {
        QPainter p(&c_.image_);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(c_.drawingScale(), c_.drawingScale());
        PainterSurface s(p);
        s.setPen(pen_);
        s.setBrush(brush_);
        if (hasFont_) s.setFont(font_);
        f(s);
        c_.update();
    }
    Canvas& c_;
    Rgb pen_{}, brush_{255, 255, 255};
    FontSpec font_{};
    bool hasFont_ = false;
};

Canvas::Canvas(QWidget* parent) : QWidget(parent), tee_(std::make_unique<Tee>(*this)) {
    image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

Canvas::~Canvas() = default;

Surface& Canvas::surface() { return *tee_; }

void Canvas::clear(Rgb bg) {
    background_ = bg;
    image_.fill(toQColor(bg));
    recorded_.items.clear();
    update();
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void Canvas::setLogicalSize(QSize size) {
    logical_ = size;
    redraw();
}

double Canvas::drawingScale() const {
    if (logical_.isEmpty()) return 1.0;
    return std::min(double(width()) / logical_.width(), double(height()) / logical_.height());
}

// Draws everything recorded again on an image of the widget's size.
void Canvas::redraw() {
    image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image_.fill(toQColor(background_));
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(drawingScale(), drawingScale());
    PainterSurface s(p);
    recorded_.replay(s);
    update();
}

void Canvas::resizeEvent(QResizeEvent*) {
    if (image_.size() == size()) return;
    if (!logical_.isEmpty()) return redraw();
    QImage bigger(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    bigger.fill(Qt::white);
    QPainter p(&bigger);
    p.drawImage(0, 0, image_);
    image_ = bigger;
}

Canvas* addCanvas(QWidget* parent, const QString& accessible, QRect geometry, QSize logical, Rgb background) {
    auto* c = new Canvas(parent);
    c->setObjectName("Canvas1");
    if (!accessible.isEmpty()) c->setAccessibleName(accessible);
    c->setGeometry(geometry);
    c->setLogicalSize(logical);
    c->clear(background);
    return c;
}

}  // namespace pelo::ui
