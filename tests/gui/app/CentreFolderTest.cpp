#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

#include "FakeUi.h"
#include "app/Apropos.h"
#include "app/CentreFolder.h"
#include "app/Menu1.h"
#include "store/Version.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::FakeUi;

namespace {
// A home of its own: the settings file and the default folder inside it.
struct Home {
    QTemporaryDir dir;
    QString settings() const { return dir.filePath("config/peloramix.conf"); }
    QString fallback() const { return dir.filePath("PELORAMIX"); }
    QString sub(const QString& name) const {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }
};
void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
}  // namespace

TEST(CentreFolder, FolderHoldingTheCentreFileIsKeptWithoutAQuestion) {
    Home home;
    const QString here = home.sub("ici");
    touch(here + "/FIB.DAT");
    centrefolder::remember(home.settings(), home.sub("ailleurs"));
    FakeUi ui;
    EXPECT_EQ(centrefolder::startFolder(ui, here, home.settings(), home.fallback()), QString());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CentreFolder, FirstStartOffersTheDefaultAndRemembersIt) {
    Home home;
    FakeUi ui;
    const QString old = QDir::currentPath();
    const QString folder = centrefolder::startFolder(ui, home.sub("vide"), home.settings(), home.fallback());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].question);
    EXPECT_TRUE(ui.messages[0].text.contains(QDir::toNativeSeparators(home.fallback())));
    EXPECT_EQ(folder, home.fallback());

    ASSERT_TRUE(centrefolder::enter(ui, folder, home.settings()));
    EXPECT_TRUE(QFileInfo(home.fallback()).isDir()) << "created";
    EXPECT_EQ(QDir::currentPath(), QDir(home.fallback()).absolutePath());
    QDir::setCurrent(old);

    // Next start: the remembered folder, no question.
    FakeUi again;
    EXPECT_EQ(centrefolder::startFolder(again, home.sub("vide"), home.settings(), home.fallback()), home.fallback());
    EXPECT_TRUE(again.messages.empty());
}

TEST(CentreFolder, NoMeansPickAnotherFolderAndCancellingThePickerKeepsTheOffer) {
    Home home;
    FakeUi ui;
    ui.answers = {ui::Answer::No, ui::Answer::No};
    ui.folders = {home.sub("cle")};
    EXPECT_EQ(centrefolder::startFolder(ui, home.sub("vide"), home.settings(), home.fallback()), home.sub("cle"));
    EXPECT_EQ(centrefolder::startFolder(ui, home.sub("vide"), home.settings(), home.fallback()), home.fallback());
}

TEST(CentreFolder, RememberedFolderGoneIsSaidAndAskedAgain) {
    Home home;
    const QString gone = home.dir.filePath("cle-absente");
    ASSERT_TRUE(centrefolder::remember(home.settings(), gone));
    FakeUi ui;
    ui.answers = {ui::Answer::Yes};
    // Offered again as it was: the key may simply not be plugged in.
    EXPECT_EQ(centrefolder::startFolder(ui, home.sub("vide"), home.settings(), home.fallback()), gone);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Warning);
    EXPECT_TRUE(ui.messages[0].text.contains("introuvable"));
}

TEST(CentreFolder, FolderThatCannotBeMadeIsAnErrorAndNothingIsRemembered) {
    Home home;
    touch(home.dir.filePath("fichier"));
    FakeUi ui;
    const QString old = QDir::currentPath();
    EXPECT_FALSE(centrefolder::enter(ui, home.dir.filePath("fichier/dessous"), home.settings()));
    EXPECT_EQ(QDir::currentPath(), old);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(centrefolder::remembered(home.settings()), QString());
}

TEST(CentreFolder, MainWindowButtonChangesTheWorkingFolder) {
    QStandardPaths::setTestModeEnabled(true);
    AppFixture app;
    Home home;
    const QString target = home.sub("centre2");
    app.fake.folders = {target};
    auto* b = app.form<TTMenu1>()->findChild<QPushButton*>("BDossier");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8("Dossier du centre…"));
    b->click();
    EXPECT_EQ(QDir::currentPath(), QDir(target).absolutePath());
    EXPECT_EQ(centrefolder::remembered(centrefolder::settingsFile()), QDir(target).absolutePath());
    // Cancelled picker: nothing changes.
    b->click();
    EXPECT_EQ(QDir::currentPath(), QDir(target).absolutePath());
    QFile::remove(centrefolder::settingsFile());
    QStandardPaths::setTestModeEnabled(false);
}

TEST(About, SaysVersionLicenceFolderAndKeys) {
    AppFixture app;
    app.form<TTMenu1>()->findChild<QPushButton*>("BApropos")->click();
    ASSERT_EQ(app.fake.modalOpened, std::vector<QString>{"TFApropos"});
    auto* about = app.form<TFApropos>();
    const QString text = about->LTexte->text();
    EXPECT_TRUE(text.contains(QRegularExpression("version [0-9]+\\.[0-9]+")));
    EXPECT_TRUE(text.contains(QString("version %1<br>").arg(programVersion())));
    // The licence and the warranty, in the words of fibtool --version.
    EXPECT_TRUE(text.contains(QRegularExpression(
        QString::fromUtf8("<p>Licence : [^<]+\\. Ce programme est fourni sans aucune garantie\\.</p>"))));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(QDir::currentPath()).toHtmlEscaped()));
    for (const char* key : {"Tab", "Entrée", "Échap"}) EXPECT_TRUE(text.contains(QString::fromUtf8(key))) << key;
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("À propos de PELORAMIX"));
}

TEST(QtFrench, StandardButtonsReadOuiNonAnnuler) {
    QTranslator fr;
    ASSERT_TRUE(centrefolder::loadQtFrench(fr)) << "qtbase_fr.qm (qt6-translations-l10n) not found";
    QCoreApplication::installTranslator(&fr);
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    auto text = [&](QMessageBox::StandardButton b) { return box.button(b)->text().remove('&'); };
    EXPECT_EQ(text(QMessageBox::Yes), "Oui");
    EXPECT_EQ(text(QMessageBox::No), "Non");
    EXPECT_EQ(text(QMessageBox::Cancel), "Annuler");
    QCoreApplication::removeTranslator(&fr);
}
