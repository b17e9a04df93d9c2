// Windows on a desktop: sized and placed within the available area, frame
// included; a closed dialog gives the focus back to the window that opened
// it; questions whose buttons say what they do; PDFs never replaced.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "ui/Form.h"
#include "ui/QtAdapter.h"

using namespace pelo;

TEST(Desktop, FormsFitTheAvailableAreaWithTheirFrame) {
    const QSize frame(8, 30);
    for (const QRect available : {QRect(0, 0, 800, 600), QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080),
                                  QRect(0, 0, 1920, 1040), QRect(60, 0, 1860, 1080)}) {
        const QSize usable = ui::usableWindowSize(available, frame);
        const double f = Form::scaleFactorFor(usable);
        const QSize form(int(640 * f + 0.5), int(480 * f + 0.5));
        const QPoint at = ui::centredPosition(available, form, frame);
        const QRect whole(at, form + frame);
        EXPECT_TRUE(available.contains(whole)) << available.width() << "x" << available.height();
        // The 4:3 design fills the height: the window is not needlessly small.
        EXPECT_GE(form.height() + frame.height(), available.height() - 1);
    }
}

// Every window opened from another is centred on the same area: a stack of
// same-sized windows sits exactly one over the other, whatever opened it.
TEST(Desktop, WindowsOfOneSizeShareOnePosition) {
    const QRect available(0, 0, 1920, 1080);
    const QPoint first = ui::centredPosition(available, QSize(1387, 1040), ui::kFrameAllowance);
    EXPECT_EQ(ui::centredPosition(available, QSize(1387, 1040), ui::kFrameAllowance), first);
    EXPECT_EQ(first, QPoint((1920 - 1387 - 16) / 2, 0));
    // A window larger than the area keeps its top-left corner on it.
    EXPECT_EQ(ui::centredPosition(QRect(10, 20, 300, 200), QSize(400, 300), QSize(8, 30)), QPoint(10, 20));
}

TEST(Desktop, ClosedDialogGivesTheFocusBackToItsOpener) {
    ui::QtAdapter real;
    QWidget first, second;
    first.setWindowTitle("page 1");
    second.setWindowTitle("page 2");
    first.show();
    second.show();
    second.activateWindow();
    QApplication::processEvents();
    if (QApplication::activeWindow() != &second) GTEST_SKIP() << "no window activation on this platform";
    QDialog help;
    QTimer::singleShot(20, &help, [&help] { help.accept(); });
    real.showModal(&help);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &second);
}

// Several check messages in a row: each box belongs to the page that asked,
// even when the window manager hands the focus to the page below between two
// boxes, and that page stays in front with the focus where it was.
TEST(Desktop, PageThatAskedStaysInFrontAfterSeveralMessages) {
    ui::QtAdapter real;
    QWidget first, second;
    first.setWindowTitle("page 1");
    second.setWindowTitle("page 2");
    auto* entry = new QLineEdit(&second);
    new QLineEdit(&second);
    first.show();
    second.show();
    second.activateWindow();
    entry->setFocus();
    QApplication::processEvents();
    if (QApplication::activeWindow() != &second) GTEST_SKIP() << "no window activation on this platform";
    QList<QWidget*> parents;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return QTimer::singleShot(10, answer);
        parents << box->parentWidget();
        box->accept();
        first.activateWindow();  // as a window manager may do
    };
    for (int i = 0; i < 3; ++i) {
        QTimer::singleShot(10, answer);
        real.warning(QStringLiteral("Vérifiez"));
    }
    QApplication::processEvents();
    EXPECT_EQ(parents, (QList<QWidget*>{&second, &second, &second}));
    EXPECT_EQ(QApplication::activeWindow(), &second);
    EXPECT_EQ(second.focusWidget(), entry);
}

TEST(Desktop, QuestionButtonsSayWhatTheyDo) {
    ui::QtAdapter real;
    QStringList texts;
    QTimer::singleShot(20, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (auto* b : box->buttons()) texts << b->text();
        box->button(QMessageBox::No)->click();
    });
    QTimer::singleShot(3000, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->done(QMessageBox::Retry);
    });
    const ui::ButtonLabels labels{QString::fromUtf8("Enregistrer"), QString::fromUtf8("Abandonner la fiche"),
                                  QString::fromUtf8("Revenir à la fiche")};
    EXPECT_EQ(real.confirm(QString::fromUtf8("Sauvegarde de la Fiche ?"), true, {}, labels), ui::Answer::No);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("Abandonner la fiche"), QString::fromUtf8("Enregistrer"),
                                  QString::fromUtf8("Revenir à la fiche")}));
}

TEST(Desktop, PdfNamesCountUpInsteadOfReplacing) {
    QTemporaryDir dir;
    EXPECT_EQ(ui::freePdfPath(dir.path(), "FIB-42-0004.pdf"), dir.filePath("FIB-42-0004.pdf"));
    for (const char* n : {"FIB-42-0004.pdf", "FIB-42-0004-2.pdf"}) {
        QFile f(dir.filePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ui::freePdfPath(dir.path(), "FIB-42-0004.pdf"), dir.filePath("FIB-42-0004-3.pdf"));
    EXPECT_EQ(ui::freePdfPath(dir.path(), "FIB-42-0005.pdf"), dir.filePath("FIB-42-0005.pdf"));
}

// A name typed without an extension in a save dialog takes the one of the
// file type chosen there.
TEST(Desktop, SavedNameTakesTheExtensionOfTheChosenType) {
    const QString filters = QString::fromUtf8("Tableur CSV (*.csv);;Classeur (*.xlsx);;Tous les fichiers (*)");
    EXPECT_EQ(ui::filterSuffix("Classeur (*.xlsx)"), "xlsx");
    EXPECT_EQ(ui::filterSuffix("Tous les fichiers (*)"), "");
    EXPECT_EQ(ui::filterForName(filters, "/tmp/FIB-fiches.XLSX"), "Classeur (*.xlsx)");
    EXPECT_EQ(ui::filterForName(filters, "FIB-fiches"), "Tableur CSV (*.csv)");

    QTemporaryDir dir;
    ui::QtAdapter real;
    auto answer = [](const QString& filter, const QString& name) {
        QTimer::singleShot(50, [filter, name] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            auto* type = d->findChild<QComboBox*>("fileTypeCombo");
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            if (!type || !edit) return d->reject();
            const int k = type->findText(filter);  // picked as the user does
            type->setCurrentIndex(k);
            emit type->activated(k);
            emit type->textActivated(filter);
            edit->setText(name);  // and typed
            QMetaObject::invokeMethod(d, "accept");
        });
    };
    answer("Classeur (*.xlsx)", "fiches");
    EXPECT_EQ(real.chooseSaveFile("Exporter", dir.filePath("FIB-fiches.csv"), filters).toStdString(),
              dir.filePath("fiches.xlsx").toStdString());
    answer("Tableur CSV (*.csv)", "autre.dta");
    EXPECT_EQ(real.chooseSaveFile("Exporter", dir.filePath("FIB-fiches.csv"), filters).toStdString(),
              dir.filePath("autre.dta").toStdString());
}
