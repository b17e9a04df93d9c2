#include "print/FibLayout.h"

#include "store/Text.h"
#include "store/Units.h"

#include <cstdio>

namespace pelo {

namespace {

// Columns of values, and the fifth for the insulin kinds.
constexpr int kLabelX = 100;
constexpr int kCol1 = 430, kCol2 = 830, kCol3 = 1230, kCol4 = 1630, kCol5 = 1930;
constexpr int kRow = 50;

std::string i32Text(std::int32_t v) { return v >= 0 ? std::to_string(v) : std::string(); }

std::string fixed(float v, int decimals) {
    if (v == 0.0f) v = 0.0f;  // a stored -0.0 prints as 0.00
    char buf[64];
    std::snprintf(buf, sizeof buf, "%4.*f", decimals, static_cast<double>(v));
    return buf;
}

class Page {
public:
    explicit Page(DrawList& d) : d_(d) {}
    void text(int x, int y, const std::string& s) { d_.text(x, y, s); }
    // A yes/no answer prints its label when it is "oui".
    void yes(int x, int y, const FibRecord& r, Field<FieldType::U8> f, const char* label) {
        if (r.get(f) == 1) text(x, y, label);
    }
    // A number with its label and unit, only when it holds a value.
    void i32(int x, int y, const FibRecord& r, Field<FieldType::I32> f, const std::string& before,
             const std::string& after = {}) {
        if (r.get(f) >= 0) text(x, y, before + std::to_string(r.get(f)) + after);
    }
    void u8(int x, int y, const FibRecord& r, Field<FieldType::U8> f, const std::string& before) {
        if (r.get(f) < 255) text(x, y, before + std::to_string(r.get(f)));
    }
    void lab(int x, int y, const FibRecord& r, Field<FieldType::F32> f, const std::string& before,
             const std::string& after = {}) {
        const float v = r.get(f);
        if (v >= 0.0f && isMeasure(v)) text(x, y, before + printedLabValue(v) + after);
    }
    void treatment(int x, int y, const FibRecord& r, Field<FieldType::U8> f) {
        std::string w = treatmentWord(r.get(f));
        if (!w.empty()) text(x, y, w);
    }

private:
    DrawList& d_;
};

// Words of a code, indexed from 1.
template <std::size_t N>
void codeWord(Page& p, int y, std::uint8_t code, const std::array<std::pair<int, const char*>, N>& words) {
    if (code >= 1 && code <= N && words[code - 1].second) p.text(words[code - 1].first, y, words[code - 1].second);
}

// Rows of yes answers for the two eyes or feet: one label per row, the first
// side's answer in column 2, the second side's in column 4.
template <std::size_t N>
void twoSides(Page& p, const FibRecord& r, int y, const char* const* rows, const Field<FieldType::U8> (&first)[N],
              const Field<FieldType::U8> (&second)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        p.yes(kCol2, y + int(i) * kRow, r, first[i], rows[i]);
        p.yes(kCol4, y + int(i) * kRow, r, second[i], rows[i]);
    }
}

}  // namespace

FibUnitLabels unitLabelsFor(const std::array<std::uint16_t, 7>& u) {
    FibUnitLabels l;
    l.glycemie = units::label(kUnitGly, u[kUnitGly]);
    l.creatinine = units::label(kUnitCreat, u[kUnitCreat]);
    l.cholesterol = units::label(kUnitChol, u[kUnitChol]);
    l.hdl = units::label(kUnitHdl, u[kUnitHdl]);
    l.triglycerides = units::label(kUnitTrig, u[kUnitTrig]);
    return l;
}

std::string printedLabValue(float v) { return fixed(v, 2); }
std::string printedProteinuria(float v) { return fixed(v, 3); }

std::string treatmentWord(std::uint8_t code) {
    switch (code) {
    case 1: return "Avant";
    case 2: return "Après";
    case 3: return "Avant et Après";
    default: return {};
    }
}

std::string fibPrintTitle(const FibRecord& fib) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "FIB %u-%04u", unsigned(fib.get(fld::NumCentre)), unsigned(fib.get(fld::NumFib)));
    return buf;
}

PrintDocument fibPrintLayout(const FibRecord& r, const std::string& dateText, const FibUnitLabels& units) {
    PrintDocument doc;
    doc.title = fibPrintTitle(r);
    doc.pages.emplace_back();
    DrawList& d = doc.pages.back();
    Page p(d);

    FontSpec regular;  // Arial 9, black
    FontSpec bold = regular;
    bold.bold = true;
    d.setPen(colors::Black);
    d.setBrush(colors::White);

    // Header line.
    d.setFont(bold);
    p.text(kLabelX, 100, "PELORAMIX");
    d.setFont(regular);
    p.text(800, 100,
           "Centre : " + std::to_string(r.get(fld::NumCentre)) + "   Fiche : " + std::to_string(r.get(fld::NumFib)) +
               "   Nom : " + r.initiale());
    p.text(1900, 100, dateText);

    // Identification and contact.
    {
        std::string s = "Données de base : Naissance : " + i32Text(r.get(fld::AnNaissance));
        switch (r.get(fld::Sexe)) {
        case 1: s += "          Sexe : Homme"; break;
        case 2: s += "          Sexe : Femme"; break;
        case 255: s += "          Sexe : inconnu"; break;
        default: break;
        }
        p.text(kLabelX, 200, s);
    }
    codeWord<3>(p, 250, r.get(fld::TypeDiabete), {{{kCol1, "Type 1"}, {kCol1, "Type 2"}, {kCol1, "Autre "}}});
    p.i32(kCol2, 250, r, fld::AnDebutDiabete, "Début en ");
    p.i32(kCol3, 250, r, fld::AnDebutComprimes, "Comprimés en ");
    p.i32(kCol4, 250, r, fld::AnDebutInsuline, "Insuline en ");
    codeWord<2>(p, 300, r.get(fld::ConsultHospit), {{{kLabelX, "Consultation :"}, {kLabelX, "Hospitalisation :"}}});
    codeWord<7>(p, 300, r.get(fld::Motif),
                {{{kCol1, "Surveillance"},
                  {kCol1, "Déséquilibre"},
                  {kCol1, "Complication"},
                  {kCol1, "Urgence"},
                  {kCol1, "Diagnostic récent"},
                  {kCol1, "Grossesse"},
                  {kCol1, "Autre"}}});
    if (r.get(fld::Sexe) == 2) {
        p.text(kLabelX, 350, "Grossesse :");
        p.u8(kCol1, 350, r, fld::GrossEnfantNormal, "Enfant normal : ");
        p.u8(kCol2, 350, r, fld::GrossFC, "Fausse couche : ");
        p.u8(kCol3, 350, r, fld::GrossMalformation, "Malformation : ");
        p.u8(kCol4, 350, r, fld::GrossMortPerinatale, "Mort périnatale : ");
    }

    // Risk factors, self-monitoring, education.
    // The label with its French space is wider than its column: the first
    // answer follows it in the same text, so that the two never run together.
    p.text(kLabelX, 450,
           r.get(fld::DiabeteFamille) == 1 ? "Facteurs de risque : Diabète familial" : "Facteurs de risque :");
    if (r.get(fld::Tabac) == 1) p.text(kCol2, 450, "Tabac  " + i32Text(r.get(fld::Cigarettes)) + " cig/j");
    if (r.get(fld::Alcool) == 1) p.text(kCol3, 450, "Alcool  " + i32Text(r.get(fld::AlcoolGrSemaine)) + " gr/s");
    p.text(kLabelX, 500, "Autosurveillance :");
    if (r.get(fld::AutoSurveillance) == 1) p.text(kCol1, 500, "Oui");
    p.i32(kCol2, 500, r, fld::GlycemiesSemaine, "Glycémie  ", " /s");
    p.i32(kCol3, 500, r, fld::GlycosuriesSemaine, "Glycosurie  ", " /s");
    p.text(kLabelX, 550, "Education :");
    p.yes(kCol1, 550, r, fld::EducAlimentation, "Alimentation");
    p.yes(kCol2, 550, r, fld::EducSoinsPieds, "Soins pieds");
    p.yes(kCol3, 550, r, fld::EducComplications, "Complications");
    p.yes(kCol4, 550, r, fld::EducAutosurveillance, "Autosurveillance");
    p.yes(kCol1, 600, r, fld::EducHypoglycemies, "Hypoglycémie");
    p.yes(kCol2, 600, r, fld::EducAjustInsuline, "Ajustement insuline");
    p.yes(kCol4, 600, r, fld::Association, "Association");

    // Measures and laboratory values.
    p.text(kLabelX, 700, "Données :");
    p.i32(kCol1, 700, r, fld::Poids, "Poids  ", " Kg");
    p.i32(kCol2, 700, r, fld::Taille, "Taille  ", " cm");
    p.i32(kCol3, 700, r, fld::TourTaille, "Tour Taille  ", " cm");
    p.i32(kCol4, 700, r, fld::TourHanches, "Tour hanches  ", " cm");
    // The blood pressure row is always printed; a missing value prints empty.
    p.text(kCol1, 750, "Tension  " + i32Text(r.get(fld::TaSyst)) + " / " + i32Text(r.get(fld::TaDiast)) + " mmHg");
    p.lab(kCol1, 800, r, fld::GlyJeun, "Glycém. ", " " + units.glycemie);
    p.lab(kCol2, 800, r, fld::HbA1c, "HbA1C  ", " %");
    p.lab(kCol3, 800, r, fld::Fructosamine, "Fructose  ");
    p.lab(kCol1, 850, r, fld::Creatinine, "Créatin.  ", " " + units.creatinine);
    p.lab(kCol2, 850, r, fld::Microalb, "Microalb.  ", " mg/j");
    if (r.get(fld::Proteinurie) >= 0.0f)
        p.text(kCol3, 850, "Protéinurie  " + printedProteinuria(r.get(fld::Proteinurie)) + " g/j");
    p.lab(kCol1, 900, r, fld::Cholesterol, "Cholest.   ", " " + units.cholesterol);
    p.lab(kCol2, 900, r, fld::Hdl, "HDL  ", " " + units.hdl);
    p.lab(kCol3, 900, r, fld::Triglycerides, "Trigly.  ", " " + units.triglycerides);
    p.yes(kCol4, 900, r, fld::TrigAJeun, "  à Jeun");

    // St-Vincent complications.
    p.text(kLabelX, 1000, "St-Vincent :");
    codeWord<4>(p, 1000, r.get(fld::Cecite),
                {{{kCol1, "Cécité récente"}, {kCol2, "Cécité ancienne"}, {kCol1, nullptr}, {kCol3, "Pas de Cécité"}}});
    codeWord<4>(p, 1050, r.get(fld::Infarctus),
                {{{kCol1, "Infarctus récent"},
                  {kCol2, "Infarctus ancien"},
                  {kCol1, "Infarctus récent et ancien"},
                  {kCol3, "Pas d'Infarctus"}}});
    codeWord<4>(
        p, 1100, r.get(fld::Avc),
        {{{kCol1, "AVC récente"}, {kCol2, "AVC ancienne"}, {kCol1, "AVC récente et ancienne"}, {kCol3, "Pas d'AVC"}}});
    codeWord<4>(p, 1150, r.get(fld::InsufRenale),
                {{{kCol1, "Ins.Rén. récente"},
                  {kCol2, "Ins.Rén. ancienne"},
                  {kCol1, nullptr},
                  {kCol3, "Pas d'Insuf. rénale"}}});
    codeWord<4>(p, 1200, r.get(fld::AmputSup),
                {{{kCol1, "Amput.sup. récente"},
                  {kCol2, "Amput.sup. ancienne"},
                  {kCol1, "Amput.sup. récente et ancienne"},
                  {kCol3, "Pas d'Amput.sup. cheville"}}});
    codeWord<4>(p, 1250, r.get(fld::AmputInf),
                {{{kCol1, "Amput.inf. récente"},
                  {kCol2, "Amput.inf. ancienne"},
                  {kCol1, "Amput.inf. récente et ancienne"},
                  {kCol3, "Pas d'Amput.inf. cheville"}}});

    // Symptoms.
    p.text(kLabelX, 1350, "Symptômes :");
    p.yes(kCol1, 1350, r, fld::HypoTaOrtho, "Hypotension");
    p.yes(kCol2, 1350, r, fld::Angor, "Angor");
    p.yes(kCol3, 1350, r, fld::Anerection, "Anérection");
    p.yes(kCol1, 1400, r, fld::NeuropathiePeri, "Neuropéri");
    p.yes(kCol2, 1400, r, fld::Claudication, "Claudication");

    // Eyes.
    p.text(kLabelX, 1500, "YEUX :");
    if (r.get(fld::ExamYeux) == 1) p.text(kCol1, 1500, "Examen des yeux fait");
    p.text(kCol1, 1550, "Oeil droit :");
    p.text(kCol3, 1550, "Oeil gauche :");
    {
        const char* rows[] = {"Photocoag", "Vitrec", "Cataracte", "Rétine vue", "Maculo", "Rétino"};
        const Field<FieldType::U8> right[] = {fld::PhotocoagD, fld::VitrectomieD,  fld::CataracteD,
                                              fld::RetineVueD, fld::MaculopathieD, fld::RetinopathieD};
        const Field<FieldType::U8> left[] = {fld::PhotocoagG, fld::VitrectomieG,  fld::CataracteG,
                                             fld::RetineVueG, fld::MaculopathieG, fld::RetinopathieG};
        twoSides(p, r, 1550, rows, right, left);
        // The three kinds share one place, each drawn over the one before on an
        // opaque cell, so that the last one answered is the one that reads.
        const char* kinds[] = {"Non Prolif.", "PréProlif.", "Prolif."};
        const Field<FieldType::U8> kindR[] = {fld::RetinoNonProlifD, fld::RetinoPreprolifD, fld::RetinoProlifD};
        const Field<FieldType::U8> kindL[] = {fld::RetinoNonProlifG, fld::RetinoPreprolifG, fld::RetinoProlifG};
        auto kind = [&](int x, Field<FieldType::U8> f, const char* label) {
            if (r.get(f) != 1) return;
            d.fillRect(x, 1850, x + 400, 1850 + kRow);
            p.text(x, 1850, label);
        };
        for (int i = 0; i < 3; ++i) kind(kCol2, kindR[i], kinds[i]);
        for (int i = 0; i < 3; ++i) kind(kCol4, kindL[i], kinds[i]);
    }
    p.u8(kCol2, 1900, r, fld::AcuiteD, "Acuité : ");
    p.u8(kCol4, 1900, r, fld::AcuiteG, "Acuité : ");

    // Feet.
    p.text(kLabelX, 2000, "PIEDS :");
    if (r.get(fld::ExamPieds) == 1) p.text(kCol1, 2000, "Examen des pieds fait");
    p.text(kCol1, 2050, "Pied gauche :");
    p.text(kCol3, 2050, "Pied droit :");
    {
        const char* rows[] = {"Sensibilité vibr.", "Sensibilité doul.", "Pouls présent",
                              "Ulcère cicatrisé",  "Ulcère aigu",       "Pontage"};
        const Field<FieldType::U8> left[] = {fld::SensVibraG,   fld::SensDoulG,   fld::PoulsG,
                                             fld::UlcereCicatG, fld::UlcereAiguG, fld::PontageG};
        const Field<FieldType::U8> right[] = {fld::SensVibraD,   fld::SensDoulD,   fld::PoulsD,
                                              fld::UlcereCicatD, fld::UlcereAiguD, fld::PontageD};
        twoSides(p, r, 2050, rows, left, right);
    }

    // Quality of life.
    p.text(kLabelX, 2400, "Qualité de vie :");
    p.i32(kCol1, 2400, r, fld::HypoNbAn, "Nb.Hypo  ");
    p.i32(kCol2, 2400, r, fld::HyperNbAn, "Nb.Hyper  ");
    p.i32(kCol3, 2400, r, fld::JoursHosp, "Nb.JHosp.  ");
    p.i32(kCol4, 2400, r, fld::JoursHorsHosp, "Nb.JHors Hosp.  ");
    p.u8(kCol1, 2450, r, fld::InjAvant, "Inj.Ins.Av.  ");
    p.u8(kCol2, 2450, r, fld::InjApres, "Inj.Ins.Ap.  ");
    p.yes(kCol3, 2450, r, fld::Stylo, "Stylo");

    // Treatment of the diabetes.
    p.text(kLabelX, 2550, "Trait. diabète :");
    p.text(kCol1, 2550, "Régime :");
    p.treatment(kCol3, 2550, r, fld::RegimeSeul);
    {
        const char* rows[] = {"Biguanides :", "Sulfamides :", "Inib. Gluco :", "Thiazo :"};
        const Field<FieldType::I32> years[] = {fld::AnBiguanides, fld::AnSulfamides, fld::AnInhibGlucosidase,
                                               fld::AnThiazolidinediones};
        const Field<FieldType::U8> codes[] = {fld::Biguanides, fld::Sulfamides, fld::InhibGlucosidase,
                                              fld::Thiazolidinediones};
        for (int i = 0; i < 4; ++i) {
            const int y = 2600 + i * kRow;
            p.text(kCol1, y, rows[i]);
            p.i32(kCol2, y, r, years[i], "");
            p.treatment(kCol3, y, r, codes[i]);
        }
    }
    {
        const char* rows[] = {"Analogue :", "Rapide :", "NPH :", "Mel :", "Lent :", "Pompe :"};
        const Field<FieldType::U8> codes[] = {fld::InsAnalogue, fld::InsRapide, fld::InsNph,
                                              fld::InsMelanges, fld::InsLente,  fld::InsPompe};
        for (int i = 0; i < 6; ++i) {
            const int y = 2550 + i * kRow;
            p.text(kCol4, y, rows[i]);
            p.treatment(kCol5, y, r, codes[i]);
        }
    }

    // Associated treatments.
    p.text(kLabelX, 2900, "Trait. associés :");
    {
        const char* rows[] = {"HTA :", "Insuf.Card. :", "Cardio.Isch. :", "Dyslipidémie :"};
        const Field<FieldType::U8> codes[] = {fld::TrtHta, fld::TrtInsufCard, fld::TrtCardIschem, fld::TrtDyslipidemie};
        for (int i = 0; i < 4; ++i) {
            p.text(kCol1, 2900 + i * kRow, rows[i]);
            p.treatment(kCol2, 2900 + i * kRow, r, codes[i]);
        }
    }
    {
        const char* rows[] = {"Néphropathie :", "Neuropathie :", "Autre :"};
        const Field<FieldType::U8> codes[] = {fld::TrtNephro, fld::TrtNeuro, fld::TrtAutre};
        for (int i = 0; i < 3; ++i) {
            p.text(kCol3, 2900 + i * kRow, rows[i]);
            p.treatment(kCol4, 2900 + i * kRow, r, codes[i]);
        }
    }

    for (int y : kFibRuleHeights) d.line(100, y, 2200, y);
    return doc;
}

}  // namespace pelo
