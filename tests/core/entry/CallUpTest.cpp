// A stored FIB called up and checked as the save would check it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "entry/CallUp.h"

using namespace pelo;
using namespace pelo::checks;

namespace {

// A stored FIB of a type 2 woman that the save finds complete.
FibRecord goodFib() {
    FibRecord r = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    r.set(fld::NumFib, 1);
    r.setInitiale("m");
    r.set(fld::MoisNaissance, 5);
    r.set(fld::AnNaissance, 1950);
    r.set(fld::Sexe, 2);
    r.set(fld::TypeDiabete, 2);
    r.set(fld::AnDebutDiabete, 1990);
    r.set(fld::ConsultHospit, 1);
    r.set(fld::Motif, 1);
    r.set(fld::AutoSurveillance, 1);
    r.set(fld::GlycemiesSemaine, 7);
    r.set(fld::Poids, 72);
    r.set(fld::Taille, 165);
    r.set(fld::TourTaille, 88);
    r.set(fld::TourHanches, 100);
    r.set(fld::TaSyst, 130);
    r.set(fld::TaDiast, 80);
    r.set(fld::GlyJeun, 6.1f);
    r.set(fld::HbA1c, 7.2f);
    r.set(fld::Creatinine, 80.0f);
    r.set(fld::Microalb, 12.0f);
    r.set(fld::Cholesterol, 5.2f);
    r.set(fld::Hdl, 1.3f);
    r.set(fld::Triglycerides, 1.4f);
    for (auto f : {fld::Cecite, fld::Infarctus, fld::Avc, fld::InsufRenale, fld::AmputSup, fld::AmputInf}) r.set(f, 4);
    r.set(fld::ExamYeux, 1);
    r.set(fld::ExamPieds, 1);
    r.set(fld::EtatFiche, 1);  // whatever it was stored with
    return r;
}

const Context kCtx{2026, {3, 3, 3, 3, 3, 3, 3}, true};

}  // namespace

TEST(CallUp, EntriesShowTheStoredValuesUncut) {
    FibRecord r = goodFib();
    r.set(fld::Cigarettes, 12345);
    r.set(fld::GrossFC, 200);
    r.set(fld::HbA1c, 7.5f);
    r.set(fld::Microalb, -0.999f);
    auto e = page1Entries(r);
    EXPECT_EQ(e["Edit3"], "M");
    EXPECT_EQ(e["Edit10"], "12345");
    EXPECT_EQ(e["Edit8"], "200");
    EXPECT_EQ(e["Edit9"], "");
    EXPECT_EQ(e["MaskEdit14"], "7.50");
    EXPECT_EQ(e["MaskEdit17"], "-1.00");
    EXPECT_EQ(e["MaskEdit18"], "");
    EXPECT_EQ(e["MaskEdit19"], "08/12/2026");
    r.set(fld::AcuiteD, 7);
    r.set(fld::InjApres, 3);
    auto e2 = page2Entries(r);
    EXPECT_EQ(e2["Edit1"], "7");
    EXPECT_EQ(e2["Edit2"], "");
    EXPECT_EQ(e2["Edit8"], "3");
    EXPECT_EQ(e2["MaskEdit1"], "");
}

TEST(CallUp, GoodFibIsComplete) {
    auto s = checkAsSaved(goodFib(), kCtx);
    EXPECT_EQ(controlLine(1, s), "1\t0");
    EXPECT_EQ(s.panels.size(), 13u);
    EXPECT_EQ(s.record.get(fld::EtatFiche), 0);
}

TEST(CallUp, ValuesReadBackAsThePagesShowThem) {
    FibRecord r = goodFib();
    r.set(fld::Taille, 1);          // below 2: read back in metres
    r.set(fld::Microalb, -0.999f);  // shows "-1.00": typed, so tested
    r.set(fld::HbA1c, 6.456f);      // shows "6.46"
    auto s = checkAsSaved(r, kCtx);
    EXPECT_EQ(controlLine(7, s), "7\t2\tE:Microalbuminurie hors limites");
    EXPECT_EQ(s.record.get(fld::Taille), 100);
    EXPECT_EQ(s.record.get(fld::HbA1c), 6.46f);

    r = goodFib();
    r.set(fld::Taille, 2);
    EXPECT_EQ(controlLine(1, checkAsSaved(r, kCtx)), "1\t2\tE:Taille hors limites");
}

TEST(CallUp, CodesThatNoControlShowsStayAsStored) {
    FibRecord r = goodFib();
    r.set(fld::Sexe, 3);
    r.set(fld::GrossFC, 1);
    auto s = checkAsSaved(r, kCtx);
    EXPECT_EQ(s.record.get(fld::Sexe), 3);
    EXPECT_EQ(controlLine(1, s), "1\t2\tE:Grossesse masculine !");
}

TEST(CallUp, TheSaveClearsTheAnnulledMark) {
    FibRecord r = goodFib();
    r.set(fld::EtatFiche, 255);
    EXPECT_EQ(controlLine(1, checkAsSaved(r, kCtx)), "1\t0");
}

TEST(CallUp, EyeExaminationOuiClearsTheAnswerWhileLoading) {
    // Loading ticks the examination's "oui", whose click runs the symptom
    // check: the save then finds nothing left to report.
    FibRecord r = goodFib();
    r.set(fld::Anerection, 1);
    auto s = checkAsSaved(r, kCtx);
    EXPECT_EQ(controlLine(1, s), "1\t0");
    EXPECT_EQ(s.record.get(fld::Anerection), 255);

    r.set(fld::ExamYeux, 2);
    EXPECT_EQ(controlLine(1, checkAsSaved(r, kCtx)), "1\t2\tE:Vérifiez le sexe !");
}

TEST(CallUp, EveryKindHasItsLetter) {
    FibRecord r = goodFib();
    r.set(fld::AnNaissance, -1);     // E
    r.set(fld::MoisNaissance, 255);  // A
    r.set(fld::TourTaille, -1);      // S
    r.set(fld::InsRapide, 1);        // R (no insulin year)
    // A stored NaN is no measure: shown empty, it is read back as the empty value, not as "nan".
    r.set(fld::Fructosamine, std::numeric_limits<float>::quiet_NaN());
    auto s = checkAsSaved(r, kCtx);
    EXPECT_EQ(controlLine(3, s),
              "3\t2\tA:Pas de mois de naissance\tE:Pas d'année de naissance\tS:Tour de taille non renseigné"
              "\tR:Date de début d'insuline ?");
}

TEST(CallUp, SilentInsulinNoticeKeepsTheStateAndUsesItsLetter) {
    FibRecord r = goodFib();
    r.set(fld::Stylo, 1);
    EXPECT_EQ(controlLine(1, checkAsSaved(r, kCtx)), "1\t0\tS:Vérifiez l'insuline ?");
}

TEST(CallUp, UnitsAndYearOfTheContext) {
    FibRecord r = goodFib();
    r.set(fld::Cholesterol, 250.0f);
    r.set(fld::Hdl, 50.0f);
    r.set(fld::Triglycerides, 150.0f);
    r.set(fld::GlyJeun, 110.0f);
    Context mg = kCtx;
    mg.units = {5, 5, 5, 5, 5, 5, 5};
    EXPECT_EQ(controlLine(1, checkAsSaved(r, mg)), "1\t0");
    EXPECT_EQ(controlLine(1, checkAsSaved(r, kCtx)),
              "1\t2\tA:Glycémie : bonnes unités ?\tE:Cholestérol hors limites\tA:HDL : bonnes unités ?"
              "\tE:Triglycérides hors limites");
    Context old = kCtx;
    old.currentYear = 1989;  // diabetes of 1990 has not begun yet
    EXPECT_EQ(controlLine(1, checkAsSaved(goodFib(), old)), "1\t2\tE:Erreur sur l'année de début du diabète");
}

TEST(CallUp, TheSaveStoresTheDateAsItsEntryShowsIt) {
    FibRecord r = goodFib();
    EXPECT_EQ(checkAsSaved(r, kCtx).record.date(), "08/12/2026");
    r.setDate("8/1/2026");
    EXPECT_EQ(checkAsSaved(r, kCtx).record.date(), "8 /1 /2026");
    r.setDate("");
    EXPECT_EQ(checkAsSaved(r, kCtx).record.date(), "  /  /    ");
}
