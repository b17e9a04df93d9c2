#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include "FakeUi.h"
#include "ui/PrintPreview.h"

using namespace pelo;
using pelo::test::FakeUi;

namespace {
PrintDocument twoPages() {
    PrintDocument doc;
    doc.title = "Synthèse 12";
    for (int p = 0; p < 2; ++p) {
        DrawList page;
        page.setFont(FontSpec{"Arial", 9});
        page.text(150, 150, "Page " + std::to_string(p + 1));
        doc.pages.push_back(page);
    }
    return doc;
}
}  // namespace

TEST(PrintPreview, ShowsEveryPageWithPrintAndSaveAsPdf) {
    const PrintDocument doc = twoPages();
    FakeUi ui;
    ui::PrintPreview preview(doc, ui);
    EXPECT_TRUE(preview.windowTitle().startsWith(QString::fromUtf8("Aperçu avant impression")));
    ASSERT_NE(preview.printAction(), nullptr) << "Qt's print action found";
    EXPECT_EQ(preview.printAction()->text(), "Imprimer");
    ASSERT_NE(preview.savePdfAction(), nullptr);
    EXPECT_EQ(preview.savePdfAction()->text(), QString::fromUtf8("Enregistrer en PDF…"));

    preview.show();
    QApplication::processEvents();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->pageCount(), 2);
    preview.hide();
}

TEST(PrintPreview, SaveAsPdfWritesTheChosenFileAndClosesThePreview) {
    const PrintDocument doc = twoPages();
    QTemporaryDir dir;
    FakeUi ui;
    ui.saveFiles = {dir.filePath("synthese.pdf")};
    ui::PrintPreview preview(doc, ui);
    preview.savePdfAction()->trigger();
    EXPECT_EQ(preview.result(), QDialog::Accepted);
    QFile f(dir.filePath("synthese.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Information);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Les 2 pages"));
}

TEST(PrintPreview, CancelledOrFailedSaveKeepsThePreviewOpen) {
    const PrintDocument doc = twoPages();
    FakeUi ui;
    ui.saveFiles = {QString(), "/dossier-absent/x.pdf"};
    ui::PrintPreview preview(doc, ui);
    preview.setResult(QDialog::Rejected);
    EXPECT_FALSE(preview.saveAsPdf());
    EXPECT_TRUE(ui.messages.empty()) << "cancelled: nothing said";
    EXPECT_FALSE(preview.saveAsPdf());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QString::fromUtf8("Erreur d'entrée/sortie sur x.pdf")));
    EXPECT_TRUE(preview.savedPdf().isEmpty());
}

// The ways out stay on the toolbar, not behind its overflow button, on a small screen.
TEST(PrintPreview, PrintAndSaveAsPdfStayVisibleWhenNarrow) {
    const PrintDocument doc = twoPages();
    FakeUi ui;
    ui::PrintPreview preview(doc, ui);
    auto* bar = preview.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    for (int width : {640, 800, 1920}) {
        preview.resize(width, 500);
        preview.show();
        QApplication::processEvents();
        for (QAction* a : {preview.printAction(), preview.savePdfAction()}) {
            QWidget* b = bar->widgetForAction(a);
            ASSERT_NE(b, nullptr) << a->text().toStdString();
            EXPECT_TRUE(b->isVisible()) << a->text().toStdString() << " at " << width;
        }
        preview.hide();
    }
}
