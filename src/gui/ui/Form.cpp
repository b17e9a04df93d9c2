#include "ui/Form.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <vector>

#include "print/Background.h"
#include "store/IoError.h"
#include "store/Text.h"
#include "ui/Look.h"
#include "ui/PainterSurface.h"

namespace pelo {

Form::Form(AppContext& ctx, const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(className);
    setWindowTitle(caption);
    setAccessibleName(caption);
}

double Form::scaleFactorFor(QSize screen) {
    if (screen.width() <= 0 || screen.height() <= 0) return 1.0;
    return std::min(screen.width() / 640.0, screen.height() / 480.0);
}

double Form::factor() const { return scalable_ ? scaleFactorFor(ctx_.ui.screenSize()) : 1.0; }

QPoint Form::boxPosition(int x, int y) const {
    const double f = factor();
    return mapToGlobal(QPoint(int(roundHalfEven(x * f)), int(roundHalfEven(y * f))));
}

void Form::scaleOnce() {
    if (scaled_ || !scalable_) return;
    scaled_ = true;
    const double f = scaleFactorFor(ctx_.ui.screenSize());
    if (f != 1.0) scaleWidgetTree(this, f);
}

void scaleWidgetTree(QWidget* w, double f) {
    auto sc = [f](int v) { return int(v * f + 0.5); };
    const QRect g = w->geometry();
    const QSize size(sc(g.width()), sc(g.height()));
    if (w->minimumSize() == w->maximumSize()) {
        w->setFixedSize(size);
    } else if (w->minimumWidth() > 0 || w->minimumHeight() > 0) {
        w->setMinimumSize(sc(w->minimumWidth()), sc(w->minimumHeight()));
    }
    if (w->isWindow()) w->resize(size);
    else w->setGeometry(sc(g.x()), sc(g.y()), size.width(), size.height());
    QFont font = w->font();
    if (w->testAttribute(Qt::WA_SetFont) || w->isWindow()) {
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * f);
        else if (font.pixelSize() > 0) font.setPixelSize(int(font.pixelSize() * f + 0.5));
        w->setFont(font);
    }
    // A grid's columns and rows are sized apart from its geometry: scaled with
    // it, so that texts in a larger font keep the room they had.
    if (auto* t = qobject_cast<QTableView*>(w)) {
        for (QHeaderView* h : {t->horizontalHeader(), t->verticalHeader()}) {
            // The sizes are read first: a new default size may resize sections.
            std::vector<int> sizes;
            for (int i = 0; i < h->count(); ++i) sizes.push_back(h->sectionSize(i));
            h->setDefaultSectionSize(sc(h->defaultSectionSize()));
            for (int i = 0; i < h->count(); ++i)
                if (h->sectionResizeMode(i) == QHeaderView::Interactive ||
                    h->sectionResizeMode(i) == QHeaderView::Fixed)
                    h->resizeSection(i, sc(sizes[std::size_t(i)]));
        }
    }
    for (QObject* o : w->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow()) scaleWidgetTree(c, f);
}

// Work the user cancelled is no failure: said plainly, not as an error.
void Form::ioError(const IoError& e) {
    if (isCancelled(e)) ui().information(QString::fromStdString(e.message()));
    else ui().error(QString::fromStdString(e.message()));
}

void Form::showEvent(QShowEvent* e) {
    scaleOnce();
    QDialog::showEvent(e);
}

// Buttons are not auto-default, so that Enter in an entry never clicks one by
// surprise; but a clerk who goes from button to button with Tab expects Enter
// to press the one that has the focus, not the form's default button.
void Form::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        auto* b = qobject_cast<QPushButton*>(focusWidget());
        if (b && b->window() == this && b->isVisible() && b->isEnabled()) {
            e->accept();
            b->click();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

void Form::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    if (!paintsGradient_ || !ctx_.run.ColourPreference) return;
    QPainter p(this);
    ui::PainterSurface s(p);
    const QSize screen = ctx_.ui.screenSize();
    drawBackground(s, std::max(screen.width(), width()), screen.height());
}

void Form::setTabChain(std::initializer_list<QWidget*> order) {
    for (auto it = order.begin(); it != order.end() && it + 1 != order.end(); ++it) setTabOrder(*it, *(it + 1));
}

QLabel* Form::addLabel(const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setAccessibleName(text.trimmed());
    l->setGeometry(x, y, w, h);
    return l;
}

QPushButton* Form::addButton(const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAccessibleName(QString(text).remove('&').trimmed());
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* Form::addEdit(const QString& name, const QString& accessible, int x, int y, int w, int h) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setGeometry(x, y, w, h);
    return e;
}

QLabel* Form::addBanner(const QString& name, const QString& text, int x, int y, int w, int h, const QColor& bg) {
    auto* l = addLabel(name, text, x, y, w, h);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, bg);
    l->setPalette(pal);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return l;
}

void Form::setFullScreenNavy() {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);
}

QLabel* Form::setFullScreenWithBanner(const QString& text) {
    setFullScreenNavy();
    QLabel* banner = addBanner("Panel1", text, 0, 0, 640, 65, look::kAqua);
    look::bannerFont(banner);
    return banner;
}

Forms::~Forms() {
    // Children of no one: delete in reverse order of creation.
    for (auto it = ordered_.rbegin(); it != ordered_.rend(); ++it) delete *it;
}

}  // namespace pelo
