#include "entry/EntryTable.h"

#include <string_view>

#include "store/Text.h"

namespace pelo::entry {

namespace {

constexpr Control choice(FieldRef f, Family family, int tab, std::array<const char*, 7> boxes, bool exclusive = false) {
    return Control{boxes[0], f, Kind::Choice, 0, "", tab, family, exclusive, boxes};
}

// Page 1 in the order of the sheet, which its loading follows (the laboratory
// values from glycaemia on, then cholesterol, HDL and triglycerides and their
// fasting pair), with the place of each in the Tab order, which follows the layout.
const Control kPage1[] = {
    {"MaskEdit19", ref(fld::DateFib), Kind::Date, 10, "Date de la fiche", 0},
    {"Edit3", ref(fld::Initiale), Kind::Letter, 1, "Initiale du nom", 1},
    {"Edit4", ref(fld::MoisNaissance), Kind::Integer, 2, "Mois de naissance", 2},
    {"Edit5", ref(fld::AnNaissance), Kind::Year, 4, "Année de naissance", 3},
    choice(ref(fld::Sexe), Family::Radio, 4, {"RadioButton10", "RadioButton11"}),
    choice(ref(fld::TypeDiabete), Family::Radio, 6, {"RadioButton12", "RadioButton13", "RadioButton14"}),
    {"MaskEdit1", ref(fld::AnDebutDiabete), Kind::Year, 4, "Début du diabète", 9},
    {"Edit1", ref(fld::AnDebutComprimes), Kind::Year, 4, "Début des comprimés", 10},
    {"Edit2", ref(fld::AnDebutInsuline), Kind::Year, 4, "Début de l'insuline", 11},
    choice(ref(fld::ConsultHospit), Family::Radio, 12, {"RadioButton1", "RadioButton2"}),
    choice(ref(fld::Motif), Family::Radio, 14,
           {"RadioButton3", "RadioButton4", "RadioButton5", "RadioButton6", "RadioButton7", "RadioButton8",
            "RadioButton9"}),
    {"Edit9", ref(fld::GrossEnfantNormal), Kind::Integer, 1, "Grossesse : Enfant normal", 21},
    {"Edit8", ref(fld::GrossFC), Kind::Integer, 1, "Grossesse : F.C.", 22},
    {"Edit7", ref(fld::GrossMalformation), Kind::Integer, 1, "Grossesse : Malformation", 23},
    {"Edit6", ref(fld::GrossMortPerinatale), Kind::Integer, 1, "Grossesse : Mort périnatale", 24},
    choice(ref(fld::DiabeteFamille), Family::Single, 25, {"CheckBox1"}),
    choice(ref(fld::Tabac), Family::Pair, 26, {"CheckBox2", "CheckBox4"}),
    choice(ref(fld::Alcool), Family::Pair, 29, {"CheckBox3", "CheckBox5"}),
    {"Edit10", ref(fld::Cigarettes), Kind::Integer, 2, "Cigarettes par jour", 28},
    {"Edit11", ref(fld::AlcoolGrSemaine), Kind::Integer, 4, "Alcool, grammes par semaine", 31},
    choice(ref(fld::AutoSurveillance), Family::Radio, 32, {"RadioButton15", "RadioButton16"}),
    {"MaskEdit2", ref(fld::GlycemiesSemaine), Kind::Integer, 2, "Glycémies par semaine", 34},
    {"MaskEdit3", ref(fld::GlycosuriesSemaine), Kind::Integer, 2, "Glycosuries par semaine", 35},
    choice(ref(fld::EducAlimentation), Family::Pair, 36, {"CheckBox6", "CheckBox8"}),
    choice(ref(fld::EducAutosurveillance), Family::Pair, 38, {"CheckBox7", "CheckBox9"}),
    choice(ref(fld::EducSoinsPieds), Family::Pair, 40, {"CheckBox10", "CheckBox11"}),
    choice(ref(fld::EducHypoglycemies), Family::Pair, 42, {"CheckBox12", "CheckBox13"}),
    choice(ref(fld::EducComplications), Family::Pair, 44, {"CheckBox14", "CheckBox16"}),
    choice(ref(fld::EducAjustInsuline), Family::Pair, 46, {"CheckBox15", "CheckBox17"}),
    choice(ref(fld::Association), Family::Pair, 48, {"CheckBox18", "CheckBox19"}),
    {"MaskEdit7", ref(fld::Poids), Kind::Integer, 0, "Poids", 50},
    {"MaskEdit6", ref(fld::Taille), Kind::Integer, 0, "Taille", 51},
    {"MaskEdit5", ref(fld::TourTaille), Kind::Integer, 0, "Tour de taille", 52},
    {"MaskEdit4", ref(fld::TourHanches), Kind::Integer, 0, "Tour de hanches", 53},
    {"MaskEdit8", ref(fld::TaSyst), Kind::Integer, 0, "TA systolique", 54},
    {"MaskEdit9", ref(fld::TaDiast), Kind::Integer, 0, "TA diastolique", 55},
    {"MaskEdit13", ref(fld::GlyJeun), Kind::Decimal2, 0, "Glycémie à jeun", 61},
    {"MaskEdit14", ref(fld::HbA1c), Kind::Decimal2, 0, "HbA1C", 62},
    {"MaskEdit15", ref(fld::Fructosamine), Kind::Decimal2, 0, "Fructosamine", 63},
    {"MaskEdit16", ref(fld::Creatinine), Kind::Decimal2, 0, "Créatinine", 64},
    {"MaskEdit17", ref(fld::Microalb), Kind::Decimal2, 0, "Microalbuminurie", 65},
    {"MaskEdit18", ref(fld::Proteinurie), Kind::Decimal2, 0, "Protéinurie", 66},
    {"MaskEdit11", ref(fld::Cholesterol), Kind::Decimal2, 0, "Cholestérol", 56},
    {"MaskEdit12", ref(fld::Hdl), Kind::Decimal2, 0, "HDL", 57},
    {"MaskEdit10", ref(fld::Triglycerides), Kind::Decimal2, 0, "Triglycérides", 58},
    choice(ref(fld::TrigAJeun), Family::Pair, 59, {"CheckBox20", "CheckBox21"}),
    choice(ref(fld::Cecite), Family::Complication, 67, {"CheckBox22", "CheckBox25", "CheckBox28"}, true),
    choice(ref(fld::Infarctus), Family::Complication, 70, {"CheckBox23", "CheckBox26", "CheckBox29"}),
    choice(ref(fld::Avc), Family::Complication, 73, {"CheckBox24", "CheckBox27", "CheckBox30"}),
    choice(ref(fld::InsufRenale), Family::Complication, 76, {"CheckBox31", "CheckBox34", "CheckBox37"}, true),
    choice(ref(fld::AmputSup), Family::Complication, 79, {"CheckBox32", "CheckBox35", "CheckBox38"}),
    choice(ref(fld::AmputInf), Family::Complication, 82, {"CheckBox33", "CheckBox36", "CheckBox39"}),
};

// Page 2 in the order of the record, which its loading follows.
const Control kPage2[] = {
    choice(ref(fld::HypoTaOrtho), Family::Pair, 0, {"CheckBox1", "CheckBox3"}),
    choice(ref(fld::Angor), Family::Pair, 2, {"CheckBox5", "CheckBox7"}),
    choice(ref(fld::Anerection), Family::Pair, 4, {"CheckBox9", "CheckBox10"}),
    choice(ref(fld::NeuropathiePeri), Family::Pair, 6, {"CheckBox2", "CheckBox4"}),
    choice(ref(fld::Claudication), Family::Pair, 8, {"CheckBox6", "CheckBox8"}),
    choice(ref(fld::ExamYeux), Family::Radio, 10, {"RadioButton1", "RadioButton2"}),
    choice(ref(fld::PhotocoagD), Family::Pair, 12, {"CheckBox15", "CheckBox16"}),
    choice(ref(fld::VitrectomieD), Family::Pair, 16, {"CheckBox19", "CheckBox11"}),
    choice(ref(fld::CataracteD), Family::Pair, 20, {"CheckBox20", "CheckBox12"}),
    choice(ref(fld::RetineVueD), Family::Pair, 24, {"CheckBox21", "CheckBox49"}),
    choice(ref(fld::MaculopathieD), Family::Pair, 28, {"CheckBox22", "CheckBox50"}),
    choice(ref(fld::RetinopathieD), Family::Pair, 32, {"CheckBox23", "CheckBox51"}),
    choice(ref(fld::RetinoNonProlifD), Family::Pair, 36, {"CheckBox24", "CheckBox52"}),
    choice(ref(fld::RetinoPreprolifD), Family::Pair, 40, {"CheckBox25", "CheckBox53"}),
    choice(ref(fld::RetinoProlifD), Family::Pair, 44, {"CheckBox26", "CheckBox54"}),
    {"Edit1", ref(fld::AcuiteD), Kind::RoundedByte, 3, "Acuité visuelle œil droit", 48},
    choice(ref(fld::PhotocoagG), Family::Pair, 14, {"CheckBox17", "CheckBox18"}),
    choice(ref(fld::VitrectomieG), Family::Pair, 18, {"CheckBox55", "CheckBox63"}),
    choice(ref(fld::CataracteG), Family::Pair, 22, {"CheckBox56", "CheckBox64"}),
    choice(ref(fld::RetineVueG), Family::Pair, 26, {"CheckBox57", "CheckBox65"}),
    choice(ref(fld::MaculopathieG), Family::Pair, 30, {"CheckBox58", "CheckBox66"}),
    choice(ref(fld::RetinopathieG), Family::Pair, 34, {"CheckBox59", "CheckBox67"}),
    choice(ref(fld::RetinoNonProlifG), Family::Pair, 38, {"CheckBox60", "CheckBox68"}),
    choice(ref(fld::RetinoPreprolifG), Family::Pair, 42, {"CheckBox61", "CheckBox69"}),
    choice(ref(fld::RetinoProlifG), Family::Pair, 46, {"CheckBox62", "CheckBox70"}),
    {"Edit2", ref(fld::AcuiteG), Kind::RoundedByte, 3, "Acuité visuelle œil gauche", 49},
    choice(ref(fld::ExamPieds), Family::Radio, 50, {"RadioButton3", "RadioButton4"}),
    choice(ref(fld::SensVibraG), Family::Pair, 52, {"CheckBox13", "CheckBox75"}),
    choice(ref(fld::SensDoulG), Family::Pair, 56, {"CheckBox14", "CheckBox76"}),
    choice(ref(fld::PoulsG), Family::Pair, 60, {"CheckBox71", "CheckBox77"}),
    choice(ref(fld::UlcereCicatG), Family::Pair, 64, {"CheckBox72", "CheckBox78"}),
    choice(ref(fld::UlcereAiguG), Family::Pair, 68, {"CheckBox73", "CheckBox79"}),
    choice(ref(fld::PontageG), Family::Pair, 72, {"CheckBox74", "CheckBox80"}),
    choice(ref(fld::SensVibraD), Family::Pair, 54, {"CheckBox81", "CheckBox87"}),
    choice(ref(fld::SensDoulD), Family::Pair, 58, {"CheckBox82", "CheckBox88"}),
    choice(ref(fld::PoulsD), Family::Pair, 62, {"CheckBox83", "CheckBox89"}),
    choice(ref(fld::UlcereCicatD), Family::Pair, 66, {"CheckBox84", "CheckBox90"}),
    choice(ref(fld::UlcereAiguD), Family::Pair, 70, {"CheckBox85", "CheckBox91"}),
    choice(ref(fld::PontageD), Family::Pair, 74, {"CheckBox86", "CheckBox92"}),
    {"Edit3", ref(fld::HypoNbAn), Kind::Integer, 3, "Hypoglycémies nb/an", 76},
    {"Edit4", ref(fld::HyperNbAn), Kind::Integer, 3, "Hyperglycémies nb/an", 77},
    {"Edit5", ref(fld::JoursHosp), Kind::Integer, 3, "Jours de maladie à l'hôpital par an", 80},
    {"Edit6", ref(fld::JoursHorsHosp), Kind::Integer, 3, "Jours de maladie hors hôpital par an", 81},
    {"Edit7", ref(fld::InjAvant), Kind::Integer, 2, "Insuline nb inj/jour avant", 78},
    {"Edit8", ref(fld::InjApres), Kind::Integer, 2, "Insuline nb inj/jour après", 79},
    choice(ref(fld::Stylo), Family::Pair, 82, {"CheckBox93", "CheckBox94"}),
    choice(ref(fld::RegimeSeul), Family::BeforeAfter, 84, {"CheckBox27", "CheckBox28"}),
    {"MaskEdit1", ref(fld::AnBiguanides), Kind::Year, 4, "Biguanides début en", 86},
    {"MaskEdit2", ref(fld::AnSulfamides), Kind::Year, 4, "Sulfamides début en", 89},
    {"MaskEdit3", ref(fld::AnInhibGlucosidase), Kind::Year, 4, "Inib Glucosidase début en", 92},
    {"Edit9", ref(fld::AnThiazolidinediones), Kind::Year, 4, "Thiazolidinedines début en", 95},
    choice(ref(fld::Biguanides), Family::BeforeAfter, 87, {"CheckBox29", "CheckBox30"}),
    choice(ref(fld::Sulfamides), Family::BeforeAfter, 90, {"CheckBox31", "CheckBox32"}),
    choice(ref(fld::InhibGlucosidase), Family::BeforeAfter, 93, {"CheckBox33", "CheckBox34"}),
    choice(ref(fld::Thiazolidinediones), Family::BeforeAfter, 96, {"CheckBox95", "CheckBox96"}),
    choice(ref(fld::InsAnalogue), Family::BeforeAfter, 98, {"CheckBox97", "CheckBox103"}),
    choice(ref(fld::InsRapide), Family::BeforeAfter, 100, {"CheckBox98", "CheckBox104"}),
    choice(ref(fld::InsNph), Family::BeforeAfter, 102, {"CheckBox99", "CheckBox105"}),
    choice(ref(fld::InsMelanges), Family::BeforeAfter, 104, {"CheckBox100", "CheckBox106"}),
    choice(ref(fld::InsLente), Family::BeforeAfter, 106, {"CheckBox101", "CheckBox107"}),
    choice(ref(fld::InsPompe), Family::BeforeAfter, 108, {"CheckBox102", "CheckBox108"}),
    choice(ref(fld::TrtHta), Family::BeforeAfter, 110, {"CheckBox35", "CheckBox36"}),
    choice(ref(fld::TrtInsufCard), Family::BeforeAfter, 112, {"CheckBox37", "CheckBox38"}),
    choice(ref(fld::TrtCardIschem), Family::BeforeAfter, 114, {"CheckBox39", "CheckBox40"}),
    choice(ref(fld::TrtDyslipidemie), Family::BeforeAfter, 116, {"CheckBox41", "CheckBox42"}),
    choice(ref(fld::TrtNephro), Family::BeforeAfter, 118, {"CheckBox43", "CheckBox44"}),
    choice(ref(fld::TrtNeuro), Family::BeforeAfter, 120, {"CheckBox45", "CheckBox46"}),
    choice(ref(fld::TrtAutre), Family::BeforeAfter, 122, {"CheckBox47", "CheckBox48"}),
};

}  // namespace

std::size_t Control::boxCount() const {
    std::size_t n = 0;
    while (n < boxes.size() && boxes[n]) ++n;
    return n;
}

std::span<const Control> page1Controls() { return kPage1; }
std::span<const Control> page2Controls() { return kPage2; }

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
    {"Panel23", &checks::Panel23Click, "Identification"},
    {"Panel22", &checks::Panel22Click, "Consultation ou hospitalisation"},
    {"Panel24", &checks::Panel24Click, "Grossesse"},
    {"Panel25", &checks::Panel25Click, "Facteurs de risques"},
    {"Panel26", &checks::Panel26Click, "Autosurveillance"},
    {"Panel27", &checks::Panel27Click, "Education"},
    {"Panel28", &checks::Panel28Click, "Dernières valeurs"},
    {"Panel29", &checks::Panel29Click, "Objectifs de St-Vincent"},
};
const Panel kPanels2[] = {
    {"Panel13", &checks::Panel13Click, "Symptômes depuis 12 mois"},
    {"Panel15", &checks::Panel15Click, "Observation ( bilan des 12 derniers mois )"},
    {"Panel16", &checks::Panel16Click, "Qualité de vie"},
    {"Panel17", &checks::Panel17Click, "Traitement du diabète"},
    {"Panel18", &checks::Panel18Click, "Traitements associés"},
};
}  // namespace

std::span<const Panel> page1Panels() { return kPanels1; }
std::span<const Panel> page2Panels() { return kPanels2; }

ClickChecks clickChecks(int page, const char* box) {
    const std::string_view b(box);
    if (page == 1) {
        // Contact and self-monitoring first store the entries they depend on.
        if (b == "RadioButton1" || b == "RadioButton2") return {{0}, true};
        if (b == "RadioButton15") return {{0, 1, 2, 3}, true};
        if (b == "RadioButton16") return {{1, 2, 3}, true};
    } else if (b == "RadioButton1") {
        // The eye examination "oui" tests the symptoms first, with messages as set.
        return {{0}, false};
    }
    return {};
}

std::optional<LoadingClick> loadingClick(int page, const Control& choice, std::uint8_t code) {
    // Only the radio buttons' clicks do more than write their code.
    if (choice.family != Family::Radio || code < 1 || code > choice.boxCount()) return std::nullopt;
    ClickChecks checks = clickChecks(page, choice.boxes[code - 1]);
    if (checks.panels.empty()) return std::nullopt;
    return LoadingClick{std::size_t(code - 1), std::move(checks)};
}

}  // namespace pelo::entry
