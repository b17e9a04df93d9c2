#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "FakeUi.h"
#include "app/Menu1.h"
#include "app/Menu2.h"
#include "app/Nctr.h"
#include "app/Unite.h"
#include "formats/RecordFile.h"
#include "store/Centre.h"
#include "store/Menu3.h"
#include "store/Nfib.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::click;

namespace {

QString fieldText(QWidget* form, const char* name) {
    auto* e = form->findChild<QLineEdit*>(name);
    return e ? e->text() : QStringLiteral("<none>");
}

QString cell(QWidget* form, int r, int c) {
    auto* t = form->findChild<QTableWidget*>("SUni");
    return t && t->item(r, c) ? t->item(r, c)->text() : QStringLiteral("<none>");
}

// Chooses a unit the way a mouse click does.
void clickUnit(QDialog* d, int row, int col) {
    auto* t = d->findChild<QTableWidget*>("SUni");
    emit t->cellClicked(row, col);
}

int countOf(const std::vector<QString>& v, const char* name) {
    return int(std::count(v.begin(), v.end(), QString(name)));
}

CentreHeader readHeader() {
    CentreHeader h;
    EXPECT_FALSE(recordfile::readHeader("FIB.DAT", h));
    return h;
}

// "CENTRE" on the main window, the centre menu closed at once.
void openCentre(AppFixture& app) {
    app.fake.onModal["TTMenu2"] = [](QDialog*) { return int(QDialog::Rejected); };
    click(app.form<TTMenu1>(), "MENU");
    ASSERT_EQ(app.fake.modalOpened.back(), "TTMenu2");
}

// Every identification dialog cancelled.
void cancelAll(AppFixture& app) {
    for (const char* n : {"TNRegDlg", "TNDepDlg", "TNSpeDlg", "TNctrDlg", "TFUnite", "TTMenu3"})
        app.fake.onModal[n] = [](QDialog*) { return int(QDialog::Rejected); };
}

void saisie(AppFixture& app) { click(app.form<TTMenu2>(), "Button2"); }

}  // namespace

TEST(CentreIdentification, NewFileWalkedThroughEveryStep) {
    AppFixture app;
    openCentre(app);
    QStringList depItems;
    int depSelected = 99;
    app.fake.onModal["TNRegDlg"] = [](QDialog* d) {
        auto* l = d->findChild<QComboBox*>("CReg");
        EXPECT_EQ(l->count(), 26);
        EXPECT_EQ(l->currentIndex(), -1);
        l->setCurrentIndex(2);
        l->setCurrentIndex(7);          // Corse
        return int(QDialog::Rejected);  // Cancel keeps the choice
    };
    app.fake.onModal["TNDepDlg"] = [&](QDialog* d) {
        auto* l = d->findChild<QComboBox*>("CDep");
        for (int i = 0; i < l->count(); ++i) depItems << l->itemText(i);
        depSelected = l->currentIndex();
        l->setCurrentIndex(1);  // 2B
        return int(QDialog::Accepted);
    };
    app.fake.onModal["TNSpeDlg"] = [](QDialog* d) {
        d->findChild<QComboBox*>("CSpe")->setCurrentIndex(3);
        return int(QDialog::Accepted);
    };
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("1234");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.onModal["TFUnite"] = [&](QDialog* d) {
        EXPECT_EQ(cell(d, 0, 0), " UNITES");
        EXPECT_EQ(cell(d, 0, 1), " Centre 1234");
        EXPECT_EQ(cell(d, 0, 2), QString::fromUtf8(" No unité"));
        EXPECT_EQ(cell(d, 0, 3), " O M S");
        EXPECT_EQ(cell(d, 2, 0), QString::fromUtf8(" Créatinine"));
        EXPECT_EQ(cell(d, 2, 3), QString::fromUtf8(" µmol/l"));
        // The header has been written with the identification so far, not yet the centre.
        CentreHeader h = readHeader();
        EXPECT_EQ(h.get(fld::NumCentre), 0);
        EXPECT_EQ(h.get(fld::Specialite), 4);
        clickUnit(d, 1, 4);  // Glycémie g/l
        clickUnit(d, 1, 5);  // changed to mg/dl
        clickUnit(d, 1, 4);  // and back to g/l
        clickUnit(d, 2, 3);
        clickUnit(d, 3, 3);
        clickUnit(d, 4, 3);
        clickUnit(d, 5, 5);  // Cholestérol mg/dl
        clickUnit(d, 6, 3);
        clickUnit(d, 7, 4);
        EXPECT_EQ(cell(d, 1, 1), " g/l");
        EXPECT_EQ(cell(d, 1, 2), "4");
        d->findChild<QPushButton*>("Button1")->click();
        return d->result();
    };
    app.fake.onModal["TTMenu3"] = [](QDialog* d) {
        EXPECT_EQ(fieldText(d, "EReg"), "Corse");
        EXPECT_EQ(fieldText(d, "EDep"), "102");
        EXPECT_EQ(fieldText(d, "Ectr"), "1234");
        EXPECT_EQ(fieldText(d, "Efib"), "0");
        EXPECT_EQ(fieldText(d, "ESpe"), QString::fromUtf8("Service spécialisé diabète"));
        EXPECT_EQ(cell(d, 0, 0), " UNITES");
        EXPECT_EQ(cell(d, 0, 1), " Centre 1234");
        EXPECT_EQ(cell(d, 1, 0), QString::fromUtf8(" Glycémie"));
        EXPECT_EQ(cell(d, 1, 1), " g/l");
        EXPECT_EQ(cell(d, 2, 1), QString::fromUtf8(" µmol/l"));
        EXPECT_EQ(cell(d, 5, 1), " mg/dl");
        EXPECT_EQ(cell(d, 7, 1), " g/l");
        return int(QDialog::Rejected);
    };
    saisie(app);

    EXPECT_EQ(depItems, (QStringList{"2A", "2B"}));
    EXPECT_EQ(depSelected, -1);
    EXPECT_TRUE(app.fake.messages.empty());
    EXPECT_EQ(app.fake.modalOpened.back(), "TTMenu3");

    CentreHeader expected = headerTemplate();
    expected.set(fld::RegionDep, 8 * 256 + 102);
    expected.set(fld::Specialite, 4);
    expected.set(fld::NumCentre, 1234);
    const float units[7] = {4, 3, 3, 3, 5, 3, 4};
    for (int i = 0; i < 7; ++i) expected.set(kUnitSlots[i], units[i]);
    EXPECT_EQ(readHeader(), expected);  // byte for byte: nothing else touched

    EXPECT_EQ(app.centre.UnitCodes, (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 3, 4}));
    EXPECT_EQ(app.centre.CurrentCentre, 1234);
    EXPECT_EQ(app.centre.buffer.get(fld::UniteGlycemie), -1.0f);  // the buffer is an empty FIB's template
    EXPECT_EQ(app.centre.buffer.get(fld::NumCentre), 1234);

    // Identified: the next SAISIE asks nothing and goes straight to the record menu.
    app.fake.modalOpened.clear();
    app.fake.onModal["TTMenu3"] = [](QDialog* d) {
        EXPECT_EQ(fieldText(d, "EDep"), "102");
        return int(QDialog::Rejected);
    };
    saisie(app);
    EXPECT_EQ(app.fake.modalOpened, (std::vector<QString>{"TTMenu3"}));
    EXPECT_EQ(app.centre.UnitCodes, (std::array<std::uint16_t, 7>{4, 3, 3, 3, 5, 3, 4}));
}

TEST(CentreIdentification, CancelledRegionIsAskedAgainBeforeAnyDepartmentList) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    int depItems = -1;
    app.fake.onModal["TNDepDlg"] = [&](QDialog* d) {
        depItems = d->findChild<QComboBox*>("CDep")->count();
        return int(QDialog::Rejected);
    };
    saisie(app);
    // No empty department list: the region is asked once more, then the department is left.
    EXPECT_EQ(depItems, -1);
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNRegDlg"), 2);
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNDepDlg"), 0);
    EXPECT_EQ(readHeader(), headerTemplate());
    EXPECT_EQ(countOf(app.fake.modalOpened, "TFUnite"), 0);
    EXPECT_EQ(app.fake.modalOpened.back(), "TTMenu3");

    // Next time: asked again, and a region chosen then fills the department list.
    app.fake.onModal["TNRegDlg"] = [](QDialog* d) {
        d->findChild<QComboBox*>("CReg")->setCurrentIndex(25);  // Réunion
        return int(QDialog::Accepted);
    };
    QStringList items;
    app.fake.onModal["TNDepDlg"] = [&](QDialog* d) {
        auto* l = d->findChild<QComboBox*>("CDep");
        for (int i = 0; i < l->count(); ++i) items << l->itemText(i);
        l->setCurrentIndex(0);
        return int(QDialog::Accepted);
    };
    saisie(app);
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNRegDlg"), 3);
    EXPECT_EQ(items, QStringList{"974"});
    EXPECT_EQ(readHeader().get(fld::RegionDep), 26 * 256 + 99);
}

TEST(CentreIdentification, InterruptedIdentificationResumesWhereItStopped) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    app.fake.onModal["TNRegDlg"] = [](QDialog* d) {
        d->findChild<QComboBox*>("CReg")->setCurrentIndex(0);
        return int(QDialog::Accepted);
    };
    saisie(app);
    EXPECT_EQ(readHeader().get(fld::RegionDep), 1 * 256);
    app.fake.modalOpened.clear();
    saisie(app);
    // The region is known: only the rest is asked.
    EXPECT_EQ(app.fake.modalOpened, (std::vector<QString>{"TNDepDlg", "TNSpeDlg", "TNctrDlg", "TTMenu3"}));
}

// "Création nouvelle fiche" without a centre number says why nothing opens
// and offers the identification; once the centre is known the sheet opens.
TEST(CentreIdentification, NewSheetWithoutCentreOffersTheIdentification) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    saisie(app);
    app.fake.modalOpened.clear();
    auto* menu = app.form<TTMenu3>();

    app.fake.answers = {ui::Answer::Yes, ui::Answer::No};
    menu->BCreaClick();
    ASSERT_EQ(app.fake.messages.size(), 2u);
    EXPECT_EQ(app.fake.messages[0].text, QString::fromUtf8("Identification correcte ?"));
    EXPECT_TRUE(app.fake.messages[1].text.startsWith(QString::fromUtf8("Le centre n'est pas identifié")));
    EXPECT_TRUE(app.fake.modalOpened.empty());  // declined: nothing asked, no sheet

    app.fake.messages.clear();
    app.fake.answers = {ui::Answer::Yes, ui::Answer::Yes};
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("55");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.onModal["TFIB1"] = [](QDialog*) { return int(QDialog::Rejected); };
    menu->BCreaClick();
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNctrDlg"), 1);
    EXPECT_EQ(app.fake.modalOpened.back(), "TFIB1");
    EXPECT_EQ(readHeader().get(fld::NumCentre), 55);
    EXPECT_EQ(fieldText(menu, "Ectr"), "55");
}

TEST(CentreIdentification, CancelOnTheCentreNumberShowsNoUnits) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("77");  // typed, then Cancel
        d->findChild<QPushButton*>("CancelBtn")->click();
        return d->result();
    };
    saisie(app);
    EXPECT_EQ(countOf(app.fake.modalOpened, "TFUnite"), 0);
    EXPECT_EQ(app.centre.CurrentCentre, 0);
    EXPECT_EQ(readHeader().get(fld::NumCentre), 0);
}

TEST(CentreIdentification, WrongCentreNumberIsRefusedAndTheDialogStays) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    std::vector<int> results;
    app.fake.onModal["TNctrDlg"] = [&](QDialog* d) {
        auto* e = d->findChild<QLineEdit*>("NEdit");
        EXPECT_EQ(e->text(), "");
        EXPECT_EQ(e->maxLength(), 4);
        for (const char* t : {"12a", "0", "-5"}) {
            d->setResult(-1);
            e->setText(t);
            d->findChild<QPushButton*>("OKBtn")->click();
            results.push_back(d->result());
        }
        d->setResult(-1);
        e->setText("");  // empty: leaves the number as it stood
        d->findChild<QPushButton*>("OKBtn")->click();
        results.push_back(d->result());
        return d->result();
    };
    saisie(app);
    EXPECT_EQ(results, (std::vector<int>{-1, -1, -1, QDialog::Accepted}));
    EXPECT_EQ(app.fake.texts(), QStringList(3, QString::fromUtf8("Numéro de centre incorrect")));
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(app.centre.CurrentCentre, 0);
    EXPECT_EQ(countOf(app.fake.modalOpened, "TFUnite"), 0);
}

TEST(CentreUnits, ClosedWithoutSavingKeepsTheCodesInEffect) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("5");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.onModal["TFUnite"] = [](QDialog* d) {
        clickUnit(d, 1, 4);  // clicked but not saved
        d->findChild<QPushButton*>("BitBtn1")->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        return d->result();
    };
    // At the start of a run no unit is in effect: the international units are written.
    saisie(app);
    CentreHeader h = readHeader();
    EXPECT_EQ(h.get(fld::NumCentre), 5);
    for (auto slot : kUnitSlots) EXPECT_EQ(h.get(slot), 3.0f) << slot.name;
    EXPECT_EQ(app.centre.UnitCodes, (std::array<std::uint16_t, 7>{3, 3, 3, 3, 3, 3, 3}));
}

TEST(CentreUnits, ClosedWithoutSavingAfterEarlierUnitsWritesThoseUnits) {
    AppFixture app;
    openCentre(app);
    cancelAll(app);
    app.centre.UnitCodes = {4, 4, 3, 3, 5, 5, 0};
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("8");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    saisie(app);
    CentreHeader h = readHeader();
    const float expected[7] = {4, 4, 3, 3, 5, 5, 3};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(h.get(kUnitSlots[i]), expected[i]) << i;
}

TEST(CentreUnits, IncompleteRowsAreNamedInOneMessageAndTheDialogStays) {
    AppFixture app;
    auto* u = app.form<TFUnite>();
    u->prepare(12);
    // Headers and empty cells choose nothing.
    u->SUniMouseUp(0, 3);
    u->SUniMouseUp(3, 4);
    u->SUniMouseUp(2, 5);
    u->SUniMouseUp(4, 0);
    for (int r : {0, 2, 3, 4}) EXPECT_EQ(cell(u, r, 2), r == 0 ? QString::fromUtf8(" No unité") : QString()) << r;
    EXPECT_EQ(cell(u, 0, 1), " Centre 12");
    for (int r : {1, 2, 5, 6, 7}) u->SUniMouseUp(r, 3);
    EXPECT_EQ(u->lastChosen(), " mmol/l");
    u->setResult(-1);
    click(u, "Button1");
    EXPECT_EQ(u->result(), -1);
    EXPECT_EQ(app.fake.texts(), QStringList{QString::fromUtf8("Unités incomplètes : Microalbuminurie, Protéinurie")});
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Information);
    // The rows that had a code took it.
    EXPECT_EQ(u->codes()[kUnitGly], 3);
    EXPECT_EQ(u->codes()[kUnitMicroalb], 0);

    // Typed codes are read too; one that is not a number stops with its message.
    app.fake.messages.clear();
    auto* t = u->findChild<QTableWidget*>("SUni");
    t->item(3, 2)->setText("3");
    t->item(4, 2)->setText("x");
    click(u, "Button1");
    EXPECT_EQ(app.fake.texts(), QStringList{QString::fromUtf8("'x' n'est pas une valeur entière correcte")});
    EXPECT_EQ(u->result(), -1);

    // A typed code that the row does not offer is no unit.
    app.fake.messages.clear();
    t->item(4, 2)->setText("4");  // Protéinurie has only g/j
    click(u, "Button1");
    EXPECT_EQ(app.fake.texts(), QStringList{QString::fromUtf8("Unités incomplètes : Protéinurie")});

    app.fake.messages.clear();
    t->item(4, 2)->setText(" 3 ");
    click(u, "Button1");
    EXPECT_TRUE(app.fake.messages.empty());
    EXPECT_EQ(u->result(), QDialog::Accepted);
    EXPECT_EQ(u->codes(), (std::array<std::uint16_t, 7>{3, 3, 3, 3, 3, 3, 3}));
}

TEST(CentreIdentification, SetCentreWithUnitsNeverChosenLoadsInternationalUnits) {
    AppFixture app;
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, 31);
    h.set(fld::RegionDep, 14 * 256 + 31);
    h.set(fld::Specialite, 1);
    h.setNbFiches(0);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {h}));
    openCentre(app);
    app.centre.UnitCodes = {5, 5, 5, 5, 5, 5, 5};
    app.fake.onModal["TTMenu3"] = [](QDialog* d) {
        EXPECT_EQ(fieldText(d, "EReg"), QString::fromUtf8("Midi - Pyrénées"));
        EXPECT_EQ(fieldText(d, "EDep"), "31");
        EXPECT_EQ(fieldText(d, "ESpe"), QString::fromUtf8("Généraliste"));
        EXPECT_EQ(cell(d, 1, 1), " mmol/l");
        EXPECT_EQ(cell(d, 2, 1), QString::fromUtf8(" µmol/l"));
        return int(QDialog::Rejected);
    };
    saisie(app);
    EXPECT_EQ(app.fake.modalOpened.back(), "TTMenu3");
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNRegDlg"), 0);
    EXPECT_EQ(app.centre.UnitCodes, (std::array<std::uint16_t, 7>{3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(readHeader(), h);  // nothing written
}

TEST(CentreIdentification, UnreadableFileIsOneErrorAndNoRecordMenu) {
    AppFixture app;
    openCentre(app);
    QFile f(app.path("FIB.DAT"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(10, 'x'));
    f.close();
    cancelAll(app);
    app.fake.modalOpened.clear();
    saisie(app);
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.messages[0].text.startsWith(QString::fromUtf8("Erreur d'entrée/sortie sur FIB.DAT")));
    EXPECT_TRUE(app.fake.modalOpened.empty());
}

TEST(CentreTraining, PracticeFileThenSaisieOnTheCentreFileAgain) {
    AppFixture app;
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, 55);
    h.set(fld::RegionDep, 8 * 256 + 101);
    h.set(fld::Specialite, 2);
    units::store(h, {4, 4, 3, 3, 4, 4, 4});
    FibRecord fib = emptyFibFromHeader(h, "01/02/2026");
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {h}));
    CentreHeader p = headerTemplate();
    p.setNbFiches(2);
    ASSERT_FALSE(recordfile::replaceWith("ESSAIFIB.DAT", {p, fib, fib}));
    openCentre(app);
    auto* menu = app.form<TTMenu2>();
    auto* evaluation = menu->findChild<QPushButton*>("Button1");

    bool evalEnabledMeanwhile = true;
    std::string fileMeanwhile;
    app.fake.onModal["TTMenu3"] = [&](QDialog* d) {
        EXPECT_EQ(fieldText(d, "Ectr"), "  TEST");
        EXPECT_EQ(fieldText(d, "Efib"), "2");
        evalEnabledMeanwhile = evaluation->isEnabled();
        fileMeanwhile = app.centre.CurrentFile;
        return int(QDialog::Rejected);
    };
    click(menu, "Button6");
    EXPECT_FALSE(evalEnabledMeanwhile);
    EXPECT_EQ(fileMeanwhile, "ESSAIFIB.DAT");
    EXPECT_EQ(app.centre.CurrentFib, 2);
    EXPECT_TRUE(evaluation->isEnabled());
    EXPECT_EQ(app.centre.CurrentFile, "FIB.DAT");
    EXPECT_EQ(countOf(app.fake.modalOpened, "TNRegDlg"), 0);
    // The new practice file took the centre's identification, so that a FIB can be created on it.
    CentreHeader practice;
    ASSERT_FALSE(recordfile::readHeader("ESSAIFIB.DAT", practice));
    CentreHeader expected = h;
    expected.setNbFiches(2);
    EXPECT_EQ(practice, expected);
    EXPECT_EQ(app.centre.CurrentCentre, 55);
    EXPECT_EQ(app.centre.buffer, expected);
    FibRecord second;
    ASSERT_FALSE(recordfile::readFib("ESSAIFIB.DAT", 2, second));
    EXPECT_EQ(second, fib);

    app.fake.onModal["TTMenu3"] = [&](QDialog* d) {
        EXPECT_EQ(fieldText(d, "Ectr"), "55");
        EXPECT_EQ(fieldText(d, "Efib"), "0");
        EXPECT_EQ(fieldText(d, "EDep"), "101");
        EXPECT_EQ(cell(d, 1, 1), " g/l");
        EXPECT_EQ(cell(d, 2, 1), " mg/l");
        fileMeanwhile = app.centre.CurrentFile;
        return int(QDialog::Rejected);
    };
    saisie(app);
    EXPECT_EQ(fileMeanwhile, "FIB.DAT");
    EXPECT_EQ(app.centre.CurrentCentre, 55);
    EXPECT_EQ(app.centre.UnitCodes, (std::array<std::uint16_t, 7>{4, 4, 3, 3, 4, 4, 4}));
    EXPECT_TRUE(app.fake.messages.empty());
}

TEST(CentreTraining, MissingPracticeFileIsAnErrorAndTheMenuIsRestored) {
    AppFixture app;
    openCentre(app);
    ASSERT_TRUE(QFile::remove(app.path("ESSAIFIB.DAT")));
    app.fake.modalOpened.clear();
    click(app.form<TTMenu2>(), "Button6");
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(app.fake.modalOpened.empty());
    EXPECT_EQ(app.centre.CurrentFile, "FIB.DAT");
    EXPECT_TRUE(app.form<TTMenu2>()->findChild<QPushButton*>("Button1")->isEnabled());
}

TEST(CentreMenu, OtherButtonsOpenTheirScreens) {
    AppFixture app;
    openCentre(app);
    auto* menu = app.form<TTMenu2>();
    app.evaluation.EvaluatedCount = 12;
    click(menu, "Button1");
    EXPECT_EQ(app.evaluation.EvaluatedCount, 0u);
    ASSERT_FALSE(app.fake.modalOpened.empty());
    EXPECT_EQ(app.fake.modalOpened.back(), "TFPeval");
    EXPECT_TRUE(app.fake.messages.empty());
    click(menu, "Button5");
    EXPECT_EQ(app.fake.modalOpened.back(), "TFSauv");
    EXPECT_TRUE(app.fake.messages.empty());

    click(menu, "Button3");
    EXPECT_EQ(app.fake.modelessOpened, (std::vector<QString>{"TTTexte7"}));
    app.fake.onModal["TFNews"] = [](QDialog* d) {
        for (const char* b : {"Button4", "Button3", "Button2", "Button1"}) d->findChild<QPushButton*>(b)->click();
        return int(QDialog::Rejected);
    };
    click(menu, "Button4");
    EXPECT_EQ(app.fake.modalOpened.back(), "TFNews");
    EXPECT_EQ(app.fake.modelessOpened,
              (std::vector<QString>{"TTTexte7", "TTTexte3", "TTTexte4", "TTTexte5", "TTTexte6"}));
}

TEST(CentreTraining, APracticeFileWithItsOwnCentreOrAnUnidentifiedCentreIsLeftAlone) {
    AppFixture app;
    openCentre(app);  // both files new: the centre is not identified
    cancelAll(app);
    click(app.form<TTMenu2>(), "Button6");
    CentreHeader practice;
    ASSERT_FALSE(recordfile::readHeader("ESSAIFIB.DAT", practice));
    EXPECT_EQ(practice, headerTemplate());

    CentreHeader c = headerTemplate();
    c.set(fld::NumCentre, 12);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {c}));
    CentreHeader own = headerTemplate();
    own.set(fld::NumCentre, 9);
    ASSERT_FALSE(recordfile::replaceWith("ESSAIFIB.DAT", {own}));
    click(app.form<TTMenu2>(), "Button6");
    ASSERT_FALSE(recordfile::readHeader("ESSAIFIB.DAT", practice));
    EXPECT_EQ(practice, own);
    EXPECT_EQ(app.centre.CurrentCentre, 9);
    EXPECT_TRUE(app.fake.messages.empty());
}

// Part of a record at the end of either file (a save cut short by a full disk)
// is told once, where the file is opened: CENTRE, « Entraînement Saisie ».
TEST(CentreMenu, PartialRecordLeftByAnInterruptedSaveIsTold) {
    AppFixture app;
    openCentre(app);
    for (const char* name : {"FIB.DAT", "ESSAIFIB.DAT"}) {
        QFile f(app.path(name));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(100, 'x'));
    }
    app.fake.messages.clear();
    openCentre(app);
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Warning);
    EXPECT_TRUE(app.fake.messages[0].text.startsWith(QString::fromUtf8("FIB.DAT se termine par une fiche incomplète")));
    app.fake.messages.clear();
    app.fake.onModal["TTMenu3"] = [](QDialog*) { return int(QDialog::Rejected); };
    click(app.form<TTMenu2>(), "Button6");
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_TRUE(
        app.fake.messages[0].text.startsWith(QString::fromUtf8("ESSAIFIB.DAT se termine par une fiche incomplète")));
}

TEST(CentreUnits, EnterOnAUnitChoosesItWithoutSaving) {
    AppFixture app;
    auto* u = app.form<TFUnite>();
    u->prepare(12);
    u->show();
    auto* t = u->findChild<QTableWidget*>("SUni");
    t->setFocus();
    t->setCurrentCell(2, 4);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(u, &enter);
    EXPECT_EQ(cell(u, 2, 1), " mg/l");
    EXPECT_EQ(cell(u, 2, 2), "4");
    EXPECT_TRUE(app.fake.messages.empty());
    EXPECT_TRUE(u->isVisible());
    u->hide();
}

// The grid is read-only: Space, like Enter, chooses the unit under the
// cursor; no key types over a cell.
TEST(CentreUnits, SpaceChoosesAndNothingIsTypedOver) {
    AppFixture app;
    auto* u = app.form<TFUnite>();
    u->prepare(12);
    u->show();
    auto* t = u->findChild<QTableWidget*>("SUni");
    EXPECT_EQ(t->editTriggers(), QAbstractItemView::NoEditTriggers);
    t->setFocus();
    t->setCurrentCell(5, 5);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(t, &space);
    EXPECT_EQ(cell(u, 5, 1), " mg/dl");
    EXPECT_EQ(cell(u, 5, 2), "5");
    t->setCurrentCell(5, 1);
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(t, &x);
    EXPECT_TRUE(t->findChildren<QLineEdit*>().isEmpty());  // no editor opened
    EXPECT_EQ(cell(u, 5, 1), " mg/dl");
    u->hide();
}

// Entering the grid puts the cursor on a unit of the first row; the arrows
// never land on the headings.
TEST(CentreUnits, GridIsEnteredOnAUnitAndTheArrowsSkipTheHeadings) {
    AppFixture app;
    auto* u = app.form<TFUnite>();
    u->prepare(12);
    u->show();
    auto* t = u->findChild<QTableWidget*>("SUni");
    u->activateWindow();
    QApplication::processEvents();
    u->Button1->setFocus();
    t->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(t->currentRow(), 1);
    EXPECT_EQ(t->currentColumn(), 3);
    for (int key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left}) {
        QKeyEvent arrow(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(t, &arrow);
    }
    EXPECT_EQ(t->currentRow(), 1) << "not on the UNITES heading";
    EXPECT_EQ(t->currentColumn(), 1);
    u->hide();
}

TEST(CentreUnits, TabLeavesTheGridForSauver) {
    AppFixture app;
    auto* u = app.form<TFUnite>();
    u->prepare(12);
    u->show();
    auto* t = u->findChild<QTableWidget*>("SUni");
    t->setFocus();
    t->setCurrentCell(7, 3);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(t, &tab);
    EXPECT_EQ(u->focusWidget(), u->Button1);
    EXPECT_EQ(cell(u, 7, 2), QString());
    u->hide();
}

// On a large screen the identification dialogs grow with the forms they open over.
TEST(CentreIdentification, DialogsScaleWithTheForms) {
    AppFixture app;
    app.fake.screen = QSize(1904, 1040);
    for (QDialog* d : {static_cast<QDialog*>(app.form<TNctrDlg>()), static_cast<QDialog*>(app.form<TFUnite>()),
                       static_cast<QDialog*>(app.form<TNfibDlg>())}) {
        const QSize before = d->size();
        app.fake.showModal(d);
        EXPECT_GT(d->width(), before.width() * 2) << d->objectName().toStdString();
    }
}
