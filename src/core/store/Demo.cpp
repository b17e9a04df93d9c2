#include "store/Demo.h"

#include "store/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace pelo {

namespace {

// Small, portable random helpers over mt19937_64 (no library distributions,
// whose results differ between standard libraries).
class Rng {
public:
    explicit Rng(std::uint64_t start) : g_(start) {}
    double uniform() { return double(g_() >> 11) * (1.0 / 9007199254740992.0); }
    int range(int lo, int hi) { return lo + int(uniform() * (hi - lo + 1)); }  // inclusive
    bool chance(double p) { return uniform() < p; }
    double normal(double mean, double sd) {
        double u1 = std::max(uniform(), 1e-12), u2 = uniform();
        return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(2 * M_PI * u2);
    }
    std::uint8_t yesNo(double pYes) { return chance(pYes) ? 1 : 2; }

private:
    std::mt19937_64 g_;
};

float round2(double v) { return static_cast<float>(std::round(v * 100.0) / 100.0); }

std::uint8_t event(Rng& r, double pRecent, double pOld, bool exclusive) {
    const double u = r.uniform();
    if (u < pRecent) return 1;
    if (u < pRecent + pOld) return (!exclusive && r.chance(0.1)) ? 3 : 2;
    return 4;
}

void fillFib(FibRecord& f, Rng& r, int year, const DemoCentre& c) {
    const auto& units = c.units;
    using namespace fld;
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", r.range(1, 28), r.range(1, 12), year);
    f.setDate(date);
    f.setInitiale(std::string(1, char('A' + r.range(0, 25))));
    f.set(MoisNaissance, static_cast<std::uint8_t>(r.range(1, 12)));

    const double t = r.uniform();
    using Mix = DemoCentre::Patients;
    const std::uint8_t type = c.patients == Mix::YoungType1 ? 1
                              : c.patients == Mix::VeryOld  ? 2
                              : t < 0.22                    ? 1
                                                            : (t < 0.96 ? 2 : 3);
    f.set(TypeDiabete, type);
    const std::uint8_t sex = r.chance(0.52) ? 1 : 2;
    f.set(Sexe, sex);
    const int age = c.patients == Mix::YoungType1 ? r.range(12, 35)
                    : c.patients == Mix::VeryOld  ? r.range(76, 95)
                    : type == 1                   ? r.range(12, 70)
                                                  : r.range(35, 88);
    // What the patient adds to the centre's figures when care depends on the patient.
    const bool youngPatient = c.caseMix && age < 40, oldPatient = c.caseMix && age >= 75;
    const int born = year - age;
    f.set(AnNaissance, born);
    const int onset = type == 1 ? born + r.range(3, std::max(4, age - 1)) : year - r.range(0, std::max(1, age - 30));
    f.set(AnDebutDiabete, std::min(onset, year));

    f.set(ConsultHospit, static_cast<std::uint8_t>(r.chance(0.8) ? 1 : 2));
    static const double motifW[] = {0.55, 0.15, 0.1, 0.03, 0.07, 0.03, 0.07};
    double u = r.uniform(), acc = 0;
    std::uint8_t motif = 7;
    for (int i = 0; i < 7; ++i) {
        acc += motifW[i];
        if (u < acc) {
            motif = static_cast<std::uint8_t>(i + 1);
            break;
        }
    }
    if (motif == 6 && (sex == 1 || age > 45)) motif = 1;
    f.set(Motif, motif);
    if (sex == 2 && age >= 18 && age <= 45 && (motif == 6 || r.chance(0.1))) {
        f.set(GrossEnfantNormal, static_cast<std::uint8_t>(r.chance(0.85) ? 1 : 0));
        f.set(GrossFC, static_cast<std::uint8_t>(r.chance(0.1) ? 1 : 0));
        f.set(GrossMalformation, std::uint8_t{0});
        f.set(GrossMortPerinatale, std::uint8_t{0});
    }

    if (r.chance(0.45)) f.set(DiabeteFamille, std::uint8_t{1});
    const double smoking = c.smokingShift + (youngPatient ? 0.15 : 0.0) - (oldPatient ? 0.15 : 0.0);
    const std::uint8_t smokes = r.yesNo(std::clamp(0.25 + smoking, 0.0, 1.0));
    f.set(Tabac, smokes);
    if (smokes == 1) f.set(Cigarettes, r.range(3, 30));
    const std::uint8_t drinks = r.yesNo(0.4);
    f.set(Alcool, drinks);
    if (drinks == 1) f.set(AlcoolGrSemaine, r.range(1, 30) * 10);
    const std::uint8_t autosurv = (type == 1 || r.chance(0.5)) ? 1 : 2;
    f.set(AutoSurveillance, autosurv);
    if (autosurv == 1) f.set(GlycemiesSemaine, type == 1 ? r.range(10, 28) : r.range(1, 10));
    if (r.chance(0.2)) f.set(GlycosuriesSemaine, r.range(0, 7));
    for (auto e : {EducAlimentation, EducSoinsPieds, EducComplications, EducAutosurveillance, EducHypoglycemies,
                   EducAjustInsuline, Association})
        f.set(e, r.yesNo(0.55));

    const int height = sex == 1 ? r.range(160, 192) : r.range(148, 178);
    const double bmi = type == 1 ? r.normal(24, 3) : r.normal(29.5, 5);
    f.set(Taille, height);
    f.set(Poids, static_cast<std::int32_t>(std::lround(std::clamp(bmi, 17.0, 48.0) * height * height / 10000.0)));
    f.set(TourTaille, static_cast<std::int32_t>(std::lround(bmi * 3.3 + r.normal(0, 5))));
    f.set(TourHanches, static_cast<std::int32_t>(std::lround(bmi * 3.6 + r.normal(10, 5))));
    const double systMean = 138.0 + (oldPatient ? 12.0 : 0.0) - (youngPatient ? 10.0 : 0.0);
    const int syst = static_cast<int>(std::lround(std::clamp(r.normal(systMean, 16), 95.0, 210.0)));
    f.set(TaSyst, syst);
    f.set(TaDiast, static_cast<int>(std::lround(std::clamp(syst * 0.58 + r.normal(0, 6), 50.0, 120.0))));

    // Laboratory values, written in the centre's unit.
    const double gly = std::clamp(r.normal(8.8, 2.5), 3.5, 22.0);  // mmol/l
    f.set(GlyJeun, round2(units[0] == 4 ? gly / 5.55 : units[0] == 5 ? gly * 18.0 : gly));
    const double hba1cMean = 7.9 + c.hba1cShift + (c.caseMix && type == 1 ? 0.8 : 0.0) - (oldPatient ? 0.3 : 0.0);
    f.set(HbA1c, round2(std::clamp(r.normal(hba1cMean, 1.3), 4.8, 14.0)));
    if (r.chance(0.15)) f.set(Fructosamine, round2(std::clamp(r.normal(320, 50), 200.0, 500.0)));
    const double creat = std::clamp(r.normal(85, 25), 45.0, 300.0);  // µmol/l
    f.set(Creatinine, round2(units[1] == 4 ? creat / 8.84 : creat));
    if (r.chance(0.8)) f.set(Microalb, round2(std::clamp(std::exp(r.normal(3.0, 1.1)), 2.0, 900.0)));
    else f.set(Proteinurie, round2(std::clamp(r.normal(0.4, 0.3), 0.05, 3.0)));
    const double chol = std::clamp(r.normal(5.2, 1.0), 2.8, 9.0);  // mmol/l
    const double hdl = std::clamp(r.normal(1.3, 0.35), 0.6, 2.6);
    const double trig = std::clamp(std::exp(r.normal(0.4, 0.45)), 0.4, 8.0);
    auto lipid = [&](double mmol, double factor, std::uint16_t code) {
        return round2(code == 4 ? mmol / factor : code == 5 ? mmol / factor * 100.0 : mmol);
    };
    f.set(Cholesterol, lipid(chol, units::toMmol(kUnitChol, 4), units[kUnitChol]));
    f.set(Hdl, lipid(hdl, units::toMmol(kUnitHdl, 4), units[kUnitHdl]));
    f.set(Triglycerides, lipid(trig, units::toMmol(kUnitTrig, 4), units[kUnitTrig]));
    f.set(TrigAJeun, r.yesNo(0.85));

    f.set(Cecite, event(r, 0.005, 0.01, true));
    f.set(Infarctus, event(r, 0.02, 0.07, false));
    f.set(Avc, event(r, 0.01, 0.04, false));
    f.set(InsufRenale, event(r, 0.01, 0.03, true));
    f.set(AmputSup, event(r, 0.002, 0.006, false));
    f.set(AmputInf, event(r, 0.005, 0.015, false));
    f.set(HypoTaOrtho, r.yesNo(0.05));
    f.set(Angor, r.yesNo(0.08));
    if (sex == 1) f.set(Anerection, r.yesNo(0.25));
    f.set(NeuropathiePeri, r.yesNo(0.2));
    f.set(Claudication, r.yesNo(0.07));

    const double eyeShift = c.eyeExamShift - (youngPatient ? 0.15 : 0.0) - (oldPatient ? 0.2 : 0.0);
    const bool eyes = r.chance(std::clamp(0.7 + eyeShift, 0.0, 1.0));
    f.set(ExamYeux, static_cast<std::uint8_t>(eyes ? 1 : 2));
    if (eyes) {
        const bool retino = r.chance(0.25);
        for (auto side : {0, 1}) {
            const bool d = side == 0;
            f.set(d ? RetineVueD : RetineVueG, std::uint8_t{1});
            f.set(d ? RetinopathieD : RetinopathieG, static_cast<std::uint8_t>(retino ? 1 : 2));
            f.set(d ? PhotocoagD : PhotocoagG, static_cast<std::uint8_t>(retino && r.chance(0.3) ? 1 : 2));
            f.set(d ? VitrectomieD : VitrectomieG, std::uint8_t{2});
            f.set(d ? CataracteD : CataracteG, r.yesNo(0.1));
            f.set(d ? MaculopathieD : MaculopathieG, static_cast<std::uint8_t>(retino && r.chance(0.2) ? 1 : 2));
            if (retino) {
                const int stage = r.range(0, 9);
                f.set(d ? RetinoNonProlifD : RetinoNonProlifG, static_cast<std::uint8_t>(stage < 6 ? 1 : 2));
                f.set(d ? RetinoPreprolifD : RetinoPreprolifG,
                      static_cast<std::uint8_t>(stage >= 6 && stage < 9 ? 1 : 2));
                f.set(d ? RetinoProlifD : RetinoProlifG, static_cast<std::uint8_t>(stage == 9 ? 1 : 2));
            }
            f.set(d ? AcuiteD : AcuiteG, static_cast<std::uint8_t>(std::clamp(r.range(4, 12), 0, 10)));
        }
    }
    const double footShift = c.footExamShift - (youngPatient ? 0.2 : 0.0) + (oldPatient ? 0.1 : 0.0);
    const bool feet = r.chance(std::clamp(0.65 + footShift, 0.0, 1.0));
    f.set(ExamPieds, static_cast<std::uint8_t>(feet ? 1 : 2));
    if (feet) {
        for (auto fl : {SensVibraG, SensDoulG, PoulsG, SensVibraD, SensDoulD, PoulsD}) f.set(fl, r.yesNo(0.85));
        for (auto fl : {UlcereCicatG, UlcereAiguG, PontageG, UlcereCicatD, UlcereAiguD, PontageD})
            f.set(fl, r.yesNo(0.03));
    }
    f.set(HypoNbAn, type == 1 ? r.range(0, 20) : r.range(0, 3));
    f.set(HyperNbAn, r.range(0, 4));
    f.set(JoursHosp, r.chance(0.8) ? 0 : r.range(1, 20));
    f.set(JoursHorsHosp, r.chance(0.7) ? 0 : r.range(1, 15));

    const bool insulin = type == 1 || r.chance(0.3);
    if (insulin) {
        f.set(AnDebutInsuline,
              type == 1 ? f.get(AnDebutDiabete) : std::min(year, f.get(AnDebutDiabete) + r.range(2, 15)));
        const auto inj = static_cast<std::uint8_t>(type == 1 ? r.range(3, 5) : r.range(1, 3));
        f.set(InjAvant, inj);
        f.set(InjApres, inj);
        f.set(Stylo, r.yesNo(0.8));
        f.set(InsRapide, std::uint8_t{3});
        f.set(InsNph, std::uint8_t{3});
    }
    if (type != 1) {
        f.set(AnDebutComprimes, std::min(year, f.get(AnDebutDiabete) + r.range(0, 3)));
        f.set(Biguanides, std::uint8_t{3});
        f.set(AnBiguanides, f.get(AnDebutComprimes));
        if (r.chance(0.5)) {
            f.set(Sulfamides, static_cast<std::uint8_t>(r.chance(0.7) ? 3 : 2));
            f.set(AnSulfamides, std::min(year, f.get(AnDebutComprimes) + r.range(0, 5)));
        }
        if (!insulin && r.chance(0.1)) f.set(RegimeSeul, std::uint8_t{1});
    }
    if (syst >= 140) f.set(TrtHta, static_cast<std::uint8_t>(r.chance(0.8) ? 3 : 2));
    if (chol > 6.0) f.set(TrtDyslipidemie, static_cast<std::uint8_t>(r.chance(0.7) ? 3 : 2));
    if (f.get(Infarctus) != 4) f.set(TrtCardIschem, std::uint8_t{3});

    // The state as the checks leave it: a few sheets lack an answer, a few
    // carry an implausible value, a few were annulled.
    const double s = r.uniform();
    if (s < 0.08) {
        f.set(TourHanches, -1);
        f.set(EtatFiche, std::uint8_t{kIncomplete});
    } else if (s < 0.11) {
        f.set(Poids, 260);
        f.set(EtatFiche, std::uint8_t{kToReview});
    } else if (s < 0.13) {
        f.set(EtatFiche, std::uint8_t{kAnnulled});
    } else {
        f.set(EtatFiche, std::uint8_t{kComplete});
    }
}

}  // namespace

std::vector<FibRecord> demoRecords(const DemoCentre& c, std::uint32_t n, std::uint64_t start) {
    const int year = c.year > 0 ? c.year : currentYear();
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, c.centre);
    h.set(fld::RegionDep, static_cast<std::uint16_t>(c.region * 256 + c.department));
    h.set(fld::Specialite, c.structure);
    for (std::size_t i = 0; i < 7; ++i) h.set(kUnitSlots[i], static_cast<float>(c.units[i]));
    if (n > kMaxFibs) n = kMaxFibs;
    h.setNbFiches(static_cast<std::uint16_t>(n));

    std::vector<FibRecord> out;
    out.reserve(n + 1);
    out.push_back(h);
    Rng r(start);
    for (std::uint32_t k = 1; k <= n; ++k) {
        char date[32];
        std::snprintf(date, sizeof date, "01/01/%04d", year);
        FibRecord f = emptyFibFromHeader(h, date);
        f.set(fld::NumFib, static_cast<std::uint16_t>(k));
        fillFib(f, r, year, c);
        out.push_back(f);
    }
    return out;
}

}  // namespace pelo
