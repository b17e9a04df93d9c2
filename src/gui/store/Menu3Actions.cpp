// Actions of the record menu: creation of a sheet, call-up of a sheet by
// number, the quality list.
#include <QPoint>

#include "formats/RecordFile.h"
#include "store/Menu3.h"
#include "store/Text.h"
#include "store/Units.h"
#include "ui/ExportFibs.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}  // namespace

void TTMenu3::BCreaClick() {
    CentreSession& s = session_;
    // A file without FIB, nothing shown since its header was read: the
    // identification is confirmed once. The practice file has none to confirm.
    if (!s.Training && s.buffer.get(fld::NumFib) == 0) {
        if (ui().confirm(u("Identification correcte ?"), false, boxPosition(280, 440)) == ui::Answer::No) {
            CentreHeader h;
            if (auto e = recordfile::readHeader(s.CurrentFile, h)) return ioError(*e);
            h.set(fld::Specialite, std::uint8_t{0});
            h.set(fld::RegionDep, std::uint16_t{0});
            h.set(fld::NumCentre, std::uint16_t{0});
            if (auto e = recordfile::writeHeader(s.CurrentFile, h)) return ioError(*e);
            s.buffer = h;
            s.forgetIdentification();
            s.CurrentCentre = 0;
            clearIdentification();
        }
    }
    if (!s.Training && s.buffer.get(fld::NumCentre) == 0) {
        // No sheet without a centre number: say so and offer the identification.
        if (ui().confirm(u("Le centre n'est pas identifié : aucune fiche ne peut être créée.\n"
                           "Identifier le centre maintenant ?")) != ui::Answer::Yes)
            return;
        CentreHeader h;
        if (auto e = recordfile::readHeader(s.CurrentFile, h)) return ioError(*e);
        s.buffer = h;
        const bool written = nav().centre().identifyCentre();
        s.UnitCodes = units::load(s.buffer);
        fillIdentification();
        if (!written || s.buffer.get(fld::NumCentre) == 0) return;
    }

    CentreHeader h;
    if (auto e = recordfile::readHeader(s.CurrentFile, h)) return ioError(*e);
    s.CurrentCentre = h.get(fld::NumCentre);
    s.CurrentFib = h.nbFiches();
    s.buffer = emptyFibFromHeader(h, run().today());

    s.EditingExisting = false;
    nav().entry().openSheet(NewSheet{s.CurrentCentre, h.nbFiches() + 1, [this](int count) { setFibCount(count); }});
}

void TTMenu3::BModifClick() {
    CentreSession& s = session_;
    if (s.CurrentFib == 0) return;
    s.SavedFibCount = s.CurrentFib;
    s.CurrentFib = 0;
    const std::uint16_t n = nav().entry().chooseFibNumber(s.SavedFibCount);
    if (n >= 1 && n <= s.SavedFibCount) {
        s.CurrentFib = n;
        AppelFib();
    } else {
        s.CurrentFib = s.SavedFibCount;
    }
}

void TTMenu3::AppelFib() {
    CentreSession& s = session_;
    FibRecord r;
    if (auto e = recordfile::readFib(s.CurrentFile, s.CurrentFib, r)) {
        // No sheet opens: the run goes back to the count, as after an abandon.
        s.CurrentFib = s.SavedFibCount;
        return ioError(*e);
    }
    s.EditingExisting = true;
    s.buffer = r;
    if (r.get(fld::EtatFiche) == kAnnulled) ui().information(u("Fiche marquée: Annulée ?"));
    else s.buffer.set(fld::EtatFiche, std::uint8_t{kComplete});
    nav().entry().openSheet(CalledUpSheet{r.get(fld::NumCentre), s.CurrentFib});
}

void TTMenu3::Button1Click() { nav().evaluation().reviewQuality(); }

void TTMenu3::BImportClick() {
    CentreSession& s = session_;
    const int count = importFibsInto(*this, s.CurrentFile);
    if (count < 0) return;
    s.CurrentFib = static_cast<std::uint16_t>(count);
    setFibCount(count);
}

}  // namespace pelo
