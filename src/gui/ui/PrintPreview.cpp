#include "ui/PrintPreview.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include "ref/WorkFolder.h"
#include "ui/Adapter.h"
#include "ui/PainterSurface.h"
#include "ui/QtAdapter.h"

namespace pelo::ui {

void paintDocument(const PrintDocument& doc, QPagedPaintDevice& device, QPainter& p, double dpi) {
    PainterSurface surface(p, 300.0 / 72.0);
    p.scale(dpi / 300.0, dpi / 300.0);
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0) device.newPage();
        doc.pages[i].replay(surface);
    }
}

PrintPreview::PrintPreview(const PrintDocument& doc, Adapter& ui, QWidget* parent)
    : QPrintPreviewDialog(parent), doc_(doc), ui_(ui) {
    // Qt's preview owns its printer: the system's default one, or none.
    setWindowTitle(QString::fromUtf8("Aperçu avant impression — %1").arg(QString::fromStdString(doc.title)));
    printer()->setDocName(QString::fromStdString(doc.title));
    printer()->setPageSize(QPageSize(QPageSize::A4));
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* pr) {
        QPainter p(pr);
        paintDocument(doc_, *pr, p, pr->resolution());
    });

    auto* bar = findChild<QToolBar*>();
    // Qt's own print action, named in French even where Qt's translation is missing.
    const QString english = QStringLiteral("Print");
    const QString translated = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    if (bar)
        for (QAction* a : bar->actions())
            if (a->text() == english || a->text() == translated) print_ = a;
    if (print_) {
        print_->setText(QStringLiteral("Imprimer"));
        print_->setToolTip(QStringLiteral("Imprimer"));
    }
    savePdf_ = new QAction(QString::fromUtf8("Enregistrer en PDF…"), this);
    savePdf_->setObjectName("savePdf");
    savePdf_->setToolTip(QString::fromUtf8("Enregistrer les pages dans un fichier PDF"));
    if (bar) {
        // The two ways out come first: on a narrow screen the toolbar's end
        // goes behind its overflow button, and without a printer « Enregistrer
        // en PDF… » is the only way out.
        QAction* first = bar->actions().isEmpty() ? nullptr : bar->actions().first();
        if (print_) {
            bar->removeAction(print_);
            bar->insertAction(first, print_);
        }
        bar->insertAction(first, savePdf_);
        if (first) bar->insertSeparator(first);
        // They read as words, not only as icons.
        for (QAction* a : {print_, savePdf_})
            if (auto* b = qobject_cast<QToolButton*>(a ? bar->widgetForAction(a) : nullptr))
                b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    // Large enough for the whole toolbar and a readable page.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 9 / 10, area.height() * 9 / 10);
        move(area.center() - rect().center());
    }
    connect(savePdf_, &QAction::triggered, this, [this] {
        if (saveAsPdf()) accept();
    });
}

bool PrintPreview::saveAsPdf() {
    // An earlier printout is not offered for replacement: the next free name.
    const QString suggested = freePdfPath(QString::fromStdString(ref::WorkFolder(doc_.folder).shown()),
                                          pdfNameFor(QString::fromStdString(doc_.title)));
    const QString path = ui_.chooseSaveFile(QString::fromUtf8("Enregistrer en PDF"), suggested,
                                            QString::fromUtf8("Documents PDF (*.pdf)"));
    if (path.isEmpty()) return false;
    QString err;
    const QString name = QFileInfo(path).fileName();
    if (!writePdf(doc_, path, &err)) {
        ui_.error(QString::fromUtf8("Erreur d'entrée/sortie sur %1 : %2").arg(name, err));
        return false;
    }
    saved_ = path;
    ui_.information(
        doc_.pages.size() > 1
            ? QString::fromUtf8("Les %1 pages ont été enregistrées dans le fichier %2")
                  .arg(doc_.pages.size())
                  .arg(QDir::toNativeSeparators(path))
            : QString::fromUtf8("La page a été enregistrée dans le fichier %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

}  // namespace pelo::ui
