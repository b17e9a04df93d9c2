// The country synthesis screens driven as a user would: the working folder,
// the collection, the pooled synthesis, a sub-collection through the query
// dialog, the declaration of groups and a group's partial synthesis.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "../core/SampleFibs.h"
#include "FakeUi.h"
#include "formats/RecordFile.h"
#include "pool/Groupe.h"
#include "pool/GrpSyn.h"
#include "pool/NPays.h"
#include "pool/Quest.h"
#include "pool/Synt1.h"
#include "pool/Synt2.h"

using namespace pelo;
using namespace pelo::test;

namespace {

// A centre's own record file of n FIBs; FIB k has Sexe 1 or 2 alternately.
void centreFile(const QString& path, std::uint16_t centre, int n) {
    const auto recs = sampleFile(
        centre, n,
        [](FibRecord& f, int k) {
            f.set(fld::Sexe, std::uint8_t(1 + k % 2));
            f.set(fld::HbA1c, 6.0f + float(k));
        },
        "02/03/1997");
    ASSERT_FALSE(recordfile::replaceWith(path.toStdString(), recs));
}

// A run with two centre files in a folder "pays" that the user picks.
struct CountryRun : AppFixture {
    QString folder;
    TFSynt2* synt;
    CountryRun() {
        QDir(path("")).mkdir("pays");
        folder = path("pays");
        centreFile(folder + "/FIB1.DAT", 1, 3);
        centreFile(folder + "/FIB3.DAT", 3, 2);
        synt = form<TFSynt2>();
        fake.folders.push_back(folder);
        click(synt, "DirectoryListBox1");
        // The name dialogs take what is proposed unless a test says otherwise.
        fake.onModal["TFNPays"] = [](QDialog* d) {
            d->findChild<QPushButton*>("OKBtn")->click();
            return d->result();
        };
        fake.onModal["TFNScoll"] = [](QDialog* d) {
            d->findChild<QPushButton*>("OKBtn")->click();
            return d->result();
        };
    }
    bool exists(const QString& name) const { return QFile::exists(folder + "/" + name); }
};

}  // namespace

TEST(CountrySynthesis, TitlePageSetsTheReferenceYearAndOpensTheWindow) {
    AppFixture app;
    auto* t = app.form<TForm1>();
    EXPECT_EQ(t->windowTitle(), "SYNTHESE");
    click(t, "BitBtn2");
    EXPECT_EQ(app.country.AnneeReference, 0);  // the window proposes the year of the pooled file
    ASSERT_EQ(app.fake.modalOpened.size(), 1u);
    EXPECT_EQ(app.fake.modalOpened[0], "TFSynt2");
    EXPECT_EQ(app.form<TFSynt2>()->windowTitle(), "SYNTHESE par PAYS");
}

TEST(CountrySynthesis, CollectionAsksBeforeReplacingAndReportsCentresAndFibs) {
    CountryRun run;
    EXPECT_EQ(run.country.where(), run.folder.toStdString());
    EXPECT_TRUE(run.synt->findChild<QLabel*>("LDossier")->text().endsWith("pays"));
    click(run.synt, "BitBtn2");
    EXPECT_EQ(run.fake.texts(),
              QStringList{QString::fromUtf8("Collection des fiches terminée : FibFr97.Dat\n2 centres, 5 fiches")});
    EXPECT_EQ(QFile(run.folder + "/FibFr97.Dat").size(), 6 * 252);

    // An existing pooled file: No leaves it as it was.
    QFile::remove(run.folder + "/FIB3.DAT");
    run.fake.messages.clear();
    run.fake.answers = {ui::Answer::No};
    click(run.synt, "BitBtn2");
    EXPECT_EQ(run.fake.texts(), QStringList{QString::fromUtf8("Voulez-vous remplacer le fichier FibFr97.Dat ?")});
    EXPECT_EQ(QFile(run.folder + "/FibFr97.Dat").size(), 6 * 252);
    run.fake.messages.clear();
    click(run.synt, "BitBtn2");  // Yes by default
    EXPECT_EQ(run.fake.texts().last(),
              QString::fromUtf8("Collection des fiches terminée : FibFr97.Dat\n1 centre, 3 fiches"));
    EXPECT_EQ(QFile(run.folder + "/FibFr97.Dat").size(), 4 * 252);

    // Cancelled name dialog: nothing at all.
    run.fake.messages.clear();
    run.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QPushButton*>("CancelBtn")->click();
        return d->result();
    };
    click(run.synt, "BitBtn2");
    EXPECT_TRUE(run.fake.messages.empty());
    EXPECT_EQ(run.country.pooledFile, "FibFr97.Dat");  // the last one named
}

TEST(CountrySynthesis, CollectionWarnsOfFilesLeftAsideAndRefusesFolderNames) {
    CountryRun run;
    QFile junk(run.folder + "/FIB2.DAT");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(300, 'x'));
    junk.close();
    click(run.synt, "BitBtn2");
    // One closing message that names the file left aside.
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Warning);
    EXPECT_EQ(run.fake.messages[0].text,
              QString::fromUtf8("Collection des fiches terminée : FibFr97.Dat\n2 centres, 5 fiches, 1 fichier laissé "
                                "de côté\n\nFichiers laissés de côté :\nFIB2.DAT ignoré : ce n'est ni un fichier de "
                                "centre ni un fichier de fiches collectées"));

    run.fake.messages.clear();
    run.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NomP")->setText("../FibFr97.Dat");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    click(run.synt, "BitBtn2");
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_FALSE(QFile::exists(run.path("FibFr97.Dat")));
}

TEST(CountrySynthesis, PooledSynthesisWritesTheStoredSynthesis) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    run.fake.messages.clear();
    click(run.synt, "BitBtn3");
    EXPECT_EQ(run.fake.texts(), QStringList{QString::fromUtf8("Synthèse globale terminée : SYNFr97.ATX et "
                                                              "SYNFr97.BTX\n2 centres, 5 fiches")});
    EXPECT_EQ(QFile(run.folder + "/SYNFr97.ATX").size(), 2000);
    EXPECT_EQ(QFile(run.folder + "/SYNFr97.BTX").size(), 3 * 372);

    // Without a pooled file: one error box naming it.
    QFile::remove(run.folder + "/FibFr97.Dat");
    run.fake.messages.clear();
    click(run.synt, "BitBtn3");
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(run.fake.messages[0].text,
              QString::fromUtf8("Erreur d'entrée/sortie sur FibFr97.Dat : fichier introuvable"));
}

TEST(CountrySynthesis, SubCollectionThroughTheQueryDialog) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    run.fake.messages.clear();
    // Women: "Sexe" then "Femme".
    run.fake.onModal["TFQuest"] = [](QDialog* d) {
        auto* q = static_cast<TFQuest*>(d);
        EXPECT_EQ(q->LVar->count(), 40);
        q->LVar->setCurrentRow(1);
        EXPECT_FALSE(q->EValeur->isEnabled());
        EXPECT_EQ(q->LVal->count(), 2);
        q->LVal->setCurrentRow(1);
        q->Button1->click();
        return d->result();
    };
    click(run.synt, "BitBtn4");
    const QString written = QString::fromUtf8("Sous-collection écrite dans ") +
                            QDir::toNativeSeparators(QDir(run.folder).filePath("Fibaaaa.Dat")) + "\n";
    EXPECT_EQ(run.fake.texts(), QStringList{written + QString::fromUtf8("3 fiches sélectionnées")});
    EXPECT_EQ(run.country.Query.variable, 2);
    EXPECT_EQ(run.country.Query.value1, 2);
    EXPECT_EQ(QFile(run.folder + "/Fibaaaa.Dat").size(), 4 * 252);

    // HbA1C > 7.5 ET < 9: a number typed with a comma; a wrong one keeps the dialog open.
    run.fake.messages.clear();
    run.fake.onModal["TFQuest"] = [&run](QDialog* d) {
        auto* q = static_cast<TFQuest*>(d);
        d->setResult(QDialog::Rejected);      // as a new modal showing starts
        EXPECT_EQ(run.country.Query.op1, 2);  // reset before the showing
        EXPECT_FALSE(q->Et->isChecked());
        q->LVar->setCurrentRow(32);
        EXPECT_EQ(q->LCmp->count(), 3);
        q->LCmp->setCurrentRow(1);
        q->EValeur->setText("sept");
        q->Button1->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(run.fake.texts().last(), "Valeur numérique incorrecte");
        q->EValeur->setText("7,5");
        q->Et->click();
        q->LCmp2->setCurrentRow(2);
        q->EValeur2->setText("9");
        q->Button1->click();
        return d->result();
    };
    click(run.synt, "BitBtn4");
    const auto& c = run.country.Query;
    EXPECT_EQ(c.variable, 33);
    EXPECT_EQ(c.op1, 3);
    EXPECT_FLOAT_EQ(c.real1, 7.5f);
    EXPECT_EQ(c.value1, 8);
    EXPECT_EQ(c.relation, 1);
    EXPECT_EQ(c.op2, 4);
    EXPECT_FLOAT_EQ(c.real2, 9.0f);
    // HbA1c of the FIBs: 7, 8, 9 (centre 1) and 7, 8 (centre 3).
    EXPECT_EQ(run.fake.texts().last(), written + QString::fromUtf8("2 fiches sélectionnées"));
}

// The centre's own files and the input are never outputs; an existing output
// is replaced only on Yes.
TEST(CountrySynthesis, ProtectedNamesRefusedAndReplacementsAsked) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    run.fake.messages.clear();
    const QByteArray centre1 = [&] {
        QFile f(run.folder + "/FIB1.DAT");
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    // A collection named like a centre's file.
    run.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NomP")->setText("fib.dat");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    click(run.synt, "BitBtn2");
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_FALSE(run.exists("fib.dat"));

    // The stored synthesis exists: No leaves it, Yes replaces it.
    run.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    click(run.synt, "BitBtn3");
    run.fake.messages.clear();
    QFile::remove(run.folder + "/SYNFr97.BTX");
    run.fake.answers = {ui::Answer::No};
    click(run.synt, "BitBtn3");
    EXPECT_EQ(run.fake.texts(),
              QStringList{QString::fromUtf8("Voulez-vous remplacer les fichiers SYNFr97.ATX et SYNFr97.BTX ?")});
    EXPECT_FALSE(run.exists("SYNFr97.BTX"));

    // A sub-collection over the pooled file itself, or over a centre's file.
    run.fake.messages.clear();
    run.fake.onModal["TFNScoll"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NomP")->setText("FIB1.DAT");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    click(run.synt, "BitBtn4");
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Error);
    QFile f(run.folder + "/FIB1.DAT");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), centre1);
}

TEST(CountrySynthesis, GroupsDeclaredCheckedSavedAndSynthesised) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    click(run.synt, "BitBtn3");
    run.fake.messages.clear();

    // No GROUPE.DAT yet: the partial syntheses do nothing.
    click(run.synt, "BitBtn6");
    EXPECT_TRUE(run.fake.modalOpened.empty() || run.fake.modalOpened.back() != "TFGrpSyn");

    run.fake.onModal["TFGroupe"] = [&run](QDialog* d) {
        auto* g = static_cast<TFGroupe*>(d);
        EXPECT_EQ(g->SGroupe->rowCount(), 0);
        EXPECT_EQ(g->SGroupe->horizontalHeaderItem(2)->text(), QString::fromUtf8(" Numéro des centres  (Ex: 1,2,34;)"));
        g->BAjout->click();
        g->SGroupe->setItem(0, 0, new QTableWidgetItem("7"));
        g->SGroupe->setItem(0, 1, new QTableWidgetItem(QString::fromUtf8("Hôpitaux")));
        g->SGroupe->setItem(0, 2, new QTableWidgetItem("1,3,12"));
        g->BAjout->click();
        g->SGroupe->setItem(1, 0, new QTableWidgetItem("7"));
        g->BEnreg->click();  // the same number twice
        EXPECT_EQ(run.fake.texts().last(), QString::fromUtf8("Ligne 2 : le numéro de groupe 7 est déjà utilisé"));
        g->SGroupe->setCurrentCell(1, 0);
        g->BSupp->click();
        g->BEnreg->click();
        EXPECT_EQ(g->SGroupe->item(0, 2)->text(), "1,3,12;");
        g->BitBtn1->click();
        return d->result();
    };
    click(run.synt, "BitBtn5");
    EXPECT_EQ(QFile(run.folder + "/GROUPE.DAT").size(), 1024);
    EXPECT_EQ(run.fake.texts().last(), QString::fromUtf8("1 groupe enregistré dans GROUPE.DAT"));

    run.fake.messages.clear();
    QStringList lines;
    run.fake.onModal["TFGrpSyn"] = [&lines](QDialog* d) {
        auto* g = static_cast<TFGrpSyn*>(d);
        EXPECT_EQ(g->SGroupe->rowCount(), 1);
        EXPECT_EQ(g->SGroupe->item(0, 1)->text(), QString::fromUtf8("Hôpitaux"));
        EXPECT_EQ(g->LVar->count(), 0);
        g->BImp->click();  // nothing to print yet
        g->BSynth->click();
        g->BImp->click();
        for (int i = 0; i < g->LVar->count(); ++i) lines << g->LVar->item(i)->text();
        return QDialog::Accepted;
    };
    click(run.synt, "BitBtn6");
    ASSERT_EQ(lines.size(), 264);
    EXPECT_EQ(lines[0], "            SYNTHESE  des  5  Fiches");
    EXPECT_EQ(lines[1], QString::fromUtf8("      FRANCE   |    Groupe 7 Hôpitaux  (5 fiches)"));
    // Women: 3 of the 5 FIBs of the country and of the group.
    EXPECT_TRUE(lines[41].contains(QString::fromUtf8("60.0% | ")));
    EXPECT_EQ(lines[41].count("60.0%"), 2);
    EXPECT_TRUE(lines[41].endsWith("Femme"));
    ASSERT_EQ(run.fake.messages.size(), 2u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Information);
    EXPECT_EQ(run.fake.messages[1].text,
              QString::fromUtf8("Centres du groupe absents de la synthèse SYNFr97.ATX : 12"));
    ASSERT_EQ(run.fake.printed.size(), 1u);  // the list, as the variability list prints
    EXPECT_EQ(run.fake.printed[0].title, "Groupe-7-Hôpitaux");
    EXPECT_EQ(run.fake.printed[0].folder, run.folder.toStdString());
}

TEST(QueryDialog, CancelAndEscapeWriteNothingAndAVariableMustBeChosen) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    run.fake.messages.clear();
    // Annuler: no sub-collection, no message.
    run.fake.onModal["TFQuest"] = [](QDialog* d) {
        auto* q = static_cast<TFQuest*>(d);
        q->LVar->setCurrentRow(1);
        q->Button2->click();
        return d->result();
    };
    click(run.synt, "BitBtn4");
    EXPECT_FALSE(run.exists("Fibaaaa.Dat"));
    EXPECT_TRUE(run.fake.messages.empty());

    // Escape does the same.
    run.fake.onModal["TFQuest"] = [](QDialog* d) {
        d->setResult(QDialog::Accepted);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
        return d->result();
    };
    click(run.synt, "BitBtn4");
    EXPECT_FALSE(run.exists("Fibaaaa.Dat"));
    EXPECT_TRUE(run.fake.messages.empty());

    // "Valider" with no variable chosen in this showing says so and stays open,
    // even when an earlier query had one.
    run.country.Query.variable = 2;
    run.fake.onModal["TFQuest"] = [&run](QDialog* d) {
        auto* q = static_cast<TFQuest*>(d);
        d->setResult(QDialog::Rejected);
        // The focus alone makes the first variable current without choosing it.
        q->LVar->selectionModel()->setCurrentIndex(q->LVar->model()->index(0, 0), QItemSelectionModel::NoUpdate);
        q->Button1->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(run.fake.texts(),
                  QStringList{QString::fromUtf8("Choisissez une variable dans la liste avant de valider.")});
        return d->result();
    };
    click(run.synt, "BitBtn4");
    EXPECT_FALSE(run.exists("Fibaaaa.Dat"));
}

TEST(CountrySynthesis, LongWorkShowsProgressAndAnnulerLeavesTheOldFilesWhole) {
    CountryRun run;
    click(run.synt, "BitBtn2");
    EXPECT_EQ(run.fake.progressTitles, std::vector<QString>{QString::fromUtf8("Collection des Fiches de l'Année")});
    ASSERT_EQ(run.fake.progressSteps.size(), 999u);
    EXPECT_EQ(run.fake.progressSteps[2], "FIB3.DAT");
    click(run.synt, "BitBtn3");
    EXPECT_EQ(run.fake.progressTitles.back(), QString::fromUtf8("Synthèse globale Pays-Année"));
    const QByteArray pooled = AppFixture::fileBytesOf(run.folder + "/FibFr97.Dat");
    const QByteArray index = AppFixture::fileBytesOf(run.folder + "/SYNFr97.ATX");

    // "Annuler" during a replacement: said as information, the old files as they were.
    centreFile(run.folder + "/FIB2.DAT", 2, 4);
    const QStringList files = QDir(run.folder).entryList(QDir::Files);
    for (const char* button : {"BitBtn2", "BitBtn3"}) {
        run.fake.messages.clear();
        run.fake.progressSteps.clear();
        run.fake.cancelAfterSteps = 1;
        click(run.synt, button);
        ASSERT_FALSE(run.fake.messages.empty()) << button;
        EXPECT_EQ(run.fake.messages.back().icon, ui::Icon::Information) << button;
        EXPECT_TRUE(run.fake.messages.back().text.startsWith(QString::fromUtf8("Opération annulée"))) << button;
    }
    EXPECT_EQ(AppFixture::fileBytesOf(run.folder + "/FibFr97.Dat"), pooled);
    EXPECT_EQ(AppFixture::fileBytesOf(run.folder + "/SYNFr97.ATX"), index);
    EXPECT_EQ(QDir(run.folder).entryList(QDir::Files), files) << "no temporary file left";
}
