#include "app/Menu2.h"

#include <QLabel>
#include <QPushButton>

#include "store/Centre.h"
#include "ui/Look.h"
#include "ui/Navigation.h"
#include "app/Nctr.h"
#include "app/Ndep.h"
#include "app/Nreg.h"
#include "app/Nspe.h"
#include "app/Texte.h"
#include "app/News.h"
#include "app/Unite.h"
#include "store/Menu3.h"
#include "store/RecordFile.h"

namespace pelo {

TTMenu2::TTMenu2(AppContext& ctx) : Form(ctx, "TTMenu2", "PELORAMIX") {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);

    Panel1 = addBanner("Panel1", "PELORAMIX", 0, 0, 640, 65, look::kAqua);
    look::bannerFont(Panel1);
    Label1 = addLabel("Label1", "Menu du centre", 170, 76, 300, 26);
    look::whiteText(Label1, 12, true);
    Label1->setAlignment(Qt::AlignCenter);

    Button2 = addButton("Button2", "SAISIE", 60, 120, 230, 56);
    Button1 = addButton("Button1", "EVALUATION", 60, 200, 230, 56);
    Button6 = addButton("Button6", QString::fromUtf8("Entraînement Saisie"), 60, 280, 230, 44);
    Button3 = addButton("Button3", "HISTORIQUE", 350, 120, 230, 44);
    Button4 = addButton("Button4", "NEWS", 350, 180, 230, 44);
    Button5 = addButton("Button5", "Sauvegarde / Echanges", 350, 240, 230, 44);
    BFin = addButton("BFin", "Retour", 410, 400, 170, 40);
    for (QPushButton* b : {Button2, Button1}) {
        QFont f = b->font();
        f.setPointSize(13);
        f.setBold(true);
        b->setFont(f);
    }
    for (QPushButton* b : {Button6, Button3, Button4, Button5, BFin}) {
        QFont f = b->font();
        f.setPointSize(10);
        f.setBold(true);
        b->setFont(f);
    }
    Button2->setDefault(true);

    connect(Button2, &QPushButton::clicked, this, &TTMenu2::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TTMenu2::Button1Click);
    connect(Button6, &QPushButton::clicked, this, &TTMenu2::Button6Click);
    connect(Button3, &QPushButton::clicked, this, &TTMenu2::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TTMenu2::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TTMenu2::Button5Click);
    connect(BFin, &QPushButton::clicked, this, &TTMenu2::BFinClick);
    setTabOrder(Button2, Button1);
    setTabOrder(Button1, Button6);
    setTabOrder(Button6, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button5);
    setTabOrder(Button5, BFin);
}

bool TTMenu2::identify() {
    RunState& s = state();
    Forms& forms = ctx().forms;
    const std::string file = s.CurrentFile;
    auto writeBack = [&]() -> bool {
        if (auto e = recordfile::writeHeader(file, s.buffer)) {
            ioError(*e);
            return false;
        }
        return true;
    };

    if (s.RegionCode == 0) {
        auto* dlg = forms.get<TNRegDlg>();
        dlg->clearSelection();
        ui().showModal(dlg);
        if (s.RegionCode != 0) {
            s.buffer.set(fld::RegionDep, centre::regionDep(s.RegionCode, s.DepartmentCode));
            if (!writeBack()) return false;
        }
    }
    if (s.DepartmentCode == 0) {
        auto* dlg = forms.get<TNDepDlg>();
        dlg->setItems(centre::departmentTexts(s.RegionCode));
        ui().showModal(dlg);
        if (s.DepartmentCode != 0) {
            s.buffer.set(fld::RegionDep, centre::regionDep(s.RegionCode, s.DepartmentCode));
            if (!writeBack()) return false;
        }
    }
    if (s.StructureCode == 0) {
        auto* dlg = forms.get<TNSpeDlg>();
        dlg->clearSelection();
        ui().showModal(dlg);
        if (s.StructureCode != 0) {
            s.buffer.set(fld::Specialite, static_cast<std::uint8_t>(s.StructureCode));
            if (!writeBack()) return false;
        }
    }
    if (s.CurrentCentre == 0) {
        auto* dlg = forms.get<TNctrDlg>();
        dlg->clear();
        ui().showModal(dlg);
        if (s.CurrentCentre > 0) {
            s.buffer.set(fld::NumCentre, s.CurrentCentre);
            // Leaving the units without saving keeps the codes in effect; a
            // code that is no unit of its row (none chosen yet) is the default.
            s.UnitCodes = units::orDefault(s.UnitCodes);
            auto* units = forms.get<TFUnite>();
            units->prepare(s.CurrentCentre);
            ui().showModal(units);
            units::store(s.buffer, s.UnitCodes);
            if (!writeBack()) return false;
        }
    }
    return true;
}

void TTMenu2::Button2Click() {
    RunState& s = state();
    CentreHeader h;
    if (auto e = recordfile::readHeader(s.CurrentFile, h)) return ioError(*e);
    s.buffer = h;
    s.CurrentCentre = h.get(fld::NumCentre);
    s.CurrentFib = h.nbFiches();
    s.RegionCode = h.region();
    s.DepartmentCode = h.department();
    s.StructureCode = h.get(fld::Specialite);

    if (!identify()) return;
    s.UnitCodes = units::load(s.buffer);

    auto* menu = ctx().forms.get<TTMenu3>();
    menu->fillIdentification();
    ui().showModal(menu);
}

void TTMenu2::Button1Click() {
    state().EvaluatedCount = 0;
    openEvaluationMenu(ctx());
}

void TTMenu2::Button6Click() {
    RunState& s = state();
    s.CurrentFile = kPracticeFile;
    s.Training = true;
    Button1->setEnabled(false);
    auto leave = [&] {
        Button1->setEnabled(true);
        s.CurrentFile = kFibFile;
        s.Training = false;
    };

    CentreHeader h;
    if (auto e = recordfile::readHeader(kPracticeFile, h)) {
        leave();
        return ioError(*e);
    }
    if (h.get(fld::NumCentre) == 0) {
        // A new practice file has no centre, and a file without a centre
        // creates no FIB: it takes the identification of the centre, once known.
        CentreHeader c;
        if (auto e = recordfile::readHeader(kFibFile, c)) {
            leave();
            return ioError(*e);
        }
        if (c.get(fld::NumCentre) != 0) {
            centre::copyIdentification(c, h);
            if (auto e = recordfile::writeHeader(kPracticeFile, h)) {
                leave();
                return ioError(*e);
            }
        }
    }
    s.buffer = h;
    s.CurrentCentre = h.get(fld::NumCentre);
    s.CurrentFib = h.nbFiches();

    auto* menu = ctx().forms.get<TTMenu3>();
    menu->setFibCount(s.CurrentFib);
    menu->setCentreText("  TEST");
    ui().showModal(menu);
    leave();
}

void TTMenu2::Button3Click() { ui().showModeless(ctx().forms.get<TTTexte7>()); }

void TTMenu2::Button4Click() { ui().showModal(ctx().forms.get<TFNews>()); }

void TTMenu2::Button5Click() { openBackup(ctx()); }

void TTMenu2::BFinClick() { close(); }

}  // namespace pelo
