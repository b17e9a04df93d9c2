#pragma once
#include "ui/Adapter.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>

namespace pelo::ui {

class QtAdapter : public Adapter {
public:
    void message(Icon icon, const QString& text, std::optional<QPoint> pos = {}) override;
    Answer confirm(const QString& text, bool withRetry = false, std::optional<QPoint> pos = {},
                   const ButtonLabels& labels = {}) override;
    int showModal(QDialog* form) override;
    void showModeless(QWidget* form) override;
    QString chooseFolder(const QString& caption, const QString& start) override;
    QString chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter) override;
    std::optional<seal::Secret> askPassphrase(const QString& title, const QString& text, bool confirm) override;
    QString chooseOpenFile(const QString& caption, const QString& filter) override;
    bool print(const PrintDocument& doc) override;
    Progress progress(const QString& title) override;
    bool savePdf(const PrintDocument& doc, const QString& path, QString* error) override;
    QSize screenSize() const override;

    // The window a message box belongs to: the one in front; for a box that
    // follows another one straight away (the window manager not yet back on
    // the window that asked), the window the first box belonged to.
    QWidget* boxOwner();
    // After a box: the window that asked back in front, the focus where it was.
    void boxClosed(QWidget* owner, QWidget* focus);

private:
    Answer askBox(const QString& text, bool withRetry, std::optional<QPoint> pos, const ButtonLabels& labels,
                  QWidget* owner);
    QPointer<QWidget> lastOwner_;
    bool boxJustClosed_ = false;
    // Receiver of the timer that ends boxJustClosed_: gone with the adapter.
    std::unique_ptr<QObject> timerContext_ = std::make_unique<QObject>();
};

// Where a box asked for at pos goes so that the whole of it, frame included,
// stays within area: a box placed near the bottom or the right edge of the
// screen moves up or left instead of hiding its buttons.
QPoint fitOnScreen(QPoint pos, QSize size, const QRect& area);

// Room the window manager takes around a window (borders and title bar),
// assumed before the first window is framed.
inline constexpr QSize kFrameAllowance{16, 40};
// The size a window's inside may take so that the whole of it, frame
// included, stays within the screen's available area (panels excluded).
QSize usableWindowSize(const QRect& available, QSize frame);
// Where a window of that inside size goes so that, frame included, it is
// centred on the available area (its top-left kept within it).
QPoint centredPosition(const QRect& available, QSize size, QSize frame);
// Centres a top-level window on the available area of its screen.
void centreOnScreen(QWidget* w);

// The extension of a file-type filter ("Classeur (*.xlsx)" -> "xlsx"); empty
// when it names none ("Tous les fichiers (*)").
QString filterSuffix(const QString& filter);
// Of the filters ("A (*.csv);;B (*.xlsx)"), the one of the suggested name's
// extension, else the first.
QString filterForName(const QString& filters, const QString& name);

// Writes the pages to a PDF file; false with *error set on failure.
bool writePdf(const PrintDocument& doc, const QString& path, QString* error);
// A plain file name for a document title ("FIB 12-0034" -> "FIB-12-0034.pdf").
QString pdfNameFor(const QString& title);
// The path in dir under which name replaces no file: the name itself, or
// with a counter before ".pdf" ("FIB-42-0004-2.pdf", "-3"...).
QString freePdfPath(const QString& dir, const QString& name);

}  // namespace pelo::ui
