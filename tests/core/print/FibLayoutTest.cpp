#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "print/FibLayout.h"
#include "store/FibRecord.h"

using namespace pelo;

namespace {

using Placed = std::tuple<int, int, std::string>;  // y, x, text

std::vector<Placed> placedTexts(const PrintDocument& doc) {
    std::vector<Placed> out;
    for (const auto& it : doc.pages.at(0).items)
        if (it.kind == DrawItem::Text) out.emplace_back(it.y1, it.x1, it.text);
    return out;
}

std::vector<std::string> textsAtRow(const PrintDocument& doc, int y) {
    std::vector<std::string> out;
    for (const auto& [py, px, t] : placedTexts(doc))
        if (py == y) out.push_back(std::to_string(px) + ":" + t);
    return out;
}

bool hasText(const PrintDocument& doc, const std::string& needle) {
    for (const auto& [y, x, t] : placedTexts(doc))
        if (t.find(needle) != std::string::npos) return true;
    return false;
}

FibRecord blankFib() {
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, 12);
    h.setNbFiches(33);
    FibRecord r = emptyFibFromHeader(h, "08/12/2026");
    r.set(fld::NumFib, 34);
    return r;
}

PrintDocument layout(const FibRecord& r, const FibUnitLabels& u = {}) { return fibPrintLayout(r, "08/12/2026", u); }

}  // namespace

TEST(FibLayout, EmptySheetPrintsOnlyTheFixedLabels) {
    FibRecord r = blankFib();
    const std::vector<Placed> expected = {
        {100, 100, "PELORAMIX"},
        {100, 800, "Centre : 12   Fiche : 34   Nom : "},
        {100, 1900, "08/12/2026"},
        {200, 100, "Données de base : Naissance :           Sexe : inconnu"},
        {450, 100, "Facteurs de risque :"},
        {500, 100, "Autosurveillance :"},
        {550, 100, "Education :"},
        {700, 100, "Données :"},
        {750, 430, "Tension   /  mmHg"},  // always printed, a missing value empty (never its -1)
        {1000, 100, "St-Vincent :"},
        {1350, 100, "Symptômes :"},
        {1500, 100, "YEUX :"},
        {1550, 430, "Oeil droit :"},
        {1550, 1230, "Oeil gauche :"},
        {2000, 100, "PIEDS :"},
        {2050, 430, "Pied gauche :"},
        {2050, 1230, "Pied droit :"},
        {2400, 100, "Qualité de vie :"},
        {2550, 100, "Trait. diabète :"},
        {2550, 430, "Régime :"},
        {2600, 430, "Biguanides :"},
        {2650, 430, "Sulfamides :"},
        {2700, 430, "Inib. Gluco :"},
        {2750, 430, "Thiazo :"},
        {2550, 1630, "Analogue :"},
        {2600, 1630, "Rapide :"},
        {2650, 1630, "NPH :"},
        {2700, 1630, "Mel :"},
        {2750, 1630, "Lent :"},
        {2800, 1630, "Pompe :"},
        {2900, 100, "Trait. associés :"},
        {2900, 430, "HTA :"},
        {2950, 430, "Insuf.Card. :"},
        {3000, 430, "Cardio.Isch. :"},
        {3050, 430, "Dyslipidémie :"},
        {2900, 1230, "Néphropathie :"},
        {2950, 1230, "Neuropathie :"},
        {3000, 1230, "Autre :"},
    };
    EXPECT_EQ(placedTexts(layout(r)), expected);
}

TEST(FibLayout, FontsRulesAndTitle) {
    PrintDocument doc = layout(blankFib());
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.title, "FIB 12-0034");
    const auto& items = doc.pages[0].items;
    // "PELORAMIX" alone is bold; everything is Arial 9.
    std::vector<std::pair<bool, std::string>> styled;
    bool bold = false;
    for (const auto& it : items) {
        if (it.kind == DrawItem::Font) {
            EXPECT_EQ(it.font.name, "Arial");
            EXPECT_EQ(it.font.size, 9);
            bold = it.font.bold;
        } else if (it.kind == DrawItem::Text && bold) {
            styled.emplace_back(bold, it.text);
        }
    }
    ASSERT_EQ(styled.size(), 1u);
    EXPECT_EQ(styled[0].second, "PELORAMIX");

    std::vector<int> rules;
    for (const auto& it : items)
        if (it.kind == DrawItem::Line) {
            EXPECT_EQ(it.x1, 100);
            EXPECT_EQ(it.x2, 2200);
            EXPECT_EQ(it.y1, it.y2);
            rules.push_back(it.y1);
        }
    EXPECT_EQ(rules, (std::vector<int>{420, 670, 970, 1320, 1470, 1970, 2370, 2520, 2870}));
}

TEST(FibLayout, FullSheetPutsEveryAnswerInItsCell) {
    FibRecord r = blankFib();
    r.setInitiale("é");
    r.set(fld::AnNaissance, 1950);
    r.set(fld::Sexe, 2);
    r.set(fld::TypeDiabete, 3);
    r.set(fld::AnDebutDiabete, 1980);
    r.set(fld::AnDebutComprimes, 1985);
    r.set(fld::AnDebutInsuline, 1990);
    r.set(fld::ConsultHospit, 2);
    r.set(fld::Motif, 5);
    r.set(fld::GrossEnfantNormal, 1);
    r.set(fld::GrossFC, 0);
    r.set(fld::GrossMortPerinatale, 2);
    r.set(fld::DiabeteFamille, 1);
    r.set(fld::Tabac, 1);
    r.set(fld::Alcool, 1);
    r.set(fld::AlcoolGrSemaine, 140);
    r.set(fld::AutoSurveillance, 1);
    r.set(fld::GlycemiesSemaine, 14);
    r.set(fld::GlycosuriesSemaine, 0);
    r.set(fld::EducAlimentation, 1);
    r.set(fld::EducSoinsPieds, 2);
    r.set(fld::EducComplications, 1);
    r.set(fld::EducAutosurveillance, 1);
    r.set(fld::EducHypoglycemies, 1);
    r.set(fld::EducAjustInsuline, 1);
    r.set(fld::Association, 1);
    r.set(fld::Poids, 72);
    r.set(fld::Taille, 165);
    r.set(fld::TourHanches, 101);
    r.set(fld::TaSyst, 135);
    r.set(fld::TaDiast, 85);
    r.set(fld::GlyJeun, 7.5f);
    r.set(fld::HbA1c, 6.5f);
    r.set(fld::Fructosamine, 0.0f);
    r.set(fld::Creatinine, 88.0f);
    r.set(fld::Microalb, 25.25f);
    r.set(fld::Proteinurie, 0.15f);
    r.set(fld::Cholesterol, 5.2f);
    r.set(fld::Hdl, 1.35f);
    r.set(fld::Triglycerides, 1.8f);
    r.set(fld::TrigAJeun, 1);

    PrintDocument doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 100),
              (std::vector<std::string>{"100:PELORAMIX", "800:Centre : 12   Fiche : 34   Nom : É", "1900:08/12/2026"}));
    EXPECT_EQ(textsAtRow(doc, 200),
              (std::vector<std::string>{"100:Données de base : Naissance : 1950          Sexe : Femme"}));
    EXPECT_EQ(textsAtRow(doc, 250), (std::vector<std::string>{"430:Autre ", "830:Début en 1980",
                                                              "1230:Comprimés en 1985", "1630:Insuline en 1990"}));
    EXPECT_EQ(textsAtRow(doc, 300), (std::vector<std::string>{"100:Hospitalisation :", "430:Diagnostic récent"}));
    EXPECT_EQ(textsAtRow(doc, 350), (std::vector<std::string>{"100:Grossesse :", "430:Enfant normal : 1",
                                                              "830:Fausse couche : 0", "1630:Mort périnatale : 2"}));
    // Tobacco answered without a count keeps its words around the empty number.
    EXPECT_EQ(textsAtRow(doc, 450), (std::vector<std::string>{"100:Facteurs de risque : Diabète familial",
                                                              "830:Tabac   cig/j", "1230:Alcool  140 gr/s"}));
    EXPECT_EQ(textsAtRow(doc, 500), (std::vector<std::string>{"100:Autosurveillance :", "430:Oui",
                                                              "830:Glycémie  14 /s", "1230:Glycosurie  0 /s"}));
    EXPECT_EQ(textsAtRow(doc, 550), (std::vector<std::string>{"100:Education :", "430:Alimentation",
                                                              "1230:Complications", "1630:Autosurveillance"}));
    EXPECT_EQ(textsAtRow(doc, 600),
              (std::vector<std::string>{"430:Hypoglycémie", "830:Ajustement insuline", "1630:Association"}));
    EXPECT_EQ(textsAtRow(doc, 700), (std::vector<std::string>{"100:Données :", "430:Poids  72 Kg", "830:Taille  165 cm",
                                                              "1630:Tour hanches  101 cm"}));
    EXPECT_EQ(textsAtRow(doc, 750), (std::vector<std::string>{"430:Tension  135 / 85 mmHg"}));
    EXPECT_EQ(textsAtRow(doc, 800),
              (std::vector<std::string>{"430:Glycém. 7.50 mmol/l", "830:HbA1C  6.50 %", "1230:Fructose  0.00"}));
    EXPECT_EQ(textsAtRow(doc, 850), (std::vector<std::string>{"430:Créatin.  88.00 µmol/l", "830:Microalb.  25.25 mg/j",
                                                              "1230:Protéinurie  0.150 g/j"}));
    EXPECT_EQ(textsAtRow(doc, 900), (std::vector<std::string>{"430:Cholest.   5.20 mmol/l", "830:HDL  1.35 mmol/l",
                                                              "1230:Trigly.  1.80 mmol/l", "1630:  à Jeun"}));
}

TEST(FibLayout, PregnancyRowOnlyForAWoman) {
    FibRecord r = blankFib();
    r.set(fld::GrossEnfantNormal, 2);
    r.set(fld::GrossMalformation, 1);
    for (std::uint8_t sexe : {1, 255, 3}) {
        r.set(fld::Sexe, sexe);
        PrintDocument doc = layout(r);
        EXPECT_TRUE(textsAtRow(doc, 350).empty()) << int(sexe);
        EXPECT_FALSE(hasText(doc, "Grossesse :"));
    }
    r.set(fld::Sexe, 3);  // a code no control gives: no sex words at all
    EXPECT_EQ(textsAtRow(layout(r), 200), (std::vector<std::string>{"100:Données de base : Naissance : "}));
    r.set(fld::Sexe, 1);
    EXPECT_EQ(textsAtRow(layout(r), 200),
              (std::vector<std::string>{"100:Données de base : Naissance :           Sexe : Homme"}));
    r.set(fld::Sexe, 2);
    EXPECT_EQ(textsAtRow(layout(r), 350),
              (std::vector<std::string>{"100:Grossesse :", "430:Enfant normal : 2", "1230:Malformation : 1"}));
}

TEST(FibLayout, LaboratoryValuesPrintOnlyWhenKnown) {
    FibRecord r = blankFib();
    r.set(fld::HbA1c, 0.0f);
    r.set(fld::GlyJeun, -0.99f);  // negative: not a value the print shows
    r.set(fld::Microalb, 1234.567f);
    r.set(fld::Proteinurie, 0.0f);
    r.set(fld::Hdl, -0.0f);
    PrintDocument doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 800), (std::vector<std::string>{"830:HbA1C  0.00 %"}));
    EXPECT_EQ(textsAtRow(doc, 850),
              (std::vector<std::string>{"830:Microalb.  1234.57 mg/j", "1230:Protéinurie  0.000 g/j"}));
    EXPECT_EQ(textsAtRow(doc, 900), (std::vector<std::string>{"830:HDL  0.00 mmol/l"}));
    EXPECT_EQ(printedLabValue(6.5f), "6.50");
    EXPECT_EQ(printedLabValue(0.125f), "0.12");
    EXPECT_EQ(printedProteinuria(2.5f), "2.500");
}

TEST(FibLayout, UnitLabelsFollowTheCentreUnits) {
    FibRecord r = blankFib();
    r.set(fld::Cholesterol, 2.3f);
    r.set(fld::Creatinine, 9.5f);
    r.set(fld::GlyJeun, 1.1f);
    r.set(fld::Triglycerides, 150.0f);
    // Glycémie, Créatinine, Microalb., Protéinurie, Cholestérol, HDL, Triglycérides.
    FibUnitLabels u = unitLabelsFor({4, 4, 3, 3, 4, 3, 5});
    PrintDocument doc = layout(r, u);
    // Printed as stored, with the unit of entry.
    EXPECT_EQ(textsAtRow(doc, 900),
              (std::vector<std::string>{"430:Cholest.   2.30 g/l", "1230:Trigly.  150.00 mg/dl"}));
    EXPECT_EQ(textsAtRow(doc, 850), (std::vector<std::string>{"430:Créatin.  9.50 mg/l"}));
    EXPECT_EQ(textsAtRow(doc, 800), (std::vector<std::string>{"430:Glycém. 1.10 g/l"}));
    FibUnitLabels intl = unitLabelsFor({3, 3, 3, 3, 3, 3, 3});
    EXPECT_EQ(intl.creatinine, "µmol/l");
    EXPECT_EQ(intl.hdl, "mmol/l");
    EXPECT_EQ(unitLabelsFor({5, 5, 5, 5, 5, 5, 5}).creatinine, "µmol/l");  // no mg/dl for creatinine
}

TEST(FibLayout, ComplicationCodes) {
    FibRecord r = blankFib();
    r.set(fld::Cecite, 3);  // cannot be entered: prints nothing
    r.set(fld::InsufRenale, 3);
    r.set(fld::Infarctus, 3);
    r.set(fld::Avc, 2);
    r.set(fld::AmputSup, 4);
    r.set(fld::AmputInf, 1);
    PrintDocument doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 1000), (std::vector<std::string>{"100:St-Vincent :"}));
    EXPECT_TRUE(textsAtRow(doc, 1150).empty());
    EXPECT_EQ(textsAtRow(doc, 1050), (std::vector<std::string>{"430:Infarctus récent et ancien"}));
    EXPECT_EQ(textsAtRow(doc, 1100), (std::vector<std::string>{"830:AVC ancienne"}));
    EXPECT_EQ(textsAtRow(doc, 1200), (std::vector<std::string>{"1230:Pas d'Amput.sup. cheville"}));
    EXPECT_EQ(textsAtRow(doc, 1250), (std::vector<std::string>{"430:Amput.inf. récente"}));
    r.set(fld::Cecite, 4);
    r.set(fld::InsufRenale, 2);
    doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 1000), (std::vector<std::string>{"100:St-Vincent :", "1230:Pas de Cécité"}));
    EXPECT_EQ(textsAtRow(doc, 1150), (std::vector<std::string>{"830:Ins.Rén. ancienne"}));
}

TEST(FibLayout, EyesFeetAndQualityOfLife) {
    FibRecord r = blankFib();
    r.set(fld::Angor, 1);
    r.set(fld::Anerection, 2);
    r.set(fld::Claudication, 1);
    r.set(fld::ExamYeux, 1);
    r.set(fld::CataracteD, 1);
    r.set(fld::RetinopathieG, 1);
    r.set(fld::PhotocoagG, 2);
    r.set(fld::AcuiteD, 0);
    r.set(fld::AcuiteG, 10);
    r.set(fld::ExamPieds, 2);
    r.set(fld::SensVibraG, 1);
    r.set(fld::PontageD, 1);
    r.set(fld::HypoNbAn, 0);
    r.set(fld::JoursHorsHosp, 12);
    r.set(fld::InjApres, 4);
    r.set(fld::Stylo, 1);
    PrintDocument doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 1350), (std::vector<std::string>{"100:Symptômes :", "830:Angor"}));
    EXPECT_EQ(textsAtRow(doc, 1400), (std::vector<std::string>{"830:Claudication"}));
    EXPECT_EQ(textsAtRow(doc, 1500), (std::vector<std::string>{"100:YEUX :", "430:Examen des yeux fait"}));
    EXPECT_EQ(textsAtRow(doc, 1650), (std::vector<std::string>{"830:Cataracte"}));
    EXPECT_EQ(textsAtRow(doc, 1800), (std::vector<std::string>{"1630:Rétino"}));
    EXPECT_TRUE(textsAtRow(doc, 1550).size() == 2u);  // only the eye captions
    EXPECT_EQ(textsAtRow(doc, 1900), (std::vector<std::string>{"830:Acuité : 0", "1630:Acuité : 10"}));
    EXPECT_EQ(textsAtRow(doc, 2000), (std::vector<std::string>{"100:PIEDS :"}));
    EXPECT_EQ(textsAtRow(doc, 2050),
              (std::vector<std::string>{"430:Pied gauche :", "1230:Pied droit :", "830:Sensibilité vibr."}));
    EXPECT_EQ(textsAtRow(doc, 2300), (std::vector<std::string>{"1630:Pontage"}));
    EXPECT_EQ(textsAtRow(doc, 2400),
              (std::vector<std::string>{"100:Qualité de vie :", "430:Nb.Hypo  0", "1630:Nb.JHors Hosp.  12"}));
    EXPECT_EQ(textsAtRow(doc, 2450), (std::vector<std::string>{"830:Inj.Ins.Ap.  4", "1230:Stylo"}));
}

TEST(FibLayout, RetinopathyKindsShareOneOpaqueCell) {
    FibRecord r = blankFib();
    r.set(fld::RetinoNonProlifD, 1);
    r.set(fld::RetinoProlifD, 1);
    r.set(fld::RetinoPreprolifG, 1);
    r.set(fld::RetinoProlifG, 2);
    PrintDocument doc = layout(r);
    EXPECT_EQ(textsAtRow(doc, 1850), (std::vector<std::string>{"830:Non Prolif.", "830:Prolif.", "1630:PréProlif."}));
    // Each kind blanks its cell before it is drawn, so the last one reads whole.
    const auto& items = doc.pages[0].items;
    int rects = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind != DrawItem::Rect) continue;
        ++rects;
        ASSERT_LT(i + 1, items.size());
        EXPECT_EQ(items[i + 1].kind, DrawItem::Text);
        EXPECT_EQ(items[i].x1, items[i + 1].x1);
        EXPECT_EQ(items[i].y1, 1850);
        EXPECT_EQ(items[i].x2 - items[i].x1, 400);  // up to the next column
    }
    EXPECT_EQ(rects, 3);
}

TEST(FibLayout, TreatmentWords) {
    FibRecord r = blankFib();
    r.set(fld::RegimeSeul, 3);
    r.set(fld::AnBiguanides, 1990);
    r.set(fld::Biguanides, 1);
    r.set(fld::Sulfamides, 4);  // no word for an unknown code
    r.set(fld::AnThiazolidinediones, 0);
    r.set(fld::InsPompe, 2);
    r.set(fld::TrtHta, 2);
    r.set(fld::TrtAutre, 3);
    PrintDocument doc = layout(r);
    EXPECT_EQ(
        textsAtRow(doc, 2550),
        (std::vector<std::string>{"100:Trait. diabète :", "430:Régime :", "1230:Avant et Après", "1630:Analogue :"}));
    EXPECT_EQ(textsAtRow(doc, 2600),
              (std::vector<std::string>{"430:Biguanides :", "830:1990", "1230:Avant", "1630:Rapide :"}));
    EXPECT_EQ(textsAtRow(doc, 2650), (std::vector<std::string>{"430:Sulfamides :", "1630:NPH :"}));
    EXPECT_EQ(textsAtRow(doc, 2750), (std::vector<std::string>{"430:Thiazo :", "830:0", "1630:Lent :"}));
    EXPECT_EQ(textsAtRow(doc, 2800), (std::vector<std::string>{"1630:Pompe :", "1930:Après"}));
    EXPECT_EQ(textsAtRow(doc, 2900),
              (std::vector<std::string>{"100:Trait. associés :", "430:HTA :", "830:Après", "1230:Néphropathie :"}));
    EXPECT_EQ(textsAtRow(doc, 3000),
              (std::vector<std::string>{"430:Cardio.Isch. :", "1230:Autre :", "1630:Avant et Après"}));
    EXPECT_EQ(treatmentWord(0), "");
    EXPECT_EQ(treatmentWord(255), "");
}
