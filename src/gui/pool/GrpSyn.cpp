#include "pool/GrpSyn.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "pool/Groups.h"
#include "pool/VariabilityList.h"
#include "pool/VariabilityPrint.h"

namespace pelo {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TFGrpSyn::TFGrpSyn(AppContext& ctx) : Form(ctx, "TFGrpSyn", QString::fromUtf8("Synthèses partielles par Groupe")) {
    setFixedSize(640, 480);
    setScalable(true);

    addLabel("Label1", QString::fromUtf8("Groupe :"), 10, 8, 200, 20);
    SGroupe = new QTableWidget(0, 2, this);
    SGroupe->setObjectName("SGroupe");
    SGroupe->setAccessibleName(QString::fromUtf8("Groupes de centres"));
    SGroupe->setGeometry(10, 30, 220, 250);
    SGroupe->setHorizontalHeaderLabels({"  No", QString::fromUtf8(" Nom du groupe")});
    SGroupe->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SGroupe->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    SGroupe->horizontalHeader()->setStretchLastSection(true);
    SGroupe->verticalHeader()->setVisible(false);
    SGroupe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGroupe->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGroupe->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* l = addLabel("Label2", QString::fromUtf8("Synthèse enregistrée :"), 10, 290, 220, 20);
    ESynth = new QLineEdit(this);
    ESynth->setObjectName("ESynth");
    ESynth->setAccessibleName(QString::fromUtf8("Synthèse enregistrée"));
    ESynth->setGeometry(10, 312, 220, 26);
    ESynth->setText("SYNFr97.ATX");
    l->setBuddy(ESynth);
    BSynth = addButton("BSynth", QString::fromUtf8("Synthèse du groupe"), 10, 350, 220, 36);
    BSynth->setDefault(true);
    BImp = addButton("BImp", "Impression", 10, 392, 220, 32);
    BitBtn1 = addButton("BitBtn1", "Fermer", 10, 436, 220, 32);

    LVar = new QListWidget(this);
    LVar->setObjectName("LVar");
    LVar->setAccessibleName(QString::fromUtf8("Synthèse du groupe"));
    LVar->setGeometry(240, 8, 392, 464);
    QPalette lp = LVar->palette();
    lp.setColor(QPalette::Base, QColor(0, 255, 255));
    LVar->setPalette(lp);
    QFont lf("Arial");
    lf.setPointSize(8);
    lf.setBold(true);
    LVar->setFont(lf);

    connect(BSynth, &QPushButton::clicked, this, &TFGrpSyn::BSynthClick);
    connect(BImp, &QPushButton::clicked, this, &TFGrpSyn::BImpClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    setTabChain({SGroupe, ESynth, BSynth, LVar, BImp, BitBtn1});
}

void TFGrpSyn::load(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) {
    folder_ = folder;
    groups_ = groups;
    SGroupe->setRowCount(0);
    for (const auto& g : groups) {
        const int row = SGroupe->rowCount();
        SGroupe->insertRow(row);
        SGroupe->setItem(row, 0, new QTableWidgetItem(QString::number(g.NumGroupe)));
        SGroupe->setItem(row, 1, new QTableWidgetItem(q(g.name())));
    }
    if (!groups.empty()) SGroupe->setCurrentCell(0, 0);
    LVar->clear();
    lines_.clear();
}

void TFGrpSyn::BSynthClick() {
    const int row = SGroupe->currentRow();
    if (row < 0 || row >= int(groups_.size())) {
        ui().information(QString::fromUtf8("Choisissez un groupe dans la liste."));
        return;
    }
    const std::string name = ESynth->text().trimmed().toStdString();
    if (auto bad = pool::badFileName(name)) {
        ui().error(q(*bad));
        return;
    }
    const pool::GroupeRecord& g = groups_[std::size_t(row)];
    pool::GroupSynthesis s;
    if (auto e = pool::groupSynthesis(folder_, name, g, s)) return ioError(*e);

    pool::VariabilityInput in;
    in.name = name;
    in.total = static_cast<std::uint16_t>(s.countryFibs);
    in.country = s.country.counters;
    pool::ChosenCentre c;
    c.number = g.NumGroupe;
    c.counts = s.group.counters;
    c.denominator = static_cast<std::uint16_t>(s.groupFibs);
    c.shownCount = std::int32_t(s.groupFibs);
    in.centre = c;
    std::vector<std::string> lines = pool::variabilityLines(in);
    // Line 1 names the group rather than a centre.
    lines[1] = pool::countryOf(name) + "  |    Groupe " + std::to_string(g.NumGroupe) + " " + g.name() + "  (" +
               std::to_string(s.groupFibs) + " fiches)";
    LVar->clear();
    for (const auto& line : lines) LVar->addItem(q(line));
    lines_ = lines;
    // Appended piece by piece: GCC 12 at -O3 takes a literal put before a string for an overlapping copy.
    printName_ = "Groupe-";
    printName_ += std::to_string(g.NumGroupe);
    if (!g.name().empty()) {
        printName_ += '-';
        printName_ += g.name();
    }
    if (!s.missing.empty()) {
        QString list;
        for (std::uint16_t m : s.missing) list += (list.isEmpty() ? "" : ", ") + QString::number(m);
        ui().warning(QString::fromUtf8("Centres du groupe absents de la synthèse ") + q(name) + " : " + list);
    }
}

void TFGrpSyn::BImpClick() {
    if (lines_.empty()) {
        ui().information(QString::fromUtf8("Choisissez un groupe et lancez sa synthèse avant de l'imprimer."));
        return;
    }
    // Named after the group, in the working folder.
    PrintDocument doc = pool::variabilityPrintout(lines_, int(lines_.size()) - 1);
    doc.title = printName_;
    doc.folder = folder_;
    ui().print(doc);
}

}  // namespace pelo
