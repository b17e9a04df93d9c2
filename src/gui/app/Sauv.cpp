#include "app/Sauv.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "store/Backup.h"
#include "store/RecordFile.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFSauv::TFSauv(AppContext& ctx) : Form(ctx, "TFSauv", "PELORAMIX") {
    // Opened over the full-screen centre menu: scaled like it.
    Panel1 = setFullScreenWithBanner();
    auto* title = addLabel("Label1", "Sauvegarde / Echanges", 170, 80, 300, 26);
    look::whiteText(title, 12, true);
    title->setAlignment(Qt::AlignCenter);

    BEdy = addButton("BEdy", "Sauvegarde disquette FIBctr.DAT", 170, 140, 300, 56);
    BLdy = addButton("BLdy", "Changement de Centre", 170, 230, 300, 56);
    BitBtn1 = addButton("BitBtn1", "Retour", 410, 400, 170, 40);
    for (QPushButton* b : {BEdy, BLdy, BitBtn1}) look::boldFont(b, 11);
    // The change of centre overwrites FIB.DAT: it is reached by a double click
    // on the screen's background only, never by a stray key press.
    BLdy->setEnabled(false);
    BLdy->setToolTip(QString::fromUtf8("Double-cliquez sur le fond de l'écran"));
    auto* hint = addLabel("Label2", QString::fromUtf8("(double-clic sur le fond de l'écran)"), 170, 290, 300, 22);
    look::whiteText(hint, 9, false);
    hint->setAlignment(Qt::AlignCenter);

    connect(BEdy, &QPushButton::clicked, this, &TFSauv::BEdyClick);
    connect(BLdy, &QPushButton::clicked, this, &TFSauv::BLdyClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFSauv::BitBtn1Click);
    setTabOrder(BEdy, BitBtn1);
}

void TFSauv::BEdyClick() {
    if (ui().confirm(QString::fromUtf8("Sauvegarde des FIB du centre sur disquette ?")) != ui::Answer::Yes) return;
    const QString folder =
        ui().chooseFolder(QString::fromUtf8("Dossier de sauvegarde (clé USB, partage réseau)"), QDir::homePath());
    if (!folder.isEmpty()) {
        backup::BackupResult r;
        if (auto e = backup::backupCentre(kFibFile, folder.toStdString(), r)) return ioError(*e);
        state().CurrentCentre = r.centre;
    }
    ui().information(QString::fromUtf8("Reprenez la disquette contenant FIBctr.DAT"));
}

bool TFSauv::setCurrentAside() {
    // Named after the centre of the records set aside: the run's number may
    // still be the practice file's after an entry training.
    if (auto e = backup::setAsideUnderItsCentre(kFibFile)) {
        ioError(*e);
        return false;
    }
    return true;
}

void TFSauv::BLdyClick() {
    RunState& s = state();
    if (ui().confirm(QString::fromUtf8("Préparation de la saisie d'un nouveau centre ?")) == ui::Answer::Yes) {
        if (ui().confirm(QString::fromUtf8("Sauvegarde des FIB du centre courant ?")) != ui::Answer::Yes) return;
        if (!setCurrentAside()) return;
        if (auto e = backup::startNewCentre(kFibFile)) return ioError(*e);
        // The run now works on an unidentified centre, so that the next
        // "SAISIE" asks for its identification and a further change of centre
        // does not set the empty file aside under the previous centre's name.
        s.buffer = headerTemplate();
        s.CurrentCentre = 0;
        s.CurrentFib = 0;
        s.SavedFibCount = 0;
        s.RegionCode = s.DepartmentCode = s.StructureCode = 0;
        return;
    }
    if (ui().confirm(QString::fromUtf8("Reprise des FIB's d'un centre existant ?")) != ui::Answer::Yes) return;
    if (ui().confirm(QString::fromUtf8("Sauvegarde des FIB du centre courant ?")) == ui::Answer::Yes) {
        if (!setCurrentAside()) return;
    }
    const std::uint16_t remembered = s.CurrentCentre;
    s.CurrentCentre = 0;
    askCentreNumber(ctx());
    if (s.CurrentCentre == 0) {
        s.CurrentCentre = remembered;
        return;
    }
    CentreHeader h;
    if (auto e = backup::takeBack(backup::centreFileName(s.CurrentCentre), kFibFile, &h)) {
        // FIB.DAT still holds the previous centre: the run keeps its number.
        s.CurrentCentre = remembered;
        return ioError(*e);
    }
    s.buffer = h;
    s.CurrentFib = h.nbFiches();
    s.SavedFibCount = h.nbFiches();
    s.RegionCode = h.region();
    s.DepartmentCode = h.department();
    s.StructureCode = h.get(fld::Specialite);
}

void TFSauv::BitBtn1Click() { close(); }

void TFSauv::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) BLdyClick();
}

}  // namespace pelo
