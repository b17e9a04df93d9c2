#include "entry/EntryTable.h"

#include <string_view>

#include "store/Text.h"

namespace pelo::entry {

namespace {

constexpr auto Label = Widget::Label;
constexpr auto Entry = Widget::Entry;
constexpr auto Check = Widget::Check;
constexpr auto Radio = Widget::Radio;
constexpr auto Block = Widget::Block;
using namespace look;

// How a field is read and shown, in the order of its page's loading.
struct Rule {
    FieldRef field;
    Kind kind;
    int length = 0;  // longest text typed; 0 for no limit
    Family family = Family::None;
    bool exclusive = false;
};

// Page 1, the controls in the order they are built: each group's from left
// to right and top to bottom. A box's code is its place among its field's
// boxes; the Tab order follows the sheet, a group's boxes one after the other.
// clang-format off
const Item kItems1[] = {
    {"LabC", Label, "GroupeIdentification", {74, 3, 12, 17}, "C", "C", 0},
    {"Edit12", Entry, "GroupeIdentification", {89, 3, 36, 17}, "", "Numéro du centre", 0, {}, 0, -1, "", ReadOnly},
    {"LabF", Label, "GroupeIdentification", {133, 3, 11, 17}, "F", "F", 0},
    {"Edit13", Entry, "GroupeIdentification", {147, 3, 40, 17}, "", "Numéro de la fiche", 0, {}, 0, -1, "", ReadOnly},
    {"MaskEdit19", Entry, "GroupeIdentification", {201, 3, 70, 17}, "", "Date de la fiche", 0, ref(fld::DateFib), 0, 0},
    {"LabN", Label, "GroupeIdentification", {285, 3, 12, 17}, "N", "N", 0},
    {"Edit3", Entry, "GroupeIdentification", {300, 3, 18, 17}, "", "Initiale du nom", 0, ref(fld::Initiale), 0, 1},
    {"LabNaiss", Label, "GroupeIdentification", {332, 3, 61, 17}, "Naiss. mois", "Naiss. mois", 0},
    {"Edit4", Entry, "GroupeIdentification", {396, 3, 22, 17},
     "", "Mois de naissance", 0, ref(fld::MoisNaissance), 0, 2},
    {"LabAn", Label, "GroupeIdentification", {426, 3, 17, 17}, "An", "An", 0},
    {"Edit5", Entry, "GroupeIdentification", {446, 3, 36, 17},
     "19..", "Année de naissance", 0, ref(fld::AnNaissance), 0, 3, "Saisie obligatoire"},
    {"LabSexe", Label, "GroupeIdentification", {74, 22, 29, 17}, "Sexe", "Sexe", 0},
    {"RadioButton10", Radio, "GroupeIdentification", {106, 22, 29, 17}, "M", "Sexe M", 0, ref(fld::Sexe), 1, 4},
    {"RadioButton11", Radio, "GroupeIdentification", {138, 22, 27, 17}, "F", "Sexe F", 0, ref(fld::Sexe), 2, 5},
    {"LabType", Label, "GroupeIdentification", {189, 22, 82, 17}, "Type de diabète", "Type de diabète", 0},
    {"RadioButton12", Radio, "GroupeIdentification", {274, 22, 53, 17},
     "Type 1", "Type 1", 0, ref(fld::TypeDiabete), 1, 6},
    {"RadioButton13", Radio, "GroupeIdentification", {330, 22, 53, 17},
     "Type 2", "Type 2", 0, ref(fld::TypeDiabete), 2, 7},
    {"RadioButton14", Radio, "GroupeIdentification", {386, 22, 46, 17},
     "Autre", "Type de diabète autre", 0, ref(fld::TypeDiabete), 3, 8},
    {"LabDebut", Label, "GroupeIdentification", {74, 41, 33, 17}, "Début", "Début", 0, {}, 0, -1, "Au moins une date"},
    {"LabDiabete", Label, "GroupeIdentification", {117, 41, 42, 17}, "Diabète", "Diabète", 0},
    {"MaskEdit1", Entry, "GroupeIdentification", {162, 41, 36, 17},
     "19", "Début du diabète", 0, ref(fld::AnDebutDiabete), 0, 9, "Au moins une date"},
    {"LabComprimes", Label, "GroupeIdentification", {210, 41, 60, 17}, "Comprimés", "Comprimés", 0},
    {"Edit1", Entry, "GroupeIdentification", {273, 41, 36, 17},
     "19", "Début des comprimés", 0, ref(fld::AnDebutComprimes), 0, 10, "Au moins une date"},
    {"LabInsuline", Label, "GroupeIdentification", {321, 41, 42, 17}, "Insuline", "Insuline", 0},
    {"Edit2", Entry, "GroupeIdentification", {366, 41, 36, 17},
     "19", "Début de l'insuline", 0, ref(fld::AnDebutInsuline), 0, 11, "Au moins une date"},
    {"RadioButton1", Radio, "GroupeMotif", {74, 3, 81, 17},
     "Consultation", "Consultation", 1, ref(fld::ConsultHospit), 1, 12},
    {"RadioButton2", Radio, "GroupeMotif", {165, 3, 91, 17},
     "Hospitalisation", "Hospitalisation", 1, ref(fld::ConsultHospit), 2, 13},
    {"RadioButton3", Radio, "GroupeMotif", {74, 22, 80, 17},
     "Surveillance", "Motif Surveillance", 1, ref(fld::Motif), 1, 14},
    {"RadioButton4", Radio, "GroupeMotif", {156, 22, 81, 17},
     "Déséquilibre", "Motif Déséquilibre", 1, ref(fld::Motif), 2, 15},
    {"RadioButton5", Radio, "GroupeMotif", {239, 22, 84, 17},
     "Complication", "Motif Complication", 1, ref(fld::Motif), 3, 16},
    {"RadioButton6", Radio, "GroupeMotif", {325, 22, 62, 17}, "Urgence", "Motif Urgence", 1, ref(fld::Motif), 4, 17},
    {"RadioButton7", Radio, "GroupeMotif", {389, 22, 79, 17},
     "Diag. récent", "Motif Diag. récent", 1, ref(fld::Motif), 5, 18},
    {"RadioButton8", Radio, "GroupeMotif", {470, 22, 73, 17},
     "Grossesse", "Motif Grossesse", 1, ref(fld::Motif), 6, 19},
    {"RadioButton9", Radio, "GroupeMotif", {545, 22, 46, 17}, "Autre", "Motif autre", 1, ref(fld::Motif), 7, 20},
    {"LabGross0", Label, "Panel10", {74, 14, 72, 17}, "Enfant normal", "Enfant normal", 2},
    {"Edit9", Entry, "Panel10", {149, 14, 18, 17},
     "", "Grossesse : Enfant normal", 2, ref(fld::GrossEnfantNormal), 0, 21},
    {"LabGross1", Label, "Panel10", {183, 14, 24, 17}, "F.C.", "F.C.", 2},
    {"Edit8", Entry, "Panel10", {210, 14, 18, 17}, "", "Grossesse : F.C.", 2, ref(fld::GrossFC), 0, 22},
    {"LabGross2", Label, "Panel10", {244, 14, 67, 17}, "Malformation", "Malformation", 2},
    {"Edit7", Entry, "Panel10", {314, 14, 18, 17},
     "", "Grossesse : Malformation", 2, ref(fld::GrossMalformation), 0, 23},
    {"LabGross3", Label, "Panel10", {348, 14, 77, 17}, "Mort périnatale", "Mort périnatale", 2},
    {"Edit6", Entry, "Panel10", {428, 14, 18, 17},
     "", "Grossesse : Mort périnatale", 2, ref(fld::GrossMortPerinatale), 0, 24},
    {"CheckBox1", Check, "GroupeRisques", {74, 3, 131, 17},
     "Diabète dans la famille", "Diabète dans la famille", 3, ref(fld::DiabeteFamille), 1, 25},
    {"LabTabac", Label, "GroupeRisques", {225, 3, 38, 17}, "Tabac", "Tabac", 3},
    {"CheckBox2", Check, "GroupeRisques", {266, 3, 35, 17}, "oui", "Tabac oui", 3, ref(fld::Tabac), 1, 26},
    {"CheckBox4", Check, "GroupeRisques", {304, 3, 38, 17}, "non", "Tabac non", 3, ref(fld::Tabac), 2, 27},
    {"LabQ", Label, "GroupeRisques", {352, 3, 19, 17}, "Q=", "Q=", 3},
    {"Edit10", Entry, "GroupeRisques", {374, 3, 22, 17}, "", "Cigarettes par jour", 3, ref(fld::Cigarettes), 0, 28},
    {"LabCig", Label, "GroupeRisques", {399, 3, 79, 17}, "cigarettes / jour", "cigarettes / jour", 3},
    {"LabAlcool", Label, "GroupeRisques", {225, 22, 38, 17}, "Alcool", "Alcool", 3},
    {"CheckBox3", Check, "GroupeRisques", {266, 22, 35, 17}, "oui", "Alcool oui", 3, ref(fld::Alcool), 1, 29},
    {"CheckBox5", Check, "GroupeRisques", {304, 22, 38, 17}, "non", "Alcool non", 3, ref(fld::Alcool), 2, 30},
    {"Edit11", Entry, "GroupeRisques", {374, 22, 36, 17},
     "", "Alcool, grammes par semaine", 3, ref(fld::AlcoolGrSemaine), 0, 31},
    {"LabGr", Label, "GroupeRisques", {413, 22, 64, 17}, "gr / semaine", "gr / semaine", 3},
    {"RadioButton15", Radio, "GroupeAutosurveillance", {74, 5, 37, 17},
     "Oui", "Autosurveillance oui", 4, ref(fld::AutoSurveillance), 1, 32},
    {"RadioButton16", Radio, "GroupeAutosurveillance", {114, 5, 40, 17},
     "Non", "Autosurveillance non", 4, ref(fld::AutoSurveillance), 2, 33},
    {"LabGlycemies", Label, "GroupeAutosurveillance", {174, 5, 55, 17}, "Glycémies", "Glycémies", 4},
    {"MaskEdit2", Entry, "GroupeAutosurveillance", {232, 5, 22, 17},
     "", "Glycémies par semaine", 4, ref(fld::GlycemiesSemaine), 0, 34},
    {"LabSemaine", Label, "GroupeAutosurveillance", {257, 5, 52, 17}, "/ semaine", "/ semaine", 4},
    {"LabGlycosurie", Label, "GroupeAutosurveillance", {329, 5, 107, 17},
     "Glycosurie/Cétonurie", "Glycosurie/Cétonurie", 4},
    {"MaskEdit3", Entry, "GroupeAutosurveillance", {439, 5, 22, 17},
     "", "Glycosuries par semaine", 4, ref(fld::GlycosuriesSemaine), 0, 35},
    {"LabSem", Label, "GroupeAutosurveillance", {464, 5, 34, 17}, "/ sem.", "/ sem.", 4},
    {"LabAssociation", Label, "GroupeEducation", {3, 41, 70, 17}, "Association", "", 5, {}, 0, -1, "", Small},
    {"LabEduc0", Label, "GroupeEducation", {74, 3, 89, 17}, "Alimentation", "Alimentation", 5},
    {"CheckBox6", Check, "GroupeEducation", {166, 3, 35, 17},
     "oui", "Education Alimentation oui", 5, ref(fld::EducAlimentation), 1, 36},
    {"CheckBox8", Check, "GroupeEducation", {204, 3, 38, 17},
     "non", "Education Alimentation non", 5, ref(fld::EducAlimentation), 2, 37},
    {"LabEduc1", Label, "GroupeEducation", {250, 3, 89, 17}, "Autosurveillance", "Autosurveillance", 5},
    {"CheckBox7", Check, "GroupeEducation", {342, 3, 35, 17},
     "oui", "Education Autosurveillance oui", 5, ref(fld::EducAutosurveillance), 1, 38},
    {"CheckBox9", Check, "GroupeEducation", {380, 3, 38, 17},
     "non", "Education Autosurveillance non", 5, ref(fld::EducAutosurveillance), 2, 39},
    {"LabEduc2", Label, "GroupeEducation", {426, 3, 89, 17}, "Soins pieds", "Soins pieds", 5},
    {"CheckBox10", Check, "GroupeEducation", {518, 3, 35, 17},
     "oui", "Education Soins pieds oui", 5, ref(fld::EducSoinsPieds), 1, 40},
    {"CheckBox11", Check, "GroupeEducation", {556, 3, 38, 17},
     "non", "Education Soins pieds non", 5, ref(fld::EducSoinsPieds), 2, 41},
    {"LabEduc3", Label, "GroupeEducation", {74, 22, 89, 17}, "Hypoglycémies", "Hypoglycémies", 5},
    {"CheckBox12", Check, "GroupeEducation", {166, 22, 35, 17},
     "oui", "Education Hypoglycémies oui", 5, ref(fld::EducHypoglycemies), 1, 42},
    {"CheckBox13", Check, "GroupeEducation", {204, 22, 38, 17},
     "non", "Education Hypoglycémies non", 5, ref(fld::EducHypoglycemies), 2, 43},
    {"LabEduc4", Label, "GroupeEducation", {250, 22, 89, 17}, "Complications", "Complications", 5},
    {"CheckBox14", Check, "GroupeEducation", {342, 22, 35, 17},
     "oui", "Education Complications oui", 5, ref(fld::EducComplications), 1, 44},
    {"CheckBox16", Check, "GroupeEducation", {380, 22, 38, 17},
     "non", "Education Complications non", 5, ref(fld::EducComplications), 2, 45},
    {"LabEduc5", Label, "GroupeEducation", {426, 22, 89, 17}, "Ajust. insuline", "Ajust. insuline", 5},
    {"CheckBox15", Check, "GroupeEducation", {518, 22, 35, 17},
     "oui", "Education Ajust. insuline oui", 5, ref(fld::EducAjustInsuline), 1, 46},
    {"CheckBox17", Check, "GroupeEducation", {556, 22, 38, 17},
     "non", "Education Ajust. insuline non", 5, ref(fld::EducAjustInsuline), 2, 47},
    {"LabEduc6", Label, "GroupeEducation", {74, 41, 206, 17},
     "Membre d'une association de diabétiques", "Membre d'une association de diabétiques", 5},
    {"CheckBox18", Check, "GroupeEducation", {283, 41, 35, 17},
     "oui", "Membre d'une association de diabétiques oui", 5, ref(fld::Association), 1, 48},
    {"CheckBox19", Check, "GroupeEducation", {321, 41, 38, 17},
     "non", "Membre d'une association de diabétiques non", 5, ref(fld::Association), 2, 49},
    {"LabMaskEdit7", Label, "GroupeMesures", {74, 3, 31, 17}, "Poids", "Poids", 6},
    {"MaskEdit7", Entry, "GroupeMesures", {108, 3, 36, 17}, "", "Poids", 6, ref(fld::Poids), 0, 50},
    {"UnitMaskEdit7", Label, "GroupeMesures", {147, 3, 17, 17}, "Kg", "Kg", 6},
    {"LabMaskEdit6", Label, "GroupeMesures", {178, 3, 29, 17}, "Taille", "Taille", 6},
    {"MaskEdit6", Entry, "GroupeMesures", {210, 3, 36, 17}, "", "Taille", 6, ref(fld::Taille), 0, 51},
    {"UnitMaskEdit6", Label, "GroupeMesures", {249, 3, 19, 17}, "cm", "cm", 6},
    {"LabMaskEdit5", Label, "GroupeMesures", {282, 3, 38, 17}, "T.Taille", "T.Taille", 6},
    {"MaskEdit5", Entry, "GroupeMesures", {323, 3, 36, 17}, "", "Tour de taille", 6, ref(fld::TourTaille), 0, 52},
    {"UnitMaskEdit5", Label, "GroupeMesures", {362, 3, 19, 17}, "cm", "cm", 6},
    {"LabMaskEdit4", Label, "GroupeMesures", {395, 3, 54, 17}, "T.hanches", "T.hanches", 6},
    {"MaskEdit4", Entry, "GroupeMesures", {452, 3, 36, 17}, "", "Tour de hanches", 6, ref(fld::TourHanches), 0, 53},
    {"UnitMaskEdit4", Label, "GroupeMesures", {491, 3, 19, 17}, "cm", "cm", 6},
    {"LabTA", Label, "GroupeMesures", {74, 22, 73, 17}, "TA Syst / diast", "TA Syst / diast", 6},
    {"MaskEdit8", Entry, "GroupeMesures", {150, 22, 32, 17}, "", "TA systolique", 6, ref(fld::TaSyst), 0, 54},
    {"LabSlash", Label, "GroupeMesures", {185, 22, 7, 17}, "/", "/", 6},
    {"MaskEdit9", Entry, "GroupeMesures", {195, 22, 32, 17}, "", "TA diastolique", 6, ref(fld::TaDiast), 0, 55},
    {"LabMmHg", Label, "GroupeMesures", {230, 22, 36, 17}, "mmHg", "mmHg", 6},
    {"LabChol", Label, "GroupeMesures", {280, 22, 60, 17}, "Cholestérol", "Cholestérol", 6},
    {"MaskEdit11", Entry, "GroupeMesures", {343, 22, 36, 17}, "", "Cholestérol", 6, ref(fld::Cholesterol), 0, 56},
    {"Label86", Label, "GroupeMesures", {382, 22, 37, 17}, "mmol/l", "mmol/l", 6},
    {"LabHdl", Label, "GroupeMesures", {425, 22, 26, 17}, "HDL", "HDL", 6},
    {"MaskEdit12", Entry, "GroupeMesures", {454, 22, 36, 17}, "", "HDL", 6, ref(fld::Hdl), 0, 57},
    {"Label90", Label, "GroupeMesures", {493, 22, 37, 17}, "mmol/l", "mmol/l", 6},
    {"LabTrig", Label, "GroupeMesures", {74, 41, 66, 17}, "Triglycérides", "Triglycérides", 6},
    {"MaskEdit10", Entry, "GroupeMesures", {143, 41, 36, 17}, "", "Triglycérides", 6, ref(fld::Triglycerides), 0, 58},
    {"Label91", Label, "GroupeMesures", {182, 41, 37, 17}, "mmol/l", "mmol/l", 6},
    {"LabJeun", Label, "GroupeMesures", {225, 41, 34, 17}, "à jeun", "à jeun", 6},
    {"CheckBox20", Check, "GroupeMesures", {262, 41, 35, 17},
     "oui", "Triglycérides à jeun oui", 6, ref(fld::TrigAJeun), 1, 59},
    {"CheckBox21", Check, "GroupeMesures", {300, 41, 38, 17},
     "non", "Triglycérides à jeun non", 6, ref(fld::TrigAJeun), 2, 60},
    {"LabGly", Label, "GroupeMesures", {346, 41, 43, 17}, "Gly.jeun", "Gly.jeun", 6},
    {"MaskEdit13", Entry, "GroupeMesures", {392, 41, 36, 17}, "", "Glycémie à jeun", 6, ref(fld::GlyJeun), 0, 61},
    {"Label81", Label, "GroupeMesures", {431, 41, 37, 17}, "mmol/l", "mmol/l", 6},
    {"LabHba", Label, "GroupeMesures", {474, 41, 39, 17}, "HbA1C", "HbA1C", 6},
    {"MaskEdit14", Entry, "GroupeMesures", {516, 41, 36, 17}, "", "HbA1C", 6, ref(fld::HbA1c), 0, 62},
    {"LabPct", Label, "GroupeMesures", {555, 41, 14, 17}, "%", "%", 6},
    {"LabFruct", Label, "GroupeMesures", {74, 60, 44, 17}, "Fructos.", "Fructos.", 6},
    {"MaskEdit15", Entry, "GroupeMesures", {121, 60, 36, 17}, "", "Fructosamine", 6, ref(fld::Fructosamine), 0, 63},
    {"LabCreat", Label, "GroupeMesures", {171, 60, 54, 17}, "Créatinine", "Créatinine", 6},
    {"MaskEdit16", Entry, "GroupeMesures", {228, 60, 36, 17}, "", "Créatinine", 6, ref(fld::Creatinine), 0, 64},
    {"Label87", Label, "GroupeMesures", {267, 60, 37, 17}, "µmol/l", "µmol/l", 6},
    {"LabMicro", Label, "GroupeMesures", {310, 60, 49, 17}, "Microalb.", "Microalb.", 6},
    {"MaskEdit17", Entry, "GroupeMesures", {362, 60, 36, 17}, "", "Microalbuminurie", 6, ref(fld::Microalb), 0, 65},
    {"LabMgJ", Label, "GroupeMesures", {401, 60, 25, 17}, "mg/j", "mg/j", 6},
    {"LabProt", Label, "GroupeMesures", {436, 60, 48, 17}, "Protéinu.", "Protéinu.", 6},
    {"MaskEdit18", Entry, "GroupeMesures", {487, 60, 36, 17}, "", "Protéinurie", 6, ref(fld::Proteinurie), 0, 66},
    {"LabGJ", Label, "GroupeMesures", {526, 60, 16, 17}, "g/j", "g/j", 6},
    {"LabStV0_0", Label, "GroupeStVincent", {120, 2, 66, 13},
     "Oui < 12 mois", "Oui < 12 mois", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV0_1", Label, "GroupeStVincent", {174, 2, 66, 13},
     "Oui ancien", "Oui ancien", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV0_2", Label, "GroupeStVincent", {228, 2, 66, 13}, "non", "non", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV0", Label, "GroupeStVincent", {74, 15, 52, 17}, "Cécité", "Cécité", 7},
    {"CheckBox22", Check, "GroupeStVincent", {144, 15, 18, 17},
     "", "Cécité oui < 12 mois", 7, ref(fld::Cecite), 1, 67, "Oui < 12 mois"},
    {"CheckBox25", Check, "GroupeStVincent", {198, 15, 18, 17},
     "", "Cécité oui ancien", 7, ref(fld::Cecite), 2, 68, "Oui ancien"},
    {"CheckBox28", Check, "GroupeStVincent", {252, 15, 18, 17}, "", "Cécité non", 7, ref(fld::Cecite), 3, 69, "non"},
    {"LabStV1", Label, "GroupeStVincent", {74, 34, 52, 17}, "Infarctus", "Infarctus", 7},
    {"CheckBox23", Check, "GroupeStVincent", {144, 34, 18, 17},
     "", "Infarctus oui < 12 mois", 7, ref(fld::Infarctus), 1, 70, "Oui < 12 mois"},
    {"CheckBox26", Check, "GroupeStVincent", {198, 34, 18, 17},
     "", "Infarctus oui ancien", 7, ref(fld::Infarctus), 2, 71, "Oui ancien"},
    {"CheckBox29", Check, "GroupeStVincent", {252, 34, 18, 17},
     "", "Infarctus non", 7, ref(fld::Infarctus), 3, 72, "non"},
    {"LabStV2", Label, "GroupeStVincent", {74, 53, 52, 17}, "AVC", "AVC", 7},
    {"CheckBox24", Check, "GroupeStVincent", {144, 53, 18, 17},
     "", "AVC oui < 12 mois", 7, ref(fld::Avc), 1, 73, "Oui < 12 mois"},
    {"CheckBox27", Check, "GroupeStVincent", {198, 53, 18, 17},
     "", "AVC oui ancien", 7, ref(fld::Avc), 2, 74, "Oui ancien"},
    {"CheckBox30", Check, "GroupeStVincent", {252, 53, 18, 17}, "", "AVC non", 7, ref(fld::Avc), 3, 75, "non"},
    {"LabStV1_0", Label, "GroupeStVincent", {413, 2, 66, 13},
     "Oui < 12 mois", "Oui < 12 mois", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV1_1", Label, "GroupeStVincent", {467, 2, 66, 13},
     "Oui ancien", "Oui ancien", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV1_2", Label, "GroupeStVincent", {521, 2, 66, 13}, "non", "non", 7, {}, 0, -1, "", Small | Heading},
    {"LabStV3", Label, "GroupeStVincent", {304, 15, 115, 17}, "Insuffisance rénale", "Insuffisance rénale", 7},
    {"CheckBox31", Check, "GroupeStVincent", {437, 15, 18, 17},
     "", "Insuffisance rénale oui < 12 mois", 7, ref(fld::InsufRenale), 1, 76, "Oui < 12 mois"},
    {"CheckBox34", Check, "GroupeStVincent", {491, 15, 18, 17},
     "", "Insuffisance rénale oui ancien", 7, ref(fld::InsufRenale), 2, 77, "Oui ancien"},
    {"CheckBox37", Check, "GroupeStVincent", {545, 15, 18, 17},
     "", "Insuffisance rénale non", 7, ref(fld::InsufRenale), 3, 78, "non"},
    {"LabStV4", Label, "GroupeStVincent", {304, 34, 115, 17}, "Amputation > cheville", "Amputation > cheville", 7},
    {"CheckBox32", Check, "GroupeStVincent", {437, 34, 18, 17},
     "", "Amputation > cheville oui < 12 mois", 7, ref(fld::AmputSup), 1, 79, "Oui < 12 mois"},
    {"CheckBox35", Check, "GroupeStVincent", {491, 34, 18, 17},
     "", "Amputation > cheville oui ancien", 7, ref(fld::AmputSup), 2, 80, "Oui ancien"},
    {"CheckBox38", Check, "GroupeStVincent", {545, 34, 18, 17},
     "", "Amputation > cheville non", 7, ref(fld::AmputSup), 3, 81, "non"},
    {"LabStV5", Label, "GroupeStVincent", {304, 53, 115, 17}, "Amputation < cheville", "Amputation < cheville", 7},
    {"CheckBox33", Check, "GroupeStVincent", {437, 53, 18, 17},
     "", "Amputation < cheville oui < 12 mois", 7, ref(fld::AmputInf), 1, 82, "Oui < 12 mois"},
    {"CheckBox36", Check, "GroupeStVincent", {491, 53, 18, 17},
     "", "Amputation < cheville oui ancien", 7, ref(fld::AmputInf), 2, 83, "Oui ancien"},
    {"CheckBox39", Check, "GroupeStVincent", {545, 53, 18, 17},
     "", "Amputation < cheville non", 7, ref(fld::AmputInf), 3, 84, "non"},
};
// clang-format on

// Page 1 loads in the order of the sheet (the laboratory values from
// glycaemia on, then cholesterol, HDL and triglycerides and their fasting
// pair): the silent checks run by the contact and self-monitoring codes see
// the entries they read already loaded.
const Rule kRules1[] = {
    {ref(fld::DateFib), Kind::Date, 10},
    {ref(fld::Initiale), Kind::Letter, 1},
    {ref(fld::MoisNaissance), Kind::Integer, 2},
    {ref(fld::AnNaissance), Kind::Year, 4},
    {ref(fld::Sexe), Kind::Choice, 0, Family::Radio},
    {ref(fld::TypeDiabete), Kind::Choice, 0, Family::Radio},
    {ref(fld::AnDebutDiabete), Kind::Year, 4},
    {ref(fld::AnDebutComprimes), Kind::Year, 4},
    {ref(fld::AnDebutInsuline), Kind::Year, 4},
    {ref(fld::ConsultHospit), Kind::Choice, 0, Family::Radio},
    {ref(fld::Motif), Kind::Choice, 0, Family::Radio},
    {ref(fld::GrossEnfantNormal), Kind::Integer, 1},
    {ref(fld::GrossFC), Kind::Integer, 1},
    {ref(fld::GrossMalformation), Kind::Integer, 1},
    {ref(fld::GrossMortPerinatale), Kind::Integer, 1},
    {ref(fld::DiabeteFamille), Kind::Choice, 0, Family::Single},
    {ref(fld::Tabac), Kind::Choice, 0, Family::Pair},
    {ref(fld::Alcool), Kind::Choice, 0, Family::Pair},
    {ref(fld::Cigarettes), Kind::Integer, 2},
    {ref(fld::AlcoolGrSemaine), Kind::Integer, 4},
    {ref(fld::AutoSurveillance), Kind::Choice, 0, Family::Radio},
    {ref(fld::GlycemiesSemaine), Kind::Integer, 2},
    {ref(fld::GlycosuriesSemaine), Kind::Integer, 2},
    {ref(fld::EducAlimentation), Kind::Choice, 0, Family::Pair},
    {ref(fld::EducAutosurveillance), Kind::Choice, 0, Family::Pair},
    {ref(fld::EducSoinsPieds), Kind::Choice, 0, Family::Pair},
    {ref(fld::EducHypoglycemies), Kind::Choice, 0, Family::Pair},
    {ref(fld::EducComplications), Kind::Choice, 0, Family::Pair},
    {ref(fld::EducAjustInsuline), Kind::Choice, 0, Family::Pair},
    {ref(fld::Association), Kind::Choice, 0, Family::Pair},
    {ref(fld::Poids), Kind::Integer, 0},
    {ref(fld::Taille), Kind::Integer, 0},
    {ref(fld::TourTaille), Kind::Integer, 0},
    {ref(fld::TourHanches), Kind::Integer, 0},
    {ref(fld::TaSyst), Kind::Integer, 0},
    {ref(fld::TaDiast), Kind::Integer, 0},
    {ref(fld::GlyJeun), Kind::Decimal2, 0},
    {ref(fld::HbA1c), Kind::Decimal2, 0},
    {ref(fld::Fructosamine), Kind::Decimal2, 0},
    {ref(fld::Creatinine), Kind::Decimal2, 0},
    {ref(fld::Microalb), Kind::Decimal2, 0},
    {ref(fld::Proteinurie), Kind::Decimal2, 0},
    {ref(fld::Cholesterol), Kind::Decimal2, 0},
    {ref(fld::Hdl), Kind::Decimal2, 0},
    {ref(fld::Triglycerides), Kind::Decimal2, 0},
    {ref(fld::TrigAJeun), Kind::Choice, 0, Family::Pair},
    {ref(fld::Cecite), Kind::Choice, 0, Family::Complication, true},
    {ref(fld::Infarctus), Kind::Choice, 0, Family::Complication},
    {ref(fld::Avc), Kind::Choice, 0, Family::Complication},
    {ref(fld::InsufRenale), Kind::Choice, 0, Family::Complication, true},
    {ref(fld::AmputSup), Kind::Choice, 0, Family::Complication},
    {ref(fld::AmputInf), Kind::Choice, 0, Family::Complication},
};

// Page 2 likewise; the captions of page 2 carry no name.
// clang-format off
const Item kItems2[] = {
    {"", Label, "", {178, 4, 22, 15}, "oui", "", 0},
    {"", Label, "", {200, 4, 22, 15}, "non", "", 0},
    {"", Label, "", {348, 4, 22, 15}, "oui", "", 0},
    {"", Label, "", {370, 4, 22, 15}, "non", "", 0},
    {"", Label, "", {518, 4, 22, 15}, "oui", "", 0},
    {"", Label, "", {540, 4, 22, 15}, "non", "", 0},
    {"", Label, "", {80, 19, 96, 15}, "Hypo TA ortho", "", 0},
    {"CheckBox1", Check, "", {180, 19, 16, 15}, "", "Hypo TA ortho oui", 0, ref(fld::HypoTaOrtho), 1, 0},
    {"CheckBox3", Check, "", {202, 19, 16, 15}, "", "Hypo TA ortho non", 0, ref(fld::HypoTaOrtho), 2, 1},
    {"", Label, "", {250, 19, 96, 15}, "Angor", "", 0},
    {"CheckBox5", Check, "", {350, 19, 16, 15}, "", "Angor oui", 0, ref(fld::Angor), 1, 2},
    {"CheckBox7", Check, "", {372, 19, 16, 15}, "", "Angor non", 0, ref(fld::Angor), 2, 3},
    {"", Label, "", {420, 19, 96, 15}, "Anérection", "", 0},
    {"CheckBox9", Check, "", {520, 19, 16, 15}, "", "Anérection oui", 0, ref(fld::Anerection), 1, 4},
    {"CheckBox10", Check, "", {542, 19, 16, 15}, "", "Anérection non", 0, ref(fld::Anerection), 2, 5},
    {"", Label, "", {80, 36, 96, 15}, "Neuropathie péri.", "", 0},
    {"CheckBox2", Check, "", {180, 36, 16, 15}, "", "Neuropathie péri. oui", 0, ref(fld::NeuropathiePeri), 1, 6},
    {"CheckBox4", Check, "", {202, 36, 16, 15}, "", "Neuropathie péri. non", 0, ref(fld::NeuropathiePeri), 2, 7},
    {"", Label, "", {250, 36, 96, 15}, "Claudication", "", 0},
    {"CheckBox6", Check, "", {350, 36, 16, 15}, "", "Claudication oui", 0, ref(fld::Claudication), 1, 8},
    {"CheckBox8", Check, "", {372, 36, 16, 15}, "", "Claudication non", 0, ref(fld::Claudication), 2, 9},
    {"PanelYeux", Block, "", {80, 58, 250, 200}, "", "", 1},
    {"", Label, "PanelYeux", {3, 50, 10, 15}, "Y", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {3, 80, 10, 15}, "E", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {3, 110, 10, 15}, "U", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {3, 140, 10, 15}, "X", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {14, 2, 120, 15}, "Examen < 12 mois", "", 1, {}, 0, -1, "", Dark},
    {"RadioButton1", Radio, "PanelYeux", {150, 2, 40, 15},
     "oui", "Examen des yeux < 12 mois oui", 1, ref(fld::ExamYeux), 1, 10},
    {"RadioButton2", Radio, "PanelYeux", {196, 2, 40, 15},
     "non", "Examen des yeux < 12 mois non", 1, ref(fld::ExamYeux), 2, 11},
    {"", Label, "PanelYeux", {164, 19, 14, 14}, "D", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {212, 19, 14, 14}, "G", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {150, 31, 20, 13}, "oui", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {170, 31, 20, 13}, "non", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {198, 31, 20, 13}, "oui", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {218, 31, 20, 13}, "non", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "PanelYeux", {14, 45, 134, 15}, "Photocoagulation", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox15", Check, "PanelYeux", {152, 45, 16, 15},
     "", "Photocoagulation œil droit oui", 1, ref(fld::PhotocoagD), 1, 12},
    {"CheckBox16", Check, "PanelYeux", {172, 45, 16, 15},
     "", "Photocoagulation œil droit non", 1, ref(fld::PhotocoagD), 2, 13},
    {"CheckBox17", Check, "PanelYeux", {200, 45, 16, 15},
     "", "Photocoagulation œil gauche oui", 1, ref(fld::PhotocoagG), 1, 14},
    {"CheckBox18", Check, "PanelYeux", {220, 45, 16, 15},
     "", "Photocoagulation œil gauche non", 1, ref(fld::PhotocoagG), 2, 15},
    {"", Label, "PanelYeux", {14, 60, 134, 15}, "Vitrectomie", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox19", Check, "PanelYeux", {152, 60, 16, 15},
     "", "Vitrectomie œil droit oui", 1, ref(fld::VitrectomieD), 1, 16},
    {"CheckBox11", Check, "PanelYeux", {172, 60, 16, 15},
     "", "Vitrectomie œil droit non", 1, ref(fld::VitrectomieD), 2, 17},
    {"CheckBox55", Check, "PanelYeux", {200, 60, 16, 15},
     "", "Vitrectomie œil gauche oui", 1, ref(fld::VitrectomieG), 1, 18},
    {"CheckBox63", Check, "PanelYeux", {220, 60, 16, 15},
     "", "Vitrectomie œil gauche non", 1, ref(fld::VitrectomieG), 2, 19},
    {"", Label, "PanelYeux", {14, 75, 134, 15}, "Cataracte", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox20", Check, "PanelYeux", {152, 75, 16, 15},
     "", "Cataracte œil droit oui", 1, ref(fld::CataracteD), 1, 20},
    {"CheckBox12", Check, "PanelYeux", {172, 75, 16, 15},
     "", "Cataracte œil droit non", 1, ref(fld::CataracteD), 2, 21},
    {"CheckBox56", Check, "PanelYeux", {200, 75, 16, 15},
     "", "Cataracte œil gauche oui", 1, ref(fld::CataracteG), 1, 22},
    {"CheckBox64", Check, "PanelYeux", {220, 75, 16, 15},
     "", "Cataracte œil gauche non", 1, ref(fld::CataracteG), 2, 23},
    {"", Label, "PanelYeux", {14, 90, 134, 15}, "Rétine vue", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox21", Check, "PanelYeux", {152, 90, 16, 15},
     "", "Rétine vue œil droit oui", 1, ref(fld::RetineVueD), 1, 24},
    {"CheckBox49", Check, "PanelYeux", {172, 90, 16, 15},
     "", "Rétine vue œil droit non", 1, ref(fld::RetineVueD), 2, 25},
    {"CheckBox57", Check, "PanelYeux", {200, 90, 16, 15},
     "", "Rétine vue œil gauche oui", 1, ref(fld::RetineVueG), 1, 26},
    {"CheckBox65", Check, "PanelYeux", {220, 90, 16, 15},
     "", "Rétine vue œil gauche non", 1, ref(fld::RetineVueG), 2, 27},
    {"", Label, "PanelYeux", {14, 105, 134, 15}, "Si oui: Maculopathie", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox22", Check, "PanelYeux", {152, 105, 16, 15},
     "", "Si oui: Maculopathie œil droit oui", 1, ref(fld::MaculopathieD), 1, 28},
    {"CheckBox50", Check, "PanelYeux", {172, 105, 16, 15},
     "", "Si oui: Maculopathie œil droit non", 1, ref(fld::MaculopathieD), 2, 29},
    {"CheckBox58", Check, "PanelYeux", {200, 105, 16, 15},
     "", "Si oui: Maculopathie œil gauche oui", 1, ref(fld::MaculopathieG), 1, 30},
    {"CheckBox66", Check, "PanelYeux", {220, 105, 16, 15},
     "", "Si oui: Maculopathie œil gauche non", 1, ref(fld::MaculopathieG), 2, 31},
    {"", Label, "PanelYeux", {14, 120, 134, 15}, "Rétinopathie", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox23", Check, "PanelYeux", {152, 120, 16, 15},
     "", "Rétinopathie œil droit oui", 1, ref(fld::RetinopathieD), 1, 32},
    {"CheckBox51", Check, "PanelYeux", {172, 120, 16, 15},
     "", "Rétinopathie œil droit non", 1, ref(fld::RetinopathieD), 2, 33},
    {"CheckBox59", Check, "PanelYeux", {200, 120, 16, 15},
     "", "Rétinopathie œil gauche oui", 1, ref(fld::RetinopathieG), 1, 34},
    {"CheckBox67", Check, "PanelYeux", {220, 120, 16, 15},
     "", "Rétinopathie œil gauche non", 1, ref(fld::RetinopathieG), 2, 35},
    {"", Label, "PanelYeux", {14, 135, 134, 15}, "laquelle: non proliférative", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox24", Check, "PanelYeux", {152, 135, 16, 15},
     "", "laquelle: non proliférative œil droit oui", 1, ref(fld::RetinoNonProlifD), 1, 36},
    {"CheckBox52", Check, "PanelYeux", {172, 135, 16, 15},
     "", "laquelle: non proliférative œil droit non", 1, ref(fld::RetinoNonProlifD), 2, 37},
    {"CheckBox60", Check, "PanelYeux", {200, 135, 16, 15},
     "", "laquelle: non proliférative œil gauche oui", 1, ref(fld::RetinoNonProlifG), 1, 38},
    {"CheckBox68", Check, "PanelYeux", {220, 135, 16, 15},
     "", "laquelle: non proliférative œil gauche non", 1, ref(fld::RetinoNonProlifG), 2, 39},
    {"", Label, "PanelYeux", {14, 150, 134, 15}, "préproliférative", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox25", Check, "PanelYeux", {152, 150, 16, 15},
     "", "préproliférative œil droit oui", 1, ref(fld::RetinoPreprolifD), 1, 40},
    {"CheckBox53", Check, "PanelYeux", {172, 150, 16, 15},
     "", "préproliférative œil droit non", 1, ref(fld::RetinoPreprolifD), 2, 41},
    {"CheckBox61", Check, "PanelYeux", {200, 150, 16, 15},
     "", "préproliférative œil gauche oui", 1, ref(fld::RetinoPreprolifG), 1, 42},
    {"CheckBox69", Check, "PanelYeux", {220, 150, 16, 15},
     "", "préproliférative œil gauche non", 1, ref(fld::RetinoPreprolifG), 2, 43},
    {"", Label, "PanelYeux", {14, 165, 134, 15}, "proliférative", "", 1, {}, 0, -1, "", Right | Dark},
    {"CheckBox26", Check, "PanelYeux", {152, 165, 16, 15},
     "", "proliférative œil droit oui", 1, ref(fld::RetinoProlifD), 1, 44},
    {"CheckBox54", Check, "PanelYeux", {172, 165, 16, 15},
     "", "proliférative œil droit non", 1, ref(fld::RetinoProlifD), 2, 45},
    {"CheckBox62", Check, "PanelYeux", {200, 165, 16, 15},
     "", "proliférative œil gauche oui", 1, ref(fld::RetinoProlifG), 1, 46},
    {"CheckBox70", Check, "PanelYeux", {220, 165, 16, 15},
     "", "proliférative œil gauche non", 1, ref(fld::RetinoProlifG), 2, 47},
    {"", Label, "PanelYeux", {14, 184, 120, 15}, "Acuité visuelle", "", 1, {}, 0, -1, "", Dark},
    {"Edit1", Entry, "PanelYeux", {150, 183, 24, 16}, "", "Acuité visuelle œil droit", 1, ref(fld::AcuiteD), 0, 48},
    {"", Label, "PanelYeux", {176, 184, 20, 15}, "/10", "", 1, {}, 0, -1, "", Dark},
    {"Edit2", Entry, "PanelYeux", {198, 183, 24, 16}, "", "Acuité visuelle œil gauche", 1, ref(fld::AcuiteG), 0, 49},
    {"", Label, "PanelYeux", {224, 184, 20, 15}, "/10", "", 1, {}, 0, -1, "", Dark},
    {"", Label, "", {334, 96, 10, 15}, "P", "", 1},
    {"", Label, "", {334, 120, 10, 15}, "I", "", 1},
    {"", Label, "", {334, 144, 10, 15}, "E", "", 1},
    {"", Label, "", {334, 168, 10, 15}, "D", "", 1},
    {"", Label, "", {334, 192, 10, 15}, "S", "", 1},
    {"", Label, "", {346, 58, 110, 15}, "Examen < 12 mois", "", 1},
    {"RadioButton3", Radio, "", {470, 58, 40, 15},
     "oui", "Examen des pieds < 12 mois oui", 1, ref(fld::ExamPieds), 1, 50},
    {"RadioButton4", Radio, "", {516, 58, 40, 15},
     "non", "Examen des pieds < 12 mois non", 1, ref(fld::ExamPieds), 2, 51},
    {"", Label, "", {482, 75, 14, 14}, "G", "", 1},
    {"", Label, "", {530, 75, 14, 14}, "D", "", 1},
    {"", Label, "", {470, 87, 20, 13}, "oui", "", 1},
    {"", Label, "", {490, 87, 20, 13}, "non", "", 1},
    {"", Label, "", {518, 87, 20, 13}, "oui", "", 1},
    {"", Label, "", {538, 87, 20, 13}, "non", "", 1},
    {"", Label, "", {346, 101, 122, 15}, "Sensibilité vibra. normale", "", 1, {}, 0, -1, "", Right},
    {"CheckBox13", Check, "", {472, 101, 16, 15},
     "", "Sensibilité vibra. normale pied gauche oui", 1, ref(fld::SensVibraG), 1, 52},
    {"CheckBox75", Check, "", {492, 101, 16, 15},
     "", "Sensibilité vibra. normale pied gauche non", 1, ref(fld::SensVibraG), 2, 53},
    {"CheckBox81", Check, "", {520, 101, 16, 15},
     "", "Sensibilité vibra. normale pied droit oui", 1, ref(fld::SensVibraD), 1, 54},
    {"CheckBox87", Check, "", {540, 101, 16, 15},
     "", "Sensibilité vibra. normale pied droit non", 1, ref(fld::SensVibraD), 2, 55},
    {"", Label, "", {346, 118, 122, 15}, "Sensibilité doul. normale", "", 1, {}, 0, -1, "", Right},
    {"CheckBox14", Check, "", {472, 118, 16, 15},
     "", "Sensibilité doul. normale pied gauche oui", 1, ref(fld::SensDoulG), 1, 56},
    {"CheckBox76", Check, "", {492, 118, 16, 15},
     "", "Sensibilité doul. normale pied gauche non", 1, ref(fld::SensDoulG), 2, 57},
    {"CheckBox82", Check, "", {520, 118, 16, 15},
     "", "Sensibilité doul. normale pied droit oui", 1, ref(fld::SensDoulD), 1, 58},
    {"CheckBox88", Check, "", {540, 118, 16, 15},
     "", "Sensibilité doul. normale pied droit non", 1, ref(fld::SensDoulD), 2, 59},
    {"", Label, "", {346, 135, 122, 15}, "Pouls présents", "", 1, {}, 0, -1, "", Right},
    {"CheckBox71", Check, "", {472, 135, 16, 15}, "", "Pouls présents pied gauche oui", 1, ref(fld::PoulsG), 1, 60},
    {"CheckBox77", Check, "", {492, 135, 16, 15}, "", "Pouls présents pied gauche non", 1, ref(fld::PoulsG), 2, 61},
    {"CheckBox83", Check, "", {520, 135, 16, 15}, "", "Pouls présents pied droit oui", 1, ref(fld::PoulsD), 1, 62},
    {"CheckBox89", Check, "", {540, 135, 16, 15}, "", "Pouls présents pied droit non", 1, ref(fld::PoulsD), 2, 63},
    {"", Label, "", {346, 152, 122, 15}, "Ulcère cicatrisé", "", 1, {}, 0, -1, "", Right},
    {"CheckBox72", Check, "", {472, 152, 16, 15},
     "", "Ulcère cicatrisé pied gauche oui", 1, ref(fld::UlcereCicatG), 1, 64},
    {"CheckBox78", Check, "", {492, 152, 16, 15},
     "", "Ulcère cicatrisé pied gauche non", 1, ref(fld::UlcereCicatG), 2, 65},
    {"CheckBox84", Check, "", {520, 152, 16, 15},
     "", "Ulcère cicatrisé pied droit oui", 1, ref(fld::UlcereCicatD), 1, 66},
    {"CheckBox90", Check, "", {540, 152, 16, 15},
     "", "Ulcère cicatrisé pied droit non", 1, ref(fld::UlcereCicatD), 2, 67},
    {"", Label, "", {346, 169, 122, 15}, "Ulcère aigu", "", 1, {}, 0, -1, "", Right},
    {"CheckBox73", Check, "", {472, 169, 16, 15}, "", "Ulcère aigu pied gauche oui", 1, ref(fld::UlcereAiguG), 1, 68},
    {"CheckBox79", Check, "", {492, 169, 16, 15}, "", "Ulcère aigu pied gauche non", 1, ref(fld::UlcereAiguG), 2, 69},
    {"CheckBox85", Check, "", {520, 169, 16, 15}, "", "Ulcère aigu pied droit oui", 1, ref(fld::UlcereAiguD), 1, 70},
    {"CheckBox91", Check, "", {540, 169, 16, 15}, "", "Ulcère aigu pied droit non", 1, ref(fld::UlcereAiguD), 2, 71},
    {"", Label, "", {346, 186, 122, 15}, "Pontage / Angioplastie", "", 1, {}, 0, -1, "", Right},
    {"CheckBox74", Check, "", {472, 186, 16, 15},
     "", "Pontage / Angioplastie pied gauche oui", 1, ref(fld::PontageG), 1, 72},
    {"CheckBox80", Check, "", {492, 186, 16, 15},
     "", "Pontage / Angioplastie pied gauche non", 1, ref(fld::PontageG), 2, 73},
    {"CheckBox86", Check, "", {520, 186, 16, 15},
     "", "Pontage / Angioplastie pied droit oui", 1, ref(fld::PontageD), 1, 74},
    {"CheckBox92", Check, "", {540, 186, 16, 15},
     "", "Pontage / Angioplastie pied droit non", 1, ref(fld::PontageD), 2, 75},
    {"", Label, "", {80, 266, 70, 15}, "Hypoglycémie", "", 2},
    {"Edit3", Entry, "", {150, 266, 28, 16}, "", "Hypoglycémies nb/an", 2, ref(fld::HypoNbAn), 0, 76},
    {"", Label, "", {181, 266, 34, 15}, "nb/an", "", 2},
    {"", Label, "", {222, 266, 54, 15}, "Hyper", "", 2},
    {"Edit4", Entry, "", {278, 266, 28, 16}, "", "Hyperglycémies nb/an", 2, ref(fld::HyperNbAn), 0, 77},
    {"", Label, "", {309, 266, 34, 15}, "nb/an", "", 2},
    {"", Label, "", {350, 266, 44, 15}, "Insuline", "", 2},
    {"", Label, "", {394, 266, 56, 15}, "Nb inj/jour", "", 2},
    {"", Label, "", {452, 266, 30, 15}, "avant", "", 2},
    {"Edit7", Entry, "", {482, 266, 22, 16}, "", "Insuline nb inj/jour avant", 2, ref(fld::InjAvant), 0, 78},
    {"", Label, "", {510, 266, 30, 15}, "après", "", 2},
    {"Edit8", Entry, "", {540, 266, 22, 16}, "", "Insuline nb inj/jour après", 2, ref(fld::InjApres), 0, 79},
    {"", Label, "", {80, 284, 70, 15}, "J. Mal. Hosp.", "", 2},
    {"Edit5", Entry, "", {150, 284, 28, 16}, "", "Jours de maladie à l'hôpital par an", 2, ref(fld::JoursHosp), 0, 80},
    {"", Label, "", {181, 284, 34, 15}, "J/an", "", 2},
    {"", Label, "", {222, 284, 54, 15}, "Hors hosp.", "", 2},
    {"Edit6", Entry, "", {278, 284, 28, 16},
     "", "Jours de maladie hors hôpital par an", 2, ref(fld::JoursHorsHosp), 0, 81},
    {"", Label, "", {309, 284, 34, 15}, "J/an", "", 2},
    {"", Label, "", {350, 284, 44, 15}, "Stylo : ", "", 2},
    {"CheckBox93", Check, "", {452, 284, 44, 15}, "oui", "Stylo oui", 2, ref(fld::Stylo), 1, 82},
    {"CheckBox94", Check, "", {510, 284, 44, 15}, "non", "Stylo non", 2, ref(fld::Stylo), 2, 83},
    {"", Label, "", {166, 308, 48, 15}, "début en:", "", 3},
    {"", Label, "", {218, 308, 30, 15}, "avant", "", 3},
    {"", Label, "", {254, 308, 30, 15}, "après", "", 3},
    {"", Label, "", {80, 323, 84, 15}, "Régime seul", "", 3},
    {"CheckBox27", Check, "", {222, 323, 16, 15}, "", "Régime seul avant", 3, ref(fld::RegimeSeul), 1, 84},
    {"CheckBox28", Check, "", {258, 323, 16, 15}, "", "Régime seul après", 3, ref(fld::RegimeSeul), 2, 85},
    {"", Label, "", {80, 340, 84, 15}, "Biguanides", "", 3},
    {"MaskEdit1", Entry, "", {168, 340, 36, 16}, "", "Biguanides début en", 3, ref(fld::AnBiguanides), 0, 86},
    {"CheckBox29", Check, "", {222, 340, 16, 15}, "", "Biguanides avant", 3, ref(fld::Biguanides), 1, 87},
    {"CheckBox30", Check, "", {258, 340, 16, 15}, "", "Biguanides après", 3, ref(fld::Biguanides), 2, 88},
    {"", Label, "", {80, 357, 84, 15}, "Sulfamides", "", 3},
    {"MaskEdit2", Entry, "", {168, 357, 36, 16}, "", "Sulfamides début en", 3, ref(fld::AnSulfamides), 0, 89},
    {"CheckBox31", Check, "", {222, 357, 16, 15}, "", "Sulfamides avant", 3, ref(fld::Sulfamides), 1, 90},
    {"CheckBox32", Check, "", {258, 357, 16, 15}, "", "Sulfamides après", 3, ref(fld::Sulfamides), 2, 91},
    {"", Label, "", {80, 374, 84, 15}, "Inib Glucosidase", "", 3},
    {"MaskEdit3", Entry, "", {168, 374, 36, 16},
     "", "Inib Glucosidase début en", 3, ref(fld::AnInhibGlucosidase), 0, 92},
    {"CheckBox33", Check, "", {222, 374, 16, 15}, "", "Inib Glucosidase avant", 3, ref(fld::InhibGlucosidase), 1, 93},
    {"CheckBox34", Check, "", {258, 374, 16, 15}, "", "Inib Glucosidase après", 3, ref(fld::InhibGlucosidase), 2, 94},
    {"", Label, "", {80, 391, 84, 15}, "Thiazolidinedines", "", 3},
    {"Edit9", Entry, "", {168, 391, 36, 16},
     "", "Thiazolidinedines début en", 3, ref(fld::AnThiazolidinediones), 0, 95},
    {"CheckBox95", Check, "", {222, 391, 16, 15},
     "", "Thiazolidinedines avant", 3, ref(fld::Thiazolidinediones), 1, 96},
    {"CheckBox96", Check, "", {258, 391, 16, 15},
     "", "Thiazolidinedines après", 3, ref(fld::Thiazolidinediones), 2, 97},
    {"PanelInsuline", Block, "", {296, 308, 274, 104}, "", "", 3},
    {"", Label, "PanelInsuline", {132, 1, 30, 13}, "avant", "", 3, {}, 0, -1, "", Dark},
    {"", Label, "PanelInsuline", {172, 1, 30, 13}, "après", "", 3, {}, 0, -1, "", Dark},
    {"", Label, "PanelInsuline", {8, 14, 116, 15}, "Analogue :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox97", Check, "PanelInsuline", {136, 14, 16, 15},
     "", "Insuline Analogue avant", 3, ref(fld::InsAnalogue), 1, 98},
    {"CheckBox103", Check, "PanelInsuline", {176, 14, 16, 15},
     "", "Insuline Analogue après", 3, ref(fld::InsAnalogue), 2, 99},
    {"", Label, "PanelInsuline", {8, 29, 116, 15}, "Rapide :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox98", Check, "PanelInsuline", {136, 29, 16, 15},
     "", "Insuline Rapide avant", 3, ref(fld::InsRapide), 1, 100},
    {"CheckBox104", Check, "PanelInsuline", {176, 29, 16, 15},
     "", "Insuline Rapide après", 3, ref(fld::InsRapide), 2, 101},
    {"", Label, "PanelInsuline", {8, 44, 116, 15}, "NPH :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox99", Check, "PanelInsuline", {136, 44, 16, 15}, "", "Insuline NPH avant", 3, ref(fld::InsNph), 1, 102},
    {"CheckBox105", Check, "PanelInsuline", {176, 44, 16, 15}, "", "Insuline NPH après", 3, ref(fld::InsNph), 2, 103},
    {"", Label, "PanelInsuline", {8, 59, 116, 15}, "Mélanges fixes :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox100", Check, "PanelInsuline", {136, 59, 16, 15},
     "", "Insuline Mélanges fixes avant", 3, ref(fld::InsMelanges), 1, 104},
    {"CheckBox106", Check, "PanelInsuline", {176, 59, 16, 15},
     "", "Insuline Mélanges fixes après", 3, ref(fld::InsMelanges), 2, 105},
    {"", Label, "PanelInsuline", {8, 74, 116, 15}, "Lente :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox101", Check, "PanelInsuline", {136, 74, 16, 15},
     "", "Insuline Lente avant", 3, ref(fld::InsLente), 1, 106},
    {"CheckBox107", Check, "PanelInsuline", {176, 74, 16, 15},
     "", "Insuline Lente après", 3, ref(fld::InsLente), 2, 107},
    {"", Label, "PanelInsuline", {8, 89, 116, 15}, "Insuline pompe :", "", 3, {}, 0, -1, "", Right | Dark},
    {"CheckBox102", Check, "PanelInsuline", {136, 89, 16, 15},
     "", "Insuline Insuline pompe avant", 3, ref(fld::InsPompe), 1, 108},
    {"CheckBox108", Check, "PanelInsuline", {176, 89, 16, 15},
     "", "Insuline Insuline pompe après", 3, ref(fld::InsPompe), 2, 109},
    {"", Label, "", {146, 418, 30, 13}, "avant", "", 4},
    {"", Label, "", {176, 418, 30, 13}, "après", "", 4},
    {"", Label, "", {268, 418, 30, 13}, "avant", "", 4},
    {"", Label, "", {298, 418, 30, 13}, "après", "", 4},
    {"", Label, "", {390, 418, 30, 13}, "avant", "", 4},
    {"", Label, "", {420, 418, 30, 13}, "après", "", 4},
    {"", Label, "", {512, 418, 30, 13}, "avant", "", 4},
    {"", Label, "", {542, 418, 30, 13}, "après", "", 4},
    {"", Label, "", {80, 433, 68, 15}, "HTA", "", 4},
    {"CheckBox35", Check, "", {150, 433, 16, 15}, "", "HTA avant", 4, ref(fld::TrtHta), 1, 110},
    {"CheckBox36", Check, "", {180, 433, 16, 15}, "", "HTA après", 4, ref(fld::TrtHta), 2, 111},
    {"", Label, "", {202, 433, 68, 15}, "Insuf.card.", "", 4},
    {"CheckBox37", Check, "", {272, 433, 16, 15}, "", "Insuf.card. avant", 4, ref(fld::TrtInsufCard), 1, 112},
    {"CheckBox38", Check, "", {302, 433, 16, 15}, "", "Insuf.card. après", 4, ref(fld::TrtInsufCard), 2, 113},
    {"", Label, "", {324, 433, 68, 15}, "Card.ischém.", "", 4},
    {"CheckBox39", Check, "", {394, 433, 16, 15}, "", "Card.ischém. avant", 4, ref(fld::TrtCardIschem), 1, 114},
    {"CheckBox40", Check, "", {424, 433, 16, 15}, "", "Card.ischém. après", 4, ref(fld::TrtCardIschem), 2, 115},
    {"", Label, "", {446, 433, 68, 15}, "Dyslipidémie", "", 4},
    {"CheckBox41", Check, "", {516, 433, 16, 15}, "", "Dyslipidémie avant", 4, ref(fld::TrtDyslipidemie), 1, 116},
    {"CheckBox42", Check, "", {546, 433, 16, 15}, "", "Dyslipidémie après", 4, ref(fld::TrtDyslipidemie), 2, 117},
    {"", Label, "", {80, 451, 68, 15}, "Néphro.", "", 4},
    {"CheckBox43", Check, "", {150, 451, 16, 15}, "", "Néphro. avant", 4, ref(fld::TrtNephro), 1, 118},
    {"CheckBox44", Check, "", {180, 451, 16, 15}, "", "Néphro. après", 4, ref(fld::TrtNephro), 2, 119},
    {"", Label, "", {202, 451, 68, 15}, "Neuro.", "", 4},
    {"CheckBox45", Check, "", {272, 451, 16, 15}, "", "Neuro. avant", 4, ref(fld::TrtNeuro), 1, 120},
    {"CheckBox46", Check, "", {302, 451, 16, 15}, "", "Neuro. après", 4, ref(fld::TrtNeuro), 2, 121},
    {"", Label, "", {324, 451, 68, 15}, "Autre", "", 4},
    {"CheckBox47", Check, "", {394, 451, 16, 15}, "", "Autre avant", 4, ref(fld::TrtAutre), 1, 122},
    {"CheckBox48", Check, "", {424, 451, 16, 15}, "", "Autre après", 4, ref(fld::TrtAutre), 2, 123},
};
// clang-format on

// Page 2 loads in the order of the record.
const Rule kRules2[] = {
    {ref(fld::HypoTaOrtho), Kind::Choice, 0, Family::Pair},
    {ref(fld::Angor), Kind::Choice, 0, Family::Pair},
    {ref(fld::Anerection), Kind::Choice, 0, Family::Pair},
    {ref(fld::NeuropathiePeri), Kind::Choice, 0, Family::Pair},
    {ref(fld::Claudication), Kind::Choice, 0, Family::Pair},
    {ref(fld::ExamYeux), Kind::Choice, 0, Family::Radio},
    {ref(fld::PhotocoagD), Kind::Choice, 0, Family::Pair},
    {ref(fld::VitrectomieD), Kind::Choice, 0, Family::Pair},
    {ref(fld::CataracteD), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetineVueD), Kind::Choice, 0, Family::Pair},
    {ref(fld::MaculopathieD), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinopathieD), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoNonProlifD), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoPreprolifD), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoProlifD), Kind::Choice, 0, Family::Pair},
    {ref(fld::AcuiteD), Kind::RoundedByte, 3},
    {ref(fld::PhotocoagG), Kind::Choice, 0, Family::Pair},
    {ref(fld::VitrectomieG), Kind::Choice, 0, Family::Pair},
    {ref(fld::CataracteG), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetineVueG), Kind::Choice, 0, Family::Pair},
    {ref(fld::MaculopathieG), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinopathieG), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoNonProlifG), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoPreprolifG), Kind::Choice, 0, Family::Pair},
    {ref(fld::RetinoProlifG), Kind::Choice, 0, Family::Pair},
    {ref(fld::AcuiteG), Kind::RoundedByte, 3},
    {ref(fld::ExamPieds), Kind::Choice, 0, Family::Radio},
    {ref(fld::SensVibraG), Kind::Choice, 0, Family::Pair},
    {ref(fld::SensDoulG), Kind::Choice, 0, Family::Pair},
    {ref(fld::PoulsG), Kind::Choice, 0, Family::Pair},
    {ref(fld::UlcereCicatG), Kind::Choice, 0, Family::Pair},
    {ref(fld::UlcereAiguG), Kind::Choice, 0, Family::Pair},
    {ref(fld::PontageG), Kind::Choice, 0, Family::Pair},
    {ref(fld::SensVibraD), Kind::Choice, 0, Family::Pair},
    {ref(fld::SensDoulD), Kind::Choice, 0, Family::Pair},
    {ref(fld::PoulsD), Kind::Choice, 0, Family::Pair},
    {ref(fld::UlcereCicatD), Kind::Choice, 0, Family::Pair},
    {ref(fld::UlcereAiguD), Kind::Choice, 0, Family::Pair},
    {ref(fld::PontageD), Kind::Choice, 0, Family::Pair},
    {ref(fld::HypoNbAn), Kind::Integer, 3},
    {ref(fld::HyperNbAn), Kind::Integer, 3},
    {ref(fld::JoursHosp), Kind::Integer, 3},
    {ref(fld::JoursHorsHosp), Kind::Integer, 3},
    {ref(fld::InjAvant), Kind::Integer, 2},
    {ref(fld::InjApres), Kind::Integer, 2},
    {ref(fld::Stylo), Kind::Choice, 0, Family::Pair},
    {ref(fld::RegimeSeul), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::AnBiguanides), Kind::Year, 4},
    {ref(fld::AnSulfamides), Kind::Year, 4},
    {ref(fld::AnInhibGlucosidase), Kind::Year, 4},
    {ref(fld::AnThiazolidinediones), Kind::Year, 4},
    {ref(fld::Biguanides), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::Sulfamides), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InhibGlucosidase), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::Thiazolidinediones), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsAnalogue), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsRapide), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsNph), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsMelanges), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsLente), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::InsPompe), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtHta), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtInsufCard), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtCardIschem), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtDyslipidemie), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtNephro), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtNeuro), Kind::Choice, 0, Family::BeforeAfter},
    {ref(fld::TrtAutre), Kind::Choice, 0, Family::BeforeAfter},
};

// A page's fields joined with the controls that show them.
std::vector<Control> join(std::span<const Rule> rules, std::span<const Item> items) {
    std::vector<Control> out;
    for (const Rule& rule : rules) {
        Control c{"", rule.field, rule.kind, rule.length, "", 0, rule.family, rule.exclusive, {}};
        for (const Item& it : items) {
            if (!it.writes() || it.field.offset != rule.field.offset) continue;
            if (rule.kind == Kind::Choice) c.boxes[std::size_t(it.code - 1)] = it.name;
            if (rule.kind != Kind::Choice || it.code == 1) {
                c.name = it.name;
                c.tab = it.tab;
                if (rule.kind != Kind::Choice) c.accessible = it.accessible;
            }
        }
        out.push_back(c);
    }
    return out;
}

const Item* find(FieldRef f, int code) {
    for (auto page : {page1Items(), page2Items()})
        for (const Item& it : page)
            if (it.writes() && it.field.offset == f.offset && it.code == code) return &it;
    return nullptr;
}

}  // namespace

std::size_t Control::boxCount() const {
    std::size_t n = 0;
    while (n < boxes.size() && boxes[n]) ++n;
    return n;
}

std::span<const Item> page1Items() { return kItems1; }
std::span<const Item> page2Items() { return kItems2; }

std::span<const Control> page1Controls() {
    static const std::vector<Control> rows = join(kRules1, kItems1);
    return rows;
}
std::span<const Control> page2Controls() {
    static const std::vector<Control> rows = join(kRules2, kItems2);
    return rows;
}

const char* entryName(FieldRef f) {
    const Item* it = find(f, 0);
    return it ? it->name : "";
}

const char* boxName(FieldRef f, int code) {
    const Item* it = find(f, code);
    return it ? it->name : "";
}

std::string loadedText(const Control& c, const FibRecord& r) {
    switch (c.kind) {
    case Kind::Date: return r.date();
    case Kind::Letter: return r.initiale();
    case Kind::Choice: return {};
    default: break;
    }
    switch (c.field.type) {
    case FieldType::U8: return displayU8(r.get(Field<FieldType::U8>{c.field.offset, c.field.name}));
    case FieldType::I32: return displayI32(r.get(Field<FieldType::I32>{c.field.offset, c.field.name}));
    case FieldType::F32: return displayF32(r.get(Field<FieldType::F32>{c.field.offset, c.field.name}));
    default: return {};
    }
}

namespace {

bool isSeparatorPlace(std::size_t i) { return kDateMask[i] != '0' && kDateMask[i] != '9'; }

// Code points of a UTF-8 text; a byte that starts no valid sequence counts as one.
std::vector<char32_t> codePoints(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        char32_t c = len == 1 ? b : b & (0x3F >> (len - 1));
        std::size_t k = 1;
        for (; k < len && i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80; ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(k == len ? c : b);
        i += k == len ? len : 1;
    }
    return out;
}

}  // namespace

std::string maskedDate(std::string_view text) {
    const std::size_t places = std::string_view(kDateMask).size();
    // A digit anywhere; a blank only where the digit is optional ('0', not '9').
    auto takes = [](char32_t c, std::size_t i) { return (c >= '0' && c <= '9') || (c == ' ' && kDateMask[i] == '0'); };
    const std::vector<char32_t> in = codePoints(text);
    std::string out;
    std::size_t i = 0;
    for (std::size_t k = 0; i < places && k < in.size(); ++k) {
        const char32_t c = in[k];
        if (isSeparatorPlace(i)) {
            // The separator is shown; the character goes on to the next place unless it is that separator.
            out += kDateMask[i++];
            if (c != char32_t(kDateMask[i - 1])) --k;
        } else if (takes(c, i)) {
            out += static_cast<char>(c);
            ++i;
        } else {
            // A separator typed early leaves the places before it blank.
            std::size_t j = i;
            while (j < places && !(isSeparatorPlace(j) && c == char32_t(kDateMask[j]))) ++j;
            if (j < places) {
                for (; i <= j; ++i) out += isSeparatorPlace(i) ? kDateMask[i] : ' ';
            }
        }
    }
    for (; i < places; ++i) out += isSeparatorPlace(i) ? kDateMask[i] : ' ';
    return out;
}

std::string strippedDate(std::string_view shown) {
    std::string out;
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (!(shown[i] == ' ' && i < std::string_view(kDateMask).size() && !isSeparatorPlace(i))) out += shown[i];
    return out;
}

checks::Entries loadedEntries(std::span<const Control> page, const FibRecord& r) {
    checks::Entries e;
    for (const Control& c : page) {
        if (c.kind == Kind::Date) e[c.name] = strippedDate(maskedDate(loadedText(c, r)));
        else if (!c.isChoice()) e[c.name] = loadedText(c, r);
    }
    return e;
}

namespace {
const Panel kPanels1[] = {
    {"Panel23", &checks::Panel23Click, "Identification", "GroupeIdentification", "Données\nde\nBase", 2, 62, 2, 1},
    {"Panel22", &checks::Panel22Click, "Consultation ou hospitalisation", "GroupeMotif",
     "Consult.\nou Hospit.\n1 Motif", 66, 43, 3, 2},
    {"Panel24", &checks::Panel24Click, "Grossesse", "Panel10", "Grossesse\nachevée dans\nles 12 derniers\nmois", 111,
     46, 4, 3},
    {"Panel25", &checks::Panel25Click, "Facteurs de risques", "GroupeRisques", "Facteurs de\nrisques\nactuels", 157, 43,
     5, 4},
    {"Panel26", &checks::Panel26Click, "Autosurveillance", "GroupeAutosurveillance", "Auto-\nsurveillance", 200, 28, 6,
     5},
    {"Panel27", &checks::Panel27Click, "Education", "GroupeEducation", "Education", 228, 62, 7, 6},
    {"Panel28", &checks::Panel28Click, "Dernières valeurs", "GroupeMesures",
     "Données\nDernières\nvaleurs des\n12 derniers\nmois", 290, 81, 8, 7},
    {"Panel29", &checks::Panel29Click, "Objectifs de St-Vincent", "GroupeStVincent", "Objectifs\nde\nSt-Vincent", 372,
     76, 9, 8},
};
const Panel kPanels2[] = {
    {"Panel13", &checks::Panel13Click, "Symptômes depuis 12 mois", "Group13", "Symptômes\ndepuis 12\nmois", 2, 52, 3,
     10},
    {"Panel15", &checks::Panel15Click, "Observation ( bilan des 12 derniers mois )", "Group15",
     "Observation\n( bilan des\n12 derniers\nmois )", 56, 204, 4, 11},
    {"Panel16", &checks::Panel16Click, "Qualité de vie", "Group16", "Qualité\nde vie", 262, 42, 2, 12},
    {"Panel17", &checks::Panel17Click, "Traitement du diabète", "Group17", "Traitement\ndu\ndiabète", 306, 108, 5, 13},
    {"Panel18", &checks::Panel18Click, "Traitements associés", "Group18", "Traitements\nassociés", 416, 52, 6, 14},
};
}  // namespace

std::span<const Panel> page1Panels() { return kPanels1; }
std::span<const Panel> page2Panels() { return kPanels2; }

ClickChecks clickChecks(int page, FieldRef field, int code) {
    const auto is = [&field](auto f) { return field.offset == f.offset; };
    if (page == 1) {
        // Contact and self-monitoring first store the entries they depend on.
        if (is(fld::ConsultHospit) && (code == 1 || code == 2)) return {{0}, true};
        if (is(fld::AutoSurveillance) && code == 1) return {{0, 1, 2, 3}, true};
        if (is(fld::AutoSurveillance) && code == 2) return {{1, 2, 3}, true};
    } else if (is(fld::ExamYeux) && code == 1) {
        // The eye examination "oui" tests the symptoms first, with messages as set.
        return {{0}, false};
    }
    return {};
}

std::optional<LoadingClick> loadingClick(int page, const Control& choice, std::uint8_t code) {
    // Only the radio buttons' clicks do more than write their code.
    if (choice.family != Family::Radio || code < 1 || code > choice.boxCount()) return std::nullopt;
    ClickChecks checks = clickChecks(page, choice.field, code);
    if (checks.panels.empty()) return std::nullopt;
    return LoadingClick{std::size_t(code - 1), std::move(checks)};
}

}  // namespace pelo::entry
