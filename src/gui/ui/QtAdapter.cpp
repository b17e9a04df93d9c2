#include "ui/QtAdapter.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "ui/Form.h"
#include "ui/PainterSurface.h"

namespace pelo::ui {

namespace {
QMessageBox::Icon qtIcon(Icon i) {
    switch (i) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString captionFor(Icon i) {
    switch (i) {
    case Icon::Information: return QStringLiteral("Information");
    case Icon::Warning: return QStringLiteral("Avertissement");
    case Icon::Error: return QStringLiteral("Erreur");
    case Icon::Question: return QStringLiteral("Confirmation");
    }
    return {};
}

void place(QMessageBox& box, std::optional<QPoint> pos) {
    if (!pos) return;
    box.adjustSize();
    QScreen* screen = QGuiApplication::screenAt(*pos);
    if (!screen) screen = QGuiApplication::primaryScreen();
    box.move(screen ? fitOnScreen(*pos, box.size(), screen->availableGeometry()) : *pos);
}

void paintPages(const PrintDocument& doc, QPagedPaintDevice& device, QPainter& p, double dpi) {
    PainterSurface surface(p, 300.0 / 72.0);
    p.scale(dpi / 300.0, dpi / 300.0);
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0) device.newPage();
        doc.pages[i].replay(surface);
    }
}
}  // namespace

QPoint fitOnScreen(QPoint pos, QSize size, const QRect& area) {
    // Room for the title bar and borders that the window manager adds.
    const QSize whole = size + QSize(16, 40);
    const int x = std::max(area.left(), std::min(pos.x(), area.left() + area.width() - whole.width()));
    const int y = std::max(area.top(), std::min(pos.y(), area.top() + area.height() - whole.height()));
    return {x, y};
}

void QtAdapter::message(Icon icon, const QString& text, std::optional<QPoint> pos) {
    QMessageBox box(qtIcon(icon), captionFor(icon), text, QMessageBox::Ok, QApplication::activeWindow());
    place(box, pos);
    box.exec();
}

Answer QtAdapter::confirm(const QString& text, bool withRetry, std::optional<QPoint> pos) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                    QMessageBox::Yes | QMessageBox::No | (withRetry ? QMessageBox::Retry : QMessageBox::NoButton),
                    QApplication::activeWindow());
    // Escape is the harmless answer: with Retry on offer it is Retry (stay where
    // one was, e.g. the sheet on screen), not No (leave it unsaved).
    if (withRetry) box.setEscapeButton(QMessageBox::Retry);
    place(box, pos);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

namespace {
// A window shown while a modal form runs would be blocked by it (no click
// would reach it) unless it is a transient of that form. Modal forms are
// chained the same way, so that a page left open over a closed modal form
// stays usable under the form below it.
void attachToRunningModal(QWidget* form) {
    QWidget* modal = QApplication::activeModalWidget();
    form->winId();
    if (QWindow* w = form->windowHandle())
        w->setTransientParent(modal && modal != form ? modal->windowHandle() : nullptr);
}
}  // namespace

int QtAdapter::showModal(QDialog* form) {
    attachToRunningModal(form);
    return form->exec();
}

void QtAdapter::showModeless(QWidget* form) {
    attachToRunningModal(form);
    form->show();
    form->raise();
    form->activateWindow();
}

QString QtAdapter::chooseFolder(const QString& caption, const QString& start) {
    QFileDialog dlg(QApplication::activeWindow(), caption, start);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    // Scaled like the forms, so that it stays readable on a large screen.
    const double f = Form::scaleFactorFor(screenSize());
    if (f > 1.0) {
        QFont font = dlg.font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * f);
        dlg.setFont(font);
        dlg.resize(int(560 * f), int(360 * f));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().front();
}

QString QtAdapter::chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggested, filter);
}

QString pdfNameFor(const QString& title) {
    QString name;
    for (QChar c : title) name += (c.isLetterOrNumber() || c == '-' || c == '_') ? c : QChar('-');
    if (name.isEmpty()) name = QStringLiteral("impression");
    return name + QStringLiteral(".pdf");
}

bool writePdf(const PrintDocument& doc, const QString& path, QString* error) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromStdString(doc.title));
    writer.setCreator(QStringLiteral("PELORAMIX"));
    QPainter p;
    if (!p.begin(&writer)) {
        if (error) *error = QStringLiteral("impossible d'écrire le fichier %1").arg(path);
        return false;
    }
    paintPages(doc, writer, p, 300.0);
    p.end();
    return true;
}

bool QtAdapter::print(const PrintDocument& doc) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(doc.title));
        QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
        preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&doc](QPrinter* pr) {
            QPainter p(pr);
            paintPages(doc, *pr, p, pr->resolution());
        });
        return preview.exec() == QDialog::Accepted;
    }
    QString name = pdfNameFor(QString::fromStdString(doc.title));
    // In the document's folder (the working folder of the country screens), named whole in the message.
    const QDir dir = doc.folder.empty() ? QDir::current() : QDir(QString::fromStdString(doc.folder));
    QString path = QDir::toNativeSeparators(dir.absoluteFilePath(name));
    QString err;
    if (!writePdf(doc, path, &err)) {
        message(Icon::Error, QStringLiteral("Erreur d'entrée/sortie sur %1 : %2").arg(path, err));
        return false;
    }
    message(Icon::Information,
            (doc.pages.size() > 1
                 ? QStringLiteral(
                       "Aucune imprimante n'est installée : les %1 pages ont été enregistrées dans le fichier %2")
                       .arg(doc.pages.size())
                       .arg(path)
                 : QStringLiteral("Aucune imprimante n'est installée : la page a été enregistrée dans le fichier %1")
                       .arg(path)));
    return true;
}

QSize QtAdapter::screenSize() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->size() : QSize(640, 480);
}

}  // namespace pelo::ui
