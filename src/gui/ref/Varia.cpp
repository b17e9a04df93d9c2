#include "ref/Varia.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "pool/VariabilityCharts.h"
#include "pool/VariabilityList.h"
#include "pool/VariabilityPrint.h"
#include "ref/FunnelView.h"
#include "ref/StoredSynthesis.h"
#include "ui/Canvas.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFVaria::TFVaria(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFVaria", QString::fromUtf8("Répartition par centre")), country_(country) {
    setScalable(true);
    // The chart area (x 0 to 480, y up to 494) is shown scaled to the left
    // of the list, so that no chart hides under it.
    setFixedSize(640, 480);
    look::setBackground(this, QColor(192, 192, 192));

    Canvas1 = ui::addCanvas(this, QString::fromUtf8("Graphique de répartition"), {0, 0, 360, 480}, {480, 500},
                            colors::Silver);
    Canvas1->installEventFilter(this);

    LVar = new QListWidget(this);
    LVar->setObjectName("LVar");
    LVar->setAccessibleName(QString::fromUtf8("Synthèse par bande, pays et centre"));
    LVar->setGeometry(364, 8, 272, 426);
    QFont lf("Arial");
    lf.setPointSize(8);
    lf.setBold(true);
    LVar->setFont(lf);
    QPalette lp = LVar->palette();
    lp.setColor(QPalette::Base, look::kAqua);
    LVar->setPalette(lp);
    // The list is widened to its longest line (fitList); a line longer than
    // that still wraps whole rather than hiding behind a sideways scroll.
    LVar->setWordWrap(true);
    LVar->setTextElideMode(Qt::ElideNone);
    LVar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LVar->setResizeMode(QListView::Adjust);
    connect(LVar, &QListWidget::itemClicked, this, [this] { LVarClick(); });

    BitBtn3 = addButton("BitBtn3", "2  Graphes", 364, 442, 88, 30);
    BImp = addButton("BImp", "Impression", 456, 442, 88, 30);
    BitBtn1 = addButton("BitBtn1", "Retour", 548, 442, 88, 30);
    BitBtn2 = addButton("BitBtn2", "Variables", 0, 479, 1, 1);
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    BitBtn2->setAccessibleName(QString::fromUtf8("Redessiner"));
    connect(BitBtn2, &QPushButton::clicked, this, &TFVaria::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFVaria::BitBtn3Click);
    connect(BImp, &QPushButton::clicked, this, &TFVaria::BImpClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
    // The comparison of the centres within their limits, under the charts.
    BEntonnoir = addButton("BEntonnoir", "Entonnoir", 4, 442, 84, 30);
    BEntonnoir->setCheckable(true);
    BAlertes = addButton("BAlertes", "Alertes", 92, 442, 84, 30);
    BRapports = addButton("BRapports", "Rapports", 180, 442, 84, 30);
    BExport = addButton("BExport", "Export tableur", 268, 442, 92, 30);
    BRapports->setAccessibleName(QString::fromUtf8("Rapports des centres"));
    connect(BEntonnoir, &QPushButton::clicked, this, &TFVaria::BEntonnoirClick);
    connect(BAlertes, &QPushButton::clicked, this, &TFVaria::BAlertesClick);
    connect(BRapports, &QPushButton::clicked, this, &TFVaria::BRapportsClick);
    connect(BExport, &QPushButton::clicked, this, &TFVaria::BExportClick);
    setTabChain({LVar, BitBtn3, BImp, BitBtn1, BEntonnoir, BAlertes, BRapports, BExport});
}

TFVaria::~TFVaria() = default;

void TFVaria::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    BitBtn2Click();
}

void TFVaria::BitBtn2Click() {
    LVar->clear();
    auto s = std::make_unique<ref::StoredSynthesis>();
    if (auto e = country_.openChosen(*s)) {
        // The list is built from the records read last, if any.
        ui().error(country_.errorText(*e));
    } else {
        stored_ = std::move(s);
    }
    Canvas1->clear(colors::Silver);
    funnelLine_ = -1;
    if (!stored_) {
        lines_.clear();
        last_ = -1;
        return;
    }
    lines_ = pool::variabilityLines(ref::variabilityInput(*stored_, country_.ChosenCentre, country_.ChosenCentreCount));
    for (const auto& l : lines_) LVar->addItem(QString::fromStdString(l));
    fitList();
    last_ = int(lines_.size()) - 1;
    Graf(2);
}

void TFVaria::fitList() {
    const QFontMetrics fm(LVar->font());
    int widest = 0;
    for (int i = 0; i < LVar->count(); ++i) widest = std::max(widest, fm.horizontalAdvance(LVar->item(i)->text()));
    // Frame, vertical scroll bar and the item's own margins.
    const int chrome = 2 * LVar->frameWidth() + LVar->verticalScrollBar()->sizeHint().width() + 16;
    const double f = width() / 640.0;
    const int right = width() - int(4 * f + 0.5);
    // At least its designed width; at most a little over half the window, the chart keeping the rest.
    const int w = std::clamp(widest + chrome, int(272 * f + 0.5), int(width() * 0.56));
    LVar->setGeometry(right - w, LVar->y(), w, LVar->height());
    Canvas1->setGeometry(0, 0, std::max(1, right - w - int(4 * f + 0.5)), Canvas1->height());
}

void TFVaria::Graf(int h) {
    pool::drawVariabilitySectionChart(Canvas1->surface(), lines_, h, country_.ChosenCentre, country_.chartMode);
}

void TFVaria::LVarClick() {
    const int line = LVar->currentRow();
    if (line < 0 || !stored_) return;
    if (BEntonnoir->isChecked()) return showFunnel(line);
    const bool inList = line >= 2 && line < int(lines_.size()) - 1;
    const int counter = inList ? pool::counterOfLine(line) : -1;
    if (inList && counter < 0 && lines_[std::size_t(line)] != " ") return Graf(line);  // clears the whole area
    auto& mode = country_.chartMode;
    pool::clearChartArea(Canvas1->surface(), mode);
    if (counter >= 0) {
        const auto bars = pool::variabilityBars(ref::bandShares(*stored_, counter));
        pool::drawVariabilityChart(Canvas1->surface(), pool::variabilityTitle(line), bars, country_.ChosenCentre, mode);
    }
}

void TFVaria::BitBtn3Click() { pool::switchTwoCharts(Canvas1->surface(), country_.chartMode); }

void TFVaria::BImpClick() {
    if (lines_.empty()) return;
    if (BEntonnoir->isChecked() && funnelLine_ >= 0 && stored_) {
        PrintDocument doc = ref::funnelPrint(*stored_, funnelLine_, country_.ChosenCentre);
        doc.folder = country_.where();
        return void(ui().print(doc));
    }
    // Named after the synthesis and the centre, in the working folder.
    std::string what = ref::titleOf(country_.StoredSynthesis);
    if (country_.ChosenCentre > 0) what += "-centre" + std::to_string(country_.ChosenCentre);
    PrintDocument doc = pool::variabilityPrintout(lines_, last_, what);
    doc.folder = country_.where();
    ui().print(doc);
}

void TFVaria::BEntonnoirClick() {
    funnelLine_ = -1;
    Canvas1->clear(colors::Silver);
    if (!BEntonnoir->isChecked()) Graf(2);
}

void TFVaria::showFunnel(int line) {
    if (!stored_ || !ref::drawFunnelOn(*Canvas1, *stored_, line, country_.ChosenCentre)) return;
    funnelLine_ = line;
    LVar->setCurrentRow(line);
}

QString TFVaria::funnelTipAt(QPoint widgetPos) const {
    const double f = Canvas1->drawingScale();
    if (!stored_ || funnelLine_ < 0 || !BEntonnoir->isChecked() || f <= 0) return {};
    return ref::funnelTipAt(*stored_, funnelLine_, QPoint(int(widgetPos.x() / f), int(widgetPos.y() / f)));
}

// Over a funnel, each point says which centre it is.
bool TFVaria::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Canvas1 && e->type() == QEvent::ToolTip && funnelLine_ >= 0) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = funnelTipAt(help->pos());
        if (tip.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), tip, Canvas1);
        return true;
    }
    return Form::eventFilter(watched, e);
}

void TFVaria::BAlertesClick() {
    if (!stored_) return;
    const auto chosen = nav().references().openAlerts();
    if (!chosen) return;
    if (chosen->indicator > 0) return nav().references().openIndicatorFunnel(chosen->indicator, chosen->centre);
    // The centre of the alert becomes the chosen one, beside the country in the list.
    country_.ChosenCentre = chosen->centre;
    if (const auto* r = stored_->centre(chosen->centre))
        country_.ChosenCentreCount = std::int32_t(r->NbFichesCentre & 0xFFFF);
    BitBtn2Click();
    BEntonnoir->setChecked(true);
    showFunnel(chosen->line);
}

void TFVaria::BRapportsClick() {
    if (stored_) nav().references().openCentreReports();
}

void TFVaria::BExportClick() {
    if (stored_) ref::exportBenchmark(ctx(), country_, *stored_);
}

}  // namespace pelo
