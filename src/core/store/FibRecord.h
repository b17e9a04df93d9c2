#pragma once
// The 248-byte FIB record and the centre header that shares its layout.
// Every field is described once, in PELO_FIB_FIELDS; the typed field constants
// (fld::Sexe, fld::HbA1c ...) and the runtime table kFibFields are generated
// from that list, so loading, saving, printing and dumping walk one table.

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace pelo {

inline constexpr std::size_t kRecordSize = 248;

enum class FieldType : std::uint8_t { U8, U16, I32, F32, Char, Date };

// X(name, offset, type)
#define PELO_FIB_FIELDS(X) \
    X(CodeFixe, 0, U16) \
    X(NumCentre, 2, U16) \
    X(NumFib, 4, U16) \
    X(DateFib, 6, Date) \
    X(Initiale, 16, Char) \
    X(MoisNaissance, 17, U8) \
    X(AnNaissance, 20, I32) \
    X(Sexe, 24, U8) \
    X(TypeDiabete, 25, U8) \
    X(AnDebutDiabete, 28, I32) \
    X(AnDebutComprimes, 32, I32) \
    X(AnDebutInsuline, 36, I32) \
    X(ConsultHospit, 40, U8) \
    X(Motif, 41, U8) \
    X(GrossEnfantNormal, 42, U8) \
    X(GrossFC, 43, U8) \
    X(GrossMalformation, 44, U8) \
    X(GrossMortPerinatale, 45, U8) \
    X(DiabeteFamille, 46, U8) \
    X(Tabac, 47, U8) \
    X(Alcool, 48, U8) \
    X(AutoSurveillance, 49, U8) \
    X(Cigarettes, 52, I32) \
    X(AlcoolGrSemaine, 56, I32) \
    X(GlycemiesSemaine, 60, I32) \
    X(GlycosuriesSemaine, 64, I32) \
    X(EducAlimentation, 68, U8) \
    X(EducSoinsPieds, 69, U8) \
    X(EducComplications, 70, U8) \
    X(EducAutosurveillance, 71, U8) \
    X(EducHypoglycemies, 72, U8) \
    X(EducAjustInsuline, 73, U8) \
    X(Association, 74, U8) \
    X(TrigAJeun, 75, U8) \
    X(Poids, 76, I32) \
    X(Taille, 80, I32) \
    X(TourTaille, 84, I32) \
    X(TourHanches, 88, I32) \
    X(TaSyst, 92, I32) \
    X(TaDiast, 96, I32) \
    X(Reserve, 100, I32) \
    X(GlyJeun, 104, F32) \
    X(HbA1c, 108, F32) \
    X(Fructosamine, 112, F32) \
    X(Creatinine, 116, F32) \
    X(Microalb, 120, F32) \
    X(Proteinurie, 124, F32) \
    X(Cholesterol, 128, F32) \
    X(Hdl, 132, F32) \
    X(Triglycerides, 136, F32) \
    X(Cecite, 140, U8) \
    X(Infarctus, 141, U8) \
    X(Avc, 142, U8) \
    X(InsufRenale, 143, U8) \
    X(AmputSup, 144, U8) \
    X(AmputInf, 145, U8) \
    X(HypoTaOrtho, 146, U8) \
    X(Angor, 147, U8) \
    X(Anerection, 148, U8) \
    X(NeuropathiePeri, 149, U8) \
    X(Claudication, 150, U8) \
    X(ExamYeux, 151, U8) \
    X(PhotocoagD, 152, U8) \
    X(VitrectomieD, 153, U8) \
    X(CataracteD, 154, U8) \
    X(RetineVueD, 155, U8) \
    X(MaculopathieD, 156, U8) \
    X(RetinopathieD, 157, U8) \
    X(RetinoNonProlifD, 158, U8) \
    X(RetinoPreprolifD, 159, U8) \
    X(RetinoProlifD, 160, U8) \
    X(AcuiteD, 161, U8) \
    X(PhotocoagG, 162, U8) \
    X(VitrectomieG, 163, U8) \
    X(CataracteG, 164, U8) \
    X(RetineVueG, 165, U8) \
    X(MaculopathieG, 166, U8) \
    X(RetinopathieG, 167, U8) \
    X(RetinoNonProlifG, 168, U8) \
    X(RetinoPreprolifG, 169, U8) \
    X(RetinoProlifG, 170, U8) \
    X(AcuiteG, 171, U8) \
    X(ExamPieds, 172, U8) \
    X(EtatFiche, 173, U8) \
    X(SensVibraG, 174, U8) \
    X(SensDoulG, 175, U8) \
    X(PoulsG, 176, U8) \
    X(UlcereCicatG, 177, U8) \
    X(UlcereAiguG, 178, U8) \
    X(PontageG, 179, U8) \
    X(SensVibraD, 180, U8) \
    X(SensDoulD, 181, U8) \
    X(PoulsD, 182, U8) \
    X(UlcereCicatD, 183, U8) \
    X(UlcereAiguD, 184, U8) \
    X(PontageD, 185, U8) \
    X(HypoNbAn, 188, I32) \
    X(HyperNbAn, 192, I32) \
    X(JoursHosp, 196, I32) \
    X(JoursHorsHosp, 200, I32) \
    X(InjAvant, 204, U8) \
    X(InjApres, 205, U8) \
    X(Stylo, 206, U8) \
    X(RegimeSeul, 207, U8) \
    X(AnBiguanides, 208, I32) \
    X(AnSulfamides, 212, I32) \
    X(AnInhibGlucosidase, 216, I32) \
    X(AnThiazolidinediones, 220, I32) \
    X(Biguanides, 224, U8) \
    X(Sulfamides, 225, U8) \
    X(InhibGlucosidase, 226, U8) \
    X(Thiazolidinediones, 227, U8) \
    X(InsAnalogue, 228, U8) \
    X(InsRapide, 229, U8) \
    X(InsNph, 230, U8) \
    X(InsMelanges, 231, U8) \
    X(InsLente, 232, U8) \
    X(InsPompe, 233, U8) \
    X(TrtHta, 234, U8) \
    X(TrtInsufCard, 235, U8) \
    X(TrtCardIschem, 236, U8) \
    X(TrtDyslipidemie, 237, U8) \
    X(TrtNephro, 238, U8) \
    X(TrtNeuro, 239, U8) \
    X(TrtAutre, 240, U8) \
    X(Specialite, 241, U8) \
    X(RegionDep, 242, U16) \
    X(Reserve2, 244, U16)

// C++ value type of each field type.
template <FieldType T> struct FieldValue;
template <> struct FieldValue<FieldType::U8> { using type = std::uint8_t; };
template <> struct FieldValue<FieldType::U16> { using type = std::uint16_t; };
template <> struct FieldValue<FieldType::I32> { using type = std::int32_t; };
template <> struct FieldValue<FieldType::F32> { using type = float; };
template <> struct FieldValue<FieldType::Char> { using type = char; };

// A typed handle on one field: fld::Poids is Field<FieldType::I32>{76}.
template <FieldType T> struct Field {
    std::uint16_t offset;
    const char* name;
};

// The value of a field whose first byte is at p, and its writing (any alignment).
template <FieldType T> typename FieldValue<T>::type fieldAt(const std::uint8_t* p) {
    typename FieldValue<T>::type v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <FieldType T> void putField(std::uint8_t* p, typename FieldValue<T>::type v) { std::memcpy(p, &v, sizeof v); }

// The bytes of a fixed-size record, as stored on disk, with typed access to its fields.
template <std::size_t N> struct RecordBytes {
    std::array<std::uint8_t, N> bytes{};

    template <FieldType T> typename FieldValue<T>::type get(Field<T> f) const {
        return fieldAt<T>(bytes.data() + f.offset);
    }
    template <FieldType T> void set(Field<T> f, typename FieldValue<T>::type v) {
        putField<T>(bytes.data() + f.offset, v);
    }
    bool operator==(const RecordBytes&) const = default;
};

namespace fld {
#define PELO_DECLARE_FIELD(n, off, t) inline constexpr Field<FieldType::t> n{off, #n};
PELO_FIB_FIELDS(PELO_DECLARE_FIELD)
#undef PELO_DECLARE_FIELD

// The header gives unit codes in the slots of the seven laboratory values.
inline constexpr Field<FieldType::U16> NbFiches{4, "NbFiches"};
inline constexpr Field<FieldType::F32> UniteGlycemie{104, "UniteGlycemie"};
inline constexpr Field<FieldType::F32> UniteCreatinine{116, "UniteCreatinine"};
inline constexpr Field<FieldType::F32> UniteMicroalb{120, "UniteMicroalb"};
inline constexpr Field<FieldType::F32> UniteProteinurie{124, "UniteProteinurie"};
inline constexpr Field<FieldType::F32> UniteCholesterol{128, "UniteCholesterol"};
inline constexpr Field<FieldType::F32> UniteHdl{132, "UniteHdl"};
inline constexpr Field<FieldType::F32> UniteTriglycerides{136, "UniteTriglycerides"};
}  // namespace fld

// The seven unit slots of the header, in the order of UnitCodes.
inline constexpr std::array<Field<FieldType::F32>, 7> kUnitSlots{
    fld::UniteGlycemie,    fld::UniteCreatinine, fld::UniteMicroalb,     fld::UniteProteinurie,
    fld::UniteCholesterol, fld::UniteHdl,        fld::UniteTriglycerides};

// Runtime description of a field, for code that walks every field.
struct FieldInfo {
    const char* name;
    std::uint16_t offset;
    std::uint8_t width;
    FieldType type;
};

constexpr std::uint8_t fieldWidth(FieldType t) {
    switch (t) {
    case FieldType::U8:
    case FieldType::Char: return 1;
    case FieldType::U16: return 2;
    case FieldType::I32:
    case FieldType::F32: return 4;
    case FieldType::Date: return 10;
    }
    return 0;
}

inline constexpr FieldInfo kFibFields[] = {
#define PELO_FIELD_INFO(n, off, t) {#n, off, fieldWidth(FieldType::t), FieldType::t},
    PELO_FIB_FIELDS(PELO_FIELD_INFO)
#undef PELO_FIELD_INFO
};

// Looks a field up by name; nullptr when there is none.
const FieldInfo* findField(std::string_view name);

// Empty values.
inline constexpr std::uint8_t kEmptyU8 = 255;
inline constexpr std::int32_t kEmptyI32 = -1;
inline constexpr float kEmptyF32 = -1.0f;

// EtatFiche values.
enum EtatFicheValue : std::uint8_t { kComplete = 0, kIncomplete = 1, kToReview = 2, kAnnulled = 255 };

inline constexpr std::uint16_t kCodeFixe = 33;
inline constexpr std::uint16_t kMaxFibs = 65535;

// One 248-byte record, little-endian, as stored on disk.
struct FibRecord : RecordBytes<kRecordSize> {
    // DateFib as UTF-8 text (the 10 stored bytes up to the first #0).
    std::string date() const;
    // Stores up to 10 characters of a UTF-8 date text; the rest is zero-filled.
    void setDate(std::string_view text);
    // Initiale as a UTF-8 text of one character, empty when #0.
    std::string initiale() const;
    // Stores the first character of a UTF-8 text, upper case, in Windows-1252.
    void setInitiale(std::string_view utf8);

    // Header views.
    std::uint16_t nbFiches() const { return get(fld::NbFiches); }
    void setNbFiches(std::uint16_t n) { set(fld::NbFiches, n); }
    std::uint8_t region() const { return static_cast<std::uint8_t>(get(fld::RegionDep) >> 8); }
    std::uint8_t department() const { return static_cast<std::uint8_t>(get(fld::RegionDep) & 0xFF); }

    bool operator==(const FibRecord&) const = default;
};
static_assert(sizeof(FibRecord) == kRecordSize);

using CentreHeader = FibRecord;

// True when a value is the empty value of its type (f32 compared exactly with -1.0).
inline bool isEmpty(std::uint8_t v) { return v > 254; }
inline bool isEmpty(std::int32_t v) { return v == kEmptyI32; }
inline bool isEmpty(float v) { return v == kEmptyF32; }

// The header written when a record file is created.
CentreHeader headerTemplate();

// An empty FIB built from a header read from the file: today's date, the
// laboratory slots set back to -1.0, everything else as the header holds it.
FibRecord emptyFibFromHeader(const CentreHeader& header, std::string_view todayDdMmYyyy);

// Today's local date as "dd/mm/yyyy".
std::string todayText();
// Current local year.
int currentYear();

}  // namespace pelo
