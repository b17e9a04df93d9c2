#include "ui/QtAdapter.h"

#include <algorithm>
#include <climits>
#include <memory>

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "store/RecordIo.h"
#include "ui/Form.h"
#include "ui/PainterSurface.h"
#include "ui/PrintPreview.h"
#include "ui/Scale.h"

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

// Scaled like the forms, on the area of the screen it opens on.
void scaleBox(QMessageBox& box, QSize usable) {
    QScreen* screen = box.parentWidget() ? box.parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), usable);
    scaleMessageBox(box, Form::scaleFactorFor(usable), area);
}

}  // namespace

QPoint fitOnScreen(QPoint pos, QSize size, const QRect& area) {
    // Room for the title bar and borders that the window manager adds.
    const QSize whole = size + QSize(16, 40);
    const int x = std::max(area.left(), std::min(pos.x(), area.left() + area.width() - whole.width()));
    const int y = std::max(area.top(), std::min(pos.y(), area.top() + area.height() - whole.height()));
    return {x, y};
}

QSize usableWindowSize(const QRect& available, QSize frame) {
    return {std::max(1, available.width() - frame.width()), std::max(1, available.height() - frame.height())};
}

QPoint centredPosition(const QRect& available, QSize size, QSize frame) {
    const QSize whole = size + frame;
    const int x = available.left() + std::max(0, (available.width() - whole.width()) / 2);
    const int y = available.top() + std::max(0, (available.height() - whole.height()) / 2);
    return {x, y};
}

namespace {
QScreen* screenOf(const QWidget* w) {
    QScreen* s = w ? w->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}

// The frame of a window already framed by the window manager, or the allowance.
QSize frameOf(const QWidget* w) {
    if (w && w->isVisible()) {
        const QSize f = w->frameGeometry().size() - w->geometry().size();
        if (f.width() > 0 || f.height() > 0) return f;
    }
    return kFrameAllowance;
}
}  // namespace

void centreOnScreen(QWidget* w) {
    QScreen* s = screenOf(w);
    if (!s) return;
    // Every window is centred on the same area, whatever opened it, so that
    // windows opened one from another sit exactly over each other.
    w->move(centredPosition(s->availableGeometry(), w->size(), frameOf(w)));
}

QWidget* QtAdapter::boxOwner() {
    QWidget* active = QApplication::activeWindow();
    if (boxJustClosed_ && lastOwner_ && lastOwner_->isVisible()) return lastOwner_;
    if (active && !qobject_cast<QMessageBox*>(active)) lastOwner_ = active;
    return active;
}

void QtAdapter::boxClosed(QWidget* owner, QWidget* focus) {
    // Boxes opened one after the other by the same action share their
    // window; the mark lasts until the event loop runs again.
    boxJustClosed_ = true;
    QTimer::singleShot(0, timerContext_.get(), [this] { boxJustClosed_ = false; });
    if (!owner || !owner->isVisible()) return;
    owner->raise();
    owner->activateWindow();
    if (focus && focus->window() == owner && focus->isVisible()) focus->setFocus(Qt::ActiveWindowFocusReason);
}

void QtAdapter::message(Icon icon, const QString& text, std::optional<QPoint> pos) {
    QWidget* owner = boxOwner();
    const QPointer<QWidget> focus = owner ? owner->focusWidget() : nullptr;
    {
        QMessageBox box(qtIcon(icon), captionFor(icon), text, QMessageBox::Ok, owner);
        scaleBox(box, screenSize());
        execPlaced(box, pos ? &*pos : nullptr);
    }
    boxClosed(owner, focus);
}

Answer QtAdapter::confirm(const QString& text, bool withRetry, std::optional<QPoint> pos, const ButtonLabels& labels) {
    QWidget* owner = boxOwner();
    const QPointer<QWidget> focus = owner ? owner->focusWidget() : nullptr;
    const Answer answer = askBox(text, withRetry, pos, labels, owner);
    boxClosed(owner, focus);
    return answer;
}

Answer QtAdapter::askBox(const QString& text, bool withRetry, std::optional<QPoint> pos, const ButtonLabels& labels,
                         QWidget* owner) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                    QMessageBox::Yes | QMessageBox::No | (withRetry ? QMessageBox::Retry : QMessageBox::NoButton),
                    owner);
    // Escape is the harmless answer: with Retry on offer it is Retry (stay where
    // one was, e.g. the sheet on screen), not No (leave it unsaved).
    if (withRetry) box.setEscapeButton(QMessageBox::Retry);
    auto relabel = [&box](QMessageBox::StandardButton b, const QString& text) {
        if (QAbstractButton* button = box.button(b); button && !text.isEmpty()) button->setText(text);
    };
    relabel(QMessageBox::Yes, labels.yes);
    relabel(QMessageBox::No, labels.no);
    relabel(QMessageBox::Retry, labels.retry);
    scaleBox(box, screenSize());
    switch (execPlaced(box, pos ? &*pos : nullptr)) {
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
// stays usable under the form below it. A modal form goes over the window
// that opened it (which may be a page shown over the running modal one).
void attachToRunningModal(QWidget* form, QWidget* opener) {
    QWidget* parent = opener && opener->isVisible() ? opener : QApplication::activeModalWidget();
    form->winId();
    if (QWindow* w = form->windowHandle())
        w->setTransientParent(parent && parent != form ? parent->windowHandle() : nullptr);
}
}  // namespace

int QtAdapter::showModal(QDialog* form) {
    // The window in front when the form opens (page 2 over page 1, say) is the
    // one brought back to the front, with the focus, when the form closes.
    QPointer<QWidget> opener = QApplication::activeWindow();
    if (opener == form) opener = nullptr;
    attachToRunningModal(form, opener);
    if (auto* f = qobject_cast<Form*>(form)) f->scaleOnce();
    centreOnScreen(form);
    const int result = form->exec();
    if (opener && opener->isVisible()) {
        opener->raise();
        opener->activateWindow();
    }
    return result;
}

void QtAdapter::showModeless(QWidget* form) {
    attachToRunningModal(form, nullptr);
    if (auto* f = qobject_cast<Form*>(form)) f->scaleOnce();
    centreOnScreen(form);
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

QString filterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const auto m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString filterForName(const QString& filters, const QString& name) {
    const QStringList all = filters.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (all.isEmpty()) return {};
    const QString ext = QFileInfo(name).suffix();
    for (const QString& f : all)
        if (!ext.isEmpty() && filterSuffix(f).compare(ext, Qt::CaseInsensitive) == 0) return f;
    return all.front();
}

QString QtAdapter::chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter) {
    // A name typed without an extension takes the one of the chosen type, so
    // that « fiches » under « Classeur (*.xlsx) » is written as fiches.xlsx, and
    // the question before replacing a file asks about that name.
    QFileDialog dlg(QApplication::activeWindow(), caption, QString(), filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    const QString first = filterForName(filter, suggested);
    dlg.selectNameFilter(first);
    dlg.setDefaultSuffix(filterSuffix(first));
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg,
                     [&dlg](const QString& f) { dlg.setDefaultSuffix(filterSuffix(f)); });
    dlg.selectFile(suggested);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().front();
}

namespace {
// The text of a password field wiped from its buffer and the field.
void wipeField(QLineEdit* e, QByteArray& utf8) {
    utf8.fill('\0');
    e->clear();
}
}  // namespace

std::optional<seal::Secret> QtAdapter::askPassphrase(const QString& title, const QString& text, bool confirm) {
    QDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(title);
    auto* form = new QFormLayout(&dlg);
    auto* what = new QLabel(text);
    what->setWordWrap(true);
    form->addRow(what);
    auto* first = new QLineEdit;
    first->setEchoMode(QLineEdit::Password);
    first->setAccessibleName(QString::fromUtf8("Phrase secrète"));
    form->addRow(QString::fromUtf8("Phrase secrète :"), first);
    QLineEdit* second = nullptr;
    if (confirm) {
        second = new QLineEdit;
        second->setEchoMode(QLineEdit::Password);
        second->setAccessibleName(QString::fromUtf8("Confirmation de la phrase secrète"));
        form->addRow(QString::fromUtf8("Confirmation :"), second);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    const double f = Form::scaleFactorFor(screenSize());
    if (f > 1.0) dlg.setFont(scaledFont(dlg.font(), f));
    dlg.setMinimumWidth(int(420 * std::max(1.0, f)));
    for (;;) {
        if (dlg.exec() != QDialog::Accepted) {
            QByteArray none;
            wipeField(first, none);
            if (second) wipeField(second, none);
            return std::nullopt;
        }
        QByteArray a = first->text().toUtf8();
        QByteArray b = second ? second->text().toUtf8() : a;
        const bool same = a == b;
        std::optional<seal::Secret> out;
        if (!a.isEmpty() && same) out = seal::Secret::fromText(std::string_view(a.constData(), std::size_t(a.size())));
        wipeField(first, a);
        if (second) wipeField(second, b);
        if (out) return out;
        message(Icon::Warning, a.isEmpty() && same ? QString::fromUtf8("La phrase secrète est vide.")
                                                   : QString::fromUtf8("Les deux phrases secrètes diffèrent."));
    }
}

QString QtAdapter::chooseOpenFile(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}

QString pdfNameFor(const QString& title) {
    QString name;
    for (QChar c : title) name += (c.isLetterOrNumber() || c == '-' || c == '_') ? c : QChar('-');
    if (name.isEmpty()) name = QStringLiteral("impression");
    return name + QStringLiteral(".pdf");
}

QString freePdfPath(const QString& dir, const QString& name) {
    const QDir d(dir);
    QString path = d.filePath(name);
    if (!QFileInfo::exists(path)) return path;
    QString stem = name;
    if (stem.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) stem.chop(4);
    for (int k = 2;; ++k) {
        path = d.filePath(QStringLiteral("%1-%2.pdf").arg(stem).arg(k));
        if (!QFileInfo::exists(path)) return path;
    }
}

bool writePdf(const PrintDocument& doc, const QString& path, QString* error) {
    // Drawn in memory, then written as every file of the program is: private,
    // whole under a temporary name, never through a link.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
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
        paintDocument(doc, writer, p, 300.0);
        p.end();
    }
    const QByteArray& data = bytes.data();
    const std::string file = path.toStdString();
    if (auto e = recordio::replaceWhole(file, QFileInfo(path).fileName().toStdString(), data.constData(),
                                        std::size_t(data.size()))) {
        if (error) *error = QString::fromStdString(e->cause);
        return false;
    }
    return true;
}

// Every printout is previewed first; with no printer, "Enregistrer en PDF…"
// there is the way out.
bool QtAdapter::print(const PrintDocument& doc) {
    PrintPreview preview(doc, *this, QApplication::activeWindow());
    return preview.exec() == QDialog::Accepted;
}

Progress QtAdapter::progress(const QString& title) {
    auto* raw = new QProgressDialog(title, QStringLiteral("Annuler"), 0, 0, QApplication::activeWindow());
    // Deleted with the callback's last copy, unless its window went first.
    std::shared_ptr<QProgressDialog> dlg(
        raw, [guard = QPointer<QProgressDialog>(raw)](QProgressDialog*) { delete guard.data(); });
    dlg->setWindowTitle(title);
    dlg->setWindowModality(Qt::WindowModal);
    dlg->setAutoClose(false);
    dlg->setAutoReset(false);
    // Short work does not flash a window: shown once it will last beyond this.
    dlg->setMinimumDuration(400);
    dlg->setMinimumWidth(360);
    return [dlg](std::uint32_t done, std::uint32_t total, const std::string& what) {
        dlg->setMaximum(int(std::min<std::uint32_t>(total, INT_MAX)));
        dlg->setLabelText(QString::fromUtf8("En cours : %1").arg(QString::fromStdString(what)));
        const int value = int(std::min(done, total));
        // Lets the dialog's own events in (Annuler, a repaint); a value told
        // again (long work that tells only that it goes on) does so too.
        if (value == dlg->value()) QCoreApplication::processEvents();
        else dlg->setValue(value);
        return !dlg->wasCanceled();
    };
}

bool QtAdapter::savePdf(const PrintDocument& doc, const QString& path, QString* error) {
    return writePdf(doc, path, error);
}

QSize QtAdapter::screenSize() const {
    // What a window may fill: the available area (without the desktop's
    // panels) less the frame the window manager adds, so that a form scaled to
    // it shows whole, its bottom row included, under its title bar.
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? usableWindowSize(s->availableGeometry(), kFrameAllowance) : QSize(640, 480);
}

}  // namespace pelo::ui
