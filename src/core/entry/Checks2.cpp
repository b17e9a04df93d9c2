// The five check routines of entry page 2, and the run of the save.
#include <initializer_list>

#include "entry/CheckRun.h"

namespace pelo::checks {

using detail::Run;

namespace {
using U8 = Field<FieldType::U8>;

const std::pair<int, int> kEyeBox{304, 120};
const std::pair<int, int> kFootBox{75, 120};

bool anyFilled(const FibRecord& r, std::initializer_list<U8> fields) {
    for (U8 f : fields)
        if (!isEmpty(r.get(f))) return true;
    return false;
}

// Retinopathy kinds imply retinopathy, which with maculopathy implies the
// retina was seen; a "non" already given there is an error instead.
void eyeRules(Run& run, FibRecord& r, U8 nonProlif, U8 preprolif, U8 prolif, U8 retinopathy,
              const char* retinopathyMessage, U8 maculopathy, U8 retinaSeen, const char* retinaMessage) {
    if (r.get(nonProlif) == 1 || r.get(preprolif) == 1 || r.get(prolif) == 1) {
        if (isEmpty(r.get(retinopathy))) {
            r.set(retinopathy, 1);
            run.tick(retinopathy, 1);
        } else if (r.get(retinopathy) == 2) {
            run.report(Kind::Error, retinopathyMessage, kEyeBox);
        }
    }
    if (r.get(retinopathy) == 1 || r.get(maculopathy) == 1) {
        if (isEmpty(r.get(retinaSeen))) {
            r.set(retinaSeen, 1);
            run.tick(retinaSeen, 1);
        } else if (r.get(retinaSeen) == 2) {
            run.report(Kind::Error, retinaMessage, kEyeBox);
        }
    }
}
}  // namespace

PanelResult Panel13Click(FibRecord& r, const Entries&, const Context&) {
    Run run(r, "Panel13");
    if (r.get(fld::Sexe) == 2 && !isEmpty(r.get(fld::Anerection))) {
        r.set(fld::Anerection, kEmptyU8);
        run.report(Kind::Error, "Vérifiez le sexe !");
    }
    return run.take();
}

PanelResult Panel15Click(FibRecord& r, const Entries& e, const Context& c) {
    Run run(r, "Panel15");
    eyeRules(run, r, fld::RetinoNonProlifD, fld::RetinoPreprolifD, fld::RetinoProlifD, fld::RetinopathieD,
             "Rétinopathie droite oui ou non ?", fld::MaculopathieD, fld::RetineVueD, "Rétine droite vue oui ou non ?");
    eyeRules(run, r, fld::RetinoNonProlifG, fld::RetinoPreprolifG, fld::RetinoProlifG, fld::RetinopathieG,
             "Rétinopathie gauche oui ou non ?", fld::MaculopathieG, fld::RetineVueG, "Rétine gauche vue oui ou non ?");

    if (anyFilled(r, {fld::PhotocoagD, fld::VitrectomieD, fld::CataracteD, fld::RetineVueD, fld::PhotocoagG,
                      fld::VitrectomieG, fld::CataracteG, fld::RetineVueG})) {
        if (isEmpty(r.get(fld::ExamYeux))) {
            r.set(fld::ExamYeux, 1);
            run.tick(fld::ExamYeux, 1);
        } else if (r.get(fld::ExamYeux) == 2) {
            run.report(Kind::Error, "Yeux examinés oui ou non ?", kEyeBox);
        }
    }
    if (isEmpty(r.get(fld::ExamYeux))) run.report(Kind::Error, "Pas d'examen récent des yeux ?");

    // Each acuity is read and tested in turn, after the eye rules: an unreadable
    // entry stops the routine only there, as the findings before it stand.
    auto acuity = [](std::uint8_t v) { return v >= 11 && v <= 254; };
    if (c.readPage2Entries) {
        auto right = run.roundedByte(e, fld::AcuiteD);
        if (!right) return run.take();
        r.set(fld::AcuiteD, *right);
    }
    if (acuity(r.get(fld::AcuiteD))) run.report(Kind::Error, "Acuité droite > 10 ?", kEyeBox);
    if (c.readPage2Entries) {
        auto left = run.roundedByte(e, fld::AcuiteG);
        if (!left) return run.take();
        r.set(fld::AcuiteG, *left);
    }
    if (acuity(r.get(fld::AcuiteG))) run.report(Kind::Error, "Acuité gauche > 10 ?", kEyeBox);

    if (anyFilled(r,
                  {fld::SensVibraG, fld::SensDoulG, fld::PoulsG, fld::UlcereCicatG, fld::UlcereAiguG, fld::PontageG,
                   fld::SensVibraD, fld::SensDoulD, fld::PoulsD, fld::UlcereCicatD, fld::UlcereAiguD, fld::PontageD})) {
        if (isEmpty(r.get(fld::ExamPieds))) {
            r.set(fld::ExamPieds, 1);
            run.tick(fld::ExamPieds, 1);
        } else if (r.get(fld::ExamPieds) == 2) {
            run.report(Kind::Error, "Pieds examinés oui ou non ?", kFootBox);
        }
    }
    if (isEmpty(r.get(fld::ExamPieds))) run.report(Kind::Error, "Pas d'examen récent des pieds ?");
    return run.take();
}

PanelResult Panel16Click(FibRecord& r, const Entries& e, const Context& c) {
    Run run(r, "Panel16");
    if (c.readPage2Entries) {
        for (auto field : {fld::HypoNbAn, fld::HyperNbAn, fld::JoursHosp, fld::JoursHorsHosp}) {
            auto v = run.integer(e, field);
            if (!v) return run.take();
            r.set(field, *v);
        }
        for (auto field : {fld::InjAvant, fld::InjApres}) {
            auto v = run.byte(e, field);
            if (!v) return run.take();
            r.set(field, *v);
        }
    }
    if (r.get(fld::HypoNbAn) > 30) run.report(Kind::Error, "Autant d'Hypoglycémies sévères ?");
    if (r.get(fld::HyperNbAn) > 30) run.report(Kind::Error, "Autant d'Hyperglycémies sévères ?");
    if (r.get(fld::JoursHosp) > 100) run.report(Kind::Error, "Jours hospitalisation : Est-ce exact ?");
    if (r.get(fld::JoursHorsHosp) > 100) run.report(Kind::Error, "Jours Hors hosp.: Est-ce exact ?");
    std::uint8_t before = r.get(fld::InjAvant), after = r.get(fld::InjApres);
    if (!isEmpty(before) && before > 10) run.report(Kind::Error, "Injections avant: Est-ce exact ?");
    if (!isEmpty(after) && after > 10) run.report(Kind::Error, "Injections après: Est-ce exact ?");
    // Orange and the error icon, but the state of the sheet is left alone.
    if (anyFilled(r, {fld::Stylo, fld::InjAvant, fld::InjApres}) && isEmpty(r.get(fld::AnDebutInsuline)))
        run.report(Kind::SilentWarning, "Vérifiez l'insuline ?", std::nullopt, true);
    return run.take();
}

PanelResult Panel17Click(FibRecord& r, const Entries& e, const Context& c) {
    Run run(r, "Panel17");
    const Field<FieldType::I32> years[4] = {fld::AnBiguanides, fld::AnSulfamides, fld::AnInhibGlucosidase,
                                            fld::AnThiazolidinediones};
    if (c.readPage2Entries) {
        for (const auto field : years) {
            auto v = run.integer(e, field);
            if (!v) return run.take();
            r.set(field, *v);
        }
    }
    std::int32_t tablets = r.get(fld::AnDebutComprimes);
    for (const auto field : years) {
        std::int32_t y = r.get(field);
        if (y > 0 && y < tablets) {
            run.report(Kind::RedNotice, "Date de début des comprimés ?");
            break;
        }
    }
    if (anyFilled(r, {fld::InsAnalogue, fld::InsRapide, fld::InsNph, fld::InsMelanges, fld::InsLente, fld::InsPompe}) &&
        isEmpty(r.get(fld::AnDebutInsuline)))
        run.report(Kind::RedNotice, "Date de début d'insuline ?");
    return run.take();
}

PanelResult Panel18Click(FibRecord& r, const Entries&, const Context&) {
    Run run(r, "Panel18");
    return run.take();
}

std::vector<PanelResult> runPage2(FibRecord& r, const Entries& e, const Context& c) {
    return {Panel13Click(r, e, c), Panel15Click(r, e, c), Panel16Click(r, e, c), Panel17Click(r, e, c),
            Panel18Click(r, e, c)};
}

std::vector<PanelResult> runSave(FibRecord& r, const Entries& page1, const Entries& page2, const Context& c) {
    // The save checks the sheet afresh: an annulled sheet that is saved counts again.
    r.set(fld::EtatFiche, kComplete);
    std::vector<PanelResult> all = runPage1(r, page1, c);
    for (PanelResult& p : runPage2(r, page2, c)) all.push_back(std::move(p));
    return all;
}

}  // namespace pelo::checks
