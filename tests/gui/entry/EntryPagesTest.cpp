#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "../core/SampleFibs.h"
#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"
#include "formats/RecordFile.h"
#include "store/Menu3.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

// A centre file with `n` empty FIBs, the run as "CENTRE" and "SAISIE" leave it.
struct Entry {
    AppFixture app;
    TFIB1* p1;
    TFIB2* p2;
    CentreHeader header;
    explicit Entry(std::uint16_t n = 0) {
        const auto recs = test::sampleFile(77, n);
        header = recs[0];
        EXPECT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
        CentreSession& s = app.centre;
        s.CurrentFile = "FIB.DAT";
        s.CurrentYear = 2026;
        s.CurrentCentre = 77;
        s.CurrentFib = n;
        s.SavedFibCount = n;
        s.ShowCheckMessages = true;
        s.ReadPage2Entries = true;
        s.UnitCodes = {3, 3, 3, 3, 3, 3, 3};
        app.run.Today = "08/12/2026";
        s.buffer = header;
        p1 = app.form<TFIB1>();
        p2 = app.form<TFIB2>();
    }
    static void click(QWidget* page, const char* name) { test::click(page, name); }
    static void type(QWidget* page, const char* name, const char* text) {
        auto* e = page->findChild<QLineEdit*>(name);
        ASSERT_NE(e, nullptr) << name;
        e->setText(QString::fromUtf8(text));
    }
    static bool ticked(QWidget* page, const char* name) {
        auto* b = page->findChild<QAbstractButton*>(name);
        return b && b->isChecked();
    }
};

}  // namespace

TEST(EntryPages, SuiteOnANewSheetShowsPageTwoUnchecked) {
    Entry t;
    t.app.centre.EditingExisting = false;
    t.app.centre.buffer = emptyFibFromHeader(t.header, "08/12/2026");
    t.app.centre.buffer.set(fld::EtatFiche, 1);
    Entry::click(t.p1, "BitBtn1");
    EXPECT_EQ(t.app.fake.modelessOpened, std::vector<QString>{"TFIB2"});
    for (const char* panel : {"Panel13", "Panel15", "Panel16", "Panel17", "Panel18"})
        EXPECT_EQ(t.p2->colourOf(panel), QColor(0, 255, 255)) << panel;
    EXPECT_EQ(t.app.centre.buffer.get(fld::EtatFiche), 1);  // nothing checked yet
    EXPECT_TRUE(t.app.fake.messages.empty());
}

TEST(EntryPages, SuiteOnAnExistingSheetTestsItAsStored) {
    Entry t(1);
    FibRecord stored = emptyFibFromHeader(t.header, "02/02/2026");
    stored.set(fld::NumFib, 1);
    stored.set(fld::HypoNbAn, 40);
    stored.set(fld::ExamYeux, 2);
    stored.set(fld::ExamPieds, 2);
    ASSERT_FALSE(recordfile::rewriteFib("FIB.DAT", 1, stored));
    t.app.centre.CurrentFib = 1;
    t.app.fake.onModal["TFIB1"] = [&](QDialog*) {
        Entry::type(t.p2, "Edit3", "3");  // typed but not yet checked
        t.app.centre.buffer.set(fld::EtatFiche, 1);
        Entry::click(t.p1, "BitBtn1");
        return 0;
    };
    t.app.form<TTMenu3>()->AppelFib();
    ASSERT_EQ(t.app.fake.modalOpened, std::vector<QString>{"TFIB1"});
    EXPECT_EQ(t.app.fake.modelessOpened, std::vector<QString>{"TFIB2"});
    // The stored 40 is what was tested; the state starts again from 0.
    EXPECT_EQ(t.app.centre.buffer.get(fld::HypoNbAn), 40);
    EXPECT_EQ(t.p2->colourOf("Panel16"), QColor(255, 0, 0));
    EXPECT_EQ(t.p2->colourOf("Panel15"), QColor(0, 0, 128));
    EXPECT_EQ(t.app.centre.buffer.get(fld::EtatFiche), 2);
    EXPECT_TRUE(t.app.centre.ReadPage2Entries);
    EXPECT_TRUE(t.app.centre.ShowCheckMessages);
    EXPECT_TRUE(t.app.fake.messages.empty());
}

TEST(EntryPages, FullSheetThroughBothPagesIsSavedAndReadBackWhole) {
    Entry t;
    t.app.fake.onModal["TFIB1"] = [&](QDialog*) {
        QWidget* p1 = t.p1;
        QWidget* p2 = t.p2;
        Entry::type(p1, "Edit3", "d");
        Entry::type(p1, "Edit4", "3");
        Entry::type(p1, "Edit5", "1950");
        Entry::click(p1, "RadioButton10");
        Entry::click(p1, "RadioButton13");
        Entry::type(p1, "MaskEdit1", "1990");
        Entry::click(p1, "RadioButton1");
        Entry::click(p1, "RadioButton3");
        Entry::click(p1, "CheckBox4");
        Entry::click(p1, "CheckBox5");
        Entry::click(p1, "RadioButton16");
        Entry::type(p1, "MaskEdit7", "80");
        Entry::type(p1, "MaskEdit6", "1.72");
        Entry::type(p1, "MaskEdit5", "90");
        Entry::type(p1, "MaskEdit4", "100");
        Entry::type(p1, "MaskEdit8", "130");
        Entry::type(p1, "MaskEdit9", "80");
        Entry::type(p1, "MaskEdit13", "6.5");
        Entry::type(p1, "MaskEdit14", "7");
        Entry::type(p1, "MaskEdit16", "90");
        Entry::type(p1, "MaskEdit17", "20");
        Entry::type(p1, "MaskEdit11", "5");
        Entry::type(p1, "MaskEdit12", "1.2");
        Entry::type(p1, "MaskEdit10", "1.5");
        for (const char* b : {"CheckBox28", "CheckBox29", "CheckBox30", "CheckBox37", "CheckBox38", "CheckBox39"})
            Entry::click(p1, b);

        Entry::click(p1, "BitBtn1");  // SUITE
        Entry::click(p2, "CheckBox3");
        Entry::click(p2, "CheckBox5");
        Entry::click(p2, "CheckBox10");
        Entry::click(p2, "CheckBox4");
        Entry::click(p2, "CheckBox8");
        Entry::click(p2, "RadioButton1");
        Entry::click(p2, "CheckBox16");
        Entry::click(p2, "CheckBox18");
        Entry::click(p2, "CheckBox26");  // proliférative droite: the save infers the rest
        Entry::type(p2, "Edit1", "8");
        Entry::type(p2, "Edit2", "9.6");
        Entry::click(p2, "RadioButton3");
        Entry::click(p2, "CheckBox13");
        Entry::click(p2, "CheckBox87");
        Entry::type(p2, "Edit3", "2");
        Entry::type(p2, "Edit5", "0");
        Entry::type(p2, "Edit6", "12");
        Entry::click(p2, "CheckBox27");
        Entry::type(p2, "MaskEdit1", "1995");
        Entry::click(p2, "CheckBox30");
        Entry::type(p2, "Edit9", "2001");
        Entry::click(p2, "CheckBox95");
        Entry::click(p2, "CheckBox96");
        Entry::click(p2, "CheckBox35");
        Entry::click(p2, "CheckBox36");
        Entry::click(p2, "CheckBox48");
        Entry::click(p2, "BitBtn1");  // DEBUT
        t.p1->BitBtn11Click();        // "Menu": the save, answered Yes
        return 0;
    };
    Entry::click(t.app.form<TTMenu3>(), "BCrea");
    EXPECT_EQ(t.app.fake.texts(), (QStringList{QString::fromUtf8("Identification correcte ?"),
                                               QString::fromUtf8("Sauvegarde de la Fiche ?")}));

    FibRecord want = emptyFibFromHeader(t.header, "08/12/2026");
    want.set(fld::NumFib, 1);
    want.setInitiale("D");
    want.set(fld::MoisNaissance, 3);
    want.set(fld::AnNaissance, 1950);
    want.set(fld::Sexe, 1);
    want.set(fld::TypeDiabete, 2);
    want.set(fld::AnDebutDiabete, 1990);
    want.set(fld::ConsultHospit, 1);
    want.set(fld::Motif, 1);
    want.set(fld::Tabac, 2);
    want.set(fld::Alcool, 2);
    want.set(fld::AutoSurveillance, 2);
    want.set(fld::Poids, 80);
    want.set(fld::Taille, 172);
    want.set(fld::TourTaille, 90);
    want.set(fld::TourHanches, 100);
    want.set(fld::TaSyst, 130);
    want.set(fld::TaDiast, 80);
    want.set(fld::GlyJeun, 6.5f);
    want.set(fld::HbA1c, 7.0f);
    want.set(fld::Creatinine, 90.0f);
    want.set(fld::Microalb, 20.0f);
    want.set(fld::Cholesterol, 5.0f);
    want.set(fld::Hdl, 1.2f);
    want.set(fld::Triglycerides, 1.5f);
    for (auto f : {fld::Cecite, fld::Infarctus, fld::Avc, fld::InsufRenale, fld::AmputSup, fld::AmputInf})
        want.set(f, 4);
    want.set(fld::HypoTaOrtho, 2);
    want.set(fld::Angor, 1);
    want.set(fld::Anerection, 2);
    want.set(fld::NeuropathiePeri, 2);
    want.set(fld::Claudication, 2);
    want.set(fld::ExamYeux, 1);
    want.set(fld::PhotocoagD, 2);
    want.set(fld::PhotocoagG, 2);
    want.set(fld::RetinoProlifD, 1);
    want.set(fld::RetinopathieD, 1);
    want.set(fld::RetineVueD, 1);
    want.set(fld::AcuiteD, 8);
    want.set(fld::AcuiteG, 10);
    want.set(fld::ExamPieds, 1);
    want.set(fld::SensVibraG, 1);
    want.set(fld::SensVibraD, 2);
    want.set(fld::HypoNbAn, 2);
    want.set(fld::JoursHosp, 0);
    want.set(fld::JoursHorsHosp, 12);
    want.set(fld::RegimeSeul, 1);
    want.set(fld::AnBiguanides, 1995);
    want.set(fld::Biguanides, 2);
    want.set(fld::AnThiazolidinediones, 2001);
    want.set(fld::Thiazolidinediones, 3);
    want.set(fld::TrtHta, 3);
    want.set(fld::TrtAutre, 2);
    want.set(fld::EtatFiche, 0);

    FibRecord saved;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 1, saved));
    for (const auto& fi : kFibFields)
        EXPECT_EQ(std::memcmp(saved.bytes.data() + fi.offset, want.bytes.data() + fi.offset, fi.width), 0) << fi.name;
    EXPECT_EQ(saved, want);  // pad bytes included
    const QByteArray fileAfterCreate = AppFixture::fileBytesOf("FIB.DAT");
    EXPECT_EQ(fileAfterCreate.size(), 2 * 248);

    // Called up again, both pages show it; saved again unchanged, the file is the same.
    t.app.fake.messages.clear();
    t.app.fake.onModal["TFIB1"] = [&](QDialog*) {
        EXPECT_TRUE(Entry::ticked(t.p2, "CheckBox23"));
        EXPECT_TRUE(Entry::ticked(t.p2, "CheckBox21"));
        EXPECT_TRUE(Entry::ticked(t.p2, "CheckBox95"));
        EXPECT_TRUE(Entry::ticked(t.p2, "CheckBox96"));
        EXPECT_EQ(t.p2->findChild<QLineEdit*>("Edit2")->text(), "10");
        EXPECT_EQ(t.p2->findChild<QLineEdit*>("Edit5")->text(), "0");
        Entry::click(t.p1, "BitBtn1");
        EXPECT_EQ(t.p2->colourOf("Panel15"), QColor(0, 0, 128));
        t.p1->BitBtn11Click();
        return 0;
    };
    t.app.centre.CurrentFib = 1;
    t.app.centre.SavedFibCount = 1;
    t.app.form<TTMenu3>()->AppelFib();
    EXPECT_EQ(t.app.fake.texts(), QStringList{QString::fromUtf8("Sauvegarde de la Fiche ?")});
    EXPECT_EQ(AppFixture::fileBytesOf("FIB.DAT"), fileAfterCreate);
}

TEST(EntryPages, PrintTakesPageOnesDateUnitsAndEntries) {
    Entry t;
    t.app.centre.UnitCodes = {3, 3, 3, 3, 4, 3, 3};
    t.app.centre.buffer = emptyFibFromHeader(t.header, "08/12/2026");
    t.p1->VisuFib1();
    Entry::type(t.p1, "MaskEdit19", "09/12/2026");
    Entry::type(t.p1, "MaskEdit11", "2,3");  // typed, not yet checked: the print's silent run stores it
    Entry::click(t.p2, "BImp");
    ASSERT_EQ(t.app.fake.printed.size(), 1u);
    const auto texts = t.app.fake.printed[0].pages.at(0).texts();
    auto has = [&](const char* s) { return std::find(texts.begin(), texts.end(), std::string(s)) != texts.end(); };
    EXPECT_TRUE(has("09/12/2026"));
    EXPECT_TRUE(has("Cholest.   2.30 g/l"));
    EXPECT_TRUE(t.app.fake.messages.empty());
    // The printout takes the date from the record: the silent run of page 1 stores it, as the other entries.
    EXPECT_EQ(t.app.centre.buffer.date(), "09/12/2026");
}

// An entry of page 2 that is not a number leaves the entries after it unread:
// the sheet is neither saved nor printed until it is corrected.
TEST(EntryPages, UnreadablePageTwoEntryBlocksTheSaveAndThePrint) {
    Entry t(2);
    t.app.centre.buffer = emptyFibFromHeader(t.header, "08/12/2026");
    t.app.centre.EditingExisting = false;
    t.p1->VisuFib1();
    Entry::type(t.p2, "Edit4", "3x");
    Entry::type(t.p2, "Edit5", "12");
    const auto before = test::AppFixture::fileBytesOf("FIB.DAT");
    const QString error = QString::fromUtf8("'3x' n'est pas une valeur entière correcte");

    Entry::click(t.p2, "BImp");
    EXPECT_TRUE(t.app.fake.printed.empty());
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.fake.messages[0].text, error);

    t.app.fake.messages.clear();
    t.app.fake.answers = {ui::Answer::Yes};
    t.p1->show();
    t.p1->BitBtn11Click();
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT"), before);
    EXPECT_TRUE(t.p1->isVisible());
    ASSERT_FALSE(t.app.fake.messages.empty());
    EXPECT_EQ(t.app.fake.messages[0].text, error);

    // Corrected, the sheet prints and saves with the entries typed after it.
    Entry::type(t.p2, "Edit4", "3");
    t.app.fake.messages.clear();
    Entry::click(t.p2, "BImp");
    EXPECT_EQ(t.app.fake.printed.size(), 1u);
    t.app.fake.answers = {ui::Answer::Yes};
    t.p1->BitBtn11Click();
    FibRecord saved;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 3, saved));
    EXPECT_EQ(saved.get(fld::HyperNbAn), 3);
    EXPECT_EQ(saved.get(fld::JoursHosp), 12);
}

// Another copy of the program (another workstation) saved a sheet while this
// one was typed: the save takes the next number and says which.
TEST(EntryPages, SheetSavedAfterAnotherWorkstationsGetsTheNextNumberAndSaysSo) {
    Entry t(2);
    t.app.fake.onModal["TFIB1"] = [&](QDialog*) {
        EXPECT_EQ(t.p1->findChild<QLineEdit*>("Edit13")->text(), "3");
        std::uint16_t count = 2;
        FibRecord other = emptyFibFromHeader(t.header, "08/12/2026");
        EXPECT_FALSE(recordfile::appendFib("FIB.DAT", count, other));  // the other workstation: FIB 3
        t.p1->BitBtn11Click();
        return 0;
    };
    Entry::click(t.app.form<TTMenu3>(), "BCrea");
    EXPECT_EQ(t.app.fake.texts(),
              (QStringList{QString::fromUtf8("Sauvegarde de la Fiche ?"),
                           QString::fromUtf8("La fiche a été enregistrée sous le numéro 4 (et non 3) : d'autres fiches "
                                             "ont été enregistrées entre-temps sur ce fichier.")}));
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 4);
    EXPECT_EQ(t.app.centre.CurrentFib, 4);
}

// Another workstation changed centre while this one typed a sheet of centre
// 77: FIB.DAT now holds centre 2. The save is refused, the sheet stays on
// screen, centre 2's file is untouched.
TEST(EntryPages, SheetIsNotSavedIntoTheFileOfAnotherCentre) {
    Entry t(2);
    std::vector<FibRecord> centre2{headerTemplate()};
    centre2[0].set(fld::NumCentre, 2);
    int result = -1;
    t.app.fake.onModal["TFIB1"] = [&](QDialog*) {
        EXPECT_FALSE(recordfile::replaceWith("FIB.DAT", centre2));  // the other workstation's change of centre
        t.p1->BitBtn11Click();
        result = t.p1->result();
        return 0;
    };
    Entry::click(t.app.form<TTMenu3>(), "BCrea");
    EXPECT_EQ(
        t.app.fake.texts(),
        (QStringList{QString::fromUtf8("Sauvegarde de la Fiche ?"),
                     QString::fromUtf8("La fiche n'est pas enregistrée : FIB.DAT contient maintenant le centre 2, "
                                       "et non le centre 77 de cette fiche (changement de centre sur un autre "
                                       "poste ?). La fiche reste à l'écran ; revenez au centre 77 pour "
                                       "l'enregistrer.")}));
    EXPECT_NE(result, QDialog::Accepted);
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT").size(), std::size_t(kRecordSize));
}

// A new sheet printed before it is saved carries the number it will be saved
// under (the one page 1 shows), not the number of the FIB read last.
TEST(EntryPages, NewSheetPrintsTheNumberItWillGet) {
    Entry t(3);
    FibRecord last;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 3, last));
    t.app.centre.buffer = last;  // what the record menu leaves in memory
    t.app.centre.buffer.set(fld::NumFib, std::uint16_t{3});
    t.p1->showNumbers(77, 4);
    t.p1->VisuFib1();
    // The date typed on page 1 is the record's once page 1 is checked, and printed.
    t.p1->findChild<QLineEdit*>("MaskEdit19")->setText("05/12/2026");
    Entry::click(t.p2, "BImp");
    ASSERT_EQ(t.app.fake.printed.size(), 1u);
    EXPECT_EQ(t.app.fake.printed[0].title, "FIB 77-0004");
    const auto texts = t.app.fake.printed[0].pages.at(0).texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& s) { return s.starts_with("Centre : 77   Fiche : 4   "); }));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "05/12/2026"), texts.end());
    EXPECT_EQ(t.app.centre.buffer.get(fld::NumFib), 3);  // the record itself is not touched
}

// The save question's buttons say what they do; "Abandonner la fiche" on a
// sheet with entries is asked once more, and "Revenir" there keeps the sheet.
TEST(EntryPages, SaveQuestionNamesItsButtonsAndConfirmsTheAbandon) {
    Entry t(1);
    const auto before = test::AppFixture::fileBytesOf("FIB.DAT");
    auto openSheet = [&] {
        t.app.centre.buffer = emptyFibFromHeader(t.header, "08/12/2026");
        t.app.centre.EditingExisting = false;
        t.p1->showNumbers(77, 2);
        t.p1->VisuFib1();
        t.p1->rememberLoaded();
        t.p1->show();
        t.app.fake.messages.clear();
    };

    // Untouched: one question, abandoned at once.
    openSheet();
    t.app.fake.answers = {ui::Answer::No};
    t.p1->BitBtn11Click();
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    const auto& q = t.app.fake.messages[0];
    EXPECT_EQ(q.text, QString::fromUtf8("Sauvegarde de la Fiche ?"));
    EXPECT_EQ(q.buttons.yes, QString::fromUtf8("Enregistrer"));
    EXPECT_EQ(q.buttons.retry, QString::fromUtf8("Revenir à la fiche"));
    EXPECT_EQ(q.buttons.no, QString::fromUtf8("Abandonner la fiche"));
    EXPECT_FALSE(t.p1->isVisible());

    // Typed into: asked again; going back keeps the sheet and what was typed.
    openSheet();
    Entry::type(t.p1, "Edit3", "D");  // the initial
    t.app.fake.answers = {ui::Answer::No, ui::Answer::No};
    t.p1->BitBtn11Click();
    ASSERT_EQ(t.app.fake.messages.size(), 2u);
    EXPECT_TRUE(t.app.fake.messages[1].text.startsWith(QString::fromUtf8("Abandonner la fiche ?")));
    EXPECT_EQ(t.app.fake.messages[1].buttons.yes, QString::fromUtf8("Abandonner la fiche"));
    EXPECT_TRUE(t.p1->isVisible());
    EXPECT_EQ(t.p1->findChild<QLineEdit*>("Edit3")->text(), "D");

    // Confirmed: abandoned, nothing written.
    t.app.fake.messages.clear();
    t.app.fake.answers = {ui::Answer::No, ui::Answer::Yes};
    t.p1->BitBtn11Click();
    EXPECT_EQ(t.app.fake.messages.size(), 2u);
    EXPECT_FALSE(t.p1->isVisible());
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT"), before);
}

// Page 2's checks untick what they clear: a woman's "Anérection" shows empty
// as it will be saved.
TEST(EntryPages, ClearedAnswerIsUnticked) {
    Entry t;
    t.app.centre.buffer = emptyFibFromHeader(t.header, "08/12/2026");
    t.app.centre.buffer.set(fld::Sexe, std::uint8_t{2});
    t.p2->VisuFib2();
    Entry::click(t.p2, "CheckBox10");  // "non"
    Entry::click(t.p2, "Panel13");
    EXPECT_EQ(t.app.centre.buffer.get(fld::Anerection), 255);
    EXPECT_FALSE(Entry::ticked(t.p2, "CheckBox9"));
    EXPECT_FALSE(Entry::ticked(t.p2, "CheckBox10"));
}
