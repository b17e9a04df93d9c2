#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "../core/SampleFibs.h"
#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "eval/LineList.h"
#include "eval/Qual.h"
#include "formats/RecordFile.h"
#include "store/Menu3.h"
#include "store/Nfib.h"
#include "ui/QtAdapter.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

// The record menu open on a centre file of `n` FIBs whose states are given.
struct Menu {
    AppFixture app;
    TTMenu3* m;
    TFIB1* page;
    explicit Menu(std::vector<std::uint8_t> states = {}, std::uint16_t centre = 77) {
        // Every record of the file carries the centre's identification.
        auto identified = [](FibRecord& r) {
            r.set(fld::Specialite, std::uint8_t{2});
            r.set(fld::RegionDep, std::uint16_t{0x0305});
        };
        auto recs = test::sampleFile(centre, int(states.size()), [&](FibRecord& r, int k) {
            identified(r);
            r.set(fld::EtatFiche, states[std::size_t(k - 1)]);
        });
        identified(recs[0]);
        const CentreHeader h = recs[0];
        EXPECT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
        CentreSession& s = app.centre;
        s.CurrentFile = "FIB.DAT";
        s.CurrentYear = 2026;
        app.run.Today = "08/12/2026";
        s.ShowCheckMessages = true;
        s.buffer = h;
        s.CurrentCentre = centre;
        s.CurrentFib = static_cast<std::uint16_t>(states.size());
        s.SavedFibCount = s.CurrentFib;
        s.UnitCodes = {3, 3, 3, 3, 3, 3, 3};
        m = app.form<TTMenu3>();
        page = app.form<TFIB1>();
    }
    QString pageText(const char* name) { return page->findChild<QLineEdit*>(name)->text(); }
    // Scripts the chooser: moves the scroll bar or types, then OK or Cancel.
    void choose(std::function<void(TNfibDlg*)> act) {
        app.fake.onModal["TNfibDlg"] = [act](QDialog* d) {
            act(static_cast<TNfibDlg*>(d));
            return d->result();
        };
    }
};

}  // namespace

TEST(RecordMenu, FirstCreationAnsweredNoClearsTheIdentification) {
    Menu menu;
    menu.app.fake.answers = {ui::Answer::No, ui::Answer::No};
    menu.m->BCreaClick();
    // Then the way out: the centre is to be identified (declined here).
    ASSERT_EQ(menu.app.fake.messages.size(), 2u);
    EXPECT_TRUE(menu.app.fake.messages[1].text.startsWith(QString::fromUtf8("Le centre n'est pas identifié")));
    EXPECT_EQ(menu.app.fake.messages[0].text, "Identification correcte ?");
    EXPECT_EQ(menu.app.fake.messages[0].pos, QPoint(280, 440));
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.get(fld::NumCentre), 0);
    EXPECT_EQ(h.get(fld::RegionDep), 0);
    EXPECT_EQ(h.get(fld::Specialite), 0);
    EXPECT_EQ(h.nbFiches(), 0);
    EXPECT_EQ(h.get(fld::CodeFixe), 33);
    EXPECT_TRUE(menu.m->findChild<QLineEdit*>("Ectr")->text().isEmpty());
    EXPECT_TRUE(menu.app.fake.modalOpened.empty());
}

TEST(RecordMenu, FirstCreationAnsweredYesOpensSheetOne) {
    Menu menu;
    const auto before = AppFixture::fileBytesOf("FIB.DAT");
    menu.m->BCreaClick();
    ASSERT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TFIB1"}));
    EXPECT_EQ(menu.pageText("Edit12"), "77");
    EXPECT_EQ(menu.pageText("Edit13"), "1");
    EXPECT_EQ(menu.pageText("MaskEdit19"), "08/12/2026");
    EXPECT_FALSE(menu.app.centre.EditingExisting);
    EXPECT_EQ(menu.app.centre.buffer.get(fld::GlyJeun), -1.0f);
    EXPECT_EQ(AppFixture::fileBytesOf("FIB.DAT"), before);
}

TEST(RecordMenu, CreationWhenFibsExistAsksNothingAndSaveUpdatesTheCount) {
    Menu menu({0, 0, 0, 0, 0});
    menu.app.centre.buffer.set(fld::NumFib, std::uint16_t{5});
    menu.app.fake.onModal["TFIB1"] = [](QDialog* d) {
        auto* p = static_cast<TFIB1*>(d);
        p->BitBtn11Click();  // answered Yes by default
        return d->result();
    };
    menu.m->BCreaClick();
    ASSERT_FALSE(menu.app.fake.messages.empty());
    EXPECT_EQ(menu.app.fake.messages[0].text, "Sauvegarde de la Fiche ?");
    EXPECT_EQ(menu.pageText("Edit13"), "6");
    EXPECT_EQ(menu.m->findChild<QLineEdit*>("Efib")->text(), "6");
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 6);
}

TEST(RecordMenu, NewFileModifyDoesNothingAndQualityShowsZeros) {
    Menu menu;
    menu.m->BModifClick();
    EXPECT_TRUE(menu.app.fake.modalOpened.empty());
    menu.m->Button1Click();
    ASSERT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TFQual"}));
    auto* q = menu.app.form<TFQual>();
    for (const char* e : {"Edit1", "Edit2", "Edit3", "Edit5"}) EXPECT_EQ(q->findChild<QLineEdit*>(e)->text(), "0");
    EXPECT_EQ(q->findChild<LineList*>("LVal")->count(), 0);
}

TEST(RecordMenu, ChooserScrollTypedNumberAndCancel) {
    Menu menu({0, 2, 0, 1});
    // Scroll bar moved to 3: the field follows, OK calls FIB 3 up.
    menu.choose([](TNfibDlg* d) {
        EXPECT_EQ(d->findChild<QLineEdit*>("NEdit")->text(), "1");
        EXPECT_EQ(d->findChild<QLineEdit*>("Edit2")->text(), "4");
        d->findChild<QScrollBar*>("ScrollBar1")->setValue(3);
        EXPECT_EQ(d->findChild<QLineEdit*>("NEdit")->text(), "3");
        d->OKBtnClick();
    });
    menu.m->BModifClick();
    EXPECT_EQ(menu.app.fake.modalOpened.back(), "TFIB1");
    EXPECT_EQ(menu.pageText("Edit13"), "3");
    EXPECT_EQ(menu.app.centre.CurrentFib, 3);
    EXPECT_EQ(menu.app.centre.SavedFibCount, 4);
    EXPECT_TRUE(menu.app.centre.EditingExisting);

    // A typed number out of range is refused and the chooser stays open.
    menu.app.centre.CurrentFib = 4;
    menu.app.fake.modalOpened.clear();
    menu.choose([](TNfibDlg* d) {
        d->findChild<QLineEdit*>("NEdit")->setText("9");
        d->OKBtnClick();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        d->findChild<QLineEdit*>("NEdit")->setText("2");
        d->OKBtnClick();
    });
    menu.m->BModifClick();
    EXPECT_TRUE(menu.app.fake.texts().contains("Numéro de fiche incorrect"));
    EXPECT_EQ(menu.app.fake.modalOpened.back(), "TFIB1");
    EXPECT_EQ(menu.pageText("Edit13"), "2");

    // Cancel: nothing called up, the count comes back.
    menu.app.centre.CurrentFib = 4;
    menu.app.fake.modalOpened.clear();
    menu.choose([](TNfibDlg* d) { d->CancelBtnClick(); });
    menu.m->BModifClick();
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TNfibDlg"}));
    EXPECT_EQ(menu.app.centre.CurrentFib, 4);
}

TEST(RecordMenu, CallUpOfASheetToReviewColoursItsPanelsSilently) {
    Menu menu({2});
    menu.app.centre.CurrentFib = 1;
    menu.m->AppelFib();
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TFIB1"}));
    EXPECT_TRUE(menu.app.fake.messages.empty());
    EXPECT_TRUE(menu.app.centre.ShowCheckMessages);
    // An empty sheet: identification, contact, measures and St-Vincent are in error.
    for (const char* p : {"Panel23", "Panel22", "Panel28", "Panel29"})
        EXPECT_EQ(menu.page->colourOf(p), colours::Red) << p;
    EXPECT_EQ(menu.page->colourOf("Panel27"), colours::Navy);
    EXPECT_EQ(menu.app.centre.buffer.get(fld::EtatFiche), 2);
}

TEST(RecordMenu, AnnulledSheetIsShownAfterItsMessageAndStaysAnnulled) {
    Menu menu({255});
    menu.app.centre.CurrentFib = 1;
    menu.m->AppelFib();
    ASSERT_EQ(menu.app.fake.messages.size(), 1u);
    EXPECT_EQ(menu.app.fake.messages[0].text, QString::fromUtf8("Fiche marquée: Annulée ?"));
    EXPECT_EQ(menu.app.fake.messages[0].icon, ui::Icon::Information);
    EXPECT_EQ(menu.app.centre.buffer.get(fld::EtatFiche), 255);
    EXPECT_EQ(menu.app.fake.modalOpened.back(), "TFIB1");
}

TEST(RecordMenu, CallUpOfAMissingRecordOpensNothing) {
    Menu menu({0, 0});
    menu.app.centre.CurrentFib = 2;
    ASSERT_EQ(::truncate("FIB.DAT", 2 * 248), 0);
    const FibRecord before = menu.app.centre.buffer;
    menu.m->AppelFib();
    ASSERT_EQ(menu.app.fake.messages.size(), 1u);
    EXPECT_EQ(menu.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(menu.app.fake.modalOpened.empty());
    EXPECT_EQ(menu.app.centre.buffer, before);
}

TEST(RecordMenu, FailedCallUpThroughTheChooserComesBackToTheCount) {
    Menu menu({0, 0, 0});
    ASSERT_EQ(::truncate("FIB.DAT", 2 * 248), 0);
    menu.choose([](TNfibDlg* d) {
        d->findChild<QScrollBar*>("ScrollBar1")->setValue(2);
        d->OKBtnClick();
    });
    menu.m->BModifClick();
    ASSERT_EQ(menu.app.fake.messages.size(), 1u);
    EXPECT_EQ(menu.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(menu.app.centre.CurrentFib, 3);
    EXPECT_EQ(menu.app.centre.SavedFibCount, 3);
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TNfibDlg"}));
}

TEST(QualityScreen, ListsCountsAndCallUpByClick) {
    Menu menu({0, 2, 1, 255, 0});
    menu.m->Button1Click();
    auto* q = menu.app.form<TFQual>();
    auto* lval = q->findChild<LineList*>("LVal");
    auto* linc = q->findChild<LineList*>("LInc");
    ASSERT_EQ(lval->count(), 2);
    EXPECT_EQ(lval->text(1), "5");
    EXPECT_EQ(q->findChild<LineList*>("LSus")->text(0), "3");
    EXPECT_EQ(linc->text(0), "2");
    EXPECT_EQ(q->findChild<QLineEdit*>("Edit1")->text(), "2");
    EXPECT_EQ(q->findChild<QLineEdit*>("Edit2")->text(), "1");
    EXPECT_EQ(q->findChild<QLineEdit*>("Edit3")->text(), "1");
    EXPECT_EQ(q->findChild<QLineEdit*>("Edit5")->text(), "5");
    // 2 + 1 + 1 listed out of 5: the annulled one is counted apart.
    EXPECT_TRUE(q->findChild<QLineEdit*>("EditAnnul")->isVisibleTo(q));
    EXPECT_EQ(q->findChild<QLineEdit*>("EditAnnul")->text(), "1");

    linc->setCurrentRow(0);
    q->LIncClick();
    EXPECT_EQ(menu.app.fake.modalOpened.back(), "TFIB1");
    EXPECT_EQ(menu.pageText("Edit13"), "2");
    EXPECT_TRUE(menu.app.centre.EditingExisting);
    EXPECT_EQ(menu.app.centre.SavedFibCount, 5);
}

TEST(QualityScreen, MissingFileShowsOneErrorAndNoScreen) {
    Menu menu({0});
    ASSERT_EQ(std::remove("FIB.DAT"), 0);
    menu.m->Button1Click();
    ASSERT_EQ(menu.app.fake.messages.size(), 1u);
    EXPECT_EQ(menu.app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_TRUE(menu.app.fake.modalOpened.empty());
}

TEST(RecordMenu, TrainingOnAFreshPracticeFileCreatesSheets) {
    Menu menu({}, 0);
    menu.app.centre.Training = true;
    std::rename("FIB.DAT", "ESSAIFIB.DAT");
    menu.app.centre.CurrentFile = "ESSAIFIB.DAT";
    menu.m->BCreaClick();
    // No identification to confirm on the practice file, and the sheet opens.
    EXPECT_TRUE(menu.app.fake.messages.empty());
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TFIB1"}));
    EXPECT_EQ(menu.pageText("Edit13"), "1");
}

TEST(RecordMenu, HelpButtonsOpenTheGroupsHelpPages) {
    Menu menu;
    menu.page->findChild<QPushButton*>("BitBtn2")->click();
    menu.page->findChild<QPushButton*>("BitBtn9")->click();
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TTAide1", "TTAide8"}));
}

TEST(RecordMenu, DateKeepsItsTenCharacters) {
    Menu menu({0});
    menu.app.centre.buffer.set(fld::NumFib, std::uint16_t{1});
    menu.app.fake.onModal["TFIB1"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("MaskEdit19")->setText(" 8/ 1/2026");
        static_cast<TFIB1*>(d)->BitBtn11Click();
        return d->result();
    };
    menu.m->BCreaClick();
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, r));
    EXPECT_EQ(r.date(), " 8/ 1/2026");
}

TEST(RecordMenu, EachOpeningStartsOnCreation) {
    Menu menu({0});
    menu.m->show();
    menu.m->findChild<QLineEdit*>("ESpe")->setFocus();
    menu.m->hide();
    menu.m->show();
    EXPECT_EQ(menu.m->focusWidget(), menu.m->BCrea);
    menu.m->hide();
}

TEST(RecordMenu, EnterPressesTheButtonThatHasTheFocus) {
    Menu menu({0, 1});
    menu.m->show();
    menu.m->Button1->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu.m, &enter);
    EXPECT_EQ(menu.app.fake.modalOpened, (std::vector<QString>{"TFQual"}));
    menu.m->hide();
}

TEST(RecordMenu, IdentificationQuestionKeepsItsButtonsOnScreen) {
    // Asked at (280, 440) of a 640 x 480 screen, a box of 200 x 100 would
    // hide its Yes and No below the screen's edge: it moves up, not left.
    const QRect screen(0, 0, 640, 480);
    const QPoint p = ui::fitOnScreen(QPoint(280, 440), QSize(200, 100), screen);
    EXPECT_EQ(p.x(), 280);
    EXPECT_LE(p.y() + 100 + 40, 480);
    EXPECT_GE(p.y(), 0);
    // A box that fits stays where it was asked; one wider than the screen keeps its left edge on it.
    EXPECT_EQ(ui::fitOnScreen(QPoint(350, 100), QSize(200, 100), screen), QPoint(350, 100));
    EXPECT_EQ(ui::fitOnScreen(QPoint(600, 10), QSize(900, 100), screen).x(), 0);
    EXPECT_EQ(ui::fitOnScreen(QPoint(1500, 990), QSize(200, 100), QRect(0, 0, 1920, 1080)), QPoint(1500, 940));
}

TEST(SaveQuestion, EscapeKeepsTheSheetOnScreen) {
    ui::QtAdapter real;
    auto pressEscape = [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &esc);
        }
    };
    QTimer::singleShot(50, pressEscape);
    // Never left waiting: a box still open later is closed as No.
    QTimer::singleShot(3000, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->done(QMessageBox::No);
    });
    EXPECT_EQ(real.confirm(QString::fromUtf8("Sauvegarde de la Fiche ?"), true), ui::Answer::Retry);
}
