#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <cstdio>

#include "../core/SynthesisTestSupport.h"
#include "FakeUi.h"
#include "ref/Compar.h"
#include "ref/Indic.h"
#include "ref/Nsynth.h"
#include "ref/Varia.h"
#include "ref/Vis97.h"
#include "ref/Visi97.h"
#include "ui/Canvas.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::writeStoredSynthesis;

namespace {

QStringList items(QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

// Brush colours of the filled rectangles standing on a base line.
std::vector<Rgb> barColours(const DrawList& d, int base, std::size_t from = 0) {
    std::vector<Rgb> out;
    Rgb brush{};
    for (std::size_t k = from; k < d.items.size(); ++k) {
        const DrawItem& i = d.items[k];
        if (i.kind == DrawItem::Brush) brush = i.color;
        if (i.kind == DrawItem::Rect && i.y2 == base) out.push_back(brush);
    }
    return out;
}

void clickRow(QListWidget* l, int row) {
    l->setCurrentRow(row);
    emit l->itemClicked(l->item(row));
}

}  // namespace

TEST(ReferenceMenu, EachButtonOpensItsSynthesis) {
    AppFixture app;
    auto* m = app.form<TFVisi97>();
    std::vector<std::string> seen;
    app.fake.onModal["TFVis97"] = [&](QDialog*) {
        seen.push_back(app.country.StoredSynthesis + "|" + app.country.StoredTitle);
        return int(QDialog::Rejected);
    };
    m->findChild<QPushButton*>("Button12")->click();
    m->findChild<QPushButton*>("Button13")->click();
    m->findChild<QPushButton*>("BFr96")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"SynFr97.Atx|France 1997", "SynVz98.Atx|Vénézuela 1998",
                                              "SynFr96.Atx|France 1996"}));
}

TEST(ReferenceMenu, OtherSynthesisByNameEvenWhenCancelled) {
    AppFixture app;
    auto* m = app.form<TFVisi97>();
    app.fake.onModal["TFNSynth"] = [](QDialog* d) {
        static_cast<TFNSynth*>(d)->NomP->setText("SynVz98.Atx");
        return int(QDialog::Rejected);
    };
    m->Button1Click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFVis97");
    EXPECT_EQ(app.country.StoredSynthesis, "SynVz98.Atx");
    EXPECT_EQ(app.country.StoredTitle, "SynVz98");

    app.fake.onModal["TFNSynth"] = [](QDialog* d) {
        static_cast<TFNSynth*>(d)->NomP->setText("Synthese");
        return int(QDialog::Accepted);
    };
    m->Button1Click();
    EXPECT_EQ(app.country.StoredTitle, "Synthese");

    // A name with a folder is refused and opens nothing.
    app.fake.onModal["TFNSynth"] = [](QDialog* d) {
        static_cast<TFNSynth*>(d)->NomP->setText("../SynFr97.Atx");
        return int(QDialog::Accepted);
    };
    const auto opened = app.fake.modalOpened.size();
    m->Button1Click();
    EXPECT_EQ(app.fake.modalOpened.size(), opened + 1);  // the dialog only
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
}

TEST(RecordsScreen, ListSummaryChartAndSelection) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{5, 40, 4}, {7, 90, 9}, {9, 40, 20}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.StoredTitle = "France 1997";
    auto* v = app.form<TFVis97>();
    v->Activate();
    EXPECT_EQ(v->Panel1->text(), "France 1997");
    EXPECT_EQ(v->Nctr->text(), " 3 Ctr -  170 Fib");
    EXPECT_EQ(items(v->LCtr), (QStringList{" 5   -   40 ", " 7   -   90 ", " 9   -   40 "}));
    ASSERT_EQ(v->bars().size(), 3u);
    EXPECT_EQ(v->bars()[0].centre, 7);

    clickRow(v->LCtr, 2);
    EXPECT_EQ(app.country.ChosenCentre, 9);
    EXPECT_EQ(app.country.ChosenCentreCount, 40);
    EXPECT_EQ(v->LCtr->currentRow(), 2);
    const auto colours = barColours(v->canvas()->recorded(), 350);
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(colours[2], colors::Red);
    EXPECT_NE(colours[0], colors::Red);

    v->BImpClick();
    ASSERT_EQ(app.fake.printed.size(), 1u);
    const auto t = app.fake.printed[0].pages[0].texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "Centre : 9"), t.end());

    // Variables: the chart modes start from 0 and the variability window opens.
    app.country.chartMode.twoCharts = 1;
    app.country.chartMode.offset = 200;
    v->BitBtn2Click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFVaria");
    EXPECT_EQ(app.country.chartMode.twoCharts, 0);
    EXPECT_EQ(app.country.chartMode.offset, 0);
    EXPECT_EQ(v->LCtr->currentRow(), 2);
}

TEST(RecordsScreen, MissingSynthesisShowsOneErrorAndNothing) {
    AppFixture app;
    app.country.StoredSynthesis = "SynAg97.Atx";
    auto* v = app.form<TFVis97>();
    v->Activate();
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_EQ(app.fake.messages[0].text,
              QString::fromUtf8("Erreur d'entrée/sortie sur SynAg97.Atx : fichier introuvable\nDossier de travail : ") +
                  QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(v->LCtr->count(), 0);
    EXPECT_TRUE(v->canvas()->recorded().items.empty());
}

TEST(VariabilityWindow, ListChartsAndPrint) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{4, 10, 5}, {9, 10, 2}, {12, 20, 10}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.ChosenCentre = 9;
    app.country.ChosenCentreCount = 10;
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    ASSERT_EQ(w->LVar->count(), 264);
    EXPECT_EQ(w->LVar->item(1)->text(), "      FRANCE   |    Centre : 9  (10 fiches)");
    EXPECT_EQ(w->LVar->item(3)->text(), QString::fromUtf8("      17    42.5% |         2    20.0%      Hb < 6.5"));
    // The HbA1c section is drawn at once: five blue bars and five red ones.
    EXPECT_EQ(barColours(w->canvas()->recorded(), 350).size(), 10u);

    clickRow(w->LVar, 3);
    const auto colours = barColours(w->canvas()->recorded(), 350);
    ASSERT_GE(colours.size(), 3u);
    // 50 % (centre 4), 50 % (centre 12), then the chosen centre 9 in red.
    EXPECT_EQ(colours[colours.size() - 1], colors::Red);
    const auto texts = w->canvas()->recorded().texts();
    EXPECT_EQ(texts[texts.size() - 4], "Hb < 6.5");
    EXPECT_EQ(texts[texts.size() - 3], "50 %");

    // A blank line only clears the area.
    const auto before = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 8);
    const auto& after = w->canvas()->recorded().items;
    ASSERT_GT(after.size(), before);
    for (auto i = before; i < after.size(); ++i) EXPECT_NE(after[i].kind, DrawItem::Text);

    // Two charts: the upper one, then the lower one.
    w->BitBtn3->click();
    auto from = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 3);
    EXPECT_EQ(barColours(w->canvas()->recorded(), 170, from).size(), 3u);
    from = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 4);
    EXPECT_EQ(barColours(w->canvas()->recorded(), 370, from).size(), 3u);
    EXPECT_EQ(app.country.chartMode.offset, 200);

    w->BImp->click();
    ASSERT_EQ(app.fake.printed.size(), 1u);
    EXPECT_EQ(app.fake.printed[0].pages.size(), 3u);
}

TEST(VariabilityWindow, CounterFileLostAfterwardsKeepsTheListReadLast) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{4, 10, 5}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    ASSERT_EQ(w->LVar->count(), 264);
    std::remove("SynFr97.Btx");
    w->BitBtn2Click();
    EXPECT_EQ(w->LVar->count(), 264);
    EXPECT_EQ(app.fake.messages.back().icon, ui::Icon::Error);
    EXPECT_EQ(w->LVar->item(1)->text(), "      FRANCE ");
}

TEST(ComparisonTable, ThreeReferencesSideBySide) {
    AppFixture app;
    writeStoredSynthesis("SYNFR97.ATX", {{1, 150, 30}, {2, 50, 10}});
    writeStoredSynthesis("SYNHopi.ATX", {{1, 40, 4}});
    auto* c = app.form<TFCompar>();
    c->Activate();
    EXPECT_EQ(c->SComp->item(0, 1), nullptr);  // not enabled: nothing filled
    app.country.ComparisonEnabled = true;
    c->Activate();
    EXPECT_EQ(c->SComp->item(0, 1)->text(), "200");
    EXPECT_EQ(c->SComp->item(2, 0)->text(), "  40");
    EXPECT_EQ(c->SComp->item(2, 1)->text(), "   20.0 %");
    EXPECT_EQ(c->SComp->item(2, 3)->text(), "  4");
    EXPECT_EQ(c->SComp->item(2, 4)->text(), "   10.0 %");
    EXPECT_EQ(c->SComp->item(2, 8)->text(), "      Hb <6.5");
    // The private-practice reference is missing: its error, the others kept,
    // and its column says so.
    ASSERT_EQ(app.fake.messages.size(), 1u);
    EXPECT_TRUE(app.fake.messages[0].text.contains("SYNLibe.ATX"));
    ASSERT_NE(c->SComp->item(2, 6), nullptr);
    EXPECT_EQ(c->SComp->item(2, 6)->text(), "SYNLibe.ATX\nintrouvable");
    EXPECT_EQ(c->SComp->item(2, 7), nullptr);
    // Each column pair headed by its synthesis and its FIBs.
    auto heading = [c](int col) { return c->SComp->horizontalHeaderItem(col)->text(); };
    EXPECT_TRUE(c->SComp->horizontalHeader()->isVisible() || !c->isVisible());
    EXPECT_EQ(heading(0), "France 97");
    EXPECT_EQ(heading(1), "200 fiches");
    EXPECT_EQ(heading(3), QString::fromUtf8("Hôpitaux"));
    EXPECT_EQ(heading(4), "40 fiches");
    EXPECT_EQ(heading(6), QString::fromUtf8("Libéraux"));
    EXPECT_EQ(heading(7), "absente");

    // Filled afresh when the hospitals' synthesis goes: nothing stale stays.
    std::remove("SYNHopi.ATX");
    c->Activate();
    EXPECT_EQ(c->SComp->item(2, 3)->text(), "SYNHopi.ATX\nintrouvable");
    EXPECT_EQ(c->SComp->item(2, 4), nullptr);
    EXPECT_EQ(c->SComp->item(2, 1)->text(), "   20.0 %");
}

TEST(ComparisonTable, CoversTheMenuItOpensFrom) {
    AppFixture app;
    app.fake.screen = QSize(1920, 1080);
    auto* menu = app.form<TFVisi97>();
    auto* c = app.form<TFCompar>();
    menu->scaleOnce();
    c->scaleOnce();
    EXPECT_EQ(c->size(), menu->size());
    EXPECT_GE(c->BitBtn1->y(), menu->BitBtn1->y());
}

TEST(ComparisonTable, OpenedFromTheReferenceMenuEnabled) {
    AppFixture app;
    app.form<TFVisi97>()->findChild<QPushButton*>("BCompar")->click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFCompar");
    EXPECT_TRUE(app.country.ComparisonEnabled);
}

TEST(StandardIndicators, CountryAndChosenCentre) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{4, 10, 5}, {9, 10, 2}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.StoredTitle = "France 1997";
    app.country.ChosenCentre = 9;
    auto* f = app.form<TFIndic>();
    f->Activate();
    const auto t = f->canvas()->recorded().texts();
    EXPECT_EQ(t.front(), "France 1997 : 20 fiches");
    EXPECT_NE(std::find(t.begin(), t.end(), "Centre 9"), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "HbA1C < 8"), t.end());
    app.fake.onModal["TFIndic"] = [](QDialog*) { return int(QDialog::Rejected); };
    app.form<TFVis97>()->BGraphClick();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFIndic");
}

TEST(WorkingFolder, ReferencesReadTheFolderOfTheCountryScreens) {
    AppFixture app;
    QDir().mkdir("pays");
    writeStoredSynthesis("pays/SYNFr97.ATX", {{5, 40, 4}, {7, 90, 9}});
    writeStoredSynthesis("pays/SynHopi.Atx", {{5, 40, 4}});
    auto* menu = app.form<TFVisi97>();
    EXPECT_EQ(menu->LDossier->text(), QDir::toNativeSeparators(QDir::currentPath()));
    app.fake.folders.push_back(app.path("pays"));
    menu->BDossier->click();
    EXPECT_EQ(app.country.where(), app.path("pays").toStdString());
    EXPECT_EQ(menu->LDossier->text(), QDir::toNativeSeparators(app.path("pays")));

    // "Synthèse FRANCE 97" finds SYNFr97.ATX of that folder.
    QStringList listed;
    app.fake.onModal["TFVis97"] = [&](QDialog* d) {
        auto* v = static_cast<TFVis97*>(d);
        v->Activate();
        listed = items(v->LCtr);
        return int(QDialog::Rejected);
    };
    menu->ReferenceClick(0);
    EXPECT_EQ(listed, (QStringList{" 5   -   40 ", " 7   -   90 "}));
    EXPECT_TRUE(app.fake.messages.empty());

    // "Autres Synthèses" lists the stored syntheses of the folder to choose from.
    QStringList offered;
    app.fake.onModal["TFNSynth"] = [&](QDialog* d) {
        auto* n = static_cast<TFNSynth*>(d);
        offered = items(n->LSynth);
        EXPECT_EQ(n->NomP->text(), "SYNFr97.ATX");  // the one proposed, as the folder spells it
        EXPECT_EQ(n->LDossier->text(), QDir::toNativeSeparators(app.path("pays")));
        n->LSynth->setCurrentRow(1);
        n->OKBtn->click();
        return d->result();
    };
    listed.clear();
    menu->Button1Click();
    EXPECT_EQ(offered, (QStringList{"SYNFr97.ATX", "SynHopi.Atx"}));
    EXPECT_EQ(app.country.StoredSynthesis, "SynHopi.Atx");
    EXPECT_EQ(listed, (QStringList{" 5   -   40 "}));

    // A folder without synthesis says so in the list; an error names the folder.
    QDir().mkdir("vide");
    app.country.chooseFolder(app.path("vide"));
    app.fake.onModal["TFNSynth"] = [&](QDialog* d) {
        auto* n = static_cast<TFNSynth*>(d);
        offered = items(n->LSynth);
        return int(QDialog::Rejected);
    };
    menu->Button1Click();
    EXPECT_EQ(offered, QStringList{QString::fromUtf8("(aucune synthèse enregistrée dans ce dossier)")});
    ASSERT_FALSE(app.fake.messages.empty());
    EXPECT_TRUE(app.fake.messages.back().text.endsWith(QDir::toNativeSeparators(app.path("vide"))));
}

TEST(WorkingFolder, PrintoutsNamedAfterWhatTheyShowInTheFolder) {
    AppFixture app;
    QDir().mkdir("pays");
    writeStoredSynthesis("pays/SynFr97.Atx", {{4, 10, 5}, {9, 10, 2}, {12, 20, 10}});
    app.country.chooseFolder(app.path("pays"));
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* v = app.form<TFVis97>();
    v->Activate();
    clickRow(v->LCtr, 1);
    v->BImpClick();
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    w->BImpClick();
    ASSERT_EQ(app.fake.printed.size(), 2u);
    EXPECT_EQ(app.fake.printed[0].title, "Fiches-par-centre-SynFr97-centre9");
    EXPECT_EQ(app.fake.printed[1].title, "Repartition-SynFr97-centre9");
    for (const auto& d : app.fake.printed) EXPECT_EQ(d.folder, app.country.where());
}

TEST(RecordsScreen, TheCurrentItemIsTheChosenCentreWhateverChoseIt) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{5, 40, 4}, {7, 90, 9}, {9, 40, 20}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* v = app.form<TFVis97>();
    v->Activate();
    v->LCtr->setCurrentRow(0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(v->LCtr, &down);
    EXPECT_EQ(v->LCtr->currentRow(), 1);
    EXPECT_EQ(app.country.ChosenCentre, 7);
    EXPECT_EQ(app.country.ChosenCentreCount, 90);
    // The chart shows it: its bar (the first, 90 FIBs) red and drawn last.
    const auto colours = barColours(v->canvas()->recorded(), 350);
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(colours.back(), colors::Red);
    // "Variables" opens on it.
    std::int32_t seen = 0;
    app.fake.onModal["TFVaria"] = [&](QDialog*) {
        seen = app.country.ChosenCentre;
        return int(QDialog::Rejected);
    };
    v->BitBtn2Click();
    EXPECT_EQ(seen, 7);
    EXPECT_EQ(v->LCtr->currentRow(), 1);
    // A new opening starts without a choice, in the list as in the run.
    v->Activate();
    EXPECT_EQ(v->LCtr->currentRow(), -1);
    EXPECT_EQ(app.country.ChosenCentre, 0);
}

TEST(RecordsScreen, TheCentreUnderTheMouseIsNamed) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{5, 40, 4}, {7, 90, 9}, {9, 1, 1}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* v = app.form<TFVis97>();
    v->resize(640, 480);
    v->Activate();
    const double f = v->canvas()->drawingScale();
    // w = 132.5: the first bar (centre 7) from x 206, the last (centre 9) from x 471.
    const QPoint onFirst(int((206 + 10) * f), int(300 * f));
    EXPECT_EQ(v->centreAt(onFirst), "Centre 7 : 90 fiches");
    EXPECT_EQ(v->centreAt(QPoint(int((471 + 10) * f), int(300 * f))), "Centre 9 : 1 fiche");
    EXPECT_EQ(v->centreAt(QPoint(int(20 * f), int(300 * f))), "");
    QMouseEvent move(QEvent::MouseMove, QPointF(onFirst), QPointF(v->canvas()->mapToGlobal(onFirst)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(v->canvas(), &move);
    EXPECT_EQ(v->LSurvol->text(), "Centre 7 : 90 fiches");
}

TEST(VariabilityWindow, EachChartClearsItsOwnAreaInTwoChartMode) {
    AppFixture app;
    writeStoredSynthesis("SynFr97.Atx", {{4, 10, 5}, {9, 10, 2}, {12, 20, 10}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.ChosenCentre = 9;
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    w->BitBtn3->click();
    clickRow(w->LVar, 3);  // upper band chart
    // A heading: its section chart over the whole area, cleared first.
    auto from = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 2);
    auto firstRect = [&](std::size_t k) {
        const auto& items = w->canvas()->recorded().items;
        for (; k < items.size(); ++k)
            if (items[k].kind == DrawItem::Rect) return items[k];
        DrawItem none{};
        none.kind = DrawItem::Pen;
        return none;
    };
    DrawItem r = firstRect(from);
    EXPECT_EQ(std::tie(r.x1, r.y1, r.x2, r.y2), std::make_tuple(0, 0, 481, 495));
    EXPECT_EQ(barColours(w->canvas()->recorded(), 350, from).size(), 10u);
    // The next band chart starts again in the upper half, everything cleared.
    from = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 4);
    r = firstRect(from);
    EXPECT_EQ(std::tie(r.y1, r.y2), std::make_tuple(0, 495));
    EXPECT_EQ(barColours(w->canvas()->recorded(), 170, from).size(), 3u);
    // And the one after it only clears the lower half.
    from = w->canvas()->recorded().items.size();
    clickRow(w->LVar, 5);
    r = firstRect(from);
    EXPECT_EQ(std::tie(r.y1, r.y2), std::make_tuple(200, 495));
    EXPECT_EQ(barColours(w->canvas()->recorded(), 370, from).size(), 3u);
}

TEST(VariabilityWindow, TheListShowsWholeLinesWithoutScrollingSideways) {
    for (QSize screen : {QSize(1024, 768), QSize(1920, 1080)}) {
        AppFixture app;
        app.fake.screen = screen;
        writeStoredSynthesis("SynFr97.Atx", {{4, 10, 5}, {9, 10, 2}});
        app.country.StoredSynthesis = "SynFr97.Atx";
        app.country.ChosenCentre = 9;
        app.country.ChosenCentreCount = 10;
        auto* w = app.form<TFVaria>();
        w->show();
        QApplication::processEvents();
        ASSERT_EQ(w->LVar->count(), 264);
        EXPECT_EQ(w->LVar->horizontalScrollBar()->maximum(), 0) << screen.width();
        // The longest line fits on one row of the list.
        int longest = 0;
        for (int i = 1; i < w->LVar->count(); ++i)
            if (w->LVar->item(i)->text().size() > w->LVar->item(longest)->text().size()) longest = i;
        const QRect shown = w->LVar->visualItemRect(w->LVar->item(longest));
        EXPECT_LE(shown.right(), w->LVar->viewport()->width());
        // Unwrapped: one line high.
        EXPECT_LT(shown.height(), 2 * w->LVar->fontMetrics().height() + 4)
            << w->LVar->item(longest)->text().toStdString();
        w->hide();
    }
}
