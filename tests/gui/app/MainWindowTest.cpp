#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "../core/SampleFibs.h"
#include "FakeUi.h"
#include "app/Menu1.h"
#include "formats/RecordFile.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::click;

namespace {
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
QByteArray templateBytes() {
    auto h = headerTemplate();
    return QByteArray(reinterpret_cast<const char*>(h.bytes.data()), 248);
}
}  // namespace

TEST(MainWindow, CentreInAnEmptyFolderCreatesBothFiles) {
    AppFixture app;
    auto* m = app.form<TTMenu1>();
    ASSERT_NE(m, nullptr);
    click(m, "MENU");
    EXPECT_EQ(fileBytes(app.path("FIB.DAT")), templateBytes());
    EXPECT_EQ(fileBytes(app.path("ESSAIFIB.DAT")), templateBytes());
    EXPECT_TRUE(app.centre.ShowCheckMessages);
    EXPECT_TRUE(app.centre.ReadPage2Entries);
    EXPECT_EQ(app.centre.CurrentFile, "FIB.DAT");
    EXPECT_EQ(app.centre.CurrentYear, currentYear());
    EXPECT_TRUE(app.fake.messages.empty());
}

TEST(MainWindow, PracticeFileMissingIsCreatedWithoutTouchingTheCentre) {
    AppFixture app;
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, 1234);
    h.setNbFiches(0);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {h}));
    click(app.form<TTMenu1>(), "MENU");
    EXPECT_EQ(app.centre.CurrentCentre, 1234);
    EXPECT_EQ(app.centre.CurrentFib, 0);
    EXPECT_EQ(fileBytes(app.path("ESSAIFIB.DAT")), templateBytes());
    // The buffer holds the template now, as the practice file was created.
    EXPECT_EQ(app.centre.buffer, headerTemplate());
}

TEST(MainWindow, CentreReadsTheHeaderCounts) {
    AppFixture app;
    const auto recs = test::sampleFile(42, 1);
    const CentreHeader& h = recs[0];
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    ASSERT_FALSE(recordfile::replaceWith("ESSAIFIB.DAT", {headerTemplate()}));
    click(app.form<TTMenu1>(), "MENU");
    EXPECT_EQ(app.centre.CurrentCentre, 42);
    EXPECT_EQ(app.centre.CurrentFib, 1);
    EXPECT_EQ(app.centre.SavedFibCount, 1);
    EXPECT_EQ(app.centre.buffer, h);
}

TEST(MainWindow, CorruptCentreFileIsOneErrorAndNothingElse) {
    AppFixture app;
    QFile f(app.path("FIB.DAT"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, 'x'));
    f.close();
    app.centre.CurrentCentre = 9;
    click(app.form<TTMenu1>(), "MENU");
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages[0].text.startsWith(QString::fromUtf8("Erreur d'entrée/sortie sur FIB.DAT : ")));
    EXPECT_EQ(app.centre.CurrentCentre, 9);
    EXPECT_FALSE(QFile::exists(app.path("ESSAIFIB.DAT")));
    EXPECT_TRUE(app.fake.modalOpened.empty());
}

TEST(MainWindow, PreferencesTwiceEndsInTheHighlightColour) {
    AppFixture app;
    auto* m = app.form<TTMenu1>();
    const QColor navy = m->palette().color(QPalette::Window);
    EXPECT_EQ(navy, QColor(0, 0, 128));
    click(m, "Button2");
    EXPECT_TRUE(app.run.ColourPreference);
    click(m, "Button2");
    EXPECT_FALSE(app.run.ColourPreference);
    EXPECT_EQ(m->palette().color(QPalette::Window), m->palette().color(QPalette::Highlight));
}

TEST(MainWindow, CardReaderQuestionAtItsPlace) {
    AppFixture app;
    app.fake.screen = QSize(1024, 768);
    app.fake.answers = {ui::Answer::Yes, ui::Answer::No};
    auto* m = app.form<TTMenu1>();
    click(m, "Button3");
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].text, QString::fromUtf8("Lecteur de Cartes de Santé en fonction ?"));
    EXPECT_EQ(app.fake.messages[0].pos, QPoint(624, 416));
    EXPECT_TRUE(app.run.CardReaderOn);
    click(m, "Button3");
    EXPECT_FALSE(app.run.CardReaderOn);
}

TEST(Scaling, At640NothingChangesAndWideScreensFit) {
    EXPECT_EQ(Form::scaleFactorFor(QSize(640, 480)), 1.0);
    EXPECT_EQ(Form::scaleFactorFor(QSize(1920, 1080)), 2.25);  // height bound, not 3
    AppFixture app;
    auto* m = app.form<TTMenu1>();
    const QRect before = m->findChild<QPushButton*>("MENU")->geometry();
    m->scaleOnce();
    EXPECT_EQ(m->findChild<QPushButton*>("MENU")->geometry(), before);
    EXPECT_EQ(m->size(), QSize(640, 480));
}

TEST(Scaling, HappensOncePerRun) {
    AppFixture app;
    app.fake.screen = QSize(1280, 960);
    auto* m = app.form<TTMenu1>();
    const QRect before = m->findChild<QPushButton*>("MENU")->geometry();
    m->scaleOnce();
    m->scaleOnce();
    EXPECT_EQ(m->findChild<QPushButton*>("MENU")->geometry(),
              QRect(before.x() * 2, before.y() * 2, before.width() * 2, before.height() * 2));
}

TEST(MainWindow, CountryButtonOpensTheCountrySynthesisTitlePage) {
    AppFixture app;
    click(app.form<TTMenu1>(), "BPays");
    EXPECT_TRUE(app.fake.messages.empty());
    ASSERT_FALSE(app.fake.modalOpened.empty());
    EXPECT_EQ(app.fake.modalOpened.back(), "TForm1");
}

TEST(MainWindow, ReferencesOpenTheReferenceMenu) {
    AppFixture app;
    click(app.form<TTMenu1>(), "BRef");
    ASSERT_FALSE(app.fake.modalOpened.empty());
    EXPECT_EQ(app.fake.modalOpened.back(), "TFVisi97");
}

TEST(MainWindow, PreferencePaintsTheGradientBelowTheBanner) {
    AppFixture app;
    auto* m = app.form<TTMenu1>();
    click(m, "Button2");
    const QImage img = m->grab().toImage();
    // Line i = 300 lies at y = 65 + 300; left of every control.
    EXPECT_EQ(QColor(img.pixel(5, 365)), QColor(0, 150, 105));
    EXPECT_EQ(QColor(img.pixel(5, 70)), QColor(0, 2, 253));
    click(m, "Button2");
    const QImage plain = m->grab().toImage();
    EXPECT_EQ(QColor(plain.pixel(5, 365)), m->palette().color(QPalette::Highlight));
}

namespace {
// Runs the program's event loop with the main window shown, `close` done once
// it runs: true when the loop ended on its own (the program ended), false
// when a watchdog had to stop it, or Escape left the window.
bool closingEndsTheRun(const std::function<void(QWidget*)>& close) {
    AppFixture app;
    auto* m = app.form<TTMenu1>();
    m->show();
    QApplication::processEvents();
    bool watchdog = false;
    QTimer::singleShot(0, m, [&] { close(m); });
    // Timers of this run only: none is left to stop a later event loop.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        watchdog = true;
        QCoreApplication::exit(1);
    });
    guard.start(3000);
    const int rc = QApplication::exec();
    const bool ended = rc == 0 && !watchdog && !m->isVisible();
    m->hide();
    return ended;
}
}  // namespace

TEST(MainWindow, FermerAndTheWindowManagersCloseEndTheProgram) {
    EXPECT_TRUE(closingEndsTheRun([](QWidget* m) { click(m, "Fin"); })) << "FERMER";
    // Alt+F4 under a window manager and its close button both reach the window
    // as the platform's close request.
    EXPECT_TRUE(closingEndsTheRun([](QWidget* m) {
        QCloseEvent close;
        QCoreApplication::sendEvent(m->windowHandle(), &close);
    })) << "window manager's close";
    // Escape still leaves the main window where it is.
    EXPECT_FALSE(closingEndsTheRun([](QWidget* m) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(m, &escape);
        QTimer::singleShot(200, m, [] { QCoreApplication::exit(2); });
    }));
}
