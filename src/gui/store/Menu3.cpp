#include "store/Menu3.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "store/Centre.h"
#include "ui/Look.h"

namespace pelo {

namespace {
QString u8(const std::string& s) { return QString::fromStdString(s); }

QLabel* caption(QLabel* l) {
    look::whiteText(l, 10, true);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}
}  // namespace

TTMenu3::TTMenu3(AppContext& ctx, CentreSession& session) : Form(ctx, "TTMenu3", "PELORAMIX"), session_(session) {
    Panel1 = setFullScreenWithBanner();

    // Identification of the centre.
    auto* lReg = caption(addLabel("LReg", QString::fromUtf8("Région :"), 10, 84, 80, 24));
    EReg = look::aquaField(this, "EReg", QString::fromUtf8("Région"), 95, 84, 275, 24);
    auto* lSpe = caption(addLabel("LSpe", "Structure :", 10, 114, 80, 24));
    ESpe = look::aquaField(this, "ESpe", "Structure de soins", 95, 114, 275, 24);
    auto* lDep = caption(addLabel("LDep", QString::fromUtf8("Départ. :"), 390, 84, 80, 24));
    EDep = look::aquaField(this, "EDep", QString::fromUtf8("Département"), 475, 84, 70, 24);
    auto* lCtr = caption(addLabel("LCtr", "Centre :", 390, 114, 80, 24));
    Ectr = look::aquaField(this, "Ectr", "Centre", 475, 114, 70, 24);
    auto* lFib = caption(addLabel("LFib", QString::fromUtf8("Nb. de Fiches saisies :"), 300, 144, 170, 24));
    Efib = look::aquaField(this, "Efib", QString::fromUtf8("Nombre de fiches saisies"), 475, 144, 70, 24);
    lReg->setBuddy(EReg);
    lSpe->setBuddy(ESpe);
    lDep->setBuddy(EDep);
    lCtr->setBuddy(Ectr);
    lFib->setBuddy(Efib);

    // The centre's units, two columns.
    SUni = new QTableWidget(8, 2, this);
    SUni->setObjectName("SUni");
    SUni->setAccessibleName(QString::fromUtf8("Unités du centre"));
    SUni->setGeometry(20, 184, 302, 230);
    SUni->horizontalHeader()->hide();
    SUni->verticalHeader()->hide();
    SUni->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SUni->setSelectionMode(QAbstractItemView::NoSelection);
    SUni->setFocusPolicy(Qt::NoFocus);
    SUni->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SUni->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows and columns share the grid, so that the grid scales with the form.
    SUni->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SUni->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 2; ++c) {
            auto* it = new QTableWidgetItem;
            if (r == 0 || c == 0) it->setBackground(QColor(192, 192, 192));
            SUni->setItem(r, c, it);
        }
    SUni->item(0, 0)->setText(" UNITES");
    for (int r = 1; r <= 7; ++r) SUni->item(r, 0)->setText(u8(units::rowName(r - 1)));

    // Actions on the FIBs of the current file.
    BCrea = addButton("BCrea", QString::fromUtf8("Création nouvelle fiche"), 360, 190, 250, 44);
    BModif = addButton("BModif", QString::fromUtf8("Modification ancienne fiche"), 360, 250, 250, 44);
    Button1 = addButton("Button1", QString::fromUtf8("Qualité des fiches"), 360, 310, 250, 44);
    BImport = addButton("BImport", QString::fromUtf8("Importer des fiches…"), 360, 360, 250, 32);
    BitBtn1 = addButton("BitBtn1", "Retour", 440, 400, 170, 40);
    for (QPushButton* b : {BCrea, BModif, Button1, BImport, BitBtn1}) look::boldFont(b, 10);
    BCrea->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TTMenu3::BitBtn1Click);
    connect(BCrea, &QPushButton::clicked, this, &TTMenu3::BCreaClick);
    connect(BModif, &QPushButton::clicked, this, &TTMenu3::BModifClick);
    connect(Button1, &QPushButton::clicked, this, &TTMenu3::Button1Click);
    connect(BImport, &QPushButton::clicked, this, &TTMenu3::BImportClick);

    setTabChain({BCrea, BModif, Button1, BImport, BitBtn1, EReg, ESpe, EDep, Ectr, Efib});
}

void TTMenu3::fillIdentification() {
    const CentreSession& s = session_;
    EReg->setText(u8(centre::regionName(s.RegionCode)));
    EDep->setText(s.DepartmentCode ? QString::number(s.DepartmentCode) : QString());
    Ectr->setText(s.CurrentCentre ? QString::number(s.CurrentCentre) : QString());
    setFibCount(s.CurrentFib);
    ESpe->setText(u8(centre::structureShortName(s.StructureCode)));
    SUni->item(0, 1)->setText(" Centre " + QString::number(s.CurrentCentre));
    for (int r = 1; r <= 7; ++r) SUni->item(r, 1)->setText(u8(units::text(r - 1, s.UnitCodes[r - 1])));
}

void TTMenu3::setCentreText(const QString& text) { Ectr->setText(text); }

void TTMenu3::setFibCount(int count) { Efib->setText(QString::number(count)); }

void TTMenu3::fillPractice() {
    setFibCount(session_.CurrentFib);
    setCentreText("  TEST");
}

void TTMenu3::clearIdentification() {
    EReg->clear();
    EDep->clear();
    ESpe->clear();
    Ectr->clear();
}

void TTMenu3::BitBtn1Click() { close(); }

// Each opening starts on the first action, not on an identification field:
// Enter creates a sheet, Tab goes on to the other actions.
void TTMenu3::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    BCrea->setFocus();
}

}  // namespace pelo
