#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "FakeUi.h"
#include "eval/Peval.h"
#include "formats/RecordFile.h"
#include "pool/Collection.h"
#include "pool/Synt2.h"
#include "store/Demo.h"
#include "store/Menu3.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

void click(QWidget* form, const char* name) {
    auto* b = form->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// The record menu on FIB.DAT of centre 77 holding two FIBs.
struct ImportRun : AppFixture {
    TTMenu3* menu;
    ImportRun() {
        CentreHeader h = headerTemplate();
        h.set(fld::NumCentre, std::uint16_t{77});
        h.set(fld::RegionDep, std::uint16_t{0x0305});
        h.setNbFiches(2);
        std::vector<FibRecord> recs{h};
        for (std::uint16_t k = 1; k <= 2; ++k) {
            FibRecord r = emptyFibFromHeader(h, "01/01/2026");
            r.set(fld::NumFib, k);
            r.setInitiale(k == 1 ? "A" : "B");
            recs.push_back(r);
        }
        EXPECT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
        centre.CurrentFile = "FIB.DAT";
        centre.CurrentYear = 2026;
        centre.buffer = h;
        centre.CurrentCentre = 77;
        centre.CurrentFib = 2;
        menu = form<TTMenu3>();
        // Line 2 and 3 are stored; line 4 is refused; line 5 is FIB 1 again.
        writeText(path("releve.csv"),
                  "Initiale;Sexe;AnNaissance;DateFib;HbA1c\r\n"
                  "C;1;1950;2026-01-15;7,2\r\n"
                  "D;F;1960;15/01/2026;\r\n"
                  "E;7;1970;15/01/2026;\r\n"
                  "A;;;01/01/2026;\r\n");
        fake.openFiles.push_back(path("releve.csv"));
    }
    std::uint16_t count() {
        CentreHeader h;
        EXPECT_FALSE(recordfile::readHeader("FIB.DAT", h));
        return h.nbFiches();
    }
};

}  // namespace

TEST(ImportScreen, CountsAndRefusalsAskedThenStoredAfterTheLastFib) {
    ImportRun run;
    click(run.menu, "BImport");
    ASSERT_EQ(run.fake.messages.size(), 2u);
    const QString asked = run.fake.messages[0].text;
    EXPECT_TRUE(run.fake.messages[0].question);
    EXPECT_TRUE(asked.startsWith(QString::fromUtf8("2 fiches à enregistrer (")));
    EXPECT_TRUE(asked.contains(QString::fromUtf8("1 ligne refusée, 1 doublon (laissés de côté).")));
    EXPECT_TRUE(
        asked.contains(QString::fromUtf8("Ligne 4, colonne Sexe, « 7 » : code hors de sa famille (1 = M, 2 = F)")));
    EXPECT_TRUE(asked.contains(QString::fromUtf8("Rapport complet : releve-rapport.csv")));
    EXPECT_TRUE(asked.endsWith(QString::fromUtf8("Enregistrer 2 fiches dans FIB.DAT ?")));
    EXPECT_EQ(run.fake.messages[1].text, QString::fromUtf8("2 fiches enregistrées, numéros 3 à 4."));
    EXPECT_EQ(run.count(), 4);
    EXPECT_EQ(run.centre.CurrentFib, 4);
    EXPECT_EQ(run.menu->findChild<QLineEdit*>("Efib")->text().trimmed(), "4");
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 4, r));
    EXPECT_EQ(r.initiale(), "D");
    EXPECT_EQ(r.get(fld::NumCentre), 77);
    EXPECT_EQ(r.get(fld::RegionDep), 0x0305);
    const QByteArray report = AppFixture::fileBytesOf(run.path("releve-rapport.csv"));
    EXPECT_TRUE(report.contains("\r\n5;;;doublon de la fiche 1\r\n"));
}

TEST(ImportScreen, NoWritesNothingAndAnUnknownColumnIsNamed) {
    ImportRun run;
    run.fake.answers = {ui::Answer::No};
    click(run.menu, "BImport");
    EXPECT_EQ(run.count(), 2);
    EXPECT_EQ(run.centre.CurrentFib, 2);

    run.fake.messages.clear();
    writeText(run.path("autre.csv"), "Initiale;Couleur\r\nC;bleu\r\n");
    run.fake.openFiles.push_back(run.path("autre.csv"));
    click(run.menu, "BImport");
    ASSERT_EQ(run.fake.messages.size(), 1u);
    EXPECT_EQ(run.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(run.fake.messages[0].text.contains(QString::fromUtf8("colonne inconnue dans la source : « Couleur »")));
    EXPECT_EQ(run.count(), 2);
}

TEST(ExportScreens, EvaluationMenuExportsTheCentreFileWithItsCodebook) {
    AppFixture app;
    DemoCentre c;
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(c, 40, 3)));
    app.fake.saveFiles.push_back(app.path("fiches.dta"));
    click(app.form<TFPeval>(), "BExport");
    EXPECT_TRUE(QFile::exists(app.path("fiches.dta")));
    EXPECT_TRUE(QFile::exists(app.path("fiches-dictionnaire.csv")));
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_TRUE(app.fake.messages[0].text.contains(QString::fromUtf8("fiches exportées dans fiches.dta")));
    ASSERT_EQ(app.fake.progressTitles.size(), 1u);
    EXPECT_EQ(app.fake.progressTitles[0], QString::fromUtf8("Exportation des fiches"));
    // Cancelled picker: nothing.
    app.fake.messages.clear();
    click(app.form<TFPeval>(), "BExport");
    EXPECT_TRUE(app.fake.messages.empty());
}

TEST(ExportScreens, CountryWindowExportsThePooledFile) {
    AppFixture app;
    QDir(app.path("")).mkdir("pays");
    const std::string folder = app.path("pays").toStdString();
    DemoCentre c;
    ASSERT_FALSE(recordfile::replaceWith(folder + "/FIB1.DAT", demoRecords(c, 30, 3)));
    pool::CollectionResult r;
    ASSERT_FALSE(pool::collect(folder, "FibFr97.Dat", r));
    auto* synt = app.form<TFSynt2>();
    app.fake.folders.push_back(app.path("pays"));
    click(synt, "DirectoryListBox1");
    app.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.saveFiles.push_back(app.path("pays/FibFr97-fiches.xlsx"));
    app.fake.messages.clear();
    click(synt, "BExport");
    ASSERT_EQ(app.fake.messages.size(), 1u) << app.fake.messages[0].text.toStdString();
    EXPECT_TRUE(app.fake.messages[0].text.contains(QString::fromUtf8("fiches exportées dans FibFr97-fiches.xlsx")));
    EXPECT_TRUE(QFile::exists(app.path("pays/FibFr97-fiches.xlsx")));
    EXPECT_TRUE(QFile::exists(app.path("pays/FibFr97-fiches-dictionnaire.csv")));
}
