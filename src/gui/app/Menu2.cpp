#include "app/Menu2.h"

#include <QLabel>
#include <QPushButton>

#include "formats/RecordFile.h"
#include "store/Centre.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TTMenu2::TTMenu2(AppContext& ctx, CentreSession& session, EvaluationState& evaluation)
    : Form(ctx, "TTMenu2", "PELORAMIX"), session_(session), evaluation_(evaluation) {
    Panel1 = setFullScreenWithBanner();
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
    for (QPushButton* b : {Button2, Button1}) look::boldFont(b, 13);
    for (QPushButton* b : {Button6, Button3, Button4, Button5, BFin}) look::boldFont(b, 10);
    Button2->setDefault(true);

    connect(Button2, &QPushButton::clicked, this, &TTMenu2::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TTMenu2::Button1Click);
    connect(Button6, &QPushButton::clicked, this, &TTMenu2::Button6Click);
    connect(Button3, &QPushButton::clicked, this, &TTMenu2::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TTMenu2::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TTMenu2::Button5Click);
    connect(BFin, &QPushButton::clicked, this, &TTMenu2::BFinClick);
    setTabChain({Button2, Button1, Button6, Button3, Button4, Button5, BFin});
}

bool TTMenu2::identify() {
    CentreSession& s = session_;
    const std::string file = s.CurrentFile;
    auto writeBack = [&]() -> bool {
        if (auto e = recordfile::writeHeader(file, s.buffer)) {
            ioError(*e);
            return false;
        }
        return true;
    };

    if (s.RegionCode == 0) {
        if (auto r = nav().centre().askRegion()) s.RegionCode = *r;
        if (s.RegionCode != 0) {
            s.buffer.set(fld::RegionDep, centre::regionDep(s.RegionCode, s.DepartmentCode));
            if (!writeBack()) return false;
        }
    }
    // The departments are those of the region: without a region there are
    // none to list, so the region is asked again first.
    if (s.DepartmentCode == 0 && s.RegionCode == 0) {
        if (auto r = nav().centre().askRegion()) s.RegionCode = *r;
        if (s.RegionCode != 0) {
            s.buffer.set(fld::RegionDep, centre::regionDep(s.RegionCode, s.DepartmentCode));
            if (!writeBack()) return false;
        }
    }
    if (s.DepartmentCode == 0 && s.RegionCode != 0) {
        if (auto d = nav().centre().askDepartment(s.RegionCode)) s.DepartmentCode = *d;
        if (s.DepartmentCode != 0) {
            s.buffer.set(fld::RegionDep, centre::regionDep(s.RegionCode, s.DepartmentCode));
            if (!writeBack()) return false;
        }
    }
    if (s.StructureCode == 0) {
        if (auto c = nav().centre().askStructure()) s.StructureCode = *c;
        if (s.StructureCode != 0) {
            s.buffer.set(fld::Specialite, static_cast<std::uint8_t>(s.StructureCode));
            if (!writeBack()) return false;
        }
    }
    if (s.CurrentCentre == 0) {
        if (auto n = nav().centre().askCentreNumber()) s.CurrentCentre = *n;
        if (s.CurrentCentre > 0) {
            s.buffer.set(fld::NumCentre, s.CurrentCentre);
            // Leaving the units without saving keeps the codes in effect; a
            // code that is no unit of its row (none chosen yet) is the default.
            s.UnitCodes = units::orDefault(s.UnitCodes);
            s.UnitCodes = nav().centre().askUnits(s.CurrentCentre, s.UnitCodes);
            units::store(s.buffer, s.UnitCodes);
            if (!writeBack()) return false;
        }
    }
    return true;
}

void TTMenu2::Button2Click() {
    CentreSession& s = session_;
    CentreHeader h;
    if (auto e = recordfile::readHeader(s.CurrentFile, h)) return ioError(*e);
    s.buffer = h;
    s.CurrentCentre = h.get(fld::NumCentre);
    s.CurrentFib = h.nbFiches();
    s.takeIdentification(h);

    if (!identify()) return;
    s.UnitCodes = units::load(s.buffer);

    nav().entry().openRecordMenu();
}

void TTMenu2::Button1Click() {
    evaluation_.forget();
    nav().evaluation().openMenu();
}

void TTMenu2::Button6Click() {
    CentreSession& s = session_;
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
    // As for FIB.DAT at CENTRE: part of a record left by an interrupted save is told.
    if (auto note = recordfile::incompleteTailNotice(kPracticeFile)) ui().warning(QString::fromStdString(*note));

    nav().entry().openPracticeRecordMenu();
    leave();
}

void TTMenu2::Button3Click() { nav().centre().openTextPage(7); }

void TTMenu2::Button4Click() { nav().centre().openNews(); }

void TTMenu2::Button5Click() { nav().centre().openBackup(); }

void TTMenu2::BFinClick() { close(); }

}  // namespace pelo
