#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "../core/SampleFibs.h"
#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"
#include "eval/Risque.h"
#include "formats/RecordFile.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

// A centre file with `n` FIBs and the page loaded with a new sheet.
struct Page {
    AppFixture app;
    TFIB1* f;
    explicit Page(std::uint16_t n = 0, std::uint8_t unitChol = 3) {
        const auto recs = test::sampleFile(77, n);
        const CentreHeader& h = recs[0];
        EXPECT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
        CentreSession& s = app.centre;
        s.CurrentFile = "FIB.DAT";
        s.CurrentYear = 2026;
        s.CurrentFib = n;
        s.SavedFibCount = n;
        s.ShowCheckMessages = true;
        s.UnitCodes = {3, 3, 3, 3, unitChol, 3, 3};
        s.buffer = emptyFibFromHeader(h, "08/12/2026");
        f = app.form<TFIB1>();
        f->VisuFib1();
    }
    QAbstractButton* box(const char* name) {
        auto* b = f->findChild<QAbstractButton*>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QLineEdit* edit(const char* name) {
        auto* e = f->findChild<QLineEdit*>(name);
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    void type(const char* name, const QString& t) { edit(name)->setText(t); }
    std::uint8_t u8(Field<FieldType::U8> fl) { return app.centre.buffer.get(fl); }
    bool aqua(const char* name) { return f->colourOf(name) == colours::Aqua; }
    bool light(const char* name) { return f->colourOf(name) == colours::Light; }

    // A sheet that passes every page-1 check.
    void fillComplete() {
        type("Edit3", "d");
        type("Edit4", "3");
        type("Edit5", "1950");
        box("RadioButton10")->click();
        box("RadioButton13")->click();
        type("MaskEdit1", "1990");
        box("RadioButton1")->click();
        box("RadioButton3")->click();
        box("CheckBox4")->click();
        box("CheckBox5")->click();
        box("RadioButton16")->click();
        type("MaskEdit7", "80");
        type("MaskEdit6", "1.72");
        type("MaskEdit5", "90");
        type("MaskEdit4", "100");
        type("MaskEdit8", "130");
        type("MaskEdit9", "80");
        type("MaskEdit13", "6.5");
        type("MaskEdit14", "7");
        type("MaskEdit16", "90");
        type("MaskEdit17", "20");
        type("MaskEdit11", "5");
        type("MaskEdit12", "1.2");
        type("MaskEdit10", "1.5");
        for (const char* b : {"CheckBox28", "CheckBox29", "CheckBox30", "CheckBox37", "CheckBox38", "CheckBox39"})
            box(b)->click();
    }
};

}  // namespace

TEST(EntryPage1, YesNoPairWritesAtOnceWithItsColours) {
    Page p;
    p.box("CheckBox2")->click();
    EXPECT_EQ(p.u8(fld::Tabac), 1);
    EXPECT_TRUE(p.aqua("CheckBox2"));
    p.box("CheckBox4")->click();
    EXPECT_EQ(p.u8(fld::Tabac), 2);
    EXPECT_FALSE(p.box("CheckBox2")->isChecked());
    EXPECT_TRUE(p.light("CheckBox2"));
    EXPECT_TRUE(p.aqua("CheckBox4"));
    p.box("CheckBox4")->click();
    EXPECT_EQ(p.u8(fld::Tabac), 255);
    EXPECT_TRUE(p.light("CheckBox4"));
    p.box("CheckBox1")->click();
    EXPECT_EQ(p.u8(fld::DiabeteFamille), 1);
    p.box("CheckBox1")->click();
    EXPECT_EQ(p.u8(fld::DiabeteFamille), 255);
}

TEST(EntryPage1, ComplicationRows) {
    Page p;
    p.box("CheckBox23")->click();  // Infarctus < 12 mois
    p.box("CheckBox26")->click();  // ancien
    EXPECT_EQ(p.u8(fld::Infarctus), 3);
    p.box("CheckBox29")->click();  // non
    EXPECT_EQ(p.u8(fld::Infarctus), 4);
    EXPECT_FALSE(p.box("CheckBox23")->isChecked());
    EXPECT_FALSE(p.box("CheckBox26")->isChecked());
    EXPECT_TRUE(p.light("CheckBox23"));

    p.box("CheckBox22")->click();  // Cécité < 12 mois
    p.box("CheckBox25")->click();  // ancien
    EXPECT_EQ(p.u8(fld::Cecite), 2);
    EXPECT_FALSE(p.box("CheckBox22")->isChecked());
    EXPECT_TRUE(p.aqua("CheckBox25"));
}

TEST(EntryPage1, RadioChoicesAndThePregnancyGroup) {
    Page p;
    auto* panel10 = p.f->findChild<QFrame*>("Panel10");
    p.box("RadioButton10")->click();
    EXPECT_EQ(p.u8(fld::Sexe), 1);
    EXPECT_FALSE(panel10->isEnabled());
    p.box("RadioButton11")->click();
    EXPECT_EQ(p.u8(fld::Sexe), 2);
    EXPECT_TRUE(panel10->isEnabled());
    EXPECT_TRUE(p.aqua("RadioButton11"));
    EXPECT_TRUE(p.light("RadioButton10"));
    p.box("RadioButton9")->click();
    EXPECT_EQ(p.u8(fld::Motif), 7);
    // Contact and reason are separate groups.
    p.box("RadioButton2")->click();
    EXPECT_EQ(p.u8(fld::ConsultHospit), 2);
    EXPECT_TRUE(p.box("RadioButton9")->isChecked());
}

// The arrows choose within a radio group, round it, as a click does; Space still ticks.
TEST(EntryPage1, ArrowKeysChooseWithinARadioGroup) {
    Page p;
    p.f->show();
    auto key = [&](const char* name, int k, const QString& text = {}) {
        QAbstractButton* b = p.box(name);
        b->setFocus();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(b, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(b, &release);
    };
    key("RadioButton10", Qt::Key_Right);
    EXPECT_EQ(p.u8(fld::Sexe), 2) << "from M, nothing chosen yet";
    EXPECT_EQ(p.f->focusWidget(), p.box("RadioButton11"));
    EXPECT_TRUE(p.f->findChild<QFrame*>("Panel10")->isEnabled()) << "F's click rule ran";
    key("RadioButton11", Qt::Key_Right);
    EXPECT_EQ(p.u8(fld::Sexe), 1) << "round the group";
    key("RadioButton10", Qt::Key_Up);
    EXPECT_EQ(p.u8(fld::Sexe), 2);
    key("RadioButton12", Qt::Key_Left);
    EXPECT_EQ(p.u8(fld::TypeDiabete), 3);
    key("RadioButton14", Qt::Key_Down);
    EXPECT_EQ(p.u8(fld::TypeDiabete), 1);
    key("RadioButton13", Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(p.u8(fld::TypeDiabete), 2);
    p.f->hide();
}

// The date of a new sheet reads whole when the keyboard reaches it: it is
// selected (typing replaces it), no block cursor over its first digit.
TEST(EntryPage1, DateReachedFromTheKeyboardIsSelectedWhole) {
    Page p;
    p.f->show();
    p.f->activateWindow();
    QApplication::processEvents();
    QLineEdit* date = p.edit("MaskEdit19");
    p.edit("Edit3")->setFocus(Qt::TabFocusReason);
    date->setFocus(Qt::BacktabFocusReason);
    QApplication::processEvents();
    if (!date->hasFocus()) GTEST_SKIP() << "no focus on this platform";
    EXPECT_EQ(date->selectedText(), date->text());
    EXPECT_FALSE(date->text().isEmpty());
    p.f->hide();
}

// On the practice file the page says so, in its title and its header.
TEST(EntryPage1, PracticeFileIsNamedInTheTitleAndTheHeader) {
    Page p;
    auto* label = p.f->findChild<QLabel*>("LabEntrainement");
    ASSERT_NE(label, nullptr);
    p.f->show();
    EXPECT_EQ(p.f->windowTitle(), QString::fromUtf8("Fiche d'Information de Base (1)"));
    EXPECT_FALSE(label->isVisible());
    p.f->hide();
    p.app.centre.CurrentFile = kPracticeFile;
    p.f->show();
    EXPECT_EQ(p.f->windowTitle(), QString::fromUtf8("Fiche d'Information de Base (1) — Entraînement"));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QString::fromUtf8("Entraînement"));
    p.f->hide();
    auto* page2 = p.app.form<TFIB2>();
    page2->show();
    EXPECT_TRUE(page2->windowTitle().endsWith(QString::fromUtf8("— Entraînement")));
    page2->hide();
}

TEST(EntryPage1, ContactClickStoresTheIdentificationSilently) {
    Page p;
    p.type("Edit5", "1961");
    p.type("MaskEdit1", "2001");
    p.box("RadioButton1")->click();
    EXPECT_EQ(p.app.centre.buffer.get(fld::AnNaissance), 1961);
    EXPECT_EQ(p.app.centre.buffer.get(fld::AnDebutDiabete), 2001);
    EXPECT_TRUE(p.app.fake.messages.empty());
    EXPECT_TRUE(p.app.centre.ShowCheckMessages);
}

TEST(EntryPage1, CheckPanelShowsFindingsAndColours) {
    Page p;
    p.f->Panel28Click();
    EXPECT_EQ(p.f->colourOf("Panel28"), colours::Red);
    ASSERT_FALSE(p.app.fake.messages.empty());
    EXPECT_EQ(p.app.fake.messages[0].text, QString::fromUtf8("Poids non renseigné"));
    EXPECT_EQ(p.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(p.app.centre.buffer.get(fld::EtatFiche), 2);

    // Waist and hips missing only: orange, two warnings.
    Page q;
    q.fillComplete();
    q.type("MaskEdit5", "");
    q.type("MaskEdit4", "");
    q.app.fake.messages.clear();
    q.f->Panel28Click();
    EXPECT_EQ(q.f->colourOf("Panel28"), colours::Orange);
    ASSERT_EQ(q.app.fake.messages.size(), 2u);
    EXPECT_EQ(q.app.fake.messages[0].icon, ui::Icon::Warning);
    EXPECT_EQ(q.app.centre.buffer.get(fld::Taille), 172);
}

TEST(EntryPage1, CigarettesTickTobaccoOnScreen) {
    Page p;
    p.box("CheckBox4")->click();
    p.type("Edit10", "20");
    p.f->Panel25Click();
    EXPECT_EQ(p.u8(fld::Tabac), 1);
    EXPECT_TRUE(p.box("CheckBox2")->isChecked());
    EXPECT_TRUE(p.aqua("CheckBox2"));
    EXPECT_FALSE(p.box("CheckBox4")->isChecked());
    EXPECT_TRUE(p.light("CheckBox4"));
}

TEST(EntryPage1, ConversionErrorShownEvenWhenSilent) {
    Page p;
    p.type("Edit5", "19x0");
    p.f->Button2Click();
    ASSERT_EQ(p.app.fake.messages.size(), 1u);
    EXPECT_EQ(p.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(p.app.fake.messages[0].text, QString::fromUtf8("'19x0' n'est pas une valeur entière correcte"));
}

TEST(EntryPage1, LoadingShowsStoredValues) {
    Page p;
    FibRecord& r = p.app.centre.buffer;
    r.set(fld::Sexe, std::uint8_t{1});
    r.set(fld::Infarctus, std::uint8_t{3});
    r.set(fld::HbA1c, 7.5f);
    r.set(fld::Poids, 90);
    r.set(fld::AutoSurveillance, std::uint8_t{1});
    p.app.centre.UnitCodes[kUnitChol] = 4;
    p.f->VisuFib1();
    EXPECT_EQ(p.edit("MaskEdit14")->text(), "7.50");
    EXPECT_EQ(p.edit("MaskEdit7")->text(), "90");
    EXPECT_EQ(p.edit("Edit5")->text(), "");
    EXPECT_TRUE(p.box("RadioButton10")->isChecked());
    EXPECT_FALSE(p.f->findChild<QFrame*>("Panel10")->isEnabled());
    EXPECT_TRUE(p.box("CheckBox23")->isChecked());
    EXPECT_TRUE(p.box("CheckBox26")->isChecked());
    EXPECT_EQ(p.u8(fld::Infarctus), 3);
    EXPECT_TRUE(p.box("RadioButton15")->isChecked());
    EXPECT_EQ(p.f->findChild<QLabel*>("Label86")->text(), "g/l");
    EXPECT_EQ(p.f->colourOf("Panel28"), colours::Aqua);
    EXPECT_TRUE(p.app.fake.messages.empty());

    // A sheet without sex after a man's: the pregnancy counts can be typed.
    p.app.centre.buffer.set(fld::Sexe, std::uint8_t{255});
    p.app.centre.UnitCodes[kUnitChol] = 3;
    p.f->VisuFib1();
    EXPECT_TRUE(p.f->findChild<QFrame*>("Panel10")->isEnabled());
    EXPECT_FALSE(p.box("RadioButton10")->isChecked());
    EXPECT_EQ(p.f->findChild<QLabel*>("Label86")->text(), "mmol/l");
}

TEST(EntryPage1, StoredValuesLongerThanTheirEntryAreShownAndSavedWhole) {
    Page p(1);
    FibRecord& r = p.app.centre.buffer;
    r.set(fld::NumFib, std::uint16_t{1});
    r.set(fld::Cigarettes, 12345);  // the entry takes 2 characters when typed
    r.set(fld::GrossFC, std::uint8_t{200});
    r.set(fld::GlycemiesSemaine, 140);
    p.f->VisuFib1();
    EXPECT_EQ(p.edit("Edit10")->text(), "12345");
    EXPECT_EQ(p.edit("Edit8")->text(), "200");
    EXPECT_EQ(p.edit("MaskEdit2")->text(), "140");
    p.app.centre.EditingExisting = true;
    p.app.centre.CurrentFib = 1;
    p.f->BitBtn11Click();
    FibRecord saved;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 1, saved));
    EXPECT_EQ(saved.get(fld::Cigarettes), 12345);
    EXPECT_EQ(saved.get(fld::GrossFC), 200);
    EXPECT_EQ(saved.get(fld::GlycemiesSemaine), 140);

    // Typing is still limited to the entry's length once a short value is loaded.
    r.set(fld::Cigarettes, 5);
    p.f->VisuFib1();
    EXPECT_EQ(p.edit("Edit10")->maxLength(), 2);
}

TEST(EntryPage1, SaveOfANewSheetAppendsIt) {
    Page p(5);
    int told = 0;
    p.f->newSheetSaved = [&told](int n) { told = n; };
    p.fillComplete();
    // The save checks page 2 as well: its two examinations answered.
    auto* page2 = p.app.form<TFIB2>();
    page2->findChild<QAbstractButton*>("RadioButton2")->click();
    page2->findChild<QAbstractButton*>("RadioButton4")->click();
    p.app.fake.answers = {ui::Answer::Yes};
    p.f->BitBtn11Click();
    ASSERT_EQ(p.app.fake.messages.size(), 1u);
    EXPECT_EQ(p.app.fake.messages[0].text, "Sauvegarde de la Fiche ?");
    EXPECT_EQ(p.app.fake.messages[0].pos, QPoint(350, 100));
    EXPECT_EQ(told, 6);
    EXPECT_EQ(p.app.centre.CurrentFib, 6);
    EXPECT_EQ(p.app.centre.SavedFibCount, 6);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 6);
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 6, r));
    EXPECT_EQ(r.get(fld::NumFib), 6);
    EXPECT_EQ(r.date(), "08/12/2026");
    EXPECT_EQ(r.initiale(), "D");
    EXPECT_EQ(r.get(fld::Taille), 172);
    EXPECT_EQ(r.get(fld::EtatFiche), 0);
    EXPECT_EQ(p.f->result(), QDialog::Accepted);
}

TEST(EntryPage1, RetryAndNoWriteNothing) {
    Page p(5);
    p.fillComplete();
    const auto before = test::AppFixture::fileBytesOf("FIB.DAT");
    p.app.fake.answers = {ui::Answer::Retry};
    p.f->BitBtn11Click();
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT"), before);
    EXPECT_EQ(p.app.centre.CurrentFib, 5);

    // An existing sheet abandoned: the count comes back.
    p.app.centre.EditingExisting = true;
    p.app.centre.CurrentFib = 3;
    p.app.centre.SavedFibCount = 5;
    p.app.fake.answers = {ui::Answer::No};
    p.f->BitBtn11Click();
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT"), before);
    EXPECT_EQ(p.app.centre.CurrentFib, 5);
}

TEST(EntryPage1, RewriteOfAnExistingSheetAndAFileThatVanished) {
    Page p(5);
    p.app.centre.EditingExisting = true;
    p.app.centre.CurrentFib = 2;
    p.app.centre.SavedFibCount = 5;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, p.app.centre.buffer));
    p.f->VisuFib1();
    p.fillComplete();
    p.f->BitBtn11Click();
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, r));
    EXPECT_EQ(r.get(fld::Poids), 80);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 5);
    EXPECT_EQ(p.app.centre.CurrentFib, 5);

    // The file gone at the save: one error box, the sheet stays on screen.
    Page q(1);
    q.fillComplete();
    ASSERT_EQ(std::remove("FIB.DAT"), 0);
    q.app.fake.answers = {ui::Answer::Yes};
    q.f->show();
    q.f->BitBtn11Click();
    ASSERT_EQ(q.app.fake.messages.size(), 2u);
    EXPECT_EQ(q.app.fake.messages[1].icon, ui::Icon::Error);
    EXPECT_TRUE(q.app.fake.messages[1].text.contains("FIB.DAT"));
    EXPECT_TRUE(q.f->isVisible());
    EXPECT_EQ(q.app.centre.CurrentFib, 1);
}

TEST(EntryPage1, EscapeAsksTheSaveQuestion) {
    Page p(0);
    p.app.fake.answers = {ui::Answer::Retry};
    p.f->show();
    p.f->reject();
    ASSERT_EQ(p.app.fake.messages.size(), 1u);
    EXPECT_EQ(p.app.fake.messages[0].text, "Sauvegarde de la Fiche ?");
    EXPECT_TRUE(p.f->isVisible());
}

TEST(EntryPage1, RisksOfTheSheet) {
    Page p(4);
    p.fillComplete();
    p.type("MaskEdit7", "90");
    p.type("MaskEdit6", "170");
    p.box("CheckBox2")->click();
    auto* risk = p.app.form<TFRisque>();
    p.f->Button3Click();
    ASSERT_EQ(p.app.fake.modalOpened.back(), "TFRisque");
    EXPECT_FALSE(risk->findChild<QLabel*>("Label7")->isHidden());  // BMI 31.1
    EXPECT_FALSE(risk->findChild<QLabel*>("Label1")->isHidden());  // smoker
    EXPECT_TRUE(risk->findChild<QLabel*>("Label15")->isHidden());
    EXPECT_EQ(risk->findChild<QLineEdit*>("Edit1")->text(), "5");
}

TEST(EntryPage1, EveryEntryHasAFrenchAccessibleNameAndTabOrderFollowsTheSheet) {
    Page p;
    for (auto* w : p.f->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    // From the date, Tab goes through the identification in the sheet's order.
    QWidget* x = p.edit("MaskEdit19");
    QStringList seq;
    for (int i = 0; i < 6; ++i) {
        x = x->nextInFocusChain();
        while (!(x->focusPolicy() & Qt::TabFocus)) x = x->nextInFocusChain();
        seq << x->objectName();
    }
    EXPECT_EQ(seq, (QStringList{"Edit3", "Edit4", "Edit5", "RadioButton10", "RadioButton11", "RadioButton12"}));
    EXPECT_EQ(p.edit("Edit3")->maxLength(), 1);
    EXPECT_EQ(p.edit("Edit5")->toolTip(), "Saisie obligatoire");
    EXPECT_EQ(p.f->findChild<QPushButton*>("Panel23")->toolTip(), QString::fromUtf8("Contrôle"));
}

TEST(EntryPage1, EntryThatIsNotANumberIsNeverSavedHalfRead) {
    Page p(5);
    p.fillComplete();
    p.type("MaskEdit6", "1m72");
    const auto before = test::AppFixture::fileBytesOf("FIB.DAT");
    p.app.fake.answers = {ui::Answer::Yes};
    p.f->show();
    p.f->BitBtn11Click();
    ASSERT_EQ(p.app.fake.messages.size(), 2u);
    EXPECT_EQ(p.app.fake.messages[0].text,
              QString::fromUtf8("'1m72' n'est pas une valeur en virgule flottante correcte"));
    EXPECT_EQ(test::AppFixture::fileBytesOf("FIB.DAT"), before);
    EXPECT_TRUE(p.f->isVisible());
    EXPECT_EQ(p.app.centre.CurrentFib, 5);

    // Corrected, it saves.
    p.type("MaskEdit6", "1.72");
    p.app.fake.answers = {ui::Answer::Yes};
    p.f->BitBtn11Click();
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 6);
}
