// Message boxes and tooltips at the scale of the forms: their font follows
// the screen, a long text wraps, and the box stays within the free area.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QToolTip>
#include <memory>

#include "ui/Form.h"
#include "ui/QtAdapter.h"
#include "ui/Scale.h"

using namespace pelo;

namespace {
const QString kLong = QString::fromUtf8(
    "Le fichier SynFr97.Atx et le fichier SynFr97.Btx ne sont pas de la même synthèse : l'index et les compteurs "
    "viennent de deux calculs différents, recommencez la « Synthèse globale Pays-Année » avant de les comparer "
    "aux autres centres du pays.");

double factorOf(const QRect& area) { return Form::scaleFactorFor(ui::usableWindowSize(area, ui::kFrameAllowance)); }

// Runs fn on the box the adapter opens, then closes it.
template <class Fn> void onNextBox(Fn fn) {
    QTimer::singleShot(20, [fn] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        fn(box);
        box->done(QMessageBox::Ok);
    });
    // Never left waiting: a box still open later is closed.
    QTimer::singleShot(3000, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->done(QMessageBox::Ok);
    });
}
}  // namespace

TEST(ScaledBoxes, FontAndIconFollowTheScreen) {
    for (const QRect area : {QRect(0, 0, 800, 600), QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080)}) {
        QMessageBox box(QMessageBox::Information, "Information", QString::fromUtf8("Fiche enregistrée."));
        const double base = box.font().pointSizeF();
        const double f = factorOf(area);
        ui::scaleMessageBox(box, f, area);
        EXPECT_NEAR(box.font().pointSizeF(), base * f, 0.01) << area.width();
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        const auto* icon = box.findChild<QLabel*>("qt_msgboxex_icon_label");
        ASSERT_TRUE(icon);
        const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        EXPECT_NEAR(icon->pixmap().deviceIndependentSize().width(), side * f, 1.0) << area.width();
    }
    // A pixel-sized font scales too.
    QFont pixels;
    pixels.setPixelSize(12);
    EXPECT_EQ(ui::scaledFont(pixels, 2.0).pixelSize(), 24);
}

// Qt breaks words anywhere in a box wider than its limit: the wrap width
// leaves room for the icon and margins within that limit, on every screen.
TEST(ScaledBoxes, WrapWidthStaysWithinTheArea) {
    for (const QRect area : {QRect(0, 0, 640, 480), QRect(0, 0, 800, 600), QRect(0, 0, 1024, 768),
                             QRect(0, 0, 1920, 1080), QRect(0, 0, 3840, 2160)}) {
        const double f = factorOf(area);
        const int wrap = ui::wrapWidthFor(f, area);
        const int limit = area.width() <= 1024 ? area.width() : std::min(area.width() - 480, 1000);
        EXPECT_LE(wrap + int(40 * f) + 60, limit) << area.width();
        // And it grows with the font, up to what the limit allows.
        EXPECT_GE(wrap, std::min(int(420 * f), limit / 2 - 100)) << area.width();
    }
}

TEST(ScaledBoxes, LongTextWrapsWithinTheScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    const QRect area = screen->availableGeometry();
    QMessageBox box(QMessageBox::Critical, "Erreur", kLong);
    ui::scaleMessageBox(box, factorOf(area), area);
    box.show();
    QApplication::processEvents();
    const auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_GT(label->height(), 2 * QFontMetrics(box.font()).height());
    // Narrower than the width beyond which Qt would break words anywhere.
    const int limit = area.width() <= 1024 ? area.width() : std::min(area.width() - 480, 1000);
    EXPECT_LT(box.width(), limit);
    EXPECT_LE(box.width() + ui::kFrameAllowance.width(), area.width());
    EXPECT_LE(box.height() + ui::kFrameAllowance.height(), area.height());
    box.hide();
}

// The adapter's boxes: scaled by the factor of the forms, and a box asked for
// near the screen's corner is moved back whole onto the free area.
TEST(ScaledBoxes, AdapterBoxesAreScaledAndKeptOnScreen) {
    ui::QtAdapter real;
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    const QRect area = screen->availableGeometry();
    const double f = Form::scaleFactorFor(real.screenSize());
    const double base = QApplication::font().pointSizeF();
    double font = 0;
    QRect at;
    onNextBox([&](QMessageBox* box) {
        font = box->font().pointSizeF();
        at = box->frameGeometry();
    });
    real.error(kLong, area.bottomRight() - QPoint(5, 5));
    EXPECT_NEAR(font, base * f, 0.01);
    ASSERT_TRUE(at.isValid());
    EXPECT_TRUE(area.contains(at)) << at.x() << "," << at.y() << " " << at.width() << "x" << at.height();

    at = {};
    onNextBox([&](QMessageBox* box) { at = box->frameGeometry(); });
    real.confirm(QString::fromUtf8("Lecteur de Cartes de Santé en fonction ?"), false, area.topLeft() + QPoint(40, 30));
    EXPECT_EQ(at.topLeft(), area.topLeft() + QPoint(40, 30));
}

TEST(ScaledBoxes, TooltipFontFollowsTheScale) {
    const QFont before = QToolTip::font();
    ui::scaleToolTips(2.0);
    EXPECT_NEAR(QToolTip::font().pointSizeF(), QApplication::font().pointSizeF() * 2.0, 0.01);
    QToolTip::setFont(before);
}

// Check boxes and radio buttons are ticked on indicators of their labels'
// size on a large screen, and keep the style's own size on a small one.
TEST(ScaledBoxes, IndicatorsFollowTheScale) {
    EXPECT_EQ(ui::scaledIndicator(13, 2.25), 29);
    EXPECT_EQ(ui::scaledIndicator(13, 0.8), 13);
    const QString style = QApplication::style()->name();
    const int box = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
    const int radio = QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight);
    ui::scaleIndicators(2.0);
    EXPECT_EQ(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth), 2 * box);
    EXPECT_EQ(QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight), 2 * radio);
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(style));
    EXPECT_EQ(QApplication::style()->pixelMetric(QStyle::PM_ButtonMargin), plain->pixelMetric(QStyle::PM_ButtonMargin));
    QApplication::setStyle(style);  // the other tests draw with the plain style
    EXPECT_EQ(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth), box);
}
