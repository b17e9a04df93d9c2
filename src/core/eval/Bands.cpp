#include "eval/Bands.h"

#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "store/Text.h"
#include "store/Units.h"

namespace pelo::eval {

BandParams centreParams(std::int32_t year, const std::array<std::uint16_t, 7>& u) {
    BandParams p;
    p.year = year;
    p.cholFactor = units::toMmol(kUnitChol, u[kUnitChol]);
    p.trigFactor = units::toMmol(kUnitTrig, u[kUnitTrig]);
    return p;
}

int betterDirection(int counter) {
    // Control of the risk factors, examinations and education, days without events.
    static constexpr int kHigher[] = {0,  5,  8,  11, 14,  17,  66,  67,  68,  69,  70,  71,  72,  73, 74,
                                      80, 84, 93, 99, 100, 101, 102, 106, 107, 108, 112, 115, 118, 122};
    // Poor control, smoking, complications, acute events, long stays, missing values.
    static constexpr int kLower[] = {3,   4,   7,   10,  13,  16,  19,  21,  50,  51,  52,  53,  54,  55,
                                     56,  57,  58,  59,  60,  61,  104, 110, 114, 117, 120, 121, 124, 125,
                                     171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182};
    for (int c : kHigher)
        if (c == counter) return 1;
    for (int c : kLower)
        if (c == counter) return -1;
    return 0;
}

namespace {

using V = BandView;
using P = BandParams;

constexpr BandMask bit(bool c, int k) { return BandMask(c) << k; }
// The mask when the guard holds, else no band; without a branch, since the
// guards depend on the data.
constexpr BandMask only(bool guard, BandMask m) { return m & (0u - BandMask(guard)); }

// A stored single in the mmol/l of the bands: converted in double precision
// and rounded back to a single, or taken as stored.
inline float converted(float v, double factor) { return factor == 1.0 ? v : toSingle(double(v) * factor); }

// Inclusive single-precision bounds.
inline bool atLeast(float v, double b) { return !lessThan(v, b); }
inline bool atMost(float v, double b) { return !greaterThan(v, b); }

// "below a, a up to b inclusive, above b" on a converted value.
inline BandMask threeBands(float x, double a, double b) {
    return bit(lessThan(x, a), 0) | bit(atLeast(x, a) & atMost(x, b), 1) | bit(greaterThan(x, b), 2);
}

// Bands of yes answers (value 1), one per field, in order.
template <std::size_t N>
[[gnu::always_inline]] inline BandMask yesBands(const V& v, const Field<FieldType::U8> (&f)[N]) {
    BandMask m = 0;
#pragma GCC unroll 16
    for (std::size_t k = 0; k < N; ++k) m |= bit(v.get(f[k]) == 1, int(k));
    return m;
}
// Byte fields stored side by side from offset First: bit k set when field k
// holds a or b. One 16-byte comparison on x86-64 instead of N tests.
template <std::uint16_t First, int N>
[[gnu::always_inline]] inline BandMask sideBySide(const V& v, std::uint8_t a, std::uint8_t b) {
    static_assert(N >= 1 && N <= 16 && First >= BandView::kOrigin && First + N <= kRecordSize);
#if defined(__SSE2__)
    // A 16-byte window that stays inside the 248-byte record.
    constexpr std::uint16_t window = First + 16 <= kRecordSize ? First : kRecordSize - 16;
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v.at(window)));
    const __m128i hit =
        _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(char(a))), _mm_cmpeq_epi8(x, _mm_set1_epi8(char(b))));
    return (BandMask(_mm_movemask_epi8(hit)) >> (First - window)) & ((1u << N) - 1);
#else
    BandMask m = 0;
    for (int k = 0; k < N; ++k) m |= bit((v.at(First)[k] == a) | (v.at(First)[k] == b), k);
    return m;
#endif
}
template <std::uint16_t First, int N> [[gnu::always_inline]] inline BandMask yesSideBySide(const V& v) {
    return sideBySide<First, N>(v, 1, 1);
}

// 0, 1 to 2, above 2 of a yearly count (only if 0 or more).
inline BandMask yearlyEvents(std::int32_t n) {
    return only(n >= 0, bit(n == 0, 0) | bit((n >= 1) & (n <= 2), 1) | bit(n > 2, 2));
}
// 0, 1 to 9, 10 to 30, above 30 days (only if 0 or more).
inline BandMask days(std::int32_t n) {
    return only(n >= 0, bit(n == 0, 0) | bit((n >= 1) & (n <= 9), 1) | bit((n >= 10) & (n <= 30), 2) | bit(n > 30, 3));
}
// 1, 2, 3, more injections (only if neither 0 nor empty).
inline BandMask injections(std::uint8_t n) {
    return only(n != 0 && n != kEmptyU8, bit(n == 1, 0) | bit(n == 2, 1) | bit(n == 3, 2) | bit(n > 3, 3));
}
inline bool onInsulin(const V& v) { return v.get(fld::AnDebutInsuline) > 0 || v.get(fld::InjApres) != kEmptyU8; }
// A year from 1900 to the year of the count.
inline bool knownYear(std::int32_t y, const P& p) { return y >= 1900 && y <= p.year; }

[[gnu::always_inline]] inline BandMask hba1c(const V& v, const P&) {
    const float x = v.get(fld::HbA1c);
    return only(greaterThan(x, 0) && isMeasure(x), bit(lessThan(x, 6.5), 0) | bit(atLeast(x, 6.5) & lessThan(x, 8), 1) |
                                                       bit(atLeast(x, 8) & lessThan(x, 10), 2) |
                                                       bit(atLeast(x, 10) & atMost(x, 12), 3) |
                                                       bit(greaterThan(x, 12), 4));
}
[[gnu::always_inline]] inline BandMask tension(const V& v, const P&) {
    const std::int32_t s = v.get(fld::TaSyst), d = v.get(fld::TaDiast);
    const bool low = s <= 140 && d <= 90;
    return only(s >= 1 && d >= 1,
                bit(low, 0) | bit((!low) & ((s <= 160) | (d <= 100)), 1) | bit((s > 160) & (d > 100), 2));
}
[[gnu::always_inline]] inline BandMask masse(const V& v, const P&) {
    const std::int32_t w = v.get(fld::Poids), h = v.get(fld::Taille);
    const float bmi = toSingle(double(w) / ((double(h) * 0.01) * (double(h) * 0.01)));
    return only(w >= 1 && h >= 1,
                bit(lessThan(bmi, 25), 0) | bit(atLeast(bmi, 25) & atMost(bmi, 30), 1) | bit(greaterThan(bmi, 30), 2));
}
[[gnu::always_inline]] inline BandMask cholesterol(const V& v, const P& p) {
    const float x = v.get(fld::Cholesterol);
    return only(greaterThan(x, 0) && isMeasure(x), threeBands(converted(x, p.cholFactor), 6.5, 7.5));
}
[[gnu::always_inline]] inline BandMask triglycerides(const V& v, const P& p) {
    const float x = v.get(fld::Triglycerides);
    return only(greaterThan(x, 0) && isMeasure(x), threeBands(converted(x, p.trigFactor), 1.8, 2.5));
}
[[gnu::always_inline]] inline BandMask microalb(const V& v, const P&) {
    const float x = v.get(fld::Microalb);
    return only(atLeast(x, 0) && isMeasure(x), threeBands(x, 30, 300));
}
[[gnu::always_inline]] inline BandMask risque(const V& v, const P&) {
    static_assert(fld::Tabac.offset == fld::DiabeteFamille.offset + 1 && fld::Alcool.offset == fld::Tabac.offset + 1);
    return yesSideBySide<fld::DiabeteFamille.offset, 3>(v);
}
[[gnu::always_inline]] inline BandMask sexe(const V& v, const P&) {
    const std::uint8_t s = v.get(fld::Sexe);
    return bit(s == 1, 0) | bit(s == 2, 1);
}
[[gnu::always_inline]] inline BandMask age(const V& v, const P& p) {
    const std::int32_t y = v.get(fld::AnNaissance);
    const std::int64_t a = std::int64_t(p.year) - y;  // 64 bits: y is any stored value
    return only(knownYear(y, p),
                bit(a <= 35, 0) | bit((a >= 36) & (a <= 55), 1) | bit((a >= 56) & (a <= 75), 2) | bit(a > 75, 3));
}
[[gnu::always_inline]] inline BandMask type(const V& v, const P&) {
    const std::uint8_t t = v.get(fld::TypeDiabete);
    return bit(t == 1, 0) | bit(t == 2, 1) | bit(t == 3, 2);
}
[[gnu::always_inline]] inline BandMask groupe(const V& v, const P&) {
    const std::int32_t start = v.get(fld::AnDebutDiabete);
    // In 64 bits: stored years are any 32-bit values.
    const std::int64_t onset = std::int64_t(start) - v.get(fld::AnNaissance);
    const std::uint8_t t = v.get(fld::TypeDiabete);
    const bool ins = onInsulin(v);
    const bool noInsulin = v.get(fld::AnDebutInsuline) == kEmptyI32 && v.get(fld::InjApres) == kEmptyU8;
    return only(start >= 1, bit((t == 1) & (onset <= 35) & ins, 0) | bit((t == 2) & (onset > 35) & noInsulin, 1) |
                                bit((t == 2) & (onset > 35) & ins, 2));
}
[[gnu::always_inline]] inline BandMask traitement(const V& v, const P&) {
    const bool tablets = v.get(fld::Biguanides) != kEmptyU8 || v.get(fld::Sulfamides) != kEmptyU8 ||
                         v.get(fld::InhibGlucosidase) != kEmptyU8 || v.get(fld::Thiazolidinediones) != kEmptyU8;
    return bit(tablets, 0) | bit(onInsulin(v), 1);
}
[[gnu::always_inline]] inline BandMask duree(const V& v, const P& p) {
    const std::int32_t y = v.get(fld::AnDebutDiabete);
    const std::int64_t d = std::int64_t(p.year) - y;
    return only(knownYear(y, p),
                bit(d <= 5, 0) | bit((d >= 6) & (d <= 10), 1) | bit((d >= 11) & (d <= 15), 2) | bit(d > 15, 3));
}
[[gnu::always_inline]] inline BandMask mode(const V& v, const P&) {
    const std::uint8_t m = v.get(fld::ConsultHospit);
    return bit(m == 1, 0) | bit(m == 2, 1);
}
[[gnu::always_inline]] inline BandMask motif(const V& v, const P&) {
    const std::uint8_t m = v.get(fld::Motif);
    return m >= 1 && m <= 7 ? bit(true, m - 1) : 0;
}
// Cecite and InsufRenale hold 1 or 2 only: a 3 counts in neither section.
[[gnu::always_inline]] inline BandMask stVincent(const V& v, std::uint8_t when) {
    // Cecite, Infarctus, Avc, InsufRenale, AmputSup, AmputInf side by side.
    static_assert(fld::AmputInf.offset == fld::Cecite.offset + 5 && fld::InsufRenale.offset == fld::Cecite.offset + 3);
    const BandMask exact = sideBySide<fld::Cecite.offset, 6>(v, when, when);
    const BandMask three = sideBySide<fld::Cecite.offset, 6>(v, 3, 3);
    return exact | (three & 0b110110u);
}
[[gnu::always_inline]] inline BandMask recents(const V& v, const P&) { return stVincent(v, 1); }
[[gnu::always_inline]] inline BandMask anciens(const V& v, const P&) { return stVincent(v, 2); }
[[gnu::always_inline]] inline BandMask specialiste(const V& v, const P&) {
    const std::uint8_t a = v.get(fld::InjAvant), b = v.get(fld::InjApres);
    const std::uint8_t t = v.get(fld::TypeDiabete);
    const bool first = a == kEmptyU8 && b >= 1 && b <= 254;
    return bit(first, 0) | bit(first & (t == 1), 1) | bit(first & (t == 2), 2) |
           bit((a != kEmptyU8) & (b != kEmptyU8) & (a != b), 3);
}
[[gnu::always_inline]] inline BandMask patient(const V& v, const P&) {
    static constexpr Field<FieldType::U8> f[] = {
        fld::AutoSurveillance,  fld::EducAutosurveillance, fld::ExamYeux,         fld::ExamPieds,
        fld::EducSoinsPieds,    fld::EducComplications,    fld::EducAlimentation, fld::EducHypoglycemies,
        fld::EducAjustInsuline, fld::Association};
    return yesBands(v, f);
}
[[gnu::always_inline]] inline BandMask symptomes(const V& v, const P&) {
    // HypoTaOrtho, Angor, (Anerection), NeuropathiePeri, Claudication side by side.
    static_assert(fld::Claudication.offset == fld::HypoTaOrtho.offset + 4);
    const BandMask m = yesSideBySide<fld::HypoTaOrtho.offset, 5>(v);
    return (m & 3u) | ((m >> 1) & 0b1100u);
}
[[gnu::always_inline]] inline BandMask yeux(const V& v, const P&) { return bit(v.get(fld::ExamYeux) == 1, 0); }
[[gnu::always_inline]] inline BandMask oeilDroit(const V& v, const P&) {
    static_assert(fld::RetinoProlifD.offset == fld::PhotocoagD.offset + 8);
    return yesSideBySide<fld::PhotocoagD.offset, 9>(v);
}
[[gnu::always_inline]] inline BandMask oeilGauche(const V& v, const P&) {
    static_assert(fld::RetinoProlifG.offset == fld::PhotocoagG.offset + 8);
    return yesSideBySide<fld::PhotocoagG.offset, 9>(v);
}
[[gnu::always_inline]] inline BandMask pieds(const V& v, const P&) { return bit(v.get(fld::ExamPieds) == 1, 0); }
[[gnu::always_inline]] inline BandMask piedGauche(const V& v, const P&) {
    static_assert(fld::PontageG.offset == fld::SensVibraG.offset + 5);
    return yesSideBySide<fld::SensVibraG.offset, 6>(v);
}
[[gnu::always_inline]] inline BandMask piedDroit(const V& v, const P&) {
    static_assert(fld::PontageD.offset == fld::SensVibraD.offset + 5);
    return yesSideBySide<fld::SensVibraD.offset, 6>(v);
}
[[gnu::always_inline]] inline BandMask hypo(const V& v, const P&) { return yearlyEvents(v.get(fld::HypoNbAn)); }
[[gnu::always_inline]] inline BandMask hyper(const V& v, const P&) { return yearlyEvents(v.get(fld::HyperNbAn)); }
[[gnu::always_inline]] inline BandMask joursHosp(const V& v, const P&) { return days(v.get(fld::JoursHosp)); }
[[gnu::always_inline]] inline BandMask joursHors(const V& v, const P&) { return days(v.get(fld::JoursHorsHosp)); }
[[gnu::always_inline]] inline BandMask injAvant(const V& v, const P&) { return injections(v.get(fld::InjAvant)); }
[[gnu::always_inline]] inline BandMask injApres(const V& v, const P&) {
    return injections(v.get(fld::InjApres)) | bit(v.get(fld::Stylo) == 1, 4);
}
constexpr Field<FieldType::U8> kTrtDiabete[] = {fld::RegimeSeul, fld::Biguanides, fld::Sulfamides,
                                                fld::InhibGlucosidase, fld::Thiazolidinediones};
constexpr Field<FieldType::U8> kInsulines[] = {fld::InsAnalogue, fld::InsRapide, fld::InsNph,
                                               fld::InsMelanges, fld::InsLente,  fld::InsPompe};
constexpr Field<FieldType::U8> kAssocies[] = {fld::TrtHta,          fld::TrtInsufCard, fld::TrtCardIschem,
                                              fld::TrtDyslipidemie, fld::TrtNephro,    fld::TrtNeuro,
                                              fld::TrtAutre};
// The treatments after RegimeSeul, the insulins and the associated treatments stand side by side.
static_assert(kTrtDiabete[4].offset == kTrtDiabete[1].offset + 3 && kInsulines[5].offset == kInsulines[0].offset + 5 &&
              kAssocies[6].offset == kAssocies[0].offset + 6);
template <std::uint8_t When> [[gnu::always_inline]] inline BandMask trtWhen(const V& v) {
    const std::uint8_t r = v.get(fld::RegimeSeul);
    return bit((r == When) | (r == 3), 0) | (sideBySide<fld::Biguanides.offset, 4>(v, When, 3) << 1);
}
[[gnu::always_inline]] inline BandMask trtAvant(const V& v, const P&) { return trtWhen<1>(v); }
[[gnu::always_inline]] inline BandMask trtApres(const V& v, const P&) { return trtWhen<2>(v); }
[[gnu::always_inline]] inline BandMask insAvant(const V& v, const P&) {
    return sideBySide<fld::InsAnalogue.offset, 6>(v, 1, 3);
}
[[gnu::always_inline]] inline BandMask insApres(const V& v, const P&) {
    return sideBySide<fld::InsAnalogue.offset, 6>(v, 2, 3);
}
[[gnu::always_inline]] inline BandMask assocAvant(const V& v, const P&) {
    return sideBySide<fld::TrtHta.offset, 7>(v, 1, 3);
}
[[gnu::always_inline]] inline BandMask assocApres(const V& v, const P&) {
    return sideBySide<fld::TrtHta.offset, 7>(v, 2, 3);
}
[[gnu::always_inline]] inline BandMask qualite(const V& v, const P& p) {
    const std::int32_t a = v.get(fld::AnDebutDiabete);
    const bool noDates =
        a == kEmptyI32 && v.get(fld::AnDebutComprimes) == kEmptyI32 && v.get(fld::AnDebutInsuline) == kEmptyI32;
    const std::int32_t c176 = p.waistForC176 ? v.get(fld::TourTaille) : v.get(fld::Taille);
    return bit(v.get(fld::AnNaissance) == kEmptyI32, 0) | bit(v.get(fld::Sexe) == kEmptyU8, 1) |
           bit(v.get(fld::TypeDiabete) == kEmptyU8, 2) | bit(a < 1, 3) | bit(noDates, 4) | bit(c176 == kEmptyI32, 5) |
           bit(v.get(fld::TourHanches) == kEmptyI32, 6) | bit(isEmpty(v.get(fld::HbA1c)), 7) |
           bit(isEmpty(v.get(fld::Cholesterol)), 8) | bit(isEmpty(v.get(fld::Triglycerides)), 9) |
           bit((v.get(fld::TaSyst) == kEmptyI32) | (v.get(fld::TaDiast) == kEmptyI32), 10) |
           bit(isEmpty(v.get(fld::Microalb)), 11);
}

constexpr std::array<Section, kSectionCount> makeSections() {
    return {{
        {"      HbA1C      ",
         5,
         {{{0, "Hb <6.5", false, "Hb < 6.5", "Hb <6.5"},
           {1, "Hb 6.5 à <8", false, "Hb 6.5 à < 8"},
           {2, "Hb 8 à <10", false, "Hb 8 à < 10"},
           {3, "Hb 10 à <12", false, "Hb 10 à < 12"},
           {4, "Hb >=12", false, "Hb >= 12"}}},
         hba1c,
         false,
         " HbA1C      "},
        {" Tension Artérielle ",
         3,
         {{{5, "TA <140/90", false, "TA < 140/90"},
           {6, "TA <160/100", false, "TA < 160/100"},
           {7, "TA >160/100", false, "TA > 160/100"}}},
         tension},
        {" Masse corporelle ",
         3,
         {{{8, "BMI <25", false, "BMI < 25"}, {9, "BMI 25 à 30"}, {10, "BMI >30", false, "BMI > 30"}}},
         masse},
        {" Cholestérol ",
         3,
         {{{11, "Chol. <6.5", false, "Chol. < 6.5"},
           {12, "Chol. 6.5 à 7.5"},
           {13, "Chol. >7.5", false, "Chol. > 7.5"}}},
         cholesterol},
        {" Triglycérides ",
         3,
         {{{14, "Trigly <1.8", false, "Trigly < 1.8"},
           {15, "Trigly 1.8 à 2.5"},
           {16, "Trigly >2.5", false, "Trigly > 2.5"}}},
         triglycerides},
        {" Microalbuminurie ",
         3,
         {{{17, "Micro <30", false, "Micro < 30"}, {18, "Micro 30 à 300"}, {19, "Micro >300", false, "Micro > 300"}}},
         microalb},
        {" Facteurs de risque ", 3, {{{20, "Diabète familial"}, {21, "Tabac"}, {22, "Alcool"}}}, risque},
        {" Sexe :", 2, {{{23, "Homme"}, {24, "Femme"}}}, sexe},
        {"  Age du patient  ",
         4,
         {{{25, "Age <=35", false, "Age <= 35"},
           {26, "Age 36 à 55"},
           {27, "Age 56 à 75"},
           {28, "Age >=76", false, "Age >= 76"}}},
         age},
        {"  Type de Diabète  ", 3, {{{29, "Type 1"}, {30, "Type 2"}, {31, "Autre"}}}, type},
        {"  Groupe  ",
         3,
         {{{32, "Grp 1", false, "Groupe 1"}, {33, "Grp 2", false, "Groupe 2"}, {34, "Grp 3", false, "Groupe 3"}}},
         groupe},
        {"  Traitement  ", 2, {{{35, "Comprimés"}, {36, "Insuline"}}}, traitement},
        {"  Durée du Diabète  ",
         4,
         {{{37, "Durée <5 ans", false, "Durée < 5 ans"},
           {38, "Durée 6 à 10 ans"},
           {39, "Durée 11 à 15 ans"},
           {40, "Durée >15 ans", false, "Durée > 15 ans"}}},
         duree},
        {" Mode ", 2, {{{41, "Consultation"}, {42, "Hospitalisation"}}}, mode},
        {" Motif ",
         7,
         {{{43, "Surveillance"},
           {44, "Déséquilibre"},
           {45, "Complication"},
           {46, "Urgence"},
           {47, "Diag. récent"},
           {48, "Grossesse"},
           {49, "Autre"}}},
         motif},
        {" St-Vincent Objectifs récents ",
         6,
         {{{50, "Cécité récente"},
           {51, "Infarctus récent"},
           {52, "AVC récent"},
           {53, "Insuffisance rénale récente"},
           {54, "Amput. sup. cheville récente"},
           {55, "Amput. inf. cheville récente"}}},
         recents},
        {" St-Vincent Objectifs anciens ",
         6,
         {{{56, "Cécité ancienne"},
           {57, "Infarctus ancien"},
           {58, "AVC ancien"},
           {59, "Insuffisance rénale ancienne"},
           {60, "Amput. sup. cheville ancienne"},
           {61, "Amput. inf. cheville ancienne"}}},
         anciens},
        {" Rôle du spécialiste ",
         4,
         {{{62, "1ère mise à l'insuline"},
           {63, "Mise à l'insuline Type 1"},
           {64, "Mise à l'insuline Type 2"},
           {65, "Modif. nombre d'injections"}}},
         specialiste},
        {" Rôle du patient ",
         10,
         {{{66, "Autosurveillance"},
           {67, "Educ. autosurveillance"},
           {68, "Examen des yeux"},
           {69, "Examen des pieds"},
           {70, "Educ. Soins des pieds"},
           {71, "Educ. complications"},
           {72, "Educ. alimentation"},
           {73, "Educ. hypoglycémie"},
           {74, "Educ. ajustement insuline"},
           {75, "Membre d'une association", true}}},
         patient},
        {" Symptômes ",
         4,
         {{{76, "Hypotension ortho"}, {77, "Angor"}, {78, "Neuropathie péri."}, {79, "Claudication"}}},
         symptomes},
        {" YEUX ", 1, {{{80, "Examen des Yeux"}}}, yeux, true},
        {" Oeil Droit ",
         9,
         {{{81, "Photocoagulation"},
           {82, "Vitrectomie"},
           {83, "Cataracte"},
           {84, "Rétine vue"},
           {85, "Maculopathie"},
           {86, "Rétinopathie"},
           {87, "Rét. non prolif."},
           {88, "Rét. préprolif."},
           {89, "Rét. prolif."}}},
         oeilDroit},
        {" Oeil Gauche ",
         9,
         {{{90, "Photocoagulation"},
           {91, "Vitrectomie"},
           {92, "Cataracte"},
           {93, "Rétine vue"},
           {94, "Maculopathie"},
           {95, "Rétinopathie"},
           {96, "Rét. non prolif."},
           {97, "Rét. préprolif."},
           {98, "Rét. prolif."}}},
         oeilGauche},
        {" PIEDS ", 1, {{{99, "Examen des Pieds"}}}, pieds, true},
        {" Pied Gauche ",
         6,
         {{{100, "Sensib. Vibra. normale"},
           {101, "Sensib. Doul. normale"},
           {102, "Pouls présents"},
           {103, "Ulcère cicatrisé"},
           {104, "Ulcère aigu"},
           {105, "Pontage / Angio"}}},
         piedGauche},
        {" Pied Droit ",
         6,
         {{{106, "Sensib. Vibra. normale"},
           {107, "Sensib. Doul. normale"},
           {108, "Pouls présents"},
           {109, "Ulcère cicatrisé"},
           {110, "Ulcère aigu"},
           {111, "Pontage / Angio"}}},
         piedDroit},
        {" Hypoglycémie ",
         3,
         {{{112, "Pas d'hypoglycémie"}, {113, "1 à 2 Hypoglycémies"}, {114, "Plus de 2 Hypoglycémies"}}},
         hypo},
        {" Hyperglycémie ",
         3,
         {{{115, "Pas d'hyperglycémie"}, {116, "1 à 2 Hyperglycémies"}, {117, "Plus de 2 Hyperglycémies"}}},
         hyper},
        {" Journées d'hospitalisation ",
         4,
         {{{118, "Pas d'hospitalisation"},
           {119, "1 à 9 Jours d'hospit."},
           {120, "10 à 30 Jours d'hospit."},
           {121, "Plus de 30 Jours d'hospit."}}},
         joursHosp},
        {" Journées d'incapacité Hors hospitalisation ",
         4,
         {{{122, "Pas de jour d'incapacité"},
           {123, "1 à 9 Jours Hors hospit."},
           {124, "10 à 30 Jours Hors hospit."},
           {125, "Plus de 30 Jours Hors hospit."}}},
         joursHors},
        {" Injections d'insuline avant ",
         4,
         {{{126, "1 injection"}, {127, "2 injections"}, {128, "3 injections"}, {129, "Plus de 3 injections"}}},
         injAvant},
        {" Injections d'insuline après ",
         5,
         {{{130, "1 injection"},
           {131, "2 injections"},
           {132, "3 injections"},
           {133, "Plus de 3 injections"},
           {134, "Stylo"}}},
         injApres},
        {" Traitement du diabète avant ",
         5,
         {{{135, "Régime"},
           {137, "Biguanides"},
           {139, "Sulfamides"},
           {141, "Inib Gluco", false, "Inib. Gluco"},
           {143, "Thiazo", false, "Thiazo."}}},
         trtAvant},
        {" Traitement du diabète après ",
         5,
         {{{136, "Régime"},
           {138, "Biguanides"},
           {140, "Sulfamides"},
           {142, "Inib Gluco", false, "Inib. Gluco"},
           {144, "Thiazo", false, "Thiazo."}}},
         trtApres},
        {" Type d'insuline avant ",
         6,
         {{{147, "Analogue"}, {148, "Rapide"}, {149, "NPH"}, {150, "Mélanges fixes"}, {151, "Lente"}, {145, "Pompe"}}},
         insAvant},
        {" Type d'insuline après ",
         6,
         {{{152, "Analogue"}, {153, "Rapide"}, {154, "NPH"}, {155, "Mélanges fixes"}, {156, "Lente"}, {146, "Pompe"}}},
         insApres},
        {" Traitements associés avant ",
         7,
         {{{157, "HTA"},
           {159, "Insuffisance Cardio"},
           {161, "Cardio-ischémique"},
           {163, "Dyslipidémie"},
           {165, "Néphropathie"},
           {167, "Neuropathie"},
           {169, "Autre"}}},
         assocAvant},
        {" Traitements associés après ",
         7,
         {{{158, "HTA"},
           {160, "Insuffisance Cardio"},
           {162, "Cardio-ischémique"},
           {164, "Dyslipidémie"},
           {166, "Néphropathie"},
           {168, "Neuropathie"},
           {170, "Autre"}}},
         assocApres},
        {" Qualité des réponses FIB ",
         12,
         {{{171, "Pas d'année de naissance"},
           {172, "Pas de sexe"},
           {173, "Pas de type de diabète"},
           {174, "Pas d'année de début diabète"},
           {175, "Les 3 dates vides"},
           {176, "Pas de taille", false, "Pas de tour de taille"},
           {177, "Pas de tour de hanches"},
           {178, "Pas de HbA1C"},
           {179, "Pas de Cholestérol"},
           {180, "Pas de triglycérides"},
           {181, "Pas de Tension"},
           {182, "Pas de Microalbuminurie"}}},
         qualite},
    }};
}

// Each counter belongs to exactly one band.
constexpr bool countersAreAPermutation(const std::array<Section, kSectionCount>& s) {
    std::array<int, kBandCount> seen{};
    int total = 0;
    for (const auto& sec : s)
        for (int k = 0; k < sec.size; ++k) {
            if (sec.bands[k].counter >= kBandCount || seen[sec.bands[k].counter]++) return false;
            ++total;
        }
    return total == kBandCount;
}

}  // namespace

const char* labelOf(const Band& b, LabelUse use) {
    switch (use) {
    case LabelUse::Synthesis: return b.label;
    case LabelUse::Comparison:
        if (b.comparedLabel) return b.comparedLabel;
        [[fallthrough]];
    case LabelUse::Variability: return b.pooledLabel ? b.pooledLabel : b.label;
    }
    return b.label;
}

const char* headingOf(const Section& s, LabelUse use) {
    return use != LabelUse::Synthesis && s.pooledHeading ? s.pooledHeading : s.heading;
}

constexpr std::array<Section, kSectionCount> kSections = makeSections();
static_assert(countersAreAPermutation(kSections));

namespace {
void addMask(const Section& s, BandMask m, std::uint32_t times, BandCounts& c) {
    m &= (BandMask(1) << s.size) - 1;
    // Only the bands the FIB falls in: a few per section.
    while (m) {
        const int k = __builtin_ctz(m);
        c[s.bands[k].counter] = static_cast<std::uint16_t>(c[s.bands[k].counter] + times);
        m &= m - 1;
    }
}

// First tally bin of each section: one bin per possible mask.
constexpr std::array<std::size_t, kSectionCount + 1> makeBinStarts() {
    std::array<std::size_t, kSectionCount + 1> b{};
    for (int s = 0; s < kSectionCount; ++s) b[s + 1] = b[s] + (std::size_t(1) << kSections[s].size);
    return b;
}
constexpr auto kBinStart = makeBinStarts();

template <std::size_t... I>
inline void tallyAll(const BandView& v, const BandParams& p, std::uint32_t* bins, std::index_sequence<I...>) {
    ((++bins[kBinStart[I] + kSections[I].rule(v, p)]), ...);
}

struct Layout {
    std::array<LineInfo, kLineCount> lines{};
    std::array<int, kSectionCount> heading{};
    std::array<std::array<int, 12>, kSectionCount> band{};
};

constexpr Layout makeLayout() {
    Layout l;
    l.lines[0].kind = LineInfo::Title;
    int line = 2;
    for (int s = 0; s < kSectionCount; ++s) {
        l.heading[s] = line;
        l.lines[line] = {LineInfo::Heading, std::int8_t(s), -1};
        ++line;
        for (int k = 0; k < kSections[s].size; ++k) {
            if (kSections[s].bands[k].blankBefore) ++line;
            l.band[s][k] = line;
            l.lines[line] = {LineInfo::BandLine, std::int8_t(s), std::int8_t(k)};
            ++line;
        }
        ++line;  // the blank line after the section
    }
    return l;
}
constexpr Layout kLayout = makeLayout();
static_assert(kLayout.heading[kSectionCount - 1] == 250 && kLayout.band[kSectionCount - 1][11] == 262);
}  // namespace

const std::array<LineInfo, kLineCount>& lineTable() { return kLayout.lines; }
int headingLine(int section) { return kLayout.heading[section]; }
int bandLineOf(int section, int band) { return kLayout.band[section][band]; }

namespace {
template <std::size_t... I>
inline void countAll(const BandView& v, const BandParams& p, BandCounts& c, std::index_sequence<I...>) {
    (addMask(kSections[I], kSections[I].rule(v, p), 1, c), ...);
}
}  // namespace

void countFib(const BandView& v, const BandParams& p, BandCounts& counts) {
    countAll(v, p, counts, std::make_index_sequence<kSectionCount>{});
}

static_assert(kBinStart[kSectionCount] == BandTally::kBins, "one tally bin per mask of every section");

BandTally::BandTally() { bins_.fill(0); }

void BandTally::add(const BandView& v, const BandParams& p) {
    tallyAll(v, p, bins_.data(), std::make_index_sequence<kSectionCount>{});
}

BandCounts BandTally::counts() const {
    BandCounts c{};
    for (int s = 0; s < kSectionCount; ++s)
        for (std::size_t m = 0; m < (std::size_t(1) << kSections[s].size); ++m)
            if (const std::uint32_t n = bins_[kBinStart[s] + m]) addMask(kSections[s], BandMask(m), n, c);
    return c;
}

BandMask sectionMask(int section, const BandView& v, const BandParams& p) {
    if (section < 0 || section >= kSectionCount) return 0;
    return kSections[section].rule(v, p);
}

}  // namespace pelo::eval
