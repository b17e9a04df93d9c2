#include "ui/Scale.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ui/QtAdapter.h"

namespace pelo::ui {

QFont scaledFont(const QFont& base, double f) {
    QFont font = base;
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * f);
    else if (font.pixelSize() > 0) font.setPixelSize(std::max(1, int(font.pixelSize() * f + 0.5)));
    return font;
}

int wrapWidthFor(double f, const QRect& available) {
    // 420 pixels at the design's size: about 70 characters of the forms' font.
    const int wanted = int(420 * f + 0.5);
    // Qt makes a box no wider than this, and breaks words beyond it.
    const int limit = available.width() <= 1024 ? available.width() : std::min(available.width() - 480, 1000);
    // Room left by the icon (scaled) and the box's margins (not scaled).
    const int room = limit - int(40 * f + 0.5) - 60;
    return std::max(1, std::min(wanted, room));
}

namespace {
QStyle::StandardPixmap standardPixmapFor(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information: return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question: return QStyle::SP_MessageBoxQuestion;
    case QMessageBox::NoIcon: break;
    }
    return QStyle::SP_CustomBase;
}
}  // namespace

void scaleMessageBox(QMessageBox& box, double f, const QRect& available) {
    if (f <= 0) return;
    box.setFont(scaledFont(box.font(), f));
    // The icon's own label, so that the box keeps its icon kind.
    const QStyle::StandardPixmap sp = standardPixmapFor(box.icon());
    if (auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        icon && sp != QStyle::SP_CustomBase) {
        const int side = int(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box) * f + 0.5);
        QPixmap pixmap = box.style()->standardIcon(sp, nullptr, &box).pixmap(side, side);
        // An icon drawn at a smaller size only is enlarged to match the text.
        if (!pixmap.isNull() && pixmap.width() < side)
            pixmap = pixmap.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        icon->setPixmap(pixmap);
    }
    // Qt wraps a box's text at a width set in pixels, narrow beside a large
    // font: a long text wraps at the scaled width instead, within the area.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const int wrap = wrapWidthFor(f, available);
        const QFontMetrics fm(box.font());
        int longest = 0;
        for (const QString& line : box.text().split('\n')) longest = std::max(longest, fm.horizontalAdvance(line));
        // A line that fits is not broken; a longer one wraps at the scaled width.
        label->setMinimumWidth(
            std::min(longest + label->contentsMargins().left() + label->contentsMargins().right() + 2, wrap));
        if (longest > wrap) label->setWordWrap(true);
        label->setMaximumWidth(std::max(wrap, 1));
    }
}

int execPlaced(QMessageBox& box, const QPoint* pos) {
    if (!pos) return box.exec();
    // The box's size is known once it is shown: placed then, before the
    // window manager draws it.
    box.setModal(true);
    box.show();
    QScreen* screen = QGuiApplication::screenAt(*pos);
    if (!screen && box.parentWidget()) screen = box.parentWidget()->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    box.move(screen ? fitOnScreen(*pos, box.size(), screen->availableGeometry()) : *pos);
    return box.exec();
}

void scaleToolTips(double f) { QToolTip::setFont(scaledFont(QApplication::font(), f)); }

namespace {
class ScaledIndicators : public QProxyStyle {
public:
    ScaledIndicators(QStyle* base, double f) : QProxyStyle(base), f_(f) {}
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        const int v = QProxyStyle::pixelMetric(m, o, w);
        switch (m) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: {
            // Never taller than the control, so that the rows of a tight grid
            // keep their gaps and its last one is not cut by its panel.
            const int room = w ? std::max(v, w->height() - 4) : INT_MAX;
            return std::min(scaledIndicator(v, f_), room);
        }
        default: return v;
        }
    }

private:
    double f_;
};
}  // namespace

int scaledIndicator(int base, double f) { return std::max(base, int(std::lround(base * f))); }

void scaleIndicators(double f) {
    if (f <= 1.0) return;
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (base) QApplication::setStyle(new ScaledIndicators(base, f));
}

}  // namespace pelo::ui
