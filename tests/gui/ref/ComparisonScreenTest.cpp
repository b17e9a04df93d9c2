// « Comparaison des centres » and what goes with it: the reference year of
// the country window, the table and funnel of the adjusted indicators, the
// adjusted view of « Alertes », and « Évolution » kept to one series.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <cstring>

#include "../core/PoolTestSupport.h"
#include "../core/SynthesisTestSupport.h"
#include "FakeUi.h"
#include "pool/Synt2.h"
#include "ref/Alertes.h"
#include "ref/Centres.h"
#include "ref/ComparisonChart.h"
#include "ref/Evol.h"
#include "ref/Varia.h"
#include "ui/Canvas.h"

using namespace pelo;
using pelo::test::AppFixture;
namespace pf = pool::pfld;

namespace {

// Twelve centres of 40 sheets of 2026 (young and old patients in turn):
// eleven examine the eyes of 14 to 30 patients, centre 1 of 2 only.
void writeCampaign(const std::string& name) {
    std::vector<pool::PooledFibRecord> fibs;
    for (int c = 1; c <= 12; ++c) {
        const int examined = c == 1 ? 2 : 14 + ((c * 7) % 11) * 16 / 10;
        for (int k = 0; k < 40; ++k) {
            pool::PooledFibRecord f = test::pooledFib(c);
            std::memcpy(f.bytes.data() + pf::DateFib.offset, "12/03/2026", 10);
            f.set(pf::TypeDiabete, std::uint8_t(k % 2 ? 1 : 2));
            f.set(pf::AnNaissance, k % 2 ? 2000 : 1940);
            f.set(pf::ExamYeux, std::uint8_t(k < examined ? 1 : 2));
            fibs.push_back(f);
        }
    }
    test::writePooled(name, fibs);
}

}  // namespace

TEST(CentreComparison, CountryWindowProposesTheYearOfMostSheets) {
    AppFixture app;
    writeCampaign("FibFr26.Dat");
    auto* w = app.form<TFSynt2>();
    auto* year = w->findChild<QSpinBox*>("EAnnee");
    ASSERT_NE(year, nullptr);
    w->showYear();
    EXPECT_EQ(year->value(), 1997);  // no pooled file chosen yet
    app.country.pooledFile = "FibFr26.Dat";
    w->showYear();
    EXPECT_EQ(year->value(), 2026);
    EXPECT_EQ(app.country.AnneeReference, 0);  // a proposal, not a choice
    EXPECT_EQ(w->referenceYear("FibFr26.Dat"), 2026);
    year->setValue(2025);
    EXPECT_EQ(app.country.AnneeReference, 2025);
    EXPECT_EQ(w->referenceYear("FibFr26.Dat"), 2025);

    // « Comparaison des centres » asks for the pooled file, then opens the window.
    app.country.AnneeReference = 0;
    app.fake.onModal["TFNPays"] = [](QDialog* d) {
        d->findChild<QLineEdit*>()->setText("FibFr26.Dat");
        d->findChild<QPushButton*>("OKBtn")->click();
        return d->result();
    };
    app.fake.onModal["TFCentres"] = [](QDialog*) { return int(QDialog::Rejected); };
    w->BComparaison->click();
    EXPECT_EQ(app.fake.modalOpened.back(), "TFCentres");
}

TEST(CentreComparison, TableFunnelPrintAndSpreadsheet) {
    AppFixture app;
    writeCampaign("FibFr26.Dat");
    app.country.pooledFile = "FibFr26.Dat";
    auto* w = app.form<TFCentres>();
    w->Activate();
    EXPECT_EQ(w->campaign(), "France 2026");
    EXPECT_TRUE(w->LPool->text().contains(QString::fromUtf8("480 fiches, 12 centres ; année de référence 2026")));
    ASSERT_EQ(w->TCentres->rowCount(), 12);
    ASSERT_EQ(w->TCentres->columnCount(), 9);
    EXPECT_EQ(w->TCentres->horizontalHeaderItem(7)->text(), QString::fromUtf8("Yeux examinés"));
    const auto* cell = w->TCentres->item(0, 7);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->text().endsWith(QString::fromUtf8("** moins bon")));
    EXPECT_EQ(cell->background().color(), QColor(250, 190, 190));
    EXPECT_TRUE(cell->toolTip().contains(QString::fromUtf8("brut : 5.0 % (2 sur 40)")));
    EXPECT_EQ(w->TCentres->item(0, 0), nullptr);  // nobody's smoking is known

    // A click on a cell draws that indicator's funnel with the centre in red.
    w->TCentresClick(0, 7);
    EXPECT_EQ(w->indicator(), 8);
    const auto texts = w->Graphe->recorded().texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Yeux examinés (ajusté)");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "1"), texts.end());
    EXPECT_TRUE(w->LLegende->text().contains(QString::fromUtf8("ajustés sur le type, le sexe, l'âge")));
    ref::ChartBox box;
    box.left = 6;
    box.top = 6;
    box.width = 748;
    box.height = 288;
    box.legend = false;
    const auto points = ref::comparisonPoints(w->comparison().indicators[7], box);
    ASSERT_EQ(points.size(), 12u);
    EXPECT_TRUE(w->pointTip(points[0].x, points[0].y).contains(QString::fromUtf8("ajusté : ")));
    EXPECT_TRUE(w->pointTip(-50, -50).isEmpty());

    w->BImprimer->click();
    ASSERT_EQ(app.fake.printed.size(), 1u);
    EXPECT_EQ(app.fake.printed[0].title, "Comparaison-France-2026-indicateur8");

    app.fake.saveFiles.push_back(app.path("centres.csv"));
    w->BExport->click();
    const QByteArray csv = AppFixture::fileBytesOf(app.path("centres.csv"));
    EXPECT_TRUE(csv.contains(QString::fromUtf8("\r\n1;8;Yeux examinés;40;2;").toUtf8()));
    EXPECT_EQ(app.fake.messages.back().text,
              QString::fromUtf8("Comparaison des centres exportée dans ") + app.path("centres.csv"));

    // One report per centre, titled by the campaign; without a stored synthesis page 2 says so.
    app.fake.folders.push_back(app.path(""));
    w->BRapports->click();
    ASSERT_EQ(app.fake.pdfs.size(), 12u);
    EXPECT_TRUE(app.fake.pdfs[0].first.endsWith("Rapport-France-2026-centre1.pdf"));
    EXPECT_EQ(app.fake.pdfs[0].second.pages[0].texts().front(), "Rapport du centre 1 – France 2026");
    const auto page2 = app.fake.pdfs[0].second.pages[1].texts();
    EXPECT_NE(std::find(page2.begin(), page2.end(),
                        "Pas de synthèse stockée de cette campagne : les bandes ne sont pas comparées."),
              page2.end());
    EXPECT_EQ(app.fake.messages.back().text, QString::fromUtf8("12 rapports enregistrés dans ") + app.path(""));
}

TEST(CentreComparison, AlertsSayWhatChanceGivesAndOfferTheAdjustedView) {
    AppFixture app;
    writeCampaign("FibFr26.Dat");
    test::writeStoredSynthesis("SynFr97.Atx", {{4, 500, 150}, {12, 200, 95}, {30, 300, 55}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    auto* a = app.form<TFAlertes>();
    a->Activate();
    // 3 centres x 183 band lines x 0.2 %.
    EXPECT_TRUE(a->LResume->text().contains(QString::fromUtf8("attendues par le seul hasard : 1.1")));
    a->RIndic->setChecked(true);
    EXPECT_TRUE(a->LResume->text().contains(QString::fromUtf8("Choisissez d'abord le fichier de collection")));
    app.country.pooledFile = "FibFr26.Dat";
    a->Fill();
    ASSERT_GE(a->LAlertes->count(), 1);
    EXPECT_TRUE(a->LAlertes->item(0)->text().startsWith(QString::fromUtf8("Yeux examinés")));
    EXPECT_TRUE(a->LAlertes->item(0)->text().contains(QString::fromUtf8("centre 1 ")));
    EXPECT_TRUE(a->LResume->text().contains(QString::fromUtf8("attendus par le seul hasard : 0.0), France 2026")));
}

// A click on an adjusted alert opens « Comparaison des centres » on that
// indicator's funnel, the centre chosen and its cell current in the table.
TEST(CentreComparison, AdjustedAlertOpensTheIndicatorsFunnel) {
    AppFixture app;
    writeCampaign("FibFr26.Dat");
    test::writeStoredSynthesis("SynFr97.Atx", {{4, 500, 150}, {12, 200, 95}, {30, 300, 55}});
    app.country.StoredSynthesis = "SynFr97.Atx";
    app.country.pooledFile = "FibFr26.Dat";
    auto* v = app.form<TFVaria>();
    v->BitBtn2Click();
    AlertChoice picked;
    app.fake.onModal["TFAlertes"] = [&](QDialog* d) {
        auto* a = static_cast<TFAlertes*>(d);
        a->Activate();
        a->RIndic->setChecked(true);
        EXPECT_TRUE(a->LResume->text().endsWith(QString::fromUtf8("un clic montre l'entonnoir")));
        if (a->LAlertes->count() < 1) return int(QDialog::Rejected);
        a->LAlertes->setCurrentRow(0);
        a->LAlertesClick();
        picked = *a->chosen();
        return a->result();
    };
    int shownIndicator = 0, currentColumn = -1;
    QString currentRow;
    app.fake.onModal["TFCentres"] = [&](QDialog* d) {
        auto* c = static_cast<TFCentres*>(d);
        c->Activate();
        shownIndicator = c->indicator();
        currentColumn = c->TCentres->currentColumn();
        currentRow = c->TCentres->verticalHeaderItem(c->TCentres->currentRow())->text();
        return int(QDialog::Rejected);
    };
    v->BAlertes->click();
    EXPECT_EQ(picked.line, 0);
    EXPECT_EQ(picked.centre, 1);
    ASSERT_GE(picked.indicator, 1);
    EXPECT_STREQ(ref::indicatorTable()[std::size_t(picked.indicator - 1)].label, "Yeux examinés");
    EXPECT_EQ(app.fake.modalOpened.back(), "TFCentres");
    EXPECT_EQ(shownIndicator, picked.indicator);
    EXPECT_EQ(currentColumn, picked.indicator - 1);
    EXPECT_EQ(currentRow, "Centre 1");
    EXPECT_EQ(app.country.ChosenCentre, 0);  // the band view's chosen centre is not the alert's
}

TEST(CentreComparison, EvolutionRefusesSynthesesOfDifferentSeries) {
    AppFixture app;
    test::writeStoredSynthesis("SynFr97.Atx", {{4, 100, 30}});
    test::writeStoredSynthesis("SynHopi.Atx", {{4, 100, 20}});
    auto* e = app.form<TFEvol>();
    e->Activate();
    ASSERT_EQ(e->LSyn->count(), 2);
    e->LSyn->item(0)->setCheckState(Qt::Checked);
    e->LSyn->item(1)->setCheckState(Qt::Checked);
    e->BAfficherClick();
    EXPECT_TRUE(app.fake.messages.back().text.contains(QString::fromUtf8("ne sont pas de la même série")));
    EXPECT_TRUE(app.fake.messages.back().text.contains("SynHopi.Atx"));
}
