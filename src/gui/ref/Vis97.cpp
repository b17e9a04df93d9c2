#include "ref/Vis97.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "ref/StoredSynthesis.h"
#include "ui/Canvas.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFVis97::TFVis97(AppContext& ctx, CountryWorkspace& country) : Form(ctx, "TFVis97", "VISION "), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);

    // The chart runs to x 790 for many centres: its space is shown
    // scaled to fit under the title.
    Canvas1 = ui::addCanvas(this, QString::fromUtf8("Nombre de fiches par centre"), {0, 56, 640, 380}, {800, 400},
                            colors::Navy);

    Panel1 = addBanner("Panel1", QString(), 8, 6, 400, 44, look::kAqua);
    look::boldFont(Panel1, 18);
    QPalette pp = Panel1->palette();
    pp.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Panel1->setPalette(pp);

    Nctr = new QLineEdit(this);
    Nctr->setObjectName("Nctr");
    Nctr->setAccessibleName(QString::fromUtf8("Centres et fiches de la synthèse"));
    Nctr->setReadOnly(true);
    Nctr->setGeometry(420, 6, 212, 24);
    LCtr = new QListWidget(this);
    LCtr->setObjectName("LCtr");
    LCtr->setAccessibleName(QString::fromUtf8("Centres : numéro - nombre de fiches"));
    LCtr->setGeometry(420, 34, 212, 110);
    QPalette lp = LCtr->palette();
    lp.setColor(QPalette::Base, look::kAqua);
    LCtr->setPalette(lp);
    // The current item is the chosen centre, whether a click or the arrow keys made it so.
    connect(LCtr, &QListWidget::currentRowChanged, this, [this] { LCtrClick(); });

    LSurvol = addLabel("LSurvol", QString(), 420, 148, 212, 20);
    LSurvol->setAccessibleName(QString::fromUtf8("Centre sous la souris"));
    look::whiteText(LSurvol, 9, true);
    Canvas1->setMouseTracking(true);
    Canvas1->installEventFilter(this);

    BitBtn2 = addButton("BitBtn2", "Variables ", 8, 440, 120, 30);
    BGraph = addButton("BGraph", "Indicateurs standards", 134, 440, 160, 30);
    BitBtn3 = addButton("BitBtn3", "Rosaces", 300, 440, 90, 30);
    BImp = addButton("BImp", "Impression", 396, 440, 110, 30);
    BitBtn1 = addButton("BitBtn1", "Retour", 512, 440, 120, 30);
    connect(BitBtn2, &QPushButton::clicked, this, &TFVis97::BitBtn2Click);
    connect(BGraph, &QPushButton::clicked, this, &TFVis97::BGraphClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TFVis97::BitBtn3Click);
    connect(BImp, &QPushButton::clicked, this, &TFVis97::BImpClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFVis97::BitBtn1Click);
    setTabChain({LCtr, BitBtn2, BGraph, BitBtn3, BImp, BitBtn1});
}

void TFVis97::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFVis97::Activate() {
    country_.forgetCentre();
    bars_.clear();
    {
        const QSignalBlocker block(LCtr);
        LCtr->clear();  // no centre stays chosen from the last opening
    }
    LSurvol->clear();
    Panel1->setText(QString::fromStdString(country_.StoredTitle));
    Panel1->show();
    build();
}

bool TFVis97::build() {
    // Refilling the list must not read as a choice of centre.
    const QSignalBlocker block(LCtr);
    Canvas1->clear(colors::Navy);
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) {
        LCtr->clear();
        bars_.clear();
        ui().error(country_.errorText(*e));
        return false;
    }
    Nctr->setText(QString::fromStdString(ref::centresSummary(s.index.centreRecords(), s.index.totalFibs())));
    const auto centres = ref::centreCounts(s);
    QStringList items;
    for (const auto& c : centres) items << QString::fromStdString(ref::centreItem(c.centre, c.count));
    // Refilled only when it changed: a choice in the list rebuilds from within the list's own signal.
    bool same = LCtr->count() == items.size();
    for (int i = 0; same && i < LCtr->count(); ++i) same = LCtr->item(i)->text() == items[i];
    if (!same) {
        LCtr->clear();
        LCtr->addItems(items);
    }
    bars_ = ref::chartOrder(centres);
    ref::drawRecordsChart(Canvas1->surface(), bars_, country_.ChosenCentre);
    return true;
}

void TFVis97::reselect() {
    const QSignalBlocker block(LCtr);
    for (int i = 0; i < LCtr->count(); ++i) {
        std::int32_t c = 0, k = 0;
        if (ref::readCentreItem(LCtr->item(i)->text().toStdString(), c, k) && c == country_.ChosenCentre) {
            LCtr->setCurrentRow(i);
            return;
        }
    }
}

void TFVis97::LCtrClick() {
    auto* item = LCtr->currentItem();
    if (!item) return;
    std::int32_t c = 0, k = 0;
    if (!ref::readCentreItem(item->text().toStdString(), c, k)) return;
    country_.chooseCentre(c, k);
    if (build()) reselect();
}

void TFVis97::BitBtn2Click() {
    country_.chartMode = {};
    nav().references().openVariability();
    if (build()) reselect();
}

void TFVis97::BGraphClick() {
    nav().references().openStandardIndicators();
    Panel1->show();
    if (build()) reselect();
}

void TFVis97::BitBtn3Click() {}

void TFVis97::BImpClick() {
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) return ui().error(country_.errorText(*e));
    PrintDocument doc = ref::recordsPrintout(country_.StoredTitle, country_.StoredSynthesis,
                                             ref::chartOrder(ref::centreCounts(s)), country_.ChosenCentre);
    doc.folder = country_.where();
    ui().print(doc);
}

QString TFVis97::centreAt(const QPoint& pos) {
    const double f = Canvas1->drawingScale();
    if (f <= 0) return {};
    const int i = ref::recordsBarAt(bars_, country_.ChosenCentre, int(pos.x() / f));
    if (i < 0) return {};
    const auto& b = bars_[std::size_t(i)];
    return QString::fromUtf8("Centre %1 : %2 %3").arg(b.centre).arg(b.count).arg(b.count > 1 ? "fiches" : "fiche");
}

bool TFVis97::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Canvas1) {
        if (e->type() == QEvent::MouseMove) {
            const QString what = centreAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            LSurvol->setText(what);
            Canvas1->setToolTip(what);
        } else if (e->type() == QEvent::Leave) {
            LSurvol->clear();
        }
    }
    return Form::eventFilter(watched, e);
}

void TFVis97::BitBtn1Click() { close(); }

}  // namespace pelo
