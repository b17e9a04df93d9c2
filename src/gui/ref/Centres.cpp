#include "ref/Centres.h"

#include <algorithm>

#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>

#include <QFileInfo>
#include <optional>

#include "pool/ReferenceYear.h"
#include "ref/Benchmark.h"
#include "ref/ComparisonChart.h"
#include "ref/ComparisonReport.h"
#include "ref/StoredSynthesis.h"
#include "store/Text.h"
#include "ui/Canvas.h"
#include "ui/CountryWorkspace.h"
#include "ui/Look.h"

namespace pelo {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The chart's drawing space and its box in it.
constexpr QSize kChartSize{760, 300};
ref::ChartBox chartBox() {
    ref::ChartBox b;
    b.left = 6;
    b.top = 6;
    b.width = kChartSize.width() - 12;
    b.height = kChartSize.height() - 12;
    b.legend = false;  // the legend stands under the chart, in the window
    return b;
}

QString tipOf(const ref::IndicatorComparison& ind, const ref::CentreComparison& c) {
    QString t = QString::fromUtf8("Centre %1 – %2\nbrut : %3 % (%4 sur %5)")
                    .arg(c.centre)
                    .arg(QString::fromUtf8(ind.info().label))
                    .arg(q(c.crude().text()))
                    .arg(c.o)
                    .arg(c.n);
    if (c.adjusted())
        t += QString::fromUtf8("\najusté : %1 % (limites à 99,8 % : %2 – %3)")
                 .arg(q(ref::decimalText(ind.adjustedPercent(c.y), 1)))
                 .arg(q(ref::decimalText(ind.shownLimit(c.limits.lo998), 1)))
                 .arg(q(ref::decimalText(ind.shownLimit(c.limits.hi998), 1)));
    else t += QString::fromUtf8("\npas d'ajustement possible");
    return t;
}

}  // namespace

TFCentres::TFCentres(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFCentres", "Comparaison des centres"), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kGrey);
    auto* banner = addBanner("Titre", QString::fromUtf8("Comparaison des centres"), 0, 0, 640, 34, look::kAqua);
    look::boldFont(banner, 13);
    LPool = addLabel("LPool", QString(), 8, 36, 624, 20);

    TCentres = new QTableWidget(this);
    TCentres->setObjectName("TCentres");
    TCentres->setAccessibleName(QString::fromUtf8("Indicateurs ajustés par centre"));
    TCentres->setGeometry(8, 58, 624, 150);
    TCentres->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TCentres->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont small = TCentres->font();
    small.setPointSize(7);
    TCentres->setFont(small);
    connect(TCentres, &QTableWidget::cellClicked, this, &TFCentres::TCentresClick);
    connect(TCentres->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { ShowIndicator(column + 1, centre_); });

    Graphe = ui::addCanvas(this, QString::fromUtf8("Entonnoir de l'indicateur"), {8, 212, 500, 200}, kChartSize,
                           colors::White);
    Graphe->setMouseTracking(true);
    Graphe->installEventFilter(this);
    LLegende = addLabel("LLegende", QString::fromUtf8(ref::kAdjustedLegend), 8, 414, 500, 30);
    LLegende->setWordWrap(true);
    QFont lf = LLegende->font();
    lf.setPointSize(7);
    LLegende->setFont(lf);

    BImprimer = addButton("BImprimer", "Impression", 512, 260, 122, 30);
    BExport = addButton("BExport", "Export tableur", 512, 300, 122, 30);
    BRapports = addButton("BRapports", QString::fromUtf8("Rapports des centres"), 512, 340, 122, 30);
    BitBtn1 = addButton("BitBtn1", "Retour", 512, 440, 122, 30);
    connect(BRapports, &QPushButton::clicked, this, &TFCentres::BRapportsClick);
    connect(BImprimer, &QPushButton::clicked, this, &TFCentres::BImprimerClick);
    connect(BExport, &QPushButton::clicked, this, &TFCentres::BExportClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabChain({TCentres, BImprimer, BExport, BRapports, BitBtn1});
}

void TFCentres::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFCentres::Activate() {
    comparison_ = {};
    TCentres->clear();
    TCentres->setRowCount(0);
    const std::string& name = country_.pooledFile;
    const std::string& folder = country_.where();
    std::int32_t year = country_.AnneeReference;
    if (year <= 0)
        if (auto e = pool::proposeReferenceYear(folder, name, year)) {
            LPool->setText(QString());
            return ioError(*e);
        }
    if (auto e = ref::compareCentres(folder, name, year, comparison_)) {
        LPool->setText(QString());
        return ioError(*e);
    }
    campaign_ = ref::campaignTitle(name, year);
    const auto centres = ref::comparedCentres(comparison_);
    LPool->setText(QString::fromUtf8("%1 – %2 : %3 fiches, %4 centres ; année de référence %5")
                       .arg(q(campaign_), q(name))
                       .arg(comparison_.fibs)
                       .arg(centres.size())
                       .arg(year));
    TCentres->setColumnCount(ref::kCareIndicatorCount);
    TCentres->setRowCount(int(centres.size()));
    QStringList heads, rows;
    for (const auto& info : ref::indicatorTable()) heads << QString::fromUtf8(info.label);
    for (auto c : centres) rows << QString::fromUtf8("Centre %1").arg(c);
    TCentres->setHorizontalHeaderLabels(heads);
    TCentres->setVerticalHeaderLabels(rows);
    for (int k = 0; k < ref::kCareIndicatorCount; ++k) {
        const auto& ind = comparison_.indicators[std::size_t(k)];
        for (int r = 0; r < int(centres.size()); ++r) {
            const auto* c = ref::centreOf(ind, centres[std::size_t(r)]);
            if (!c) continue;
            auto* item = new QTableWidgetItem(q(ref::comparisonCell(ind, *c)));
            item->setToolTip(tipOf(ind, *c));
            const int j = ind.judgement(*c);
            if (j > 0) item->setBackground(QColor(190, 240, 190));
            if (j < 0) item->setBackground(QColor(250, 190, 190));
            TCentres->setItem(r, k, item);
        }
    }
    TCentres->resizeColumnsToContents();
    const auto at = std::find(centres.begin(), centres.end(), centre_);
    if (at != centres.end()) {
        TCentres->setCurrentCell(int(at - centres.begin()), indicator_ - 1);
        TCentres->scrollToItem(TCentres->currentItem());
    }
    ShowIndicator(indicator_, centre_);
}

void TFCentres::preselect(int indicator, std::int32_t centre) {
    if (indicator < 1 || indicator > ref::kCareIndicatorCount) return;
    indicator_ = indicator;
    centre_ = centre;
}

void TFCentres::ShowIndicator(int indicator, std::int32_t centre) {
    if (indicator < 1 || indicator > ref::kCareIndicatorCount) return;
    indicator_ = indicator;
    centre_ = centre;
    Graphe->clear(colors::White);
    if (comparison_.fibs == 0) return;
    ref::drawComparisonFunnel(Graphe->surface(), comparison_.indicators[std::size_t(indicator - 1)], centre,
                              chartBox());
    Graphe->update();
}

void TFCentres::TCentresClick(int row, int column) {
    const auto centres = ref::comparedCentres(comparison_);
    if (row < 0 || row >= int(centres.size())) return;
    ShowIndicator(column + 1, centres[std::size_t(row)]);
}

QString TFCentres::pointTip(int x, int y) const {
    if (comparison_.fibs == 0) return {};
    const auto& ind = comparison_.indicators[std::size_t(indicator_ - 1)];
    const auto centre = ref::centreNear(ref::comparisonPoints(ind, chartBox()), x, y, 6);
    const auto* c = centre ? ref::centreOf(ind, centre) : nullptr;
    return c ? tipOf(ind, *c) : QString();
}

bool TFCentres::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Graphe && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const double scale = Graphe->drawingScale();
        const QString tip =
            scale > 0 ? pointTip(int(help->pos().x() / scale), int(help->pos().y() / scale)) : QString();
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), tip, Graphe);
        return true;
    }
    return Form::eventFilter(watched, event);
}

void TFCentres::BImprimerClick() {
    if (comparison_.fibs == 0) return;
    PrintDocument doc = ref::comparisonPrintout(comparison_, indicator_, centre_, campaign_);
    doc.folder = country_.where();
    ui().print(doc);
}

void TFCentres::BExportClick() {
    if (comparison_.fibs == 0) return;
    std::string stem = campaign_;
    for (char& ch : stem)
        if (ch == ' ') ch = '-';
    const QString path = ui().chooseSaveFile(QString::fromUtf8("Exporter la comparaison des centres"),
                                             country_.shownPathOf(q("Comparaison-centres-" + stem + ".csv")),
                                             QString::fromUtf8("Tableur, séparateur point-virgule (*.csv)"));
    if (path.isEmpty()) return;
    if (auto e = ref::writeTextFile(path.toStdString(), ref::comparisonCsv(comparison_))) return ioError(*e);
    ui().information(QString::fromUtf8("Comparaison des centres exportée dans ") + QDir::toNativeSeparators(path));
}

void TFCentres::BRapportsClick() {
    if (comparison_.fibs == 0) return;
    const std::string& folder = country_.where();
    const QString chosen = ui().chooseFolder(QString::fromUtf8("Dossier des rapports"), country_.shown());
    if (chosen.isEmpty()) return;
    const QDir dir(chosen);
    // The bands come from the campaign's stored synthesis, when it was written.
    std::optional<ref::Benchmark> bands;
    if (const auto names = pool::synthesisNames(country_.pooledFile); names && pool::fileExists(folder, names->index)) {
        ref::StoredSynthesis s;
        if (auto e = ref::readStored(folder, names->index, s)) return ioError(*e);
        bands = ref::benchmarkOf(s);
    }
    const auto centres = ref::comparedCentres(comparison_);
    int existing = 0;
    for (auto c : centres)
        if (QFileInfo::exists(dir.filePath(q(ref::comparisonReportName(campaign_, c))))) ++existing;
    if (existing > 0 &&
        ui().confirm(
            QString::fromUtf8("%1 rapport(s) existent déjà dans ce dossier : les remplacer ?").arg(existing)) !=
            ui::Answer::Yes)
        return;
    const std::string date = run().today();
    const int total = int(centres.size());
    int written = 0;
    Progress step = ui().progress(QString::fromUtf8("Rapports des centres"));
    for (auto c : centres) {
        if (!keepGoing(step, std::uint32_t(written), std::uint32_t(total), "rapport du centre " + std::to_string(c)))
            break;
        const std::string name = ref::comparisonReportName(campaign_, c);
        QString err;
        if (!ui().savePdf(ref::comparisonReport(comparison_, campaign_, bands ? &*bands : nullptr, c, date),
                          dir.filePath(q(name)), &err)) {
            step = nullptr;
            return ui().error(QString::fromUtf8("Erreur d'entrée/sortie sur %1 : %2").arg(q(name), err));
        }
        ++written;
    }
    step = nullptr;
    if (written < total)
        return ui().information(QString::fromUtf8("Annulé : %1 sur %2 enregistrés dans %3")
                                    .arg(q(counted(std::uint64_t(written), "rapport", "rapports")))
                                    .arg(total)
                                    .arg(chosen));
    ui().information(QString::fromUtf8("%1 enregistrés dans %2")
                         .arg(q(counted(std::uint64_t(written), "rapport", "rapports")), chosen));
}

}  // namespace pelo
