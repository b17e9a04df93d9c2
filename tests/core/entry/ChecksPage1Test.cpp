// The eight check routines of entry page 1: messages, kinds, colours, state.
#include <gtest/gtest.h>

#include "entry/Checks.h"
#include "store/FibRecord.h"

using namespace pelo;
using namespace pelo::checks;

namespace {

// A sheet of a type 2 woman answered everywhere, with entries that pass.
struct Sheet {
    FibRecord r = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    Entries e{{"Edit3", "d"},        {"Edit4", "5"},        {"Edit5", "1950"},     {"MaskEdit1", "1990"},
              {"Edit1", "1992"},     {"Edit2", ""},         {"Edit9", "1"},        {"Edit8", ""},
              {"Edit7", ""},         {"Edit6", ""},         {"Edit10", ""},        {"Edit11", ""},
              {"MaskEdit2", "7"},    {"MaskEdit3", ""},     {"MaskEdit7", "72"},   {"MaskEdit6", "165"},
              {"MaskEdit5", "88"},   {"MaskEdit4", "100"},  {"MaskEdit8", "130"},  {"MaskEdit9", "80"},
              {"MaskEdit13", "6.1"}, {"MaskEdit14", "7.2"}, {"MaskEdit15", ""},    {"MaskEdit16", "80"},
              {"MaskEdit17", "12"},  {"MaskEdit18", ""},    {"MaskEdit11", "5.2"}, {"MaskEdit12", "1.3"},
              {"MaskEdit10", "1.4"}};
    Context c{2026, {3, 3, 3, 3, 3, 3, 3}, true};
    Sheet() {
        r.set(fld::EtatFiche, 0);
        r.set(fld::Sexe, 2);
        r.set(fld::TypeDiabete, 2);
        r.set(fld::ConsultHospit, 1);
        r.set(fld::Motif, 1);
        r.set(fld::AutoSurveillance, 1);
        for (auto f : {fld::Cecite, fld::Infarctus, fld::Avc, fld::InsufRenale, fld::AmputSup, fld::AmputInf})
            r.set(f, 4);
    }
    std::uint8_t etat() const { return r.get(fld::EtatFiche); }
};

std::vector<std::string> messages(const PanelResult& p) {
    std::vector<std::string> out;
    for (const auto& f : p.findings) out.push_back(f.message);
    return out;
}

using Msgs = std::vector<std::string>;

}  // namespace

TEST(Page1Checks, CompleteSheetHasNoFindingAndStoresItsEntries) {
    Sheet s;
    auto all = runPage1(s.r, s.e, s.c);
    ASSERT_EQ(all.size(), 8u);
    const char* order[] = {"Panel23", "Panel22", "Panel24", "Panel25", "Panel26", "Panel27", "Panel28", "Panel29"};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(all[i].panel, order[i]);
        EXPECT_EQ(all[i].colour, Colour::Navy) << order[i];
        EXPECT_TRUE(all[i].findings.empty())
            << order[i] << ": " << (all[i].findings.empty() ? "" : all[i].findings[0].message);
    }
    EXPECT_EQ(s.etat(), 0);
    EXPECT_EQ(s.r.initiale(), "D");
    EXPECT_EQ(s.r.get(fld::MoisNaissance), 5);
    EXPECT_EQ(s.r.get(fld::AnDebutInsuline), -1);
    EXPECT_EQ(s.r.get(fld::GrossEnfantNormal), 1);
    EXPECT_EQ(s.r.get(fld::GrossFC), 255);
    EXPECT_EQ(s.r.get(fld::Taille), 165);
    EXPECT_FLOAT_EQ(s.r.get(fld::GlyJeun), 6.1f);
    EXPECT_EQ(s.r.get(fld::Fructosamine), -1.0f);
}

TEST(Page1Checks, IdentificationMessagesInOrder) {
    Sheet s;
    s.e["Edit4"] = "";
    s.e["Edit5"] = "";
    s.e["MaskEdit1"] = "";
    s.e["Edit1"] = "";
    s.r.set(fld::Sexe, 255);
    s.r.set(fld::TypeDiabete, 255);
    auto p = Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Pas de mois de naissance", "Pas d'année de naissance", "Pas de Sexe",
                                 "Pas de Type de Diabète", "Les 3 dates laissées vierges"}));
    EXPECT_EQ(p.findings[0].kind, Kind::Warning);
    for (std::size_t i = 1; i < p.findings.size(); ++i) EXPECT_EQ(p.findings[i].kind, Kind::Error);
    EXPECT_EQ(p.colour, Colour::Red);
    EXPECT_EQ(s.etat(), 2);
    EXPECT_EQ(s.r.get(fld::MoisNaissance), 255);
    EXPECT_EQ(s.r.get(fld::AnNaissance), -1);
}

TEST(Page1Checks, IdentificationRangesAndYears) {
    Sheet s;
    s.e["Edit4"] = "13";
    s.e["Edit5"] = "2027";
    s.e["MaskEdit1"] = "19";  // the initial text left as it was
    auto p = Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Erreur sur le mois de naissance", "Erreur sur l'année de naissance",
                                 "Erreur sur l'année de début du diabète", "Pas né et déjà diabétique !"}));
    std::vector<Kind> kinds;
    for (const auto& f : p.findings) kinds.push_back(f.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Warning, Kind::Error, Kind::Error, Kind::Error}));

    Sheet t;  // a month of 0 is outside too; the current year itself passes
    t.e["Edit4"] = "0";
    t.e["Edit5"] = "2026";
    t.e["MaskEdit1"] = "2026";
    t.e["Edit1"] = "1900";
    p = Panel23Click(t.r, t.e, t.c);
    EXPECT_EQ(messages(p), (Msgs{"Erreur sur le mois de naissance", "Pas né et déjà diabétique !"}));
    EXPECT_EQ(t.etat(), 2);
}

TEST(Page1Checks, OnlyWarningsMakeTheSheetIncomplete) {
    Sheet s;
    s.e["Edit4"] = "";
    auto p = Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"Pas de mois de naissance"});
    EXPECT_EQ(p.colour, Colour::Orange);
    EXPECT_EQ(s.etat(), 1);
}

TEST(Page1Checks, TypeOneRules) {
    Sheet s;  // born 1950, diabetic since 1990: difference 40
    s.r.set(fld::TypeDiabete, 1);
    s.e["Edit1"] = "";
    s.e["Edit2"] = "1990";
    auto p = Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"Type 1 après 35 ans ?"});
    EXPECT_EQ(p.findings[0].kind, Kind::Warning);
    EXPECT_EQ(s.etat(), 1);

    Sheet t;  // diabetic at 35 exactly, tablets, no insulin
    t.r.set(fld::TypeDiabete, 1);
    t.e["MaskEdit1"] = "1985";
    t.e["Edit1"] = "1986";
    p = Panel23Click(t.r, t.e, t.c);
    EXPECT_EQ(messages(p), (Msgs{"Type 1 sans Insuline !", "Type 1 traité par comprimés ???"}));
    EXPECT_EQ(t.etat(), 2);

    Sheet u;  // insulin two years after the start; one year passes
    u.r.set(fld::TypeDiabete, 1);
    u.e["MaskEdit1"] = "1980";
    u.e["Edit1"] = "";
    u.e["Edit2"] = "1982";
    EXPECT_EQ(messages(Panel23Click(u.r, u.e, u.c)), Msgs{"Type 1 plus d'un an sans insuline ?"});
    u.e["Edit2"] = "1981";
    EXPECT_TRUE(Panel23Click(u.r, u.e, u.c).findings.empty());
}

TEST(Page1Checks, InitialIsUpperCaseAndAnEmptyEntryKeepsIt) {
    Sheet s;
    s.e["Edit3"] = "é";
    Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(s.r.initiale(), "É");
    s.e["Edit3"] = "";
    Panel23Click(s.r, s.e, s.c);
    EXPECT_EQ(s.r.initiale(), "É");
}

TEST(Page1Checks, ConversionErrorStopsTheRoutineAndLeavesTheSheetToReview) {
    Sheet s;
    s.e["Edit1"] = "19a5";
    s.e["Edit4"] = "";
    s.r.set(fld::AnDebutComprimes, 1970);
    auto p = Panel23Click(s.r, s.e, s.c);
    ASSERT_EQ(p.findings.size(), 1u);
    EXPECT_EQ(p.findings[0].kind, Kind::Conversion);
    EXPECT_EQ(p.findings[0].message, "'19a5' n'est pas une valeur entière correcte");
    EXPECT_EQ(s.r.get(fld::AnDebutDiabete), 1990);    // stored before the bad entry
    EXPECT_EQ(s.r.get(fld::AnDebutComprimes), 1970);  // left as it was
    EXPECT_EQ(s.r.get(fld::MoisNaissance), 255);      // never reached
    EXPECT_EQ(p.colour, Colour::Red);
    EXPECT_EQ(s.etat(), 2);

    Sheet t;  // in the middle of the measures
    t.e["MaskEdit9"] = "8O";
    t.e["MaskEdit13"] = "";
    p = Panel28Click(t.r, t.e, t.c);
    ASSERT_EQ(p.findings.size(), 1u);
    EXPECT_EQ(p.findings[0].message, "'8O' n'est pas une valeur entière correcte");
    EXPECT_EQ(t.r.get(fld::TaSyst), 130);
    EXPECT_EQ(t.r.get(fld::HbA1c), -1.0f);

    Sheet d;
    d.e["MaskEdit14"] = "7..2";
    p = Panel28Click(d.r, d.e, d.c);
    EXPECT_EQ(messages(p), Msgs{"'7..2' n'est pas une valeur en virgule flottante correcte"});
}

TEST(Page1Checks, ContactAndReason) {
    Sheet s;
    s.r.set(fld::ConsultHospit, 255);
    s.r.set(fld::Motif, 255);
    EXPECT_EQ(messages(Panel22Click(s.r, s.e, s.c)),
              (Msgs{"Type de soins non renseigné", "Motif de soins non renseigné"}));
    EXPECT_EQ(s.etat(), 2);

    Sheet m;
    m.r.set(fld::Sexe, 1);
    m.r.set(fld::Motif, 6);
    EXPECT_EQ(messages(Panel22Click(m.r, m.e, m.c)), Msgs{"Grossesse masculine !"});

    Sheet d;  // a recent diagnosis is this year or last year
    d.r.set(fld::Motif, 5);
    d.r.set(fld::AnDebutDiabete, 2025);
    EXPECT_TRUE(Panel22Click(d.r, d.e, d.c).findings.empty());
    d.r.set(fld::AnDebutDiabete, 2024);
    EXPECT_EQ(messages(Panel22Click(d.r, d.e, d.c)), Msgs{"Est-ce bien un diagnostic récent ?"});
    d.r.set(fld::AnDebutDiabete, -1);
    EXPECT_EQ(messages(Panel22Click(d.r, d.e, d.c)), Msgs{"Est-ce bien un diagnostic récent ?"});
}

TEST(Page1Checks, Pregnancy) {
    Sheet s;
    s.r.set(fld::Sexe, 1);
    s.e["Edit6"] = "6";
    auto p = Panel24Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Grossesse masculine !", "Valeurs peu vraisemblables !"}));
    EXPECT_EQ(s.r.get(fld::GrossMortPerinatale), 6);
    EXPECT_EQ(s.etat(), 2);

    Sheet u;  // sex unknown counts as not a woman; 5 is plausible
    u.r.set(fld::Sexe, 255);
    u.e["Edit9"] = "5";
    EXPECT_EQ(messages(Panel24Click(u.r, u.e, u.c)), Msgs{"Grossesse masculine !"});

    Sheet n;  // nothing typed: no finding whatever the sex
    n.r.set(fld::Sexe, 1);
    n.e["Edit9"] = "";
    EXPECT_TRUE(Panel24Click(n.r, n.e, n.c).findings.empty());
    EXPECT_EQ(n.r.get(fld::GrossEnfantNormal), 255);
}

TEST(Page1Checks, TobaccoAndAlcoholTickTheirOuiBox) {
    Sheet s;
    s.r.set(fld::Tabac, 2);
    s.e["Edit10"] = "10";
    s.e["Edit11"] = "2001";
    auto p = Panel25Click(s.r, s.e, s.c);
    EXPECT_EQ(s.r.get(fld::Tabac), 1);
    EXPECT_EQ(s.r.get(fld::Alcool), 1);
    EXPECT_EQ(p.ticked, (std::vector<std::string>{"CheckBox2", "CheckBox3"}));
    EXPECT_EQ(messages(p), Msgs{"Autant d'alcool ?"});
    EXPECT_EQ(s.etat(), 1);

    Sheet z;  // zero cigarettes tick nothing; 2000 g ticks alcohol and passes
    z.e["Edit10"] = "0";
    z.e["Edit11"] = "2000";
    p = Panel25Click(z.r, z.e, z.c);
    EXPECT_EQ(p.ticked, std::vector<std::string>{"CheckBox3"});
    EXPECT_TRUE(p.findings.empty());
    EXPECT_EQ(z.r.get(fld::Tabac), 255);
    EXPECT_EQ(z.r.get(fld::Cigarettes), 0);
}

TEST(Page1Checks, SelfMonitoring) {
    Sheet s;
    s.r.set(fld::AutoSurveillance, 255);
    s.e["MaskEdit2"] = "";
    auto p = Panel26Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"Autosurveillance non renseignée ?"});
    EXPECT_EQ(s.etat(), 2);

    Sheet t;  // a count ticks "Oui", which then is answered
    t.r.set(fld::AutoSurveillance, 2);
    t.e["MaskEdit3"] = "31";
    p = Panel26Click(t.r, t.e, t.c);
    EXPECT_EQ(t.r.get(fld::AutoSurveillance), 1);
    EXPECT_EQ(p.ticked, std::vector<std::string>{"RadioButton15"});
    EXPECT_EQ(messages(p), Msgs{"Autant de contrôles ?"});
    EXPECT_EQ(p.colour, Colour::Orange);
    EXPECT_EQ(t.etat(), 1);
}

TEST(Page1Checks, Education) {
    Sheet s;
    s.r.set(fld::EducAjustInsuline, 1);
    EXPECT_EQ(messages(Panel27Click(s.r, s.e, s.c)), Msgs{"Patient insulino-traité ?"});
    EXPECT_EQ(s.etat(), 1);
    s.r.set(fld::AnDebutInsuline, 2000);
    EXPECT_TRUE(Panel27Click(s.r, s.e, s.c).findings.empty());
}

TEST(Page1Checks, MeasuresAllEmpty) {
    Sheet s;
    for (const char* c :
         {"MaskEdit7", "MaskEdit6", "MaskEdit5", "MaskEdit4", "MaskEdit8", "MaskEdit9", "MaskEdit13", "MaskEdit14",
          "MaskEdit15", "MaskEdit16", "MaskEdit17", "MaskEdit18", "MaskEdit11", "MaskEdit12", "MaskEdit10"})
        s.e[c] = "";
    auto p = Panel28Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Poids non renseigné", "Taille non renseignée", "Tour de taille non renseigné",
                                 "Tour de hanches non renseigné", "TA non renseignée", "TA non renseignée",
                                 "Glycémie non renseignée", "HbA1C non renseignée", "Créatinine non renseignée",
                                 "Microalbuminurie non renseignée", "Cholestérol non renseigné", "HDL non renseigné",
                                 "Triglycérides non renseignés"}));
    std::vector<Kind> kinds;
    for (const auto& f : p.findings) kinds.push_back(f.kind);
    const Kind E = Kind::Error, S = Kind::SilentWarning;
    EXPECT_EQ(kinds, (std::vector<Kind>{E, E, S, S, E, E, S, E, S, E, E, S, E}));
    EXPECT_EQ(s.r.get(fld::Poids), -1);
    EXPECT_EQ(s.r.get(fld::Microalb), -1.0f);
    EXPECT_EQ(p.colour, Colour::Red);
}

TEST(Page1Checks, MissingWaistAndHipsOnlyIsOrangeWithoutChangingTheState) {
    Sheet s;
    s.e["MaskEdit5"] = "";
    s.e["MaskEdit4"] = "";
    auto p = Panel28Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Tour de taille non renseigné", "Tour de hanches non renseigné"}));
    EXPECT_EQ(p.colour, Colour::Orange);
    EXPECT_EQ(s.etat(), 0);
}

TEST(Page1Checks, BodyMeasuresBoundsAndMetres) {
    Sheet s;
    s.e["MaskEdit7"] = "200";
    s.e["MaskEdit6"] = "1.72";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
    EXPECT_EQ(s.r.get(fld::Poids), 200);
    EXPECT_EQ(s.r.get(fld::Taille), 172);

    s.e["MaskEdit7"] = "201";
    s.e["MaskEdit6"] = "2";
    EXPECT_EQ(messages(Panel28Click(s.r, s.e, s.c)), (Msgs{"Poids hors limites", "Taille hors limites"}));
    EXPECT_EQ(s.r.get(fld::Taille), 2);

    Sheet r;  // decimals are rounded, a comma is a separator, the metres rule holds for the waist too
    r.e["MaskEdit7"] = "72,5";
    r.e["MaskEdit6"] = "172";
    r.e["MaskEdit5"] = "0.95";
    r.e["MaskEdit4"] = "181";
    auto p = Panel28Click(r.r, r.e, r.c);
    EXPECT_EQ(r.r.get(fld::Poids), 72);
    EXPECT_EQ(r.r.get(fld::Taille), 172);
    EXPECT_EQ(r.r.get(fld::TourTaille), 95);
    EXPECT_EQ(messages(p), Msgs{"Tour de hanches hors limites"});
    EXPECT_EQ(p.findings[0].kind, Kind::Warning);
    EXPECT_EQ(r.etat(), 1);

    Sheet t;
    t.e["MaskEdit5"] = "39";
    t.e["MaskEdit8"] = "301";
    t.e["MaskEdit9"] = "19";
    EXPECT_EQ(messages(Panel28Click(t.r, t.e, t.c)),
              (Msgs{"Tour de taille hors limites", "TA hors limites", "TA hors limites"}));
    t.e["MaskEdit5"] = "40";
    t.e["MaskEdit8"] = "70";
    t.e["MaskEdit9"] = "150";
    EXPECT_TRUE(Panel28Click(t.r, t.e, t.c).findings.empty());
}

TEST(Page1Checks, LaboratoryBoundsInInternationalUnits) {
    Sheet s;  // every value typed at a bound passes
    s.e["MaskEdit13"] = "4";
    s.e["MaskEdit14"] = "25";
    s.e["MaskEdit16"] = "1000";
    s.e["MaskEdit17"] = "0";
    s.e["MaskEdit11"] = "20";
    s.e["MaskEdit12"] = "0.5";
    s.e["MaskEdit10"] = "0.5";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());

    s.e["MaskEdit13"] = "20.01";
    s.e["MaskEdit14"] = "1.99";
    s.e["MaskEdit16"] = "3.9";
    s.e["MaskEdit17"] = "600.1";
    s.e["MaskEdit11"] = "1.99";
    s.e["MaskEdit12"] = "7.01";
    s.e["MaskEdit10"] = "10.01";
    auto p = Panel28Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Glycémie : bonnes unités ?", "HbA1C hors limites", "Créatinine : bonnes unités ?",
                                 "Microalbuminurie hors limites", "Cholestérol hors limites", "HDL : bonnes unités ?",
                                 "Triglycérides hors limites"}));
    std::vector<Kind> kinds;
    for (const auto& f : p.findings) kinds.push_back(f.kind);
    const Kind E = Kind::Error, W = Kind::Warning;
    EXPECT_EQ(kinds, (std::vector<Kind>{W, E, W, E, E, W, E}));
}

TEST(Page1Checks, LaboratoryBoundsInGramsPerLitrePassAtEveryBound) {
    Sheet s;
    s.c.units = {4, 4, 3, 3, 4, 4, 4};
    s.e["MaskEdit13"] = "0.7";
    s.e["MaskEdit16"] = "0.45";
    s.e["MaskEdit11"] = "0.78";
    s.e["MaskEdit12"] = "2.7";
    s.e["MaskEdit10"] = "0.44";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
    s.e["MaskEdit13"] = "3.6";
    s.e["MaskEdit16"] = "113";
    s.e["MaskEdit11"] = "7.8";
    s.e["MaskEdit12"] = "0.2";
    s.e["MaskEdit10"] = "8.8";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
    s.e["MaskEdit13"] = "0.69";
    s.e["MaskEdit16"] = "113.01";
    s.e["MaskEdit11"] = "7.81";
    s.e["MaskEdit12"] = "0.19";
    s.e["MaskEdit10"] = "8.81";
    EXPECT_EQ(messages(Panel28Click(s.r, s.e, s.c)),
              (Msgs{"Glycémie : bonnes unités ?", "Créatinine : bonnes unités ?", "Cholestérol hors limites",
                    "HDL : bonnes unités ?", "Triglycérides hors limites"}));
    // Values in mmol/l are now implausible in g/l.
    s.e["MaskEdit13"] = "6.1";
    s.e["MaskEdit16"] = "80";
    s.e["MaskEdit11"] = "5.2";
    s.e["MaskEdit12"] = "1.3";
    s.e["MaskEdit10"] = "1.4";
    EXPECT_EQ(messages(Panel28Click(s.r, s.e, s.c)), Msgs{"Glycémie : bonnes unités ?"});
}

TEST(Page1Checks, LaboratoryBoundsInMilligramsPerDecilitre) {
    Sheet s;
    s.c.units = {5, 5, 5, 5, 5, 5, 5};
    s.e["MaskEdit13"] = "70";
    s.e["MaskEdit16"] = "99999";  // creatinine has no mg/dl limits
    s.e["MaskEdit11"] = "780";
    s.e["MaskEdit12"] = "20";
    s.e["MaskEdit10"] = "880";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
    s.e["MaskEdit13"] = "361";
    s.e["MaskEdit11"] = "77";
    s.e["MaskEdit12"] = "271";
    s.e["MaskEdit10"] = "43";
    EXPECT_EQ(messages(Panel28Click(s.r, s.e, s.c)), (Msgs{"Glycémie : bonnes unités ?", "Cholestérol hors limites",
                                                           "HDL : bonnes unités ?", "Triglycérides hors limites"}));
}

TEST(Page1Checks, OtherUnitCodesSkipTheRangeTest) {
    Sheet s;
    s.c.units = {65535, 0, 3, 3, 1, 7, 65535};
    for (const char* c : {"MaskEdit13", "MaskEdit16", "MaskEdit11", "MaskEdit12", "MaskEdit10"}) s.e[c] = "99999";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
}

TEST(Page1Checks, MicroalbuminuriaEmptyNeedsProteinuriaEmptyToo) {
    Sheet s;
    s.e["MaskEdit17"] = "";
    s.e["MaskEdit18"] = "0.3";
    EXPECT_TRUE(Panel28Click(s.r, s.e, s.c).findings.empty());
    EXPECT_EQ(s.r.get(fld::Microalb), -1.0f);
    EXPECT_FLOAT_EQ(s.r.get(fld::Proteinurie), 0.3f);

    s.e["MaskEdit17"] = "-1";  // typed, so tested: below 0
    EXPECT_EQ(messages(Panel28Click(s.r, s.e, s.c)), Msgs{"Microalbuminurie hors limites"});
}

TEST(Page1Checks, StVincent) {
    Sheet s;
    s.r.set(fld::AmputInf, 255);
    s.r.set(fld::Avc, 3);
    auto p = Panel29Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"St Vincent non complètement renseigné", "Complications anciennes et récentes ?"}));
    EXPECT_EQ(p.colour, Colour::Red);  // an orange finding after a red one leaves it red
    EXPECT_EQ(s.etat(), 2);

    Sheet b;  // blindness and renal failure have no "both"
    b.r.set(fld::Cecite, 3);
    b.r.set(fld::InsufRenale, 3);
    EXPECT_TRUE(Panel29Click(b.r, b.e, b.c).findings.empty());
    b.r.set(fld::Infarctus, 3);
    p = Panel29Click(b.r, b.e, b.c);
    EXPECT_EQ(p.colour, Colour::Orange);
    EXPECT_EQ(b.etat(), 1);
}

TEST(Page1Checks, StateIsOnlyRaisedAndAnAnnulledSheetStaysAnnulled) {
    Sheet s;
    s.r.set(fld::EtatFiche, 2);
    s.e["MaskEdit5"] = "";  // a warning does not lower 2
    s.r.set(fld::Avc, 3);
    runPage1(s.r, s.e, s.c);
    EXPECT_EQ(s.etat(), 2);

    Sheet a;
    a.r.set(fld::EtatFiche, 255);
    a.r.set(fld::Sexe, 255);
    a.e["Edit4"] = "";
    auto all = runPage1(a.r, a.e, a.c);
    EXPECT_EQ(a.etat(), 255);
    EXPECT_EQ(all[0].colour, Colour::Red);

    resetState(a.r);
    EXPECT_EQ(a.etat(), 255);
    resetState(s.r);
    EXPECT_EQ(s.etat(), 0);
}
