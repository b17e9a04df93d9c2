#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "FakeUi.h"
#include "app/Menu2.h"
#include "app/Nctr.h"
#include "app/Sauv.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"

using namespace pelo;
using pelo::test::AppFixture;
using ui::Answer;

namespace {

// The centre number dialog answered with a typed text and OK.
void typeCentre(AppFixture& app, const QString& text) {
    app.fake.onModal["TNctrDlg"] = [text](QDialog* d) {
        auto* dlg = static_cast<TNctrDlg*>(d);
        dlg->NEdit->setText(text);
        dlg->OKBtnClick();
        return int(QDialog::Accepted);
    };
}

}  // namespace

TEST(BackupScreen, CentreMenuOpensIt) {
    AppFixture app;
    app.form<TTMenu2>()->findChild<QPushButton*>("Button5")->click();
    ASSERT_FALSE(app.fake.modalOpened.empty());
    EXPECT_EQ(app.fake.modalOpened.back(), "TFSauv");
    auto* s = app.form<TFSauv>();
    EXPECT_FALSE(s->BLdy->isEnabled());
    EXPECT_EQ(s->BEdy->text(), "Sauvegarde des FIB du centre");
}

TEST(BackupScreen, BackupToTheChosenFolderNamesBothCopies) {
    AppFixture app;
    const QByteArray fib = test::writeDemoCentre("FIB.DAT", 1234, 3);
    QDir().mkdir("cle");
    app.fake.folders.push_back(app.path("cle"));
    app.fake.answers = {Answer::Yes, Answer::No};  // a plain copy, chosen
    app.form<TFSauv>()->BEdyClick();
    EXPECT_EQ(test::fileBytes("cle/FIB1234.DAT"), fib);
    EXPECT_EQ(test::fileBytes("FIB1234.DAT"), fib);
    EXPECT_EQ(fib.size(), 4 * 248);
    EXPECT_EQ(app.centre.CurrentCentre, 1234);
    ASSERT_EQ(app.fake.messages.size(), 3u);
    EXPECT_FALSE(app.fake.messages[0].text.contains("disquette"));
    EXPECT_EQ(app.fake.messages[1].buttons.no, "En clair");
    const QString done = app.fake.messages[2].text;
    EXPECT_TRUE(done.startsWith(QString::fromUtf8("Sauvegarde faite : le centre 1234 (3 fiches) est copié dans")))
        << done.toStdString();
    EXPECT_TRUE(done.contains(QDir::toNativeSeparators(app.path("cle/FIB1234.DAT"))));
    EXPECT_TRUE(done.contains(QDir::toNativeSeparators(app.path("FIB1234.DAT"))));
}

TEST(BackupScreen, CancelledFolderSaysNothingWasCopied) {
    AppFixture app;
    test::writeDemoCentre("FIB.DAT", 12, 1);
    app.form<TFSauv>()->BEdyClick();  // no folder chosen
    EXPECT_FALSE(QFile::exists("FIB12.DAT"));
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("Aucun dossier choisi : rien n'a été copié."));
}

TEST(BackupScreen, UnidentifiedCentreIsNeitherBackedUpNorSetAside) {
    AppFixture app;
    test::writeDemoCentre("FIB.DAT", 0, 0);
    QDir().mkdir("cle");
    app.fake.folders.push_back(app.path("cle"));
    app.fake.answers = {Answer::Yes, Answer::No};
    app.form<TFSauv>()->BEdyClick();
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages.back().text.contains(QString::fromUtf8("pas identifié")));
    EXPECT_FALSE(QFile::exists("cle/FIB0.DAT"));
    EXPECT_FALSE(QFile::exists("FIB0.DAT"));

    // A change of centre from an empty unidentified file keeps nothing and says so.
    app.fake.messages.clear();
    app.fake.answers = {Answer::Yes, Answer::Yes};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_FALSE(QFile::exists("FIB0.DAT"));
    ASSERT_EQ(app.fake.messages.back().icon, ui::Icon::Information);
    EXPECT_TRUE(app.fake.messages.back().text.contains(QString::fromUtf8("rien n'est mis de côté")));

    // With FIBs of no centre, the change is refused: they would be lost.
    const QByteArray orphan = test::writeDemoCentre("FIB.DAT", 0, 2);
    app.fake.answers = {Answer::Yes, Answer::Yes};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_EQ(test::fileBytes("FIB.DAT"), orphan);
    EXPECT_FALSE(QFile::exists("FIB0.DAT"));
}

TEST(BackupScreen, UnreachableFolderGivesOneErrorAndNoClosingMessage) {
    AppFixture app;
    test::writeDemoCentre("FIB.DAT", 12, 1);
    app.fake.folders.push_back(app.path("absent"));
    app.fake.answers = {Answer::Yes, Answer::No};
    app.form<TFSauv>()->BEdyClick();
    ASSERT_EQ(app.fake.messages.size(), 3u);
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages.back().text.contains("FIB12.DAT"));
    EXPECT_FALSE(QFile::exists("FIB12.DAT"));
}

TEST(BackupScreen, NewCentreWithoutSavingChangesNothing) {
    AppFixture app;
    const QByteArray fib = test::writeDemoCentre("FIB.DAT", 3, 2);
    app.centre.CurrentCentre = 3;
    app.fake.answers = {Answer::Yes, Answer::No};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB.DAT"), fib);
    EXPECT_FALSE(QFile::exists("FIB3.DAT"));
    EXPECT_EQ(app.centre.CurrentCentre, 3);
}

TEST(BackupScreen, NewCentreSetsTheCurrentAsideAndStartsAnEmptyFile) {
    AppFixture app;
    const QByteArray fib = test::writeDemoCentre("FIB.DAT", 3, 2);
    app.centre.CurrentCentre = 3;
    app.centre.CurrentFib = 2;
    app.fake.answers = {Answer::Yes, Answer::Yes};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB3.DAT"), fib);
    const CentreHeader t = headerTemplate();
    EXPECT_EQ(test::fileBytes("FIB.DAT"), QByteArray(reinterpret_cast<const char*>(t.bytes.data()), 248));
    EXPECT_EQ(app.centre.CurrentCentre, 0);
    EXPECT_EQ(app.centre.CurrentFib, 0);
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Le centre 3 (2 fiches) est mis de côté dans FIB3.DAT.\nFIB.DAT est vide, prêt pour "
                                "un nouveau centre : la prochaine SAISIE demandera son identification."));

    // A second change at once must not put the empty file over centre 3's.
    app.fake.answers = {Answer::Yes, Answer::Yes};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB3.DAT"), fib);
}

TEST(BackupScreen, TakingBackCentre7AfterCentre3) {
    AppFixture app;
    const QByteArray c3 = test::writeDemoCentre("FIB.DAT", 3, 4);
    const QByteArray c7 = test::writeDemoCentre("FIB7.DAT", 7, 2);
    app.centre.CurrentCentre = 3;
    app.fake.answers = {Answer::No, Answer::Yes, Answer::Yes};
    typeCentre(app, "7");
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB3.DAT"), c3);
    EXPECT_EQ(test::fileBytes("FIB.DAT"), c7);
    EXPECT_EQ(app.centre.CurrentCentre, 7);
    EXPECT_EQ(app.centre.CurrentFib, 2);
    EXPECT_EQ(app.fake.modalOpened.back(), "TNctrDlg");
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Le centre 3 (4 fiches) est mis de côté dans FIB3.DAT.\nFIB.DAT contient maintenant "
                                "le centre 7 (2 fiches)."));
}

// Another workstation saves a sheet on FIB.DAT while the centre number is
// asked: FIB.DAT is not replaced, so that sheet is not lost.
TEST(BackupScreen, TakingBackKeepsASheetSavedMeanwhileByAnotherWorkstation) {
    AppFixture app;
    test::writeDemoCentre("FIB.DAT", 3, 4);
    const QByteArray c7 = test::writeDemoCentre("FIB7.DAT", 7, 2);
    app.centre.CurrentCentre = 3;
    app.fake.answers = {Answer::No, Answer::Yes, Answer::Yes};
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        std::uint16_t n = 4;
        FibRecord other = emptyFibFromHeader(headerTemplate(), "09/12/2026");
        other.set(fld::NumCentre, std::uint16_t(3));  // a sheet of centre 3, which FIB.DAT holds
        EXPECT_FALSE(recordfile::appendFib("FIB.DAT", n, other));
        auto* dlg = static_cast<TNctrDlg*>(d);
        dlg->NEdit->setText("7");
        dlg->OKBtnClick();
        return int(QDialog::Accepted);
    };
    app.form<TFSauv>()->BLdyClick();
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.get(fld::NumCentre), 3);
    EXPECT_EQ(h.nbFiches(), 5);
    EXPECT_EQ(test::fileBytes("FIB7.DAT"), c7);
    EXPECT_EQ(app.centre.CurrentCentre, 3);
    ASSERT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages.back().text.startsWith(
        QString::fromUtf8("FIB.DAT n'a pas été remplacé : des fiches y ont été enregistrées")));
    EXPECT_TRUE(app.fake.messages.back().text.endsWith(QString::fromUtf8("FIB.DAT est inchangé.")));
}

TEST(BackupScreen, TakingBackAMissingCentreKeepsFibDatAndTheCurrentNumber) {
    AppFixture app;
    const QByteArray c3 = test::writeDemoCentre("FIB.DAT", 3, 4);
    app.centre.CurrentCentre = 3;
    app.fake.answers = {Answer::No, Answer::Yes, Answer::No};
    typeCentre(app, "8");
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB.DAT"), c3);
    EXPECT_EQ(app.centre.CurrentCentre, 3);
    ASSERT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Erreur d'entrée/sortie sur FIB8.DAT : fichier introuvable\nDossier : ") +
                  QDir::toNativeSeparators(QDir::currentPath()) + QString::fromUtf8("\nFIB.DAT est inchangé."));
}

TEST(BackupScreen, CancelledCentreDialogRestoresTheNumber) {
    AppFixture app;
    const QByteArray c3 = test::writeDemoCentre("FIB.DAT", 3, 1);
    app.centre.CurrentCentre = 3;
    app.fake.answers = {Answer::No, Answer::Yes, Answer::No};
    app.form<TFSauv>()->BLdyClick();  // dialog rejected by the fake
    EXPECT_EQ(app.centre.CurrentCentre, 3);
    EXPECT_EQ(test::fileBytes("FIB.DAT"), c3);
}

TEST(BackupScreen, ChangeOfCentreNeverPutsTheRecordsOverAnotherCentresFile) {
    // After an entry training the run's number is the practice file's (9),
    // while FIB.DAT holds centre 3: centre 9's own file must survive.
    AppFixture app;
    const QByteArray c3 = test::writeDemoCentre("FIB.DAT", 3, 4);
    const QByteArray c9 = test::writeDemoCentre("FIB9.DAT", 9, 2);
    app.centre.CurrentCentre = 9;
    app.fake.answers = {Answer::Yes, Answer::Yes};
    app.form<TFSauv>()->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB9.DAT"), c9);
    EXPECT_EQ(test::fileBytes("FIB3.DAT"), c3);
    for (const auto& m : app.fake.messages) EXPECT_NE(m.icon, ui::Icon::Error) << m.text.toStdString();
}
