#include "entry/CallUp.h"

#include "store/Text.h"

namespace pelo::checks {

Entries page1Entries(const FibRecord& r) {
    Entries e;
    e["MaskEdit19"] = r.date();
    e["Edit3"] = r.initiale();
    e["Edit4"] = displayU8(r.get(fld::MoisNaissance));
    e["Edit5"] = displayI32(r.get(fld::AnNaissance));
    e["MaskEdit1"] = displayI32(r.get(fld::AnDebutDiabete));
    e["Edit1"] = displayI32(r.get(fld::AnDebutComprimes));
    e["Edit2"] = displayI32(r.get(fld::AnDebutInsuline));
    e["Edit9"] = displayU8(r.get(fld::GrossEnfantNormal));
    e["Edit8"] = displayU8(r.get(fld::GrossFC));
    e["Edit7"] = displayU8(r.get(fld::GrossMalformation));
    e["Edit6"] = displayU8(r.get(fld::GrossMortPerinatale));
    e["Edit10"] = displayI32(r.get(fld::Cigarettes));
    e["Edit11"] = displayI32(r.get(fld::AlcoolGrSemaine));
    e["MaskEdit2"] = displayI32(r.get(fld::GlycemiesSemaine));
    e["MaskEdit3"] = displayI32(r.get(fld::GlycosuriesSemaine));
    e["MaskEdit7"] = displayI32(r.get(fld::Poids));
    e["MaskEdit6"] = displayI32(r.get(fld::Taille));
    e["MaskEdit5"] = displayI32(r.get(fld::TourTaille));
    e["MaskEdit4"] = displayI32(r.get(fld::TourHanches));
    e["MaskEdit8"] = displayI32(r.get(fld::TaSyst));
    e["MaskEdit9"] = displayI32(r.get(fld::TaDiast));
    e["MaskEdit11"] = displayF32(r.get(fld::Cholesterol));
    e["MaskEdit12"] = displayF32(r.get(fld::Hdl));
    e["MaskEdit10"] = displayF32(r.get(fld::Triglycerides));
    e["MaskEdit13"] = displayF32(r.get(fld::GlyJeun));
    e["MaskEdit14"] = displayF32(r.get(fld::HbA1c));
    e["MaskEdit15"] = displayF32(r.get(fld::Fructosamine));
    e["MaskEdit16"] = displayF32(r.get(fld::Creatinine));
    e["MaskEdit17"] = displayF32(r.get(fld::Microalb));
    e["MaskEdit18"] = displayF32(r.get(fld::Proteinurie));
    return e;
}

Entries page2Entries(const FibRecord& r) {
    Entries e;
    e["Edit1"] = displayU8(r.get(fld::AcuiteD));
    e["Edit2"] = displayU8(r.get(fld::AcuiteG));
    e["Edit3"] = displayI32(r.get(fld::HypoNbAn));
    e["Edit4"] = displayI32(r.get(fld::HyperNbAn));
    e["Edit5"] = displayI32(r.get(fld::JoursHosp));
    e["Edit6"] = displayI32(r.get(fld::JoursHorsHosp));
    e["Edit7"] = displayU8(r.get(fld::InjAvant));
    e["Edit8"] = displayU8(r.get(fld::InjApres));
    e["MaskEdit1"] = displayI32(r.get(fld::AnBiguanides));
    e["MaskEdit2"] = displayI32(r.get(fld::AnSulfamides));
    e["MaskEdit3"] = displayI32(r.get(fld::AnInhibGlucosidase));
    e["Edit9"] = displayI32(r.get(fld::AnThiazolidinediones));
    return e;
}

SavedCheck checkAsSaved(const FibRecord& stored, const Context& c) {
    SavedCheck out{stored, {}};
    FibRecord& r = out.record;
    const Entries p1 = page1Entries(r), p2 = page2Entries(r);

    // Call-up: the state starts afresh unless annulled, then loading. Loading a
    // choice field ticks the control of its code, whose click writes that same
    // code back (a code no control shows stays as stored); some of those clicks
    // run checks silently with the entries loaded before them.
    resetState(r);
    switch (r.get(fld::ConsultHospit)) {
    case 1:
    case 2: Panel23Click(r, p1, c); break;
    }
    switch (r.get(fld::AutoSurveillance)) {
    case 1:
        Panel23Click(r, p1, c);
        [[fallthrough]];
    case 2:
        Panel22Click(r, p1, c);
        Panel24Click(r, p1, c);
        Panel25Click(r, p1, c);
        break;
    }
    if (r.get(fld::ExamYeux) == 1) Panel13Click(r, p2, c);  // eye examination "oui" on page 2
    runPage1(r, p1, c);

    // The save.
    out.panels = runSave(r, p1, p2, c);
    return out;
}

char kindLetter(Kind k) {
    switch (k) {
    case Kind::Error: return 'E';
    case Kind::Warning: return 'A';
    case Kind::SilentWarning: return 'S';
    case Kind::RedNotice: return 'R';
    case Kind::Conversion: return 'C';
    }
    return '?';
}

std::string controlLine(std::uint32_t number, const SavedCheck& check) {
    std::string line = std::to_string(number) + "\t" + std::to_string(check.record.get(fld::EtatFiche));
    for (const auto& p : check.panels)
        for (const auto& f : p.findings) {
            line += '\t';
            line += kindLetter(f.kind);
            line += ':';
            line += f.message;
        }
    return line;
}

}  // namespace pelo::checks
