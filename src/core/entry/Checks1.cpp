// The eight check routines of entry page 1.
#include <initializer_list>

#include "entry/CheckRun.h"
#include "store/Units.h"

namespace pelo::checks {

using detail::entryText;
using detail::Run;

namespace {

bool outside(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v < lo || v > hi; }
// Bounds rounded to a single, so that a value typed at a bound passes.
bool outside(float v, double lo, double hi) { return lessThan(v, lo) || greaterThan(v, hi); }

struct Limits {
    double lo, hi;
};

// Plausibility limits of a laboratory value by its unit code (3, 4, 5 = mg/dl);
// none for another code, nor for a unit the value has not.
std::optional<Limits> limitsFor(std::uint16_t code, std::optional<Limits> c3, std::optional<Limits> c4,
                                std::optional<Limits> c5) {
    switch (code) {
    case 3: return c3;
    case 4: return c4;
    case 5: return c5;
    default: return std::nullopt;
    }
}

}  // namespace

void resetState(FibRecord& r) {
    if (r.get(fld::EtatFiche) != kAnnulled) r.set(fld::EtatFiche, kComplete);
}

PanelResult Panel23Click(FibRecord& r, const Entries& e, const Context& c) {
    Run run(r, "Panel23");
    const std::string& initial = entryText(e, fld::Initiale);
    if (!initial.empty()) r.setInitiale(initial);

    auto diab = run.integer(e, fld::AnDebutDiabete);
    if (!diab) return run.take();
    r.set(fld::AnDebutDiabete, *diab);
    auto compr = run.integer(e, fld::AnDebutComprimes);
    if (!compr) return run.take();
    r.set(fld::AnDebutComprimes, *compr);
    auto ins = run.integer(e, fld::AnDebutInsuline);
    if (!ins) return run.take();
    r.set(fld::AnDebutInsuline, *ins);

    auto month = run.byte(e, fld::MoisNaissance);
    if (!month) return run.take();
    r.set(fld::MoisNaissance, *month);
    if (isEmpty(*month)) run.report(Kind::Warning, "Pas de mois de naissance");
    else if (*month < 1 || *month > 12) run.report(Kind::Warning, "Erreur sur le mois de naissance");

    auto born = run.integer(e, fld::AnNaissance);
    if (!born) return run.take();
    r.set(fld::AnNaissance, *born);
    if (isEmpty(*born)) run.report(Kind::Error, "Pas d'année de naissance");
    else if (outside(*born, 1900, c.currentYear)) run.report(Kind::Error, "Erreur sur l'année de naissance");

    if (isEmpty(r.get(fld::Sexe))) run.report(Kind::Error, "Pas de Sexe");
    if (isEmpty(r.get(fld::TypeDiabete))) run.report(Kind::Error, "Pas de Type de Diabète");

    const std::int32_t years[3] = {*diab, *compr, *ins};
    if (isEmpty(*diab) && isEmpty(*compr) && isEmpty(*ins)) run.report(Kind::Error, "Les 3 dates laissées vierges");
    if (*diab > 0 && outside(*diab, 1900, c.currentYear))
        run.report(Kind::Error, "Erreur sur l'année de début du diabète");
    for (std::int32_t y : years)
        if (y >= 1 && y < *born) {
            run.report(Kind::Error, "Pas né et déjà diabétique !");
            break;
        }

    if (r.get(fld::TypeDiabete) == 1) {
        // Differences of the stored values as they are, -1 included.
        if (std::int64_t(*diab) - *born > 35) run.report(Kind::Warning, "Type 1 après 35 ans ?");
        if (isEmpty(*ins)) run.report(Kind::Error, "Type 1 sans Insuline !");
        if (*compr > 0) run.report(Kind::Warning, "Type 1 traité par comprimés ???");
        if (std::int64_t(*ins) - *diab > 1) run.report(Kind::Warning, "Type 1 plus d'un an sans insuline ?");
    }
    return run.take();
}

PanelResult Panel22Click(FibRecord& r, const Entries&, const Context& c) {
    Run run(r, "Panel22");
    if (isEmpty(r.get(fld::ConsultHospit))) run.report(Kind::Error, "Type de soins non renseigné");
    if (isEmpty(r.get(fld::Motif))) run.report(Kind::Error, "Motif de soins non renseigné");
    if (r.get(fld::Sexe) == 1 && r.get(fld::Motif) == 6) run.report(Kind::Error, "Grossesse masculine !");
    if (r.get(fld::Motif) == 5 && std::int64_t(r.get(fld::AnDebutDiabete)) < std::int64_t(c.currentYear) - 1)
        run.report(Kind::Error, "Est-ce bien un diagnostic récent ?");
    return run.take();
}

PanelResult Panel24Click(FibRecord& r, const Entries& e, const Context&) {
    Run run(r, "Panel24");
    const Field<FieldType::U8> counts[4] = {fld::GrossEnfantNormal, fld::GrossFC, fld::GrossMalformation,
                                            fld::GrossMortPerinatale};
    for (const auto field : counts) {
        auto v = run.byte(e, field);
        if (!v) return run.take();
        r.set(field, *v);
    }
    bool filled = false, unlikely = false;
    for (const auto field : counts) {
        std::uint8_t v = r.get(field);
        filled = filled || !isEmpty(v);
        unlikely = unlikely || (v > 5 && !isEmpty(v));
    }
    if (filled && r.get(fld::Sexe) != 2) run.report(Kind::Error, "Grossesse masculine !");
    if (unlikely) run.report(Kind::Error, "Valeurs peu vraisemblables !");
    return run.take();
}

PanelResult Panel25Click(FibRecord& r, const Entries& e, const Context&) {
    Run run(r, "Panel25");
    auto cig = run.integer(e, fld::Cigarettes);
    if (!cig) return run.take();
    r.set(fld::Cigarettes, *cig);
    auto alc = run.integer(e, fld::AlcoolGrSemaine);
    if (!alc) return run.take();
    r.set(fld::AlcoolGrSemaine, *alc);

    if (*cig >= 1 && r.get(fld::Tabac) != 1) {
        r.set(fld::Tabac, 1);
        run.tick(fld::Tabac, 1);
    }
    if (*alc >= 1 && r.get(fld::Alcool) != 1) {
        r.set(fld::Alcool, 1);
        run.tick(fld::Alcool, 1);
    }
    if (*alc > 2000) run.report(Kind::Warning, "Autant d'alcool ?");
    return run.take();
}

PanelResult Panel26Click(FibRecord& r, const Entries& e, const Context&) {
    Run run(r, "Panel26");
    auto gly = run.integer(e, fld::GlycemiesSemaine);
    if (!gly) return run.take();
    r.set(fld::GlycemiesSemaine, *gly);
    auto uri = run.integer(e, fld::GlycosuriesSemaine);
    if (!uri) return run.take();
    r.set(fld::GlycosuriesSemaine, *uri);

    if ((*gly >= 1 || *uri >= 1) && r.get(fld::AutoSurveillance) != 1) {
        r.set(fld::AutoSurveillance, 1);
        run.tick(fld::AutoSurveillance, 1);
    }
    if (*gly > 30 || *uri > 30) run.report(Kind::Warning, "Autant de contrôles ?");
    if (isEmpty(r.get(fld::AutoSurveillance))) run.report(Kind::Error, "Autosurveillance non renseignée ?");
    return run.take();
}

PanelResult Panel27Click(FibRecord& r, const Entries&, const Context&) {
    Run run(r, "Panel27");
    if (r.get(fld::EducAjustInsuline) == 1 && isEmpty(r.get(fld::AnDebutInsuline)))
        run.report(Kind::Warning, "Patient insulino-traité ?");
    return run.take();
}

PanelResult Panel28Click(FibRecord& r, const Entries& e, const Context& c) {
    Run run(r, "Panel28");

    // Body measurements, typed with decimals and stored whole.
    struct Measure {
        Field<FieldType::I32> field;
        bool metres;
        Kind emptyKind;
        const char* emptyMessage;
        std::int32_t lo, hi;
        Kind rangeKind;
        const char* rangeMessage;
    };
    const Measure body[] = {
        {fld::Poids, false, Kind::Error, "Poids non renseigné", 10, 200, Kind::Error, "Poids hors limites"},
        {fld::Taille, true, Kind::Error, "Taille non renseignée", 70, 250, Kind::Error, "Taille hors limites"},
        {fld::TourTaille, true, Kind::SilentWarning, "Tour de taille non renseigné", 40, 180, Kind::Warning,
         "Tour de taille hors limites"},
        {fld::TourHanches, true, Kind::SilentWarning, "Tour de hanches non renseigné", 60, 180, Kind::Warning,
         "Tour de hanches hors limites"},
    };
    for (const Measure& m : body) {
        bool blank = Run::isBlank(entryText(e, m.field));
        auto v = run.roundedDecimal(e, m.field, m.metres);
        if (!v) return run.take();
        r.set(m.field, *v);
        if (blank) run.report(m.emptyKind, m.emptyMessage);
        else if (outside(*v, m.lo, m.hi)) run.report(m.rangeKind, m.rangeMessage);
    }

    const std::tuple<Field<FieldType::I32>, std::int32_t, std::int32_t> pressures[] = {{fld::TaSyst, 70, 300},
                                                                                       {fld::TaDiast, 20, 150}};
    for (const auto& [field, lo, hi] : pressures) {
        bool blank = Run::isBlank(entryText(e, field));
        auto v = run.integer(e, field);
        if (!v) return run.take();
        r.set(field, *v);
        if (blank) run.report(Kind::Error, "TA non renseignée");
        else if (outside(*v, lo, hi)) run.report(Kind::Error, "TA hors limites");
    }

    // Laboratory values, stored as singles. No empty finding when emptyMessage
    // is null; no range test when limits are absent.
    struct Lab {
        Field<FieldType::F32> field;
        Kind emptyKind;
        const char* emptyMessage;
        std::optional<Limits> limits;
        Kind rangeKind;
        const char* rangeMessage;
    };
    const auto& u = c.units;
    const std::optional<Limits> none;
    const Lab labs[] = {
        {fld::GlyJeun, Kind::SilentWarning, "Glycémie non renseignée",
         limitsFor(u[kUnitGly], Limits{4, 20}, Limits{0.7, 3.6}, Limits{70, 360}), Kind::Warning,
         "Glycémie : bonnes unités ?"},
        {fld::HbA1c, Kind::Error, "HbA1C non renseignée", Limits{2, 25}, Kind::Error, "HbA1C hors limites"},
        {fld::Fructosamine, Kind::Error, nullptr, none, Kind::Error, nullptr},
        {fld::Creatinine, Kind::SilentWarning, "Créatinine non renseignée",
         limitsFor(u[kUnitCreat], Limits{4, 1000}, Limits{0.45, 113}, none), Kind::Warning,
         "Créatinine : bonnes unités ?"},
        {fld::Microalb, Kind::Error, "Microalbuminurie non renseignée", Limits{0, 600}, Kind::Error,
         "Microalbuminurie hors limites"},
        {fld::Proteinurie, Kind::Error, nullptr, none, Kind::Error, nullptr},
        {fld::Cholesterol, Kind::Error, "Cholestérol non renseigné",
         limitsFor(u[kUnitChol], Limits{2, 20}, Limits{0.78, 7.8}, Limits{78, 780}), Kind::Error,
         "Cholestérol hors limites"},
        {fld::Hdl, Kind::SilentWarning, "HDL non renseigné",
         limitsFor(u[kUnitHdl], Limits{0.5, 7}, Limits{0.2, 2.7}, Limits{20, 270}), Kind::Warning,
         "HDL : bonnes unités ?"},
        {fld::Triglycerides, Kind::Error, "Triglycérides non renseignés",
         limitsFor(u[kUnitTrig], Limits{0.5, 10}, Limits{0.44, 8.8}, Limits{44, 880}), Kind::Error,
         "Triglycérides hors limites"},
    };
    for (const Lab& l : labs) {
        bool blank = Run::isBlank(entryText(e, l.field));
        auto v = run.decimal(e, l.field);
        if (!v) return run.take();
        r.set(l.field, *v);
        if (blank) {
            // Microalbuminuria is only missing when proteinuria is missing too.
            bool missing = l.emptyMessage != nullptr;
            if (l.field.offset == fld::Microalb.offset) missing = Run::isBlank(entryText(e, fld::Proteinurie));
            if (missing) run.report(l.emptyKind, l.emptyMessage);
        } else if (l.limits && outside(*v, l.limits->lo, l.limits->hi)) {
            run.report(l.rangeKind, l.rangeMessage);
        }
    }
    return run.take();
}

PanelResult Panel29Click(FibRecord& r, const Entries&, const Context&) {
    Run run(r, "Panel29");
    bool missing = false;
    for (auto f : {fld::Cecite, fld::Infarctus, fld::Avc, fld::InsufRenale, fld::AmputSup, fld::AmputInf})
        missing = missing || isEmpty(r.get(f));
    if (missing) run.report(Kind::Error, "St Vincent non complètement renseigné");
    bool both = false;
    for (auto f : {fld::Infarctus, fld::Avc, fld::AmputSup, fld::AmputInf}) both = both || r.get(f) == 3;
    if (both) run.report(Kind::Warning, "Complications anciennes et récentes ?");
    return run.take();
}

std::vector<PanelResult> runPage1(FibRecord& r, const Entries& e, const Context& c) {
    return {Panel23Click(r, e, c), Panel22Click(r, e, c), Panel24Click(r, e, c), Panel25Click(r, e, c),
            Panel26Click(r, e, c), Panel27Click(r, e, c), Panel28Click(r, e, c), Panel29Click(r, e, c)};
}

}  // namespace pelo::checks
