// The navigation between forms: each door opens the screen it names, the way
// it should be shown, with what it is handed, and brings back what was chosen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "FakeUi.h"
#include "eval/Objectif.h"
#include "eval/Synthesis.h"
#include "formats/GroupFile.h"
#include "formats/RecordFile.h"
#include "pool/NPays.h"
#include "ref/Nsynth.h"
#include "store/Centre.h"
#include "store/Demo.h"
#include "ui/Navigation.h"

using namespace pelo;
using pelo::test::AppFixture;

TEST(Navigation, EachDoorOpensItsScreenModally) {
    const std::vector<std::pair<std::function<void(Navigation&)>, QString>> doors = {
        {[](Navigation& n) { n.centre().openCentreMenu(); }, "TTMenu2"},
        {[](Navigation& n) { n.country().openTitle(); }, "TForm1"},
        {[](Navigation& n) { n.references().openMenu(); }, "TFVisi97"},
        {[](Navigation& n) { n.evaluation().openMenu(); }, "TFPeval"},
        {[](Navigation& n) { n.centre().openBackup(); }, "TFSauv"},
        {[](Navigation& n) { n.centre().openNews(); }, "TFNews"},
        {[](Navigation& n) { n.centre().askRegion(); }, "TNRegDlg"},
        {[](Navigation& n) { n.centre().askDepartment(1); }, "TNDepDlg"},
        {[](Navigation& n) { n.centre().askStructure(); }, "TNSpeDlg"},
        {[](Navigation& n) { n.centre().askCentreNumber(); }, "TNctrDlg"},
        {[](Navigation& n) { n.centre().askUnits(12, {}); }, "TFUnite"},
        {[](Navigation& n) { n.entry().openRecordMenu(); }, "TTMenu3"},
        {[](Navigation& n) { n.entry().openPracticeRecordMenu(); }, "TTMenu3"},
        {[](Navigation& n) { n.evaluation().openObjectives(); }, "TTObjectif"},
        {[](Navigation& n) { n.country().openWindow(); }, "TFSynt2"},
        {[](Navigation& n) { n.country().askPoolFileName("FibFr97.Dat"); }, "TFNPays"},
        {[](Navigation& n) { n.country().askSubCollectionName("Fibaaaa.Dat"); }, "TFNScoll"},
        {[](Navigation& n) { n.country().askQuery(); }, "TFQuest"},
        {[](Navigation& n) { n.country().openGroups("", {}); }, "TFGroupe"},
        {[](Navigation& n) { n.country().openGroupSyntheses("", {}); }, "TFGrpSyn"},
        {[](Navigation& n) { n.references().openStoredSynthesis("SynFr97.Atx", "France 97"); }, "TFVis97"},
        {[](Navigation& n) { n.references().askSynthesisName("SynFr97.Atx"); }, "TFNSynth"},
        {[](Navigation& n) { n.references().openComparison(); }, "TFCompar"},
        {[](Navigation& n) { n.references().openVariability(); }, "TFVaria"},
        {[](Navigation& n) { n.references().openStandardIndicators(); }, "TFIndic"},
    };
    AppFixture app;
    for (const auto& [open, name] : doors) {
        app.fake.modalOpened.clear();
        open(app.nav);
        EXPECT_EQ(app.fake.modalOpened, std::vector<QString>{name}) << name.toStdString();
        EXPECT_TRUE(app.fake.modelessOpened.empty()) << name.toStdString();
        EXPECT_TRUE(app.fake.messages.empty()) << name.toStdString();
    }
}

TEST(Navigation, TextPagesOpenWithoutBlockingAndOnlyThoseThatExist) {
    AppFixture app;
    for (int page : {2, 3, 4, 5, 6, 7, 8}) app.nav.centre().openTextPage(page);
    EXPECT_EQ(app.fake.modelessOpened,
              (std::vector<QString>{"TTTexte3", "TTTexte4", "TTTexte5", "TTTexte6", "TTTexte7"}));
    EXPECT_TRUE(app.fake.modalOpened.empty());
}

TEST(Navigation, IdentificationDialogsStartWithoutAChoice) {
    AppFixture app;
    std::vector<int> listed;
    auto noSelection = [&](QDialog* d) {
        auto* list = d->findChild<QComboBox*>();
        EXPECT_EQ(list->currentIndex(), -1) << d->objectName().toStdString();
        listed.push_back(list->count());
        return int(QDialog::Rejected);
    };
    for (const char* name : {"TNRegDlg", "TNDepDlg", "TNSpeDlg"}) app.fake.onModal[name] = noSelection;
    CentreNavigation& centre = app.nav.centre();
    EXPECT_FALSE(centre.askRegion());
    EXPECT_FALSE(centre.askDepartment(7));
    EXPECT_FALSE(centre.askDepartment(1));
    EXPECT_FALSE(centre.askStructure());
    ASSERT_EQ(listed.size(), 4u);
    // The department list is the region's.
    EXPECT_EQ(listed[1], int(centre::departmentTexts(7).size()));
    EXPECT_EQ(listed[2], int(centre::departmentTexts(1).size()));
    // A choice is taken on selection, even when the dialog is then cancelled.
    app.fake.onModal["TNRegDlg"] = [](QDialog* d) {
        d->findChild<QComboBox*>()->setCurrentIndex(13);
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(centre.askRegion(), std::uint16_t{14});

    // The centre number: an earlier text is gone; OK with a number chooses it.
    app.fake.onModal["TNctrDlg"] = [](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("NEdit");
        EXPECT_TRUE(edit->text().isEmpty());
        edit->setText("321");
        d->findChild<QPushButton*>("OKBtn")->click();
        edit->setText("999");  // left in the edit for the next opening
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(centre.askCentreNumber(), std::uint16_t{321});
    EXPECT_EQ(centre.askCentreNumber(), std::uint16_t{321});
    app.fake.onModal["TNctrDlg"] = [](QDialog*) { return int(QDialog::Rejected); };
    EXPECT_FALSE(centre.askCentreNumber());
}

TEST(Navigation, NameDialogsProposeAndBringBackWhatWasTyped) {
    AppFixture app;
    app.fake.onModal["TFNPays"] = [](QDialog* d) {
        auto* dlg = static_cast<TFNPays*>(d);
        EXPECT_EQ(dlg->NomP->text(), "FibFr97.Dat");
        dlg->NomP->setText(" FibBe98.Dat ");
        dlg->OKBtn->click();
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(app.nav.country().askPoolFileName("FibFr97.Dat"), "FibBe98.Dat");
    // Cancel brings back nothing, not the name of an earlier opening.
    app.fake.onModal["TFNPays"] = [](QDialog* d) {
        static_cast<TFNPays*>(d)->CancelBtn->click();
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(app.nav.country().askPoolFileName("FibFr97.Dat"), "");
    app.fake.onModal["TFNScoll"] = [](QDialog* d) {
        static_cast<TFNScoll*>(d)->CancelBtn->click();
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(app.nav.country().askSubCollectionName("Fibaaaa.Dat"), "");

    // The stored synthesis's name is what the edit holds, whichever button closed it.
    app.fake.onModal["TFNSynth"] = [](QDialog* d) {
        auto* dlg = static_cast<TFNSynth*>(d);
        EXPECT_EQ(dlg->NomP->text(), "SynFr97.Atx");
        EXPECT_EQ(dlg->NomP->selectedText(), "SynFr97.Atx");
        dlg->NomP->setText("  SynBe98.Atx ");
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(app.nav.references().askSynthesisName("SynFr97.Atx"), "SynBe98.Atx");
}

TEST(Navigation, QueryAnswersWhetherItWasValidated) {
    AppFixture app;
    int answer = QDialog::Accepted;
    app.fake.onModal["TFQuest"] = [&](QDialog*) { return answer; };
    EXPECT_TRUE(app.nav.country().askQuery());
    answer = QDialog::Rejected;
    EXPECT_FALSE(app.nav.country().askQuery());
}

TEST(Navigation, StoredSynthesisIsTheRunsWhenItsScreenOpens) {
    AppFixture app;
    app.fake.onModal["TFVis97"] = [&](QDialog*) {
        EXPECT_EQ(app.country.StoredSynthesis, "SynBe98.Atx");
        EXPECT_EQ(app.country.StoredTitle, "Belgique 98");
        return int(QDialog::Rejected);
    };
    app.nav.references().openStoredSynthesis("SynBe98.Atx", "Belgique 98");
    EXPECT_EQ(app.fake.modalOpened, std::vector<QString>{"TFVis97"});
}

TEST(Navigation, EvaluationShowsTheSynthesisOnTheScreenAndTheObjectivesChart) {
    AppFixture app;
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(DemoCentre{}, 40, 3)));
    eval::SynthesisResult r;
    ASSERT_FALSE(eval::runCentreSynthesis("FIB.DAT", 0, 2000, r));
    eval::ObjectivesGrid expected;
    eval::writeObjectiveResults(r, expected);
    app.nav.evaluation().showSynthesis(r);
    EXPECT_EQ(app.fake.modalOpened, std::vector<QString>{"TFEval"});
    auto* chart = app.form<TTObjectif>();
    int written = 0;
    for (int row = 0; row < 11; ++row)
        for (int col = 0; col < 3; ++col)
            if (!expected[row][col].empty()) {
                EXPECT_EQ(chart->cell(row, col).toStdString(), expected[row][col]) << row << "," << col;
                ++written;
            }
    EXPECT_GT(written, 0);
}

TEST(Navigation, ReviewsReadTheCurrentFile) {
    AppFixture app;
    app.centre.CurrentFile = "FIB.DAT";
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(DemoCentre{}, 3, 3)));
    // The risk review shows each FIB while "FIB Suivant" is pressed.
    app.fake.onModal["TFRisque"] = [](QDialog*) { return int(QDialog::Accepted); };
    app.nav.evaluation().reviewRisks();
    EXPECT_EQ(app.fake.modalOpened, (std::vector<QString>{"TFRisque", "TFRisque", "TFRisque"}));
    EXPECT_EQ(app.centre.CurrentFib, 3);
    app.fake.modalOpened.clear();
    app.nav.evaluation().reviewQuality();
    EXPECT_EQ(app.fake.modalOpened, std::vector<QString>{"TFQual"});
    EXPECT_TRUE(app.fake.messages.empty());
}
