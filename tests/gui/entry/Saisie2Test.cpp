#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

const QColor kAqua(0, 255, 255), kLight(227, 255, 255), kLightYellow(255, 255, 217);
const QColor kNavy(0, 0, 128), kRed(255, 0, 0), kOrange(255, 159, 64);

struct Page2 {
    AppFixture app;
    TFIB2* p = nullptr;
    Page2() {
        p = app.form<TFIB2>();
        CentreHeader h = headerTemplate();
        h.set(fld::NumCentre, 7);
        app.centre.buffer = emptyFibFromHeader(h, "08/12/2026");
        app.centre.ShowCheckMessages = true;
        app.centre.ReadPage2Entries = true;
        app.centre.CurrentYear = 2026;
        app.centre.UnitCodes = {3, 3, 3, 3, 3, 3, 3};
        p->VisuFib2();
    }
    FibRecord& r() { return app.centre.buffer; }
    QAbstractButton* b(const char* name) {
        auto* w = p->findChild<QAbstractButton*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* e(const char* name) {
        auto* w = p->findChild<QLineEdit*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { b(name)->click(); }
    QStringList texts() const { return app.fake.texts(); }
};

}  // namespace

TEST(Page2, YesNoPairs) {
    Page2 t;
    t.click("CheckBox1");  // Hypo TA ortho oui
    EXPECT_EQ(t.r().get(fld::HypoTaOrtho), 1);
    EXPECT_EQ(t.p->colourOf("CheckBox1"), kAqua);
    t.click("CheckBox3");  // non: the partner is unticked
    EXPECT_EQ(t.r().get(fld::HypoTaOrtho), 2);
    EXPECT_FALSE(t.b("CheckBox1")->isChecked());
    EXPECT_EQ(t.p->colourOf("CheckBox1"), kLight);
    EXPECT_EQ(t.p->colourOf("CheckBox3"), kAqua);
    t.click("CheckBox3");  // unticked again: not answered
    EXPECT_EQ(t.r().get(fld::HypoTaOrtho), 255);
    EXPECT_EQ(t.p->colourOf("CheckBox3"), kLight);

    // Eye rows sit in the light-yellow block, feet rows do not.
    t.click("CheckBox49");  // Rétine vue droite non
    EXPECT_EQ(t.r().get(fld::RetineVueD), 2);
    t.click("CheckBox21");
    EXPECT_EQ(t.r().get(fld::RetineVueD), 1);
    EXPECT_EQ(t.p->colourOf("CheckBox49"), kLightYellow);
    t.click("CheckBox86");  // Pontage droit oui (last right-foot row)
    t.click("CheckBox80");  // Pontage gauche non
    EXPECT_EQ(t.r().get(fld::PontageD), 1);
    EXPECT_EQ(t.r().get(fld::PontageG), 2);
    EXPECT_EQ(t.p->colourOf("CheckBox74"), kLight);
    t.click("CheckBox94");
    EXPECT_EQ(t.r().get(fld::Stylo), 2);
    EXPECT_TRUE(t.texts().isEmpty());
}

TEST(Page2, RadioPairsAndTheEyeExaminationRunsTheSymptomCheck) {
    Page2 t;
    t.click("RadioButton4");
    EXPECT_EQ(t.r().get(fld::ExamPieds), 2);
    t.click("RadioButton3");
    EXPECT_EQ(t.r().get(fld::ExamPieds), 1);
    EXPECT_EQ(t.p->colourOf("RadioButton3"), kAqua);
    EXPECT_EQ(t.p->colourOf("RadioButton4"), kLight);
    EXPECT_FALSE(t.b("RadioButton4")->isChecked());

    t.r().set(fld::Sexe, 2);
    t.click("CheckBox9");  // Anérection oui for a woman
    t.click("RadioButton1");
    EXPECT_EQ(t.r().get(fld::ExamYeux), 1);
    EXPECT_EQ(t.r().get(fld::Anerection), 255);
    EXPECT_FALSE(t.b("CheckBox9")->isChecked());  // cleared, so unticked
    EXPECT_FALSE(t.b("CheckBox10")->isChecked());
    EXPECT_EQ(t.p->colourOf("Panel13"), kRed);
    EXPECT_EQ(t.p->colourOf("RadioButton1"), kAqua);
    EXPECT_EQ(t.p->colourOf("RadioButton2"), kLightYellow);
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.fake.messages[0].text, QString::fromUtf8("Vérifiez le sexe !"));
    EXPECT_EQ(t.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(t.r().get(fld::EtatFiche), 2);
    t.click("RadioButton2");
    EXPECT_EQ(t.r().get(fld::ExamYeux), 2);
    EXPECT_EQ(t.app.fake.messages.size(), 1u);  // "non" runs no check
}

TEST(Page2, BeforeAfterPairs) {
    Page2 t;
    t.click("CheckBox29");
    EXPECT_EQ(t.r().get(fld::Biguanides), 1);
    t.click("CheckBox30");
    EXPECT_EQ(t.r().get(fld::Biguanides), 3);
    EXPECT_TRUE(t.b("CheckBox29")->isChecked());  // the partner is left alone
    t.click("CheckBox29");
    EXPECT_EQ(t.r().get(fld::Biguanides), 2);
    EXPECT_EQ(t.p->colourOf("CheckBox29"), kLight);
    EXPECT_EQ(t.p->colourOf("CheckBox30"), kAqua);
    t.click("CheckBox30");
    EXPECT_EQ(t.r().get(fld::Biguanides), 255);
    // Insulins are in the light-yellow block.
    t.click("CheckBox108");
    EXPECT_EQ(t.r().get(fld::InsPompe), 2);
    EXPECT_EQ(t.p->colourOf("CheckBox102"), kLightYellow);
    t.click("CheckBox47");
    t.click("CheckBox48");
    EXPECT_EQ(t.r().get(fld::TrtAutre), 3);
    t.click("CheckBox27");
    EXPECT_EQ(t.r().get(fld::RegimeSeul), 1);
}

TEST(Page2, LoadingShowsTheRecord) {
    Page2 t;
    t.click("CheckBox5");  // left over from a previous sheet
    t.click("CheckBox97");
    FibRecord& r = t.r();
    r.set(fld::Angor, 255);
    r.set(fld::InsAnalogue, 255);
    r.set(fld::Claudication, 2);
    r.set(fld::ExamPieds, 2);
    r.set(fld::RetinoPreprolifG, 1);
    r.set(fld::AcuiteD, 0);
    r.set(fld::AcuiteG, 200);  // longer than the entry's typing limit
    r.set(fld::HypoNbAn, 1000);
    r.set(fld::JoursHorsHosp, 0);
    r.set(fld::InjApres, 4);
    r.set(fld::Sulfamides, 3);
    r.set(fld::InsLente, 2);
    r.set(fld::AnThiazolidinediones, 2001);
    r.set(fld::TrtNeuro, 1);
    const FibRecord stored = r;
    t.p->VisuFib2();
    EXPECT_EQ(t.r(), stored);  // loading alone writes nothing
    EXPECT_FALSE(t.b("CheckBox5")->isChecked());
    EXPECT_EQ(t.p->colourOf("CheckBox5"), kLight);
    EXPECT_FALSE(t.b("CheckBox97")->isChecked());
    EXPECT_EQ(t.p->colourOf("CheckBox97"), kLightYellow);
    EXPECT_TRUE(t.b("CheckBox8")->isChecked());
    EXPECT_EQ(t.p->colourOf("CheckBox8"), kAqua);
    EXPECT_TRUE(t.b("RadioButton4")->isChecked());
    EXPECT_FALSE(t.b("RadioButton1")->isChecked());
    EXPECT_FALSE(t.b("RadioButton2")->isChecked());
    EXPECT_TRUE(t.b("CheckBox61")->isChecked());
    EXPECT_TRUE(t.b("CheckBox31")->isChecked());
    EXPECT_TRUE(t.b("CheckBox32")->isChecked());
    EXPECT_FALSE(t.b("CheckBox101")->isChecked());
    EXPECT_TRUE(t.b("CheckBox107")->isChecked());
    EXPECT_TRUE(t.b("CheckBox45")->isChecked());
    EXPECT_EQ(t.e("Edit1")->text(), "0");
    EXPECT_EQ(t.e("Edit2")->text(), "200");
    EXPECT_EQ(t.e("Edit3")->text(), "1000");
    EXPECT_EQ(t.e("Edit4")->text(), "");
    EXPECT_EQ(t.e("Edit6")->text(), "0");
    EXPECT_EQ(t.e("Edit7")->text(), "");
    EXPECT_EQ(t.e("Edit8")->text(), "4");
    EXPECT_EQ(t.e("Edit9")->text(), "2001");
    EXPECT_EQ(t.e("MaskEdit1")->text(), "");
    EXPECT_TRUE(t.texts().isEmpty());

    // A value shown whole is read back whole by the checks.
    t.p->runChecksSilently();
    EXPECT_EQ(t.r().get(fld::HypoNbAn), 1000);
    EXPECT_EQ(t.r().get(fld::AcuiteG), 200);
}

TEST(Page2, LoadingTheEyeExaminationRunsTheSymptomCheckAfterTheSymptoms) {
    Page2 t;
    t.r().set(fld::Sexe, 2);
    t.r().set(fld::Anerection, 1);
    t.r().set(fld::ExamYeux, 1);
    t.p->VisuFib2();
    EXPECT_EQ(t.r().get(fld::Anerection), 255);
    EXPECT_FALSE(t.b("CheckBox9")->isChecked());
    EXPECT_TRUE(t.b("RadioButton1")->isChecked());
    EXPECT_EQ(t.texts(), QStringList{QString::fromUtf8("Vérifiez le sexe !")});
}

TEST(Page2, ObservationTicksWhatItInfers) {
    Page2 t;
    t.r().set(fld::EtatFiche, 0);
    t.click("CheckBox26");  // proliférative droite oui
    t.b("Panel15")->click();
    EXPECT_EQ(t.r().get(fld::RetinopathieD), 1);
    EXPECT_EQ(t.r().get(fld::RetineVueD), 1);
    EXPECT_EQ(t.r().get(fld::ExamYeux), 1);
    for (const char* n : {"CheckBox23", "CheckBox21", "RadioButton1"}) {
        EXPECT_TRUE(t.b(n)->isChecked()) << n;
        EXPECT_EQ(t.p->colourOf(n), kAqua) << n;
    }
    EXPECT_EQ(t.p->colourOf("CheckBox51"), kLightYellow);
    EXPECT_EQ(t.texts(), QStringList{QString::fromUtf8("Pas d'examen récent des pieds ?")});
    EXPECT_EQ(t.p->colourOf("Panel15"), kRed);

    // Answered "non" with a kind ticked: the placed error box.
    t.app.fake.messages.clear();
    t.click("CheckBox51");
    t.click("RadioButton3");
    t.b("Panel15")->click();
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.fake.messages[0].text, QString::fromUtf8("Rétinopathie droite oui ou non ?"));
    EXPECT_EQ(t.app.fake.messages[0].pos, QPoint(304, 120));
}

TEST(Page2, EntriesAndMessagesOfThePanels) {
    Page2 t;
    t.e("Edit7")->setText("3");  // injections with no insulin year on page 1
    t.b("Panel16")->click();
    EXPECT_EQ(t.r().get(fld::InjAvant), 3);
    EXPECT_EQ(t.p->colourOf("Panel16"), kOrange);
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.fake.messages[0].text, QString::fromUtf8("Vérifiez l'insuline ?"));
    EXPECT_EQ(t.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(t.r().get(fld::EtatFiche), 0);

    // A conversion error is shown even when check messages are off.
    t.app.fake.messages.clear();
    t.app.centre.ShowCheckMessages = false;
    t.e("Edit1")->setText("dix");
    t.b("Panel15")->click();
    ASSERT_EQ(t.app.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.fake.messages[0].text,
              QString::fromUtf8("'dix' n'est pas une valeur en virgule flottante correcte"));
    EXPECT_EQ(t.app.fake.messages[0].icon, ui::Icon::Error);

    // Without reading the entries, the record is tested as stored.
    t.app.centre.ReadPage2Entries = false;
    t.e("MaskEdit1")->setText("1990");
    t.b("Panel17")->click();
    EXPECT_EQ(t.r().get(fld::AnBiguanides), -1);
    EXPECT_EQ(t.p->colourOf("Panel17"), kNavy);
    t.b("Panel18")->click();
    EXPECT_EQ(t.p->colourOf("Panel18"), kNavy);
}

TEST(Page2, CtrlKeepsAnAnnulledSheetAndStaysSilent) {
    Page2 t;
    t.r().set(fld::EtatFiche, 255);
    t.click("Button2");
    EXPECT_EQ(t.r().get(fld::EtatFiche), 255);
    EXPECT_TRUE(t.texts().isEmpty());
    EXPECT_TRUE(t.app.centre.ShowCheckMessages);
    EXPECT_EQ(t.p->colourOf("Panel15"), kRed);  // no eye nor foot examination
    EXPECT_EQ(t.p->colourOf("Panel13"), kNavy);

    t.r().set(fld::EtatFiche, 1);
    t.click("Button2");
    EXPECT_EQ(t.r().get(fld::EtatFiche), 2);
    t.p->markPanelsUnchecked();
    EXPECT_EQ(t.p->colourOf("Panel16"), kAqua);
}

TEST(Page2, DebutRunsPageOneChecksAndCloses) {
    Page2 t;
    int page1Runs = 0;
    t.p->runPage1ChecksSilently = [&] {
        ++page1Runs;
        return true;
    };
    t.p->show();
    t.r().set(fld::EtatFiche, 2);
    t.click("BitBtn1");
    EXPECT_EQ(page1Runs, 1);
    EXPECT_EQ(t.r().get(fld::EtatFiche), 0);
    EXPECT_FALSE(t.p->isVisible());

    // Closing the window goes back the same way.
    t.p->show();
    t.r().set(fld::EtatFiche, 2);
    t.p->close();
    EXPECT_EQ(page1Runs, 2);
    EXPECT_EQ(t.r().get(fld::EtatFiche), 0);
    EXPECT_FALSE(t.p->isVisible());
}

TEST(Page2, PrintRunsEveryCheckSilentlyThenPrintsOnePage) {
    Page2 t;
    int page1Runs = 0;
    t.p->runPage1ChecksSilently = [&] {
        EXPECT_FALSE(t.app.centre.ShowCheckMessages);
        ++page1Runs;
        return true;
    };
    t.r().setDate("07/12/2026");
    t.r().set(fld::EtatFiche, 255);
    t.r().set(fld::NumFib, 34);
    t.r().set(fld::Sexe, 2);
    t.click("CheckBox9");        // cleared by the silent symptom check
    t.e("Edit3")->setText("5");  // stored by the silent run before printing
    t.click("BImp");
    EXPECT_EQ(page1Runs, 1);
    EXPECT_TRUE(t.texts().isEmpty());
    EXPECT_TRUE(t.app.centre.ShowCheckMessages);
    EXPECT_EQ(t.r().get(fld::EtatFiche), 255);  // annulled stays annulled
    EXPECT_EQ(t.r().get(fld::HypoNbAn), 5);
    ASSERT_EQ(t.app.fake.printed.size(), 1u);
    const PrintDocument& doc = t.app.fake.printed[0];
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto texts = doc.pages[0].texts();
    auto has = [&](const std::string& s) { return std::find(texts.begin(), texts.end(), s) != texts.end(); };
    EXPECT_TRUE(has("07/12/2026"));
    EXPECT_TRUE(has("Nb.Hypo  5"));
    EXPECT_FALSE(has("Anérection"));
    EXPECT_EQ(doc.title, "FIB 7-0034");

    // The sheet's own date and the run's units.
    t.r().setDate("08/12/2026");
    t.app.centre.UnitCodes = {4, 3, 3, 3, 4, 3, 3};
    t.r().set(fld::Cholesterol, 2.1f);
    t.click("BImp");
    const auto texts2 = t.app.fake.printed.at(1).pages[0].texts();
    EXPECT_NE(std::find(texts2.begin(), texts2.end(), "08/12/2026"), texts2.end());
    EXPECT_NE(std::find(texts2.begin(), texts2.end(), "Cholest.   2.10 g/l"), texts2.end());
}

TEST(Page2, HelpButtonsOpenTheirPages) {
    AppFixture app;
    auto* p = app.form<TFIB2>();
    for (const char* n : {"BitBtn3", "BitBtn4", "BitBtn2", "BitBtn5", "BitBtn6"})
        p->findChild<QPushButton*>(n)->click();
    EXPECT_EQ(app.fake.modalOpened, (std::vector<QString>{"TTAide10", "TTAide11", "TTAide12", "TTAide13", "TTAide14"}));
}

TEST(Page2, TabOrderFollowsTheSheetAndEveryControlIsNamed) {
    Page2 t;
    std::vector<QString> chain;
    QWidget* w = t.b("CheckBox1");
    for (int i = 0; i < 400 && w; ++i) {
        if (w->focusPolicy() & Qt::TabFocus) {
            if (!chain.empty() && chain.front() == w->objectName()) break;
            chain.push_back(w->objectName());
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
        w = w->nextInFocusChain();
    }
    auto pos = [&](const char* n) {
        auto it = std::find(chain.begin(), chain.end(), QString(n));
        EXPECT_NE(it, chain.end()) << n;
        return it - chain.begin();
    };
    const char* sheetOrder[] = {
        "CheckBox1",  "CheckBox3",    "CheckBox5",  "CheckBox9",  "CheckBox2",   "RadioButton1", "RadioButton2",
        "CheckBox15", "CheckBox16",   "CheckBox17", "CheckBox19", "CheckBox26",  "CheckBox70",   "Edit1",
        "Edit2",      "RadioButton3", "CheckBox13", "CheckBox75", "CheckBox81",  "CheckBox92",   "Edit3",
        "Edit4",      "Edit7",        "Edit8",      "Edit5",      "Edit6",       "CheckBox93",   "CheckBox27",
        "MaskEdit1",  "CheckBox29",   "Edit9",      "CheckBox97", "CheckBox108", "CheckBox35",   "CheckBox41",
        "CheckBox43", "CheckBox48",   "BitBtn1",    "Button2",    "BImp"};
    for (std::size_t i = 1; i < std::size(sheetOrder); ++i)
        EXPECT_LT(pos(sheetOrder[i - 1]), pos(sheetOrder[i])) << sheetOrder[i];
    EXPECT_EQ(t.b("CheckBox75")->accessibleName(), QString::fromUtf8("Sensibilité vibra. normale pied gauche non"));
    EXPECT_EQ(t.e("Edit9")->accessibleName(), QString::fromUtf8("Thiazolidinedines début en"));
}

TEST(Page2, ShownOverPageOneAndHiddenWithIt) {
    AppFixture app;
    auto* p = app.form<TFIB2>();
    QDialog page1;
    page1.show();
    p->showOver(&page1);
    EXPECT_EQ(app.fake.modelessOpened, std::vector<QString>{"TFIB2"});
    p->show();
    page1.hide();
    EXPECT_FALSE(p->isVisible());
}

TEST(Page2, FitsTheScreenOnceScaled) {
    AppFixture app;
    app.fake.screen = QSize(1920, 1080);
    auto* p = app.form<TFIB2>();
    p->scaleOnce();
    EXPECT_EQ(p->size(), QSize(1440, 1080));
}

// What the screen shows, not only what the page records: a chosen radio
// button fills its background in aqua, and the check panels are the flat
// strips of page 1.
TEST(Page2, ChosenRadioAndPanelsLookAsOnPageOne) {
    Page2 t;
    t.click("RadioButton1");
    auto* eyes = t.b("RadioButton1");
    EXPECT_EQ(eyes->palette().color(eyes->backgroundRole()), kAqua);
    EXPECT_TRUE(eyes->autoFillBackground());
    auto* p2 = t.p->findChild<QPushButton*>("Panel16");
    auto* p1 = t.app.form<TFIB1>()->findChild<QPushButton*>("Panel24");
    for (auto* panel : {p1, p2}) EXPECT_TRUE(panel->styleSheet().contains("border: 1px solid #8080a0")) << panel;
}
