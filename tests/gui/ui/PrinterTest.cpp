#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ui/QtAdapter.h"

using namespace pelo;

TEST(Printer, PdfFileNamesArePlain) {
    EXPECT_EQ(ui::pdfNameFor("FIB 12-0034"), "FIB-12-0034.pdf");
    EXPECT_EQ(ui::pdfNameFor("../x/y"), "---x-y.pdf");
    EXPECT_EQ(ui::pdfNameFor(""), "impression.pdf");
}

TEST(Printer, WritesEveryPageToPdf) {
    QTemporaryDir dir;
    PrintDocument doc;
    doc.title = "Essai";
    for (int p = 0; p < 2; ++p) {
        DrawList page;
        page.setFont(FontSpec{"Arial", 9, true});
        page.text(150, 150, "PELORAMIX");
        page.setFont(FontSpec{"Arial", 9});
        page.text(150, 250, "Né en 1950 — Créatinine : 85.00 µmol/l, page " + std::to_string(p + 1));
        page.setPen(colors::Black);
        page.line(150, 300, 2300, 300);
        doc.pages.push_back(page);
    }
    // PELO_PDF_OUT keeps the file, to look at it.
    const QString keep = qEnvironmentVariable("PELO_PDF_OUT");
    const QString path = keep.isEmpty() ? dir.filePath("essai.pdf") : keep;
    QString err;
    ASSERT_TRUE(ui::writePdf(doc, path, &err)) << err.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2)
        << "two pages";
}

TEST(Printer, UnwritablePathIsAnError) {
    PrintDocument doc;
    doc.pages.emplace_back();
    QString err;
    EXPECT_FALSE(ui::writePdf(doc, "/nonexistent-folder/x.pdf", &err));
    EXPECT_FALSE(err.isEmpty());
}
