#include "exchange/FibTable.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "formats/Csv.h"
#include "formats/RecordFile.h"
#include "formats/Stat.h"
#include "formats/Xlsx.h"
#include "store/Centre.h"
#include "store/Text.h"
#include "store/Units.h"

namespace pelo::exchange {

using formats::Column;
using formats::ColumnType;
using formats::Table;
using formats::ValueLabel;

namespace {

struct Row {
    const char* name;
    const char* label;
    Codes codes;
    int unitRow;
    const char* unit;
    int lo, hi;
};

constexpr Codes N = Codes::None, ON = Codes::OuiNon, AA = Codes::AvantApres, EV = Codes::Evenement;

// clang-format off
constexpr Row kRows[] = {
    {"NumCentre", "Numéro du centre", N, -1, "", 0, 0},
    {"NumFib", "Numéro de la fiche", N, -1, "", 0, 0},
    {"DateFib", "Date de la fiche", N, -1, "", 0, 0},
    {"Initiale", "Initiale du nom", N, -1, "", 0, 0},
    {"MoisNaissance", "Mois de naissance", N, -1, "", 1, 12},
    {"AnNaissance", "Année de naissance", N, -1, "", 0, 0},
    {"Sexe", "Sexe", Codes::Sexe, -1, "", 0, 0},
    {"TypeDiabete", "Type de diabète", Codes::Type, -1, "", 0, 0},
    {"AnDebutDiabete", "Année de début du diabète", N, -1, "", 0, 0},
    {"AnDebutComprimes", "Année de début des comprimés", N, -1, "", 0, 0},
    {"AnDebutInsuline", "Année de début de l'insuline", N, -1, "", 0, 0},
    {"ConsultHospit", "Consultation ou hospitalisation", Codes::Contact, -1, "", 0, 0},
    {"Motif", "Motif", Codes::Motif, -1, "", 0, 0},
    {"GrossEnfantNormal", "Grossesse des 12 derniers mois : enfants normaux", N, -1, "", 0, 9},
    {"GrossFC", "Grossesse des 12 derniers mois : fausses couches", N, -1, "", 0, 9},
    {"GrossMalformation", "Grossesse des 12 derniers mois : malformations", N, -1, "", 0, 9},
    {"GrossMortPerinatale", "Grossesse des 12 derniers mois : morts périnatales", N, -1, "", 0, 9},
    {"DiabeteFamille", "Diabète dans la famille", Codes::Coche, -1, "", 0, 0},
    {"Tabac", "Tabac", ON, -1, "", 0, 0},
    {"Alcool", "Alcool", ON, -1, "", 0, 0},
    {"AutoSurveillance", "Autosurveillance", ON, -1, "", 0, 0},
    {"Cigarettes", "Cigarettes par jour", N, -1, "", 0, 0},
    {"AlcoolGrSemaine", "Alcool", N, -1, "g par semaine", 0, 0},
    {"GlycemiesSemaine", "Glycémies par semaine", N, -1, "", 0, 0},
    {"GlycosuriesSemaine", "Glycosuries par semaine", N, -1, "", 0, 0},
    {"EducAlimentation", "Éducation : alimentation", ON, -1, "", 0, 0},
    {"EducSoinsPieds", "Éducation : soins des pieds", ON, -1, "", 0, 0},
    {"EducComplications", "Éducation : complications", ON, -1, "", 0, 0},
    {"EducAutosurveillance", "Éducation : autosurveillance", ON, -1, "", 0, 0},
    {"EducHypoglycemies", "Éducation : hypoglycémies", ON, -1, "", 0, 0},
    {"EducAjustInsuline", "Éducation : ajustement de l'insuline", ON, -1, "", 0, 0},
    {"Association", "Membre d'une association de diabétiques", ON, -1, "", 0, 0},
    {"TrigAJeun", "Triglycérides à jeun", ON, -1, "", 0, 0},
    {"Poids", "Poids", N, -1, "kg", 0, 0},
    {"Taille", "Taille", N, -1, "cm", 0, 0},
    {"TourTaille", "Tour de taille", N, -1, "cm", 0, 0},
    {"TourHanches", "Tour de hanches", N, -1, "cm", 0, 0},
    {"TaSyst", "Tension artérielle systolique", N, -1, "mmHg", 0, 0},
    {"TaDiast", "Tension artérielle diastolique", N, -1, "mmHg", 0, 0},
    {"GlyJeun", "Glycémie à jeun", N, kUnitGly, "", 0, 0},
    {"HbA1c", "HbA1c", N, -1, "%", 0, 0},
    {"Fructosamine", "Fructosamine", N, -1, "", 0, 0},
    {"Creatinine", "Créatinine", N, kUnitCreat, "", 0, 0},
    {"Microalb", "Microalbuminurie", N, kUnitMicroalb, "", 0, 0},
    {"Proteinurie", "Protéinurie", N, kUnitProteinurie, "", 0, 0},
    {"Cholesterol", "Cholestérol total", N, kUnitChol, "", 0, 0},
    {"Hdl", "Cholestérol HDL", N, kUnitHdl, "", 0, 0},
    {"Triglycerides", "Triglycérides", N, kUnitTrig, "", 0, 0},
    {"Cecite", "Cécité", EV, -1, "", 0, 0},
    {"Infarctus", "Infarctus du myocarde", EV, -1, "", 0, 0},
    {"Avc", "Accident vasculaire cérébral", EV, -1, "", 0, 0},
    {"InsufRenale", "Insuffisance rénale", EV, -1, "", 0, 0},
    {"AmputSup", "Amputation au-dessus de la cheville", EV, -1, "", 0, 0},
    {"AmputInf", "Amputation au-dessous de la cheville", EV, -1, "", 0, 0},
    {"HypoTaOrtho", "Hypotension orthostatique (12 derniers mois)", ON, -1, "", 0, 0},
    {"Angor", "Angor (12 derniers mois)", ON, -1, "", 0, 0},
    {"Anerection", "Anérection (12 derniers mois)", ON, -1, "", 0, 0},
    {"NeuropathiePeri", "Neuropathie périphérique (12 derniers mois)", ON, -1, "", 0, 0},
    {"Claudication", "Claudication intermittente (12 derniers mois)", ON, -1, "", 0, 0},
    {"ExamYeux", "Examen des yeux dans les 12 mois", ON, -1, "", 0, 0},
    {"PhotocoagD", "Œil droit : photocoagulation", ON, -1, "", 0, 0},
    {"VitrectomieD", "Œil droit : vitrectomie", ON, -1, "", 0, 0},
    {"CataracteD", "Œil droit : cataracte", ON, -1, "", 0, 0},
    {"RetineVueD", "Œil droit : rétine vue", ON, -1, "", 0, 0},
    {"MaculopathieD", "Œil droit : maculopathie", ON, -1, "", 0, 0},
    {"RetinopathieD", "Œil droit : rétinopathie", ON, -1, "", 0, 0},
    {"RetinoNonProlifD", "Œil droit : rétinopathie non proliférante", ON, -1, "", 0, 0},
    {"RetinoPreprolifD", "Œil droit : rétinopathie préproliférante", ON, -1, "", 0, 0},
    {"RetinoProlifD", "Œil droit : rétinopathie proliférante", ON, -1, "", 0, 0},
    {"AcuiteD", "Œil droit : acuité visuelle", N, -1, "dixièmes", 0, 10},
    {"PhotocoagG", "Œil gauche : photocoagulation", ON, -1, "", 0, 0},
    {"VitrectomieG", "Œil gauche : vitrectomie", ON, -1, "", 0, 0},
    {"CataracteG", "Œil gauche : cataracte", ON, -1, "", 0, 0},
    {"RetineVueG", "Œil gauche : rétine vue", ON, -1, "", 0, 0},
    {"MaculopathieG", "Œil gauche : maculopathie", ON, -1, "", 0, 0},
    {"RetinopathieG", "Œil gauche : rétinopathie", ON, -1, "", 0, 0},
    {"RetinoNonProlifG", "Œil gauche : rétinopathie non proliférante", ON, -1, "", 0, 0},
    {"RetinoPreprolifG", "Œil gauche : rétinopathie préproliférante", ON, -1, "", 0, 0},
    {"RetinoProlifG", "Œil gauche : rétinopathie proliférante", ON, -1, "", 0, 0},
    {"AcuiteG", "Œil gauche : acuité visuelle", N, -1, "dixièmes", 0, 10},
    {"ExamPieds", "Examen des pieds dans les 12 mois", ON, -1, "", 0, 0},
    {"EtatFiche", "État de la fiche", Codes::Etat, -1, "", 0, 0},
    {"SensVibraG", "Pied gauche : sensibilité vibratoire normale", ON, -1, "", 0, 0},
    {"SensDoulG", "Pied gauche : sensibilité douloureuse normale", ON, -1, "", 0, 0},
    {"PoulsG", "Pied gauche : pouls présents", ON, -1, "", 0, 0},
    {"UlcereCicatG", "Pied gauche : ulcère cicatrisé", ON, -1, "", 0, 0},
    {"UlcereAiguG", "Pied gauche : ulcère aigu", ON, -1, "", 0, 0},
    {"PontageG", "Pied gauche : pontage ou angioplastie", ON, -1, "", 0, 0},
    {"SensVibraD", "Pied droit : sensibilité vibratoire normale", ON, -1, "", 0, 0},
    {"SensDoulD", "Pied droit : sensibilité douloureuse normale", ON, -1, "", 0, 0},
    {"PoulsD", "Pied droit : pouls présents", ON, -1, "", 0, 0},
    {"UlcereCicatD", "Pied droit : ulcère cicatrisé", ON, -1, "", 0, 0},
    {"UlcereAiguD", "Pied droit : ulcère aigu", ON, -1, "", 0, 0},
    {"PontageD", "Pied droit : pontage ou angioplastie", ON, -1, "", 0, 0},
    {"HypoNbAn", "Hypoglycémies par an", N, -1, "", 0, 0},
    {"HyperNbAn", "Hyperglycémies par an", N, -1, "", 0, 0},
    {"JoursHosp", "Jours de maladie à l'hôpital par an", N, -1, "", 0, 0},
    {"JoursHorsHosp", "Jours de maladie hors de l'hôpital par an", N, -1, "", 0, 0},
    {"InjAvant", "Injections d'insuline par jour, avant", N, -1, "", 0, 254},
    {"InjApres", "Injections d'insuline par jour, après", N, -1, "", 0, 254},
    {"Stylo", "Stylo à insuline", ON, -1, "", 0, 0},
    {"RegimeSeul", "Régime seul", AA, -1, "", 0, 0},
    {"AnBiguanides", "Année de début des biguanides", N, -1, "", 0, 0},
    {"AnSulfamides", "Année de début des sulfamides", N, -1, "", 0, 0},
    {"AnInhibGlucosidase", "Année de début des inhibiteurs des glucosidases", N, -1, "", 0, 0},
    {"AnThiazolidinediones", "Année de début des thiazolidinediones", N, -1, "", 0, 0},
    {"Biguanides", "Biguanides", AA, -1, "", 0, 0},
    {"Sulfamides", "Sulfamides", AA, -1, "", 0, 0},
    {"InhibGlucosidase", "Inhibiteurs des glucosidases", AA, -1, "", 0, 0},
    {"Thiazolidinediones", "Thiazolidinediones", AA, -1, "", 0, 0},
    {"InsAnalogue", "Insuline analogue", AA, -1, "", 0, 0},
    {"InsRapide", "Insuline rapide", AA, -1, "", 0, 0},
    {"InsNph", "Insuline NPH", AA, -1, "", 0, 0},
    {"InsMelanges", "Mélanges fixes d'insuline", AA, -1, "", 0, 0},
    {"InsLente", "Insuline lente", AA, -1, "", 0, 0},
    {"InsPompe", "Pompe à insuline", AA, -1, "", 0, 0},
    {"TrtHta", "Traitement associé : hypertension", AA, -1, "", 0, 0},
    {"TrtInsufCard", "Traitement associé : insuffisance cardiaque", AA, -1, "", 0, 0},
    {"TrtCardIschem", "Traitement associé : cardiopathie ischémique", AA, -1, "", 0, 0},
    {"TrtDyslipidemie", "Traitement associé : dyslipidémie", AA, -1, "", 0, 0},
    {"TrtNephro", "Traitement associé : néphropathie", AA, -1, "", 0, 0},
    {"TrtNeuro", "Traitement associé : neuropathie", AA, -1, "", 0, 0},
    {"TrtAutre", "Traitement associé : autre", AA, -1, "", 0, 0},
    {"Specialite", "Structure de soins du centre", Codes::Structure, -1, "", 0, 0},
    {"RegionDep", "Région × 256 + département du centre", N, -1, "", 0, 0},
};
// clang-format on

const char* codeSetName(Codes c) {
    switch (c) {
    case Codes::None: return "";
    case Codes::OuiNon: return "ouinon";
    case Codes::Coche: return "coche";
    case Codes::AvantApres: return "avantapres";
    case Codes::Evenement: return "evenement";
    case Codes::Sexe: return "sexe";
    case Codes::Type: return "type";
    case Codes::Contact: return "contact";
    case Codes::Motif: return "motif";
    case Codes::Etat: return "etat";
    case Codes::Structure: return "structure";
    }
    return "";
}

std::vector<FieldExport> buildFields() {
    std::vector<FieldExport> out;
    for (const Row& r : kRows)
        out.push_back(FieldExport{findField(r.name), r.label, r.codes, r.unitRow, r.unit, r.lo, r.hi});
    return out;
}

// Record access that reads a centre FIB and a pooled FIB alike.
struct CentreLayout {
    static const std::uint8_t* at(const FibRecord& r, const FieldInfo& f) { return r.bytes.data() + f.offset; }
    static FieldType type(const FieldInfo& f) { return f.type; }
};
struct PooledLayout {
    static const std::uint8_t* at(const pool::PooledFibRecord& r, const FieldInfo& f) {
        return r.bytes.data() + pool::pooledOffset(f.offset);
    }
    static FieldType type(const FieldInfo& f) { return pool::pooledType(f.type, f.offset); }
};

std::string unitOf(const FieldExport& f, const std::optional<units::Codes>& codes) {
    if (f.unitRow < 0) return f.unit;
    if (!codes) return "unités du centre";
    return trimSpaces(units::label(f.unitRow, (*codes)[std::size_t(f.unitRow)]));
}

std::vector<Column> columnsFor(const std::optional<units::Codes>& codes) {
    std::vector<Column> cols;
    for (const FieldExport& f : exportedFields()) {
        Column c;
        c.name = f.field->name;
        c.unit = unitOf(f, codes);
        c.label = c.unit.empty() ? std::string(f.label) : std::string(f.label) + " (" + c.unit + ")";
        c.codeSet = codeSetName(f.codes);
        c.codes = codeLabels(f.codes);
        switch (f.field->type) {
        case FieldType::Date:
            c.type = ColumnType::Date;
            c.missing = "date absente ou invalide";
            break;
        case FieldType::Char:
            c.type = ColumnType::Text;
            c.missing = "vide (#0)";
            break;
        case FieldType::F32:
            c.type = ColumnType::Real;
            c.missing = "-1.0 (ou valeur non finie)";
            break;
        case FieldType::I32: c.missing = "-1"; break;
        // Built from string_views: GCC 12 at -O3 sees a false overlap in the
        // assignment of a chosen string literal (-Wrestrict).
        case FieldType::U8:
            c.missing = std::string_view(f.codes == Codes::Etat ? "" : f.codes == Codes::Structure ? "0" : "255");
            break;
        case FieldType::U16: c.missing = std::string_view(f.field->offset == fld::RegionDep.offset ? "0" : ""); break;
        }
        cols.push_back(std::move(c));
    }
    return cols;
}

template <class Layout, class Rec> void appendRow(std::vector<Column>& cols, const Rec& r) {
    const auto fields = exportedFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const FieldExport& fx = fields[k];
        const FieldInfo& f = *fx.field;
        Column& c = cols[k];
        const std::uint8_t* p = Layout::at(r, f);
        double v = formats::kMissing;
        switch (Layout::type(f)) {
        case FieldType::Date: {
            std::string text = cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), 10));
            if (auto z = text.find('\0'); z != std::string::npos) text.resize(z);
            c.numbers.push_back(formats::dayNumberOf(text));
            c.texts.push_back(std::move(text));
            continue;
        }
        case FieldType::Char: {
            const char ch = static_cast<char>(*p);
            c.texts.push_back(ch == '\0' ? std::string() : cp1252ToUtf8(std::string_view(&ch, 1)));
            continue;
        }
        case FieldType::U8: {
            const std::uint8_t b = *p;
            if (fx.codes == Codes::Etat) v = b;
            else if (fx.codes == Codes::Structure) v = b == 0 ? v : b;
            else if (!isEmpty(b)) v = b;
            break;
        }
        case FieldType::U16: {
            const auto w = fieldAt<FieldType::U16>(p);
            if (!(f.offset == fld::RegionDep.offset && w == 0)) v = w;
            break;
        }
        case FieldType::I32: {
            const auto i = fieldAt<FieldType::I32>(p);
            if (!isEmpty(i)) v = i;
            break;
        }
        case FieldType::F32: {
            const auto x = fieldAt<FieldType::F32>(p);
            if (!isEmpty(x) && isMeasure(x)) v = formats::decimalOfSingle(x);
            break;
        }
        }
        c.numbers.push_back(v);
    }
}

template <class Layout, class Rec> bool keep(const Rec& r, const ExportOptions& o) {
    return o.annulled || *Layout::at(r, *findField("EtatFiche")) != kAnnulled;
}

}  // namespace

std::span<const FieldExport> exportedFields() {
    static const std::vector<FieldExport> fields = buildFields();
    return fields;
}

const FieldExport* exportedField(std::string_view name) {
    for (const FieldExport& f : exportedFields())
        if (name == f.field->name) return &f;
    return nullptr;
}

std::vector<ValueLabel> codeLabels(Codes c) {
    switch (c) {
    case Codes::None: return {};
    case Codes::OuiNon: return {{1, "oui"}, {2, "non"}};
    case Codes::Coche: return {{1, "oui"}};
    case Codes::AvantApres: return {{1, "avant"}, {2, "après"}, {3, "avant et après"}};
    case Codes::Evenement: return {{1, "Oui < 12 mois"}, {2, "Oui ancien"}, {3, "Oui < 12 mois et ancien"}, {4, "non"}};
    case Codes::Sexe: return {{1, "M"}, {2, "F"}};
    case Codes::Type: return {{1, "Type 1"}, {2, "Type 2"}, {3, "Autre"}};
    case Codes::Contact: return {{1, "Consultation"}, {2, "Hospitalisation"}};
    case Codes::Motif:
        return {{1, "Surveillance"}, {2, "Déséquilibre"}, {3, "Complication"}, {4, "Urgence"},
                {5, "Diag. récent"}, {6, "Grossesse"},    {7, "Autre"}};
    case Codes::Etat: return {{0, "complète"}, {1, "incomplète"}, {2, "à réviser"}, {255, "annulée"}};
    case Codes::Structure: {
        std::vector<ValueLabel> out;
        for (int k = 1; !centre::structureName(k).empty(); ++k) out.push_back({double(k), centre::structureName(k)});
        return out;
    }
    }
    return {};
}

Table tableOf(std::span<const FibRecord> fibs, const CentreHeader* header, const ExportOptions& o) {
    Table t;
    std::optional<units::Codes> codes;
    if (header) codes = units::fromHeader(*header);
    t.columns = columnsFor(codes);
    for (const FibRecord& r : fibs)
        if (keep<CentreLayout>(r, o)) {
            appendRow<CentreLayout>(t.columns, r);
            ++t.rows;
        }
    return t;
}

Table tableOf(std::span<const pool::PooledFibRecord> fibs, const ExportOptions& o) {
    Table t;
    t.columns = columnsFor(std::nullopt);
    for (const pool::PooledFibRecord& r : fibs)
        if (keep<PooledLayout>(r, o)) {
            appendRow<PooledLayout>(t.columns, r);
            ++t.rows;
        }
    return t;
}

std::optional<FileKind> fileKindOf(const std::string& path, std::string* error) {
    recordio::File f(path, path, recordio::File::Mode::Read);
    if (!f.isOpen()) {
        if (error) *error = f.openError()->message();
        return std::nullopt;
    }
    std::uint64_t size = 0;
    if (auto e = f.size(size)) {
        if (error) *error = e->message();
        return std::nullopt;
    }
    std::array<std::uint8_t, 12> head{};
    if (size >= head.size()) {
        if (auto e = f.readAt(0, head.data(), head.size())) {
            if (error) *error = e->message();
            return std::nullopt;
        }
    }
    f.drop();
    // A pooled header: NumCentre 9999 as a 32-bit value at byte 4, whole 252-byte records.
    std::uint16_t high = 0;
    std::int32_t centre = 0;
    std::memcpy(&high, head.data() + 2, 2);
    std::memcpy(&centre, head.data() + 4, 4);
    if (size >= pool::kPooledSize && size % pool::kPooledSize == 0 && high == 0 && centre == pool::kPoolCentre)
        return FileKind::Pooled;
    if (size >= kRecordSize && size % kRecordSize == 0) return FileKind::Centre;
    if (error) *error = IoError{path, "ni un fichier de fiches d'un centre, ni un fichier collecté"}.message();
    return std::nullopt;
}

IoStatus tableOfFile(const std::string& path, const ExportOptions& o, Table& out, const Progress& progress) {
    std::string why;
    const auto kind = fileKindOf(path, &why);
    if (!kind) return IoError{path, why, true};
    const std::string name = formats::baseName(path);
    if (*kind == FileKind::Centre) {
        RecordReader reader;
        if (auto e = reader.open(path)) return e;
        const CentreHeader header = reader.header();
        out = Table{};
        out.columns = columnsFor(units::fromHeader(header));
        IoStatus err;
        while (const FibRecord* r = reader.next(&err)) {
            if (keep<CentreLayout>(*r, o)) {
                appendRow<CentreLayout>(out.columns, *r);
                ++out.rows;
            }
            if (reader.number() % 1024 == 0 && !keepGoing(progress, reader.number(), reader.count(), name))
                return cancelled(name);
        }
        reader.close();
        return err;
    }
    pool::PooledReader reader;
    if (auto e = reader.openPath(path, name)) return e;
    out = Table{};
    out.columns = columnsFor(std::nullopt);
    IoStatus err;
    while (const pool::PooledFibRecord* r = reader.next(&err)) {
        if (keep<PooledLayout>(*r, o)) {
            appendRow<PooledLayout>(out.columns, *r);
            ++out.rows;
        }
        if (reader.number() % 1024 == 0 && !keepGoing(progress, reader.number(), reader.count(), name))
            return cancelled(name);
    }
    reader.close();
    return err;
}

std::optional<ExportFormat> exportFormatNamed(std::string_view name) {
    if (name == "csv") return ExportFormat::Csv;
    if (name == "xlsx") return ExportFormat::Xlsx;
    if (name == "dta") return ExportFormat::Dta;
    if (name == "sav") return ExportFormat::Sav;
    return std::nullopt;
}

IoStatus writeTable(const std::string& dest, const Table& t, const ExportRequest& r, const Progress& progress) {
    const std::string label = formats::baseName(dest);
    formats::CsvOptions csv{r.international ? formats::Dialect::International : formats::Dialect::French, r.labels};
    IoStatus e;
    switch (r.format) {
    case ExportFormat::Csv: e = formats::writeCsv(dest, label, t, csv); break;
    case ExportFormat::Xlsx: e = formats::writeXlsx(dest, label, t, r.labels, progress); break;
    case ExportFormat::Dta: e = formats::writeStat(dest, label, t, formats::StatFormat::Dta); break;
    case ExportFormat::Sav: e = formats::writeStat(dest, label, t, formats::StatFormat::Sav); break;
    }
    if (e) return e;
    const std::string book = formats::codebookPath(dest);
    csv.labels = false;
    return formats::writeCsv(book, formats::baseName(book), formats::codebookOf(t), csv);
}

namespace {

// A step of longer work told as its share of one bar of 1000: from..to.
Progress share(const Progress& p, std::uint32_t from, std::uint32_t to) {
    if (!p) return {};
    return [p, from, to](std::uint32_t done, std::uint32_t total, const std::string& what) {
        const std::uint32_t at =
            total ? from + std::uint32_t(std::uint64_t(to - from) * std::min(done, total) / total) : from;
        return p(at, 1000, what);
    };
}

}  // namespace

IoStatus exportFile(const std::string& source, const std::string& dest, const ExportRequest& r, std::size_t& rows,
                    const Progress& progress) {
    // Reading is most of the work, except for a workbook: its cells, then
    // its compression, take the longer.
    const std::uint32_t read = r.format == ExportFormat::Xlsx ? 150 : 900;
    Table t;
    if (auto e = tableOfFile(source, r.fibs, t, share(progress, 0, read))) return e;
    rows = t.rows;
    IoStatus e = writeTable(dest, t, r, share(progress, read, r.format == ExportFormat::Xlsx ? 500 : 1000));
    if (!e) (void)keepGoing(progress, 1000, 1000, formats::baseName(dest));
    return e;
}

}  // namespace pelo::exchange
