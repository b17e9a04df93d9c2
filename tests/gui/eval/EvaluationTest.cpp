#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTextLayout>
#include <algorithm>

#include "FakeUi.h"
#include "app/Menu1.h"
#include "app/Menu2.h"
#include "eval/Eval.h"
#include "eval/LineList.h"
#include "eval/Objectif.h"
#include "eval/Peval.h"
#include "eval/Qual.h"
#include "eval/Risque.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "ui/Canvas.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::click;

namespace {

// FIB.DAT with n demonstration FIBs of centre 1234.
void demoFile(int n) {
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(DemoCentre{}, std::uint32_t(n), 21)));
}

// A file whose FIBs are all of type 1.
void typeOneFile(int n) {
    auto recs = demoRecords(DemoCentre{}, std::uint32_t(n), 4);
    for (std::size_t i = 1; i < recs.size(); ++i) {
        recs[i].set(fld::TypeDiabete, std::uint8_t(1));
        recs[i].set(fld::EtatFiche, std::uint8_t(0));
    }
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
}

int count(const DrawList& d, DrawItem::Kind k) {
    return int(std::count_if(d.items.begin(), d.items.end(), [k](const DrawItem& i) { return i.kind == k; }));
}

std::vector<QString> items(LineList* l) {
    std::vector<QString> out;
    for (int i = 0; i < l->count(); ++i) out.push_back(l->text(i));
    return out;
}

void clickLine(TFEval* e, int i) {
    e->LVar->setCurrentRow(i);
    e->LVarClick();
}

}  // namespace

TEST(Evaluation, GlobalEvaluationFromTheCentreMenu) {
    AppFixture app;
    demoFile(300);
    eval::SynthesisResult expected;
    ASSERT_FALSE(eval::runCentreSynthesis("FIB.DAT", 0, currentYear(), expected));

    bool evalShown = false;
    app.fake.onModal["TTMenu2"] = [](QDialog* d) {
        d->findChild<QPushButton*>("Button1")->click();
        return int(QDialog::Rejected);
    };
    app.fake.onModal["TFPeval"] = [](QDialog* d) {
        d->findChild<QPushButton*>("Button4")->click();
        return int(QDialog::Rejected);
    };
    app.fake.onModal["TFEval"] = [&](QDialog* d) {
        evalShown = true;
        auto* e = static_cast<TFEval*>(d);
        EXPECT_EQ(e->LVar->count(), 264);
        EXPECT_EQ(e->LVar->text(0), QString(" SYNTHESE des %1 FIB du Centre 1234").arg(expected.evaluated));
        EXPECT_EQ(e->LVar->text(3).toStdString(), eval::bandLine(expected.counts[0], expected.evaluated, "Hb <6.5"));
        // The keyboard starts on the list, not on the read-only counts.
        EXPECT_EQ(e->LVar->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        for (const char* name : {"Edit1", "Edit2", "Edit3"})
            EXPECT_EQ(e->findChild<QLineEdit*>(name)->focusPolicy() & Qt::TabFocus, 0) << name;
        EXPECT_EQ(e->focusWidget(), e->LVar);
        // A label cut by the narrow list reads whole in the line's tooltip.
        EXPECT_TRUE(e->LVar->toolTip(262).endsWith("% Pas de Microalbuminurie"));
        EXPECT_TRUE(e->LVar->toolTip(263).isEmpty());
        EXPECT_EQ(e->Edit3->text(), QString::number(expected.complete));
        EXPECT_EQ(e->Edit2->text(), QString::number(expected.incomplete));
        EXPECT_EQ(e->Edit1->text(), QString::number(expected.toReview));
        // The first paint draws the four first charts and the hints.
        e->grab();
        const DrawList& d1 = e->canvas()->recorded();
        EXPECT_EQ(count(d1, DrawItem::Rect), 14);
        EXPECT_EQ(d1.texts().back(), "Clicquez sur un numéro de fiche pour voir la fiche");
        return int(QDialog::Rejected);
    };
    click(app.form<TTMenu1>(), "MENU");
    EXPECT_TRUE(evalShown);
    EXPECT_EQ(app.evaluation.EvaluatedCount, expected.evaluated);
    EXPECT_EQ(app.centre.CurrentCentre, 1234);
    EXPECT_EQ(app.centre.CurrentFib, 300);
    EXPECT_TRUE(app.fake.messages.empty());
    // A later paint does not draw the charts again over what the user clicked.
    auto* e = app.form<TFEval>();
    clickLine(e, 0);
    e->grab();
    EXPECT_TRUE(e->canvas()->recorded().items.empty());
}

TEST(Evaluation, BandClickListsTheFibsOfTheWholeSection) {
    AppFixture app;
    demoFile(120);
    app.evaluation.EvalFilter = 0;
    app.form<TFPeval>()->Button4Click();
    auto* e = app.form<TFEval>();

    clickLine(e, 5);  // "Hb 8 à <10": the classes of the five HbA1c bands
    eval::ClassLists c;
    ASSERT_FALSE(eval::centreClassLists("FIB.DAT", 0, currentYear(), 0, c));
    for (int k = 0; k < 5; ++k) {
        const auto got = items(e->LPat[k]);
        ASSERT_EQ(got.size(), c.numbers[k].size() + 1) << k;
        for (std::size_t j = 0; j < c.numbers[k].size(); ++j) EXPECT_EQ(got[j + 1], QString::number(c.numbers[k][j]));
    }
    EXPECT_EQ(items(e->LPat[0]).front(), "   C1 ");
    EXPECT_EQ(items(e->LPat[1]).front(), "  C2 ");
    EXPECT_EQ(items(e->LPat[5]), (std::vector<QString>{"   C6 "}));
    for (int k = 0; k < 12; ++k) EXPECT_EQ(e->LPat[k]->isVisibleTo(e), k < 6) << k;
    EXPECT_TRUE(e->Button3->isVisibleTo(e));
    EXPECT_EQ(e->canvas()->recorded().texts(),
              (std::vector<std::string>{"Listes des numéros de Fiches pour chaque Classe"}));

    // "<<  >>": the flag starts at 0, so the first press keeps the first half.
    e->Button3->click();
    EXPECT_TRUE(e->LPat[0]->isVisibleTo(e));
    e->Button3->click();
    EXPECT_TRUE(e->LPat[6]->isVisibleTo(e));
    EXPECT_FALSE(e->LPat[0]->isVisibleTo(e));

    // Enter on a line does what a click does.
    e->LVar->setCurrentRow(3);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(e->LVar, &enter);
    EXPECT_EQ(items(e->LPat[0]).size(), c.numbers[0].size() + 1);
    EXPECT_TRUE(e->LPat[0]->isVisibleTo(e));

    // The eyes: examined FIBs in C1, every other one in " Non ".
    clickLine(e, 124);
    ASSERT_FALSE(eval::centreClassLists("FIB.DAT", 0, currentYear(), eval::lineTable()[124].section, c));
    EXPECT_EQ(items(e->LPat[1]).front(), " Non ");
    EXPECT_EQ(std::size_t(e->LPat[0]->count() + e->LPat[1]->count() - 2), std::size_t(app.evaluation.EvaluatedCount));

    // A heading draws its chart and shows no list; the title line, a blank line and line 263 nothing.
    clickLine(e, 104);
    EXPECT_EQ(count(e->canvas()->recorded(), DrawItem::Rect), 9);
    EXPECT_FALSE(e->Button3->isVisibleTo(e));
    for (int i : {0, 1, 114, 263}) {
        clickLine(e, i);
        EXPECT_TRUE(e->canvas()->recorded().items.empty()) << i;
        for (auto* l : e->LPat) EXPECT_FALSE(l->isVisibleTo(e));
    }
    EXPECT_TRUE(app.fake.messages.empty());
}

TEST(Evaluation, NumberClickCallsTheFibUp) {
    AppFixture app;
    app.centre.CurrentFile = "FIB.DAT";
    demoFile(60);
    app.form<TFPeval>()->Button4Click();
    auto* e = app.form<TFEval>();
    clickLine(e, 50);  // Type 1
    ASSERT_GE(e->LPat[0]->count(), 2);
    const QString number = e->LPat[0]->text(1);
    const auto before = app.fake.modalOpened.size() + app.fake.messages.size();
    e->LPat[0]->setCurrentRow(0);  // the title calls nothing up
    e->LPatClick(0);
    EXPECT_EQ(app.fake.modalOpened.size() + app.fake.messages.size(), before);
    e->LPat[0]->setCurrentRow(1);
    std::uint16_t calledUp = 0;
    app.fake.onModal["TFIB1"] = [&](QDialog*) {
        calledUp = app.centre.CurrentFib;
        return int(QDialog::Rejected);
    };
    e->LPatClick(0);
    EXPECT_EQ(app.fake.modalOpened.back(), "TFIB1");
    EXPECT_EQ(calledUp, number.toUInt());
    FibRecord stored;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", calledUp, stored));
    EXPECT_EQ(app.centre.buffer.get(fld::NumFib), stored.get(fld::NumFib));
    EXPECT_EQ(app.centre.buffer.get(fld::TypeDiabete), 1);
    // Back from the correction, the record menu's count is the file's.
    EXPECT_EQ(app.centre.SavedFibCount, 60);
}

TEST(Evaluation, PrintoutAndSpreadsheetExport) {
    AppFixture app;
    demoFile(80);
    app.form<TFPeval>()->Button4Click();
    auto* e = app.form<TFEval>();
    e->BImp->click();
    ASSERT_EQ(app.fake.printed.size(), 1u);
    const PrintDocument& doc = app.fake.printed[0];
    ASSERT_GE(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[1].texts()[0], e->LVar->text(0).toStdString());
    const auto first = doc.pages[0].texts();
    EXPECT_NE(std::find(first.begin(), first.end(), "Population évaluée : Tous types"), first.end());

    app.fake.saveFiles.push_back(app.path("export.csv"));
    e->BCsv->click();
    QFile f(app.path("export.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(csv.contains(QString::fromUtf8("Section;Libellé;Nombre;Pourcentage\r\n").toUtf8()));
    EXPECT_TRUE(csv.contains("\r\nPopulation;Tous types\r\n"));
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].text,
              QString::fromUtf8("Synthèse exportée dans ") + QDir::toNativeSeparators(app.path("export.csv")));

    // A folder that does not exist: one error box naming the file.
    app.fake.saveFiles.push_back(app.path("absent/export.csv"));
    e->BCsv->click();
    ASSERT_EQ(app.fake.messages.size(), 2u);
    EXPECT_EQ(app.fake.messages[1].icon, ui::Icon::Error);
    EXPECT_EQ(app.fake.messages[1].text,
              QString::fromUtf8("Erreur d'entrée/sortie sur export.csv : le dossier %1 est introuvable")
                  .arg(app.path("absent")));
    // Cancelled: nothing.
    e->BCsv->click();
    EXPECT_EQ(app.fake.messages.size(), 2u);
}

TEST(Evaluation, ObjectivesChartBeforeAndAfterASynthesis) {
    AppFixture app;
    typeOneFile(30);
    auto* menu = app.form<TFPeval>();
    auto* chart = app.form<TTObjectif>();
    app.evaluation.EvaluatedCount = 0;
    menu->Button6Click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TTObjectif");
    EXPECT_EQ(chart->cell(0, 0), "         RISQUES");
    EXPECT_EQ(chart->cell(7, 0), QString::fromUtf8("  MICROALBUMIN. surveillée"));
    EXPECT_EQ(chart->cell(1, 1), "      0 %");
    EXPECT_EQ(chart->cell(10, 2), " Evaluation ?");

    menu->Button3Click();  // type 1
    EXPECT_EQ(app.fake.modalOpened.back(), "TFEval");
    menu->Button6Click();
    EXPECT_EQ(chart->cell(10, 1), "  Type 1");
    EXPECT_EQ(chart->cell(10, 2), "         30");
    EXPECT_TRUE(chart->cell(5, 2).startsWith("    ") && chart->cell(5, 2).endsWith(" %"));

    // Type 2 selects nothing: no screen, and the chart asks for an evaluation.
    const auto opened = app.fake.modalOpened.size();
    menu->Button2Click();
    EXPECT_EQ(app.fake.modalOpened.size(), opened);
    EXPECT_EQ(app.evaluation.EvaluatedCount, 0u);
    menu->Button6Click();
    EXPECT_EQ(chart->cell(10, 2), " Evaluation ?");
    EXPECT_TRUE(app.fake.messages.empty());
}

TEST(Evaluation, MissingFileIsOneErrorAndNoScreen) {
    AppFixture app;
    app.form<TFPeval>()->Button4Click();
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].text, QString::fromUtf8("Erreur d'entrée/sortie sur FIB.DAT : fichier introuvable"));
    EXPECT_TRUE(app.fake.modalOpened.empty());

    // The file disappears while the screen is open: a band click keeps only the titles.
    demoFile(20);
    app.form<TFPeval>()->Button4Click();
    auto* e = app.form<TFEval>();
    ASSERT_TRUE(QFile::remove(app.path("FIB.DAT")));
    clickLine(e, 10);
    ASSERT_EQ(app.fake.messages.size(), 2u);
    EXPECT_EQ(app.fake.messages[1].icon, ui::Icon::Error);
    EXPECT_EQ(items(e->LPat[0]), (std::vector<QString>{"   C1 "}));
}

TEST(Evaluation, ReviewsOfTheFibsFromTheMenu) {
    AppFixture app;
    app.centre.CurrentFile = "FIB.DAT";
    auto recs = demoRecords(DemoCentre{}, 5, 9);
    recs[3].set(fld::EtatFiche, kAnnulled);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    auto* menu = app.form<TFPeval>();

    // "FIB Suivant" each time: every FIB is shown, the annulled one too.
    std::vector<QString> shown;
    app.fake.onModal["TFRisque"] = [&](QDialog* d) {
        shown.push_back(d->findChild<QLineEdit*>("Edit1")->text());
        EXPECT_TRUE(d->findChild<QPushButton*>("BitBtn2")->isEnabled());
        return int(QDialog::Accepted);
    };
    menu->Button7Click();
    EXPECT_EQ(shown, (std::vector<QString>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(app.centre.buffer, recs[5]);
    EXPECT_EQ(app.centre.CurrentFib, 5);
    EXPECT_FALSE(app.form<TFRisque>()->findChild<QPushButton*>("BitBtn2")->isEnabled());

    // "Retour" ends the review.
    shown.clear();
    app.fake.onModal["TFRisque"] = [&](QDialog* d) {
        shown.push_back(d->findChild<QLineEdit*>("Edit1")->text());
        d->findChild<QPushButton*>("BitBtn1")->click();
        return d->result();
    };
    menu->Button7Click();
    EXPECT_EQ(shown, (std::vector<QString>{"1"}));

    menu->Button8Click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFQual");
    EXPECT_TRUE(app.fake.messages.empty());
    // Tab goes from list to list and to "Retour", past the read-only counts.
    for (auto* e : app.form<TFQual>()->findChildren<QLineEdit*>())
        EXPECT_EQ(e->focusPolicy() & Qt::TabFocus, 0) << e->objectName().toStdString();

    // The file gone: one error box and no screen.
    ASSERT_TRUE(QFile::remove(app.path("FIB.DAT")));
    const auto opened = app.fake.modalOpened.size();
    menu->Button7Click();
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(app.fake.modalOpened.size(), opened);
}

// The six large captions of the evaluation menu keep clear of their buttons' edges.
TEST(Evaluation, MenuCaptionsFitTheirButtons) {
    AppFixture app;
    auto* menu = app.form<TFPeval>();
    for (const char* name : {"Button2", "Button3", "Button4", "Button6", "Button7", "Button8"}) {
        auto* b = menu->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->width() - 12) << name;
        EXPECT_TRUE(b->font().bold());
        EXPECT_EQ(b->font(), menu->findChild<QPushButton*>("Button4")->font()) << name;
    }
}

// The screen says which FIBs it evaluates.
TEST(Evaluation, TheBannerNamesThePopulation) {
    AppFixture app;
    typeOneFile(20);
    auto banner = [&] { return app.form<TFEval>()->findChild<QLabel*>("Panel1")->text(); };
    click(app.form<TFPeval>(), "Button4");
    EXPECT_TRUE(banner().endsWith("Tous types")) << banner().toStdString();
    click(app.form<TFPeval>(), "Button3");
    EXPECT_TRUE(banner().endsWith("Type 1")) << banner().toStdString();
}

// At the largest scale every cell of the objectives chart shows its text whole.
TEST(Evaluation, ObjectivesCellsHoldTheirTextsAtEveryScale) {
    for (QSize screen : {QSize(640, 480), QSize(800, 600), QSize(1904, 1040)}) {
        AppFixture app;
        app.fake.screen = screen;
        auto* o = app.form<TTObjectif>();
        o->writeHeadings();
        o->show();
        const QFontMetrics fm(o->Gril->font());
        for (int r = 0; r < 11; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_LE(fm.horizontalAdvance(o->cell(r, c)), o->Gril->columnWidth(c) - 4)
                    << o->cell(r, c).toStdString() << " at " << screen.width();
        EXPECT_LE(o->Gril->geometry().right(), o->width())
            << o->Gril->columnWidth(0) << " " << o->Gril->columnWidth(1) << " " << o->Gril->columnWidth(2) << " "
            << o->Gril->font().pointSizeF() << " " << o->Gril->x();
        o->hide();
    }
}

// 65,535 FIBs, every count five digits: the heading and every label read
// whole in the list at 800 x 600 (a long line wraps onto a taller row), and
// the percentages stand at one place.
TEST(Evaluation, ListOfAFullFileShowsEveryLineWholeAt800x600) {
    for (QSize screen : {QSize(800, 600), QSize(1904, 1040)}) {
        AppFixture app;
        app.fake.screen = screen;
        auto* e = app.form<TFEval>();
        eval::SynthesisResult r;
        r.evaluated = 65535;
        r.centre = 1234;
        r.counts.fill(65535);
        e->showSynthesis(r);
        e->show();
        QApplication::processEvents();
        LineList* l = e->LVar;
        EXPECT_EQ(l->text(0), QString(" SYNTHESE des 65535 FIB du Centre 1234"));
        const QFontMetrics fm(l->font());
        const int width = l->viewport()->width();
        const int margin = l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1;
        for (int i = 0; i < l->count(); ++i) {
            const QString t = l->text(i);
            const QRect row = l->visualRect(l->model()->index(i, 0));
            // Room for every line of the text wrapped at the list's width,
            // less the item's text margins as the style sets them.
            QTextLayout layout(t, l->font());
            QTextOption wrap;
            wrap.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(wrap);
            layout.beginLayout();
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines)
                line.setLineWidth(width - 2 * margin);
            layout.endLayout();
            EXPECT_GE(row.height(), lines * fm.height()) << t.toStdString() << " at " << screen.width();
            EXPECT_LE(row.width(), width) << t.toStdString();
        }
        e->hide();
    }
}
