#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "FakeUi.h"
#include "app/Nctr.h"
#include "app/Sauv.h"
#include "formats/RecordFile.h"
#include "formats/Seal.h"
#include "pool/Synt2.h"
#include "store/Demo.h"

using namespace pelo;
using pelo::test::AppFixture;
using ui::Answer;

TEST(SealedExchange, BackupSealedUnderAPassphraseIsTakenBackByTheChangeOfCentre) {
    AppFixture app;
    const QByteArray fib = test::writeDemoCentre("FIB.DAT", 42, 3);
    QDir().mkdir("cle");
    auto* s = app.form<TFSauv>();

    // Cancelled passphrase: nothing copied.
    app.fake.folders.push_back(app.path("cle"));
    s->BEdyClick();
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("Aucune phrase secrète : rien n'a été copié."));
    EXPECT_TRUE(QDir("cle").isEmpty());

    app.fake.messages.clear();
    app.fake.folders.push_back(app.path("cle"));
    app.fake.passphrases = {"clé usb"};
    s->BEdyClick();
    ASSERT_EQ(app.fake.messages.size(), 3u);
    EXPECT_EQ(app.fake.messages[1].buttons.yes, "Chiffrer");
    EXPECT_TRUE(app.fake.messages[2].text.contains(QDir::toNativeSeparators(app.path("cle/FIB42.DAT.chiffre"))))
        << app.fake.messages[2].text.toStdString();
    EXPECT_FALSE(QFile::exists("cle/FIB42.DAT"));
    EXPECT_FALSE(test::fileBytes("cle/FIB42.DAT.chiffre").contains(test::fileBytes("FIB42.DAT").mid(248, 60)));
    EXPECT_EQ(test::fileBytes("FIB42.DAT"), fib);

    // Another centre is worked on; only the sealed copy of centre 42 is in the folder.
    QFile::rename("cle/FIB42.DAT.chiffre", "FIB42.DAT.chiffre");
    QFile::remove("FIB42.DAT");
    const QByteArray other = test::writeDemoCentre("FIB.DAT", 7, 2);
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        auto* dlg = static_cast<TNctrDlg*>(d);
        dlg->NEdit->setText("42");
        dlg->OKBtnClick();
        return int(QDialog::Accepted);
    };
    app.fake.messages.clear();
    app.fake.answers = {Answer::No, Answer::Yes, Answer::No};
    app.fake.passphrases = {"clé USB"};
    app.centre.CurrentCentre = 7;
    s->BLdyClick();
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages.back().text.contains(QString::fromUtf8("phrase secrète incorrecte")));
    EXPECT_EQ(test::fileBytes("FIB.DAT"), other);
    EXPECT_EQ(app.centre.CurrentCentre, 7);

    app.fake.answers = {Answer::No, Answer::Yes, Answer::No};
    app.fake.passphrases = {"clé usb"};
    s->BLdyClick();
    EXPECT_EQ(test::fileBytes("FIB.DAT"), fib);
    EXPECT_EQ(app.centre.CurrentCentre, 42);
    EXPECT_EQ(app.fake.passphrasePrompts.back(), QString::fromUtf8("Phrase secrète de FIB42.DAT.chiffre"));
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("FIB.DAT contient maintenant le centre 42 (3 fiches)."));
}

TEST(SealedExchange, CoordinatorKeyCentreSendingAndCollectionWithThePassphraseOnce) {
    AppFixture app;
    QDir().mkdir("pays");
    const QString pays = app.path("pays");
    app.country.chooseFolder(pays);
    auto* synt = app.form<TFSynt2>();
    auto* sauv = app.form<TFSauv>();

    // The coordinator creates the campaign's key.
    app.fake.passphrases = {"phrase du coordinateur"};
    synt->BCleClick();
    ASSERT_TRUE(QFile::exists("pays/coordination.cle"));
    ASSERT_TRUE(QFile::exists("pays/coordination.pub"));
    const QString created = app.fake.messages.back().text;
    EXPECT_TRUE(created.contains(QString::fromUtf8("Empreinte à dicter aux centres : "))) << created.toStdString();
    const QString fingerprint = created.right(19);

    // The centre cannot send before it has the key; it imports it once, checking its fingerprint.
    const QByteArray fib = test::writeDemoCentre("FIB.DAT", 12, 4);
    sauv->BEnvoiClick();
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Warning);
    app.fake.folders.push_back(pays);
    sauv->BCleClick();
    EXPECT_TRUE(app.fake.messages[app.fake.messages.size() - 2].text.contains(fingerprint));
    EXPECT_EQ(test::fileBytes("coordination.pub"), test::fileBytes("pays/coordination.pub"));
    EXPECT_EQ(sauv->LCle->text(), QString::fromUtf8("Clé du coordinateur : ") + fingerprint);

    app.fake.folders.push_back(pays);
    sauv->BEnvoiClick();
    ASSERT_TRUE(QFile::exists("pays/FIB12.DAT.chiffre")) << app.fake.messages.back().text.toStdString();
    EXPECT_TRUE(app.fake.messages.back().text.contains(fingerprint));
    test::writeDemoCentre("pays/FIB3.DAT", 3, 2);

    // The collection asks the passphrase once and opens FIB12.DAT.chiffre in memory.
    app.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.messages.clear();
    app.fake.passphrasePrompts.clear();
    app.fake.passphrases = {"phrase du coordinateur"};
    synt->BitBtn2Click();
    EXPECT_EQ(app.fake.passphrasePrompts.size(), 1u);
    EXPECT_EQ(app.fake.texts(), QStringList{QString::fromUtf8("Collection des fiches terminée : FibFr97.Dat\n"
                                                              "2 centres, 6 fiches\ndont 1 centre reçu chiffré")});
    EXPECT_FALSE(QFile::exists("pays/FIB12.DAT"));

    // A wrong passphrase replaces nothing.
    const QByteArray pooled = test::fileBytes("pays/FibFr97.Dat");
    app.fake.messages.clear();
    app.fake.passphrases = {"phrase du coordinateuR"};
    synt->BitBtn2Click();
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages.back().text.contains(QString::fromUtf8("phrase secrète incorrecte")));
    EXPECT_EQ(test::fileBytes("pays/FibFr97.Dat"), pooled);
}
