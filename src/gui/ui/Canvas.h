#pragma once
// A drawing area with a persistent backing image: what is drawn stays until
// the next clear, and each paint copies the image to the screen. Drawing goes
// through the Surface interface; a recorder can be attached so that tests see
// every item drawn.

#include <QImage>
#include <QWidget>
#include <memory>

#include "print/Surface.h"

namespace pelo::ui {

class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);
    ~Canvas() override;

    // The surface drawing onto the backing image (and into the recorder, if any).
    Surface& surface();
    // Fills the backing image with a colour and forgets what was recorded.
    void clear(Rgb background);
    // Everything drawn since the last clear.
    const DrawList& recorded() const { return recorded_; }
    // Drawings in a fixed coordinate space of this size, shown scaled to fit
    // the widget (a chart designed for 640 x 480 stays whole on any screen).
    void setLogicalSize(QSize size);
    // Factor from drawing coordinates to widget pixels.
    double drawingScale() const;
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    class Tee;
    void redraw();
    QImage image_;
    DrawList recorded_;
    QSize logical_;
    Rgb background_{255, 255, 255};
    std::unique_ptr<Tee> tee_;
};

// A canvas "Canvas1" on `parent` at `geometry` (design units), drawing in a space of `logical`, cleared to
// `background`; `accessible` names it for screen readers (none when empty).
Canvas* addCanvas(QWidget* parent, const QString& accessible, QRect geometry, QSize logical, Rgb background);

}  // namespace pelo::ui
