#include "ref/Evol.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "ui/Canvas.h"
#include "ui/Look.h"

namespace pelo {

TFEvol::TFEvol(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFEvol", QString::fromUtf8("Évolution")), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kGrey);
    auto* banner =
        addBanner("Titre", QString::fromUtf8("Évolution d'une campagne à l'autre"), 0, 0, 640, 36, look::kAqua);
    look::boldFont(banner, 13);

    addLabel("LSynTitre", QString::fromUtf8("Synthèses (2 à 12) :"), 8, 42, 150, 20);
    LSyn = new QListWidget(this);
    LSyn->setObjectName("LSyn");
    LSyn->setAccessibleName(QString::fromUtf8("Synthèses du dossier de travail"));
    LSyn->setGeometry(8, 64, 150, 236);
    look::setBase(LSyn, look::kAqua);
    addLabel("LCentreTitre", QString::fromUtf8("Centre (facultatif) :"), 8, 306, 150, 20);
    ECentre = addEdit("ECentre", QString::fromUtf8("Centre"), 8, 328, 80, 24);
    BAfficher = addButton("BAfficher", "Afficher", 8, 360, 150, 30);
    look::boldFont(BAfficher, 10);
    LEtat = addLabel("LEtat", QString(), 8, 394, 150, 28);
    LEtat->setWordWrap(true);
    BitBtn1 = addButton("BitBtn1", "Retour", 8, 428, 150, 30);

    SEvol = new QTableWidget(this);
    SEvol->setObjectName("SEvol");
    SEvol->setAccessibleName(QString::fromUtf8("Bandes par campagne"));
    SEvol->setGeometry(166, 42, 468, 210);
    SEvol->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SEvol->setSelectionBehavior(QAbstractItemView::SelectRows);
    SEvol->setSelectionMode(QAbstractItemView::SingleSelection);
    SEvol->verticalHeader()->setVisible(false);

    Canvas1 = ui::addCanvas(this, QString::fromUtf8("Graphique de l'évolution"), {166, 256, 468, 202}, {468, 202},
                            colors::White);

    connect(BAfficher, &QPushButton::clicked, this, &TFEvol::BAfficherClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
    connect(SEvol, &QTableWidget::cellClicked, this, [this](int row, int) { SEvolClick(row); });
    setTabChain({LSyn, ECentre, BAfficher, SEvol, BitBtn1});
}

void TFEvol::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFEvol::Activate() {
    LSyn->clear();
    for (const auto& n : country_.folder().storedSyntheses()) {
        auto* item = new QListWidgetItem(QString::fromStdString(n), LSyn);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (country_.ChosenCentre > 0 && ECentre->text().isEmpty())
        ECentre->setText(QString::number(country_.ChosenCentre));
    LEtat->setText(LSyn->count() < 2 ? QString::fromUtf8("Moins de deux synthèses dans le dossier") : QString());
}

void TFEvol::BAfficherClick() {
    std::vector<std::string> names;
    for (int i = 0; i < LSyn->count(); ++i)
        if (LSyn->item(i)->checkState() == Qt::Checked) names.push_back(LSyn->item(i)->text().toStdString());
    if (names.size() < 2 || names.size() > std::size_t(ref::kMaxCampaigns))
        return ui().information(QString::fromUtf8("Cochez de 2 à 12 synthèses"));
    std::int32_t centre = 0;
    const QString ct = ECentre->text().trimmed();
    if (!ct.isEmpty()) {
        bool ok = false;
        centre = ct.toInt(&ok);
        if (!ok || centre < 1 || centre > 998)
            return ui().information(QString::fromUtf8("Numéro de centre incorrect (1 à 998)"));
    }
    std::vector<ref::StoredSynthesis> all(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        if (auto e = country_.openStored(names[i], all[i])) return ioError(*e);
    names_ = names;
    centre_ = centre;
    rows_ = ref::trendRows(all, centre);

    const int n = int(names.size());
    SEvol->clear();
    SEvol->setColumnCount(1 + n * (centre > 0 ? 2 : 1));
    SEvol->setRowCount(int(rows_.size()));
    QStringList heads{QString::fromUtf8("Bande")};
    for (const auto& name : names)
        heads << QString::fromUtf8("Pays\n%1").arg(QString::fromStdString(ref::campaignName(name)));
    if (centre > 0)
        for (const auto& name : names)
            heads << QString::fromUtf8("C. %1\n%2").arg(centre).arg(QString::fromStdString(ref::campaignName(name)));
    SEvol->setHorizontalHeaderLabels(heads);
    for (int r = 0; r < int(rows_.size()); ++r) {
        const auto& row = rows_[std::size_t(r)];
        SEvol->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(row.label)));
        for (int c = 0; c < n; ++c) {
            auto* it = new QTableWidgetItem(QString::fromStdString(row.country[std::size_t(c)].text()));
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            SEvol->setItem(r, 1 + c, it);
            if (centre <= 0) continue;
            const auto& p = row.centre[std::size_t(c)];
            auto* ci = new QTableWidgetItem(p ? QString::fromStdString(p->text()) : QStringLiteral("-"));
            ci->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ci->setForeground(QColor(170, 0, 0));
            SEvol->setItem(r, 1 + n + c, ci);
        }
    }
    // Sized on their contents, so that a font scaled with the screen is not cut.
    SEvol->resizeColumnsToContents();
    SEvol->resizeRowsToContents();
    LEtat->setText(QString::fromUtf8("%1 campagnes").arg(n));
    SEvol->selectRow(0);
    SEvolClick(0);
}

void TFEvol::SEvolClick(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    Canvas1->clear(colors::White);
    ref::ChartBox box;
    box.left = 6;
    box.top = 4;
    box.width = 456;
    box.height = 196;
    box.fontSize = 8;
    ref::drawTrend(Canvas1->surface(), rows_[std::size_t(row)], names_, centre_, box);
}

}  // namespace pelo
