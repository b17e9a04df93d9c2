#include "pool/Groupe.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "pool/Groups.h"
#include "store/Text.h"

namespace pelo {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
std::string text(QTableWidget* t, int row, int col) {
    const QTableWidgetItem* it = t->item(row, col);
    return it ? it->text().toStdString() : std::string();
}
}  // namespace

TFGroupe::TFGroupe(AppContext& ctx) : Form(ctx, "TFGroupe", QString::fromUtf8("Déclaration des Groupes de Centres")) {
    setFixedSize(640, 480);
    setScalable(true);
    addBanner("Panel1", QString::fromUtf8("Groupes de Centres"), 20, 10, 600, 40, QColor(0, 255, 255));

    SGroupe = new QTableWidget(0, 3, this);
    SGroupe->setObjectName("SGroupe");
    SGroupe->setAccessibleName(QString::fromUtf8("Groupes de centres"));
    SGroupe->setGeometry(20, 60, 600, 340);
    SGroupe->setHorizontalHeaderLabels(
        {"  No", QString::fromUtf8(" Nom du groupe"), QString::fromUtf8(" Numéro des centres  (Ex: 1,2,34;)")});
    SGroupe->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Column widths follow their contents, so that a scaled font is not cut.
    SGroupe->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    SGroupe->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    SGroupe->horizontalHeader()->setStretchLastSection(true);
    SGroupe->verticalHeader()->setVisible(false);
    SGroupe->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGroupe->setSelectionMode(QAbstractItemView::SingleSelection);
    SGroupe->setTabKeyNavigation(true);

    BAjout = addButton("BAjout", "Ajouter un groupe", 20, 420, 140, 36);
    BSupp = addButton("BSupp", "Supprimer le groupe", 170, 420, 150, 36);
    BEnreg = addButton("BEnreg", "Enregistrer", 380, 420, 110, 36);
    BitBtn1 = addButton("BitBtn1", "Fermer", 510, 420, 110, 36);
    connect(BAjout, &QPushButton::clicked, this, &TFGroupe::BAjoutClick);
    connect(BSupp, &QPushButton::clicked, this, &TFGroupe::BSuppClick);
    connect(BEnreg, &QPushButton::clicked, this, &TFGroupe::BEnregClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFGroupe::BitBtn1Click);
    connect(SGroupe, &QTableWidget::itemChanged, this, [this] { changed_ = true; });
    setTabChain({SGroupe, BAjout, BSupp, BEnreg, BitBtn1});
}

void TFGroupe::load(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) {
    folder_ = folder;
    const QSignalBlocker block(SGroupe);
    SGroupe->setRowCount(0);
    for (const auto& g : groups) {
        const pool::GroupRow r = pool::rowOf(g);
        const int row = SGroupe->rowCount();
        SGroupe->insertRow(row);
        SGroupe->setItem(row, 0, new QTableWidgetItem(q(r.numero)));
        SGroupe->setItem(row, 1, new QTableWidgetItem(q(r.nom)));
        SGroupe->setItem(row, 2, new QTableWidgetItem(q(r.centres)));
    }
    changed_ = false;
}

void TFGroupe::BAjoutClick() {
    const int row = SGroupe->rowCount();
    SGroupe->insertRow(row);
    SGroupe->setCurrentCell(row, 0);
    SGroupe->setFocus();
    changed_ = true;
}

void TFGroupe::BSuppClick() {
    const int row = SGroupe->currentRow();
    if (row < 0) return;
    const std::string name = text(SGroupe, row, 1), num = text(SGroupe, row, 0);
    const QString what =
        num.empty() ? QString::fromUtf8("cette ligne") : "le groupe " + q(num) + (name.empty() ? "" : " " + q(name));
    if (ui().confirm("Supprimer " + what + " ?") != ui::Answer::Yes) return;
    SGroupe->removeRow(row);
    changed_ = true;
}

void TFGroupe::BEnregClick() {
    std::vector<pool::GroupRow> rows;
    for (int r = 0; r < SGroupe->rowCount(); ++r)
        rows.push_back({text(SGroupe, r, 0), text(SGroupe, r, 1), text(SGroupe, r, 2)});
    auto checked = pool::groupsFromRows(rows);
    if (auto* msg = std::get_if<std::string>(&checked)) {
        ui().error(q(*msg));
        return;
    }
    const auto& groups = std::get<std::vector<pool::GroupeRecord>>(checked);
    if (auto e = pool::writeGroups(folder_, groups)) return ioError(*e);
    load(folder_, groups);  // as stored: blank rows gone, lists written back in their form
    ui().information(QString::fromStdString(counted(groups.size(), "groupe enregistré", "groupes enregistrés")) +
                     " dans GROUPE.DAT");
}

void TFGroupe::BitBtn1Click() {
    if (changed_) {
        const auto a =
            ui().confirm(QString::fromUtf8("Les groupes modifiés ne sont pas enregistrés. Les enregistrer ?"));
        if (a == ui::Answer::Yes) {
            BEnregClick();
            if (changed_) return;  // refused or not written: the grid stays open
        }
    }
    accept();
}

}  // namespace pelo
