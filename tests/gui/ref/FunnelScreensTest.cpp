#include <gtest/gtest.h>

#include <QDir>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "../core/SynthesisTestSupport.h"
#include "FakeUi.h"
#include "ref/Alertes.h"
#include "ref/Compar.h"
#include "ref/Evol.h"
#include "ref/Indic.h"
#include "ref/Rapports.h"
#include "ref/Varia.h"
#include "ref/Visi97.h"
#include "ui/Canvas.h"

using namespace pelo;
using pelo::test::AppFixture;
using pelo::test::writeStoredSynthesis;

namespace {

// Country 30 % in band c0; centre 12 well above, 30 well below, 4 on it.
void writeSample() { writeStoredSynthesis("SynFr97.Atx", {{4, 500, 150}, {12, 200, 95}, {30, 300, 55}}); }

void clickRow(QListWidget* l, int row) {
    l->setCurrentRow(row);
    emit l->itemClicked(l->item(row));
}

int redRects(const DrawList& d) {
    int n = 0;
    Rgb brush{};
    for (const auto& i : d.items) {
        if (i.kind == DrawItem::Brush) brush = i.color;
        if (i.kind == DrawItem::Rect && brush == colors::Red) ++n;
    }
    return n;
}

}  // namespace

TEST(FunnelScreens, VariabilityWindowFunnelModeAndPrint) {
    AppFixture app;
    writeSample();
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.ChosenCentre = 12;
    app.country.ChosenCentreCount = 200;
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    w->BEntonnoir->click();
    ASSERT_TRUE(w->BEntonnoir->isChecked());
    clickRow(w->LVar, 3);
    const auto texts = w->canvas()->recorded().texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Hb < 6.5");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "30"), texts.end());  // outside 99.8 %, labelled
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Limites à 99,8 %"), texts.end());
    EXPECT_EQ(redRects(w->canvas()->recorded()), 2);  // centre 12 and its legend

    // A heading draws nothing in this mode; printing gives the funnel's page.
    clickRow(w->LVar, 2);
    w->BImp->click();
    ASSERT_EQ(app.fake.printed.size(), 1u);
    EXPECT_EQ(app.fake.printed[0].pages.size(), 1u);
    EXPECT_EQ(app.fake.printed[0].title, "Entonnoir SynFr97 ligne 3");

    // Back to the bars: the list prints as before.
    w->BEntonnoir->click();
    w->BImp->click();
    EXPECT_EQ(app.fake.printed.back().title, "Repartition-SynFr97-centre12");
}

// A point of the funnel says in its tooltip which centre it is.
TEST(FunnelScreens, FunnelPointsHaveTooltips) {
    AppFixture app;
    writeSample();
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* w = app.form<TFVaria>();
    w->show();
    w->BitBtn2Click();
    w->BEntonnoir->click();
    clickRow(w->LVar, 3);
    // Centre 30's label stands just right of its point, a little above.
    int x = -1, y = -1;
    for (const auto& i : w->canvas()->recorded().items)
        if (i.kind == DrawItem::Text && i.text == "30") x = i.x1 - 3, y = i.y1 + 7;
    ASSERT_GE(x, 0);
    const double f = w->canvas()->drawingScale();
    const QString tip = w->funnelTipAt(QPoint(int(x * f + 0.5), int(y * f + 0.5)));
    EXPECT_TRUE(tip.startsWith(QString::fromUtf8("Centre 30 : 55 sur 300 FIB"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QString::fromUtf8("en dessous (99,8 %)"))) << tip.toStdString();
    EXPECT_TRUE(w->funnelTipAt(QPoint(1, 1)).isEmpty());
    w->hide();
}

TEST(FunnelScreens, AlertsOpenTheFunnelWithTheCentreChosen) {
    AppFixture app;
    writeSample();
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    int lines998 = -1, lines95 = -1;
    app.fake.onModal["TFAlertes"] = [&](QDialog* d) {
        auto* a = static_cast<TFAlertes*>(d);
        a->Activate();
        lines998 = a->LAlertes->count();
        EXPECT_EQ(a->shown().front(), (AlertChoice{3, 12}));
        EXPECT_TRUE(a->LAlertes->item(0)->text().contains(QString::fromUtf8("au-dessus")));
        a->R95->setChecked(true);
        lines95 = a->LAlertes->count();
        clickRow(a->LAlertes, 1);
        return int(QDialog::Accepted);
    };
    w->BAlertes->click();
    EXPECT_EQ(lines998, 2);
    EXPECT_EQ(lines95, 2);
    EXPECT_EQ(app.country.ChosenCentre, 30);
    EXPECT_EQ(app.country.ChosenCentreCount, 300);
    EXPECT_TRUE(w->BEntonnoir->isChecked());
    EXPECT_EQ(w->LVar->currentRow(), 3);
    EXPECT_TRUE(w->LVar->item(1)->text().contains("Centre : 30"));
    EXPECT_EQ(redRects(w->canvas()->recorded()), 2);

    // Closed without a choice: nothing changes.
    app.fake.onModal["TFAlertes"] = [](QDialog*) { return int(QDialog::Rejected); };
    w->BAlertes->click();
    EXPECT_EQ(app.country.ChosenCentre, 30);
}

TEST(FunnelScreens, EvolutionAcrossCampaigns) {
    AppFixture app;
    writeStoredSynthesis("SynFr96.Atx", {{4, 100, 20}, {12, 100, 40}});
    writeStoredSynthesis("SynFr97.Atx", {{4, 100, 30}, {30, 50, 10}});
    auto* e = app.form<TFEvol>();
    e->Activate();
    ASSERT_EQ(e->LSyn->count(), 2);
    EXPECT_EQ(e->LSyn->item(0)->text(), "SynFr96.Atx");
    e->LSyn->item(0)->setCheckState(Qt::Checked);
    e->BAfficherClick();
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("Cochez de 2 à 12 synthèses"));

    e->LSyn->item(1)->setCheckState(Qt::Checked);
    e->ECentre->setText("12");
    e->BAfficherClick();
    ASSERT_EQ(e->SEvol->rowCount(), 183);
    ASSERT_EQ(e->SEvol->columnCount(), 5);
    EXPECT_EQ(e->SEvol->item(0, 0)->text(), "Hb < 6.5");
    EXPECT_EQ(e->SEvol->item(0, 1)->text(), "30.0");
    EXPECT_EQ(e->SEvol->item(0, 2)->text(), "26.7");
    EXPECT_EQ(e->SEvol->item(0, 3)->text(), "40.0");
    EXPECT_EQ(e->SEvol->item(0, 4)->text(), "-");
    // The chart of the band: the country's two points in blue, the centre's one in red.
    const auto texts = e->canvas()->recorded().texts();
    EXPECT_EQ(texts.front(), "Hb < 6.5");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Fr96"), texts.end());
    EXPECT_EQ(redRects(e->canvas()->recorded()), 2);  // its point and the legend

    e->ECentre->setText("abc");
    e->BAfficherClick();
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("Numéro de centre incorrect (1 à 998)"));
}

TEST(FunnelScreens, EvolutionFromTheReferenceMenu) {
    AppFixture app;
    app.form<TFVisi97>()->BEvol->click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFEvol");
}

TEST(FunnelScreens, CentreReportsWithProgressAndCancel) {
    AppFixture app;
    writeSample();
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.ChosenCentre = 30;
    app.run.Today = "09/12/2026";
    auto* r = app.form<TFRapports>();
    r->Activate();
    ASSERT_EQ(r->CCentre->count(), 3);
    EXPECT_EQ(r->CCentre->currentData().toInt(), 30);

    r->BCreerClick();
    ASSERT_EQ(app.fake.pdfs.size(), 1u);
    EXPECT_TRUE(app.fake.pdfs[0].first.endsWith("/Rapport-SynFr97-centre30.pdf"));
    EXPECT_EQ(app.fake.pdfs[0].second.pages.size(), 2u);

    // Every centre; "Annuler" after the second.
    app.fake.pdfs.clear();
    app.fake.progressSteps.clear();
    app.fake.cancelAfterSteps = 3;
    r->RTous->setChecked(true);
    r->BCreerClick();
    EXPECT_EQ(app.fake.pdfs.size(), 2u);
    EXPECT_EQ(app.fake.progressTitles.back(), QString("Rapports des centres"));
    EXPECT_EQ(app.fake.progressSteps,
              (std::vector<std::string>{"rapport du centre 4", "rapport du centre 12", "rapport du centre 30"}));
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Annulé : 2 rapports sur 3 enregistrés dans %1").arg(r->folder()));
    app.fake.pdfs.clear();
    app.fake.progressSteps.clear();
    app.fake.cancelAfterSteps = 2;
    r->BCreerClick();  // "Annuler" after the first
    EXPECT_EQ(app.fake.pdfs.size(), 1u);
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Annulé : 1 rapport sur 3 enregistré dans %1").arg(r->folder()));

    // A report already in the folder is replaced only after a Yes.
    QFile(r->folder() + "/Rapport-SynFr97-centre4.pdf").open(QIODevice::WriteOnly);
    app.fake.cancelAfterSteps = -1;
    app.fake.pdfs.clear();
    app.fake.answers.push_back(ui::Answer::No);
    r->BCreerClick();
    EXPECT_TRUE(app.fake.messages.back().question);
    EXPECT_TRUE(app.fake.pdfs.empty());
    r->BCreerClick();  // Yes
    EXPECT_EQ(app.fake.pdfs.size(), 3u);
    EXPECT_EQ(app.fake.messages.back().text, QString("3 rapports enregistrés dans %1").arg(r->folder()));
}

TEST(FunnelScreens, SpreadsheetOfTheBenchmark) {
    AppFixture app;
    writeSample();
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    app.fake.saveFiles.push_back(app.path("comparaison.csv"));
    w->BExport->click();
    const QByteArray csv = AppFixture::fileBytesOf(app.path("comparaison.csv"));
    EXPECT_EQ(csv.count('\n'), 2 + 3 * 183);
    EXPECT_TRUE(csv.contains(QString::fromUtf8("\r\n12;3;Hb < 6.5;95;200;47,5;").toUtf8()));
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("Comparaison des centres exportée dans ") +
                                                 QDir::toNativeSeparators(app.path("comparaison.csv")));
    // Cancelled: nothing written, nothing said.
    const auto said = app.fake.messages.size();
    w->BExport->click();
    EXPECT_EQ(app.fake.messages.size(), said);
}

// Every reference screen reads, and writes, in the working folder the user
// chose, not in the folder the program started in (which holds nothing here).
TEST(WorkingFolder, EveryReferenceScreenWorksInTheChosenFolder) {
    AppFixture app;
    QDir().mkdir("pays");
    writeStoredSynthesis("pays/SynFr97.Atx", {{4, 500, 150}, {12, 200, 95}, {30, 300, 55}});
    writeStoredSynthesis("pays/SynFr96.Atx", {{4, 100, 20}, {12, 100, 40}});
    const QString pays = app.path("pays");
    app.country.chooseFolder(pays);
    app.country.StoredSynthesis = "SynFr97.Atx";

    auto* alerts = app.form<TFAlertes>();
    alerts->Activate();
    EXPECT_EQ(alerts->LAlertes->count(), 2);

    auto* reports = app.form<TFRapports>();
    reports->Activate();
    EXPECT_EQ(reports->CCentre->count(), 3);
    EXPECT_EQ(reports->folder(), pays);
    reports->RTous->setChecked(true);
    reports->BCreerClick();
    ASSERT_EQ(app.fake.pdfs.size(), 3u);
    EXPECT_EQ(app.fake.pdfs[0].first, pays + "/Rapport-SynFr97-centre4.pdf");

    auto* w = app.form<TFVaria>();
    w->BitBtn2Click();
    app.fake.saveFiles.push_back(pays + "/c.csv");
    w->BExport->click();
    EXPECT_EQ(app.fake.saveSuggestions.back(), pays + "/Comparaison-SynFr97.csv");
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Comparaison des centres exportée dans ") + pays + "/c.csv");
    EXPECT_TRUE(QFile::exists(pays + "/c.csv"));

    auto* e = app.form<TFEvol>();
    e->Activate();
    EXPECT_EQ(e->LSyn->count(), 2);
    e->LSyn->item(0)->setCheckState(Qt::Checked);
    e->LSyn->item(1)->setCheckState(Qt::Checked);
    e->BAfficherClick();
    EXPECT_EQ(e->SEvol->rowCount(), 183);

    auto* indicators = app.form<TFIndic>();
    indicators->Activate();
    EXPECT_FALSE(indicators->canvas()->recorded().texts().empty());

    // Nothing went wrong so far; the comparison table misses its references
    // in that folder and says which folder.
    for (const auto& m : app.fake.messages) EXPECT_FALSE(m.text.contains("Erreur")) << m.text.toStdString();
    app.country.ComparisonEnabled = true;
    app.form<TFCompar>()->Activate();
    EXPECT_TRUE(app.fake.messages.back().text.endsWith("\nDossier de travail : " + pays));
}
