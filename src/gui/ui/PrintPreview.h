#pragma once
// The preview shown before every printout: Qt's preview of the pages, with
// "Imprimer" (the print dialog, whatever printers exist) and "Enregistrer en
// PDF…" (a file in the working folder), so that a workstation without a
// printer still has a way out.

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "print/Surface.h"

class QAction;

namespace pelo::ui {

class Adapter;

class PrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    PrintPreview(const PrintDocument& doc, Adapter& ui, QWidget* parent = nullptr);

    QAction* printAction() const { return print_; }
    QAction* savePdfAction() const { return savePdf_; }

    // Asks for a file name (in the working folder, after the document's title)
    // and writes the pages there; true when a file was written.
    bool saveAsPdf();
    // The PDF file written by saveAsPdf, empty when none.
    QString savedPdf() const { return saved_; }

private:
    const PrintDocument& doc_;
    Adapter& ui_;
    QAction* print_ = nullptr;
    QAction* savePdf_ = nullptr;
    QString saved_;
};

// Paints the pages of doc on a paged device at dpi dots per inch.
void paintDocument(const PrintDocument& doc, QPagedPaintDevice& device, QPainter& p, double dpi);

}  // namespace pelo::ui
