#include "pool/Query.h"

#include <cmath>

#include "store/Text.h"

namespace pelo::pool {

namespace {

const std::vector<const char*> kOuiNon{"Oui", "Non"};

template <FieldType T> constexpr std::uint16_t at(Field<T> f) { return f.offset; }

}  // namespace

const std::array<QueryVariable, kQueryVariableCount>& queryVariables() {
    using K = VarKind;
    static const std::array<QueryVariable, kQueryVariableCount> table{{
        {"Naissance", at(pfld::AnNaissance), K::Integer, {}},
        {"Sexe", at(pfld::Sexe), K::List, {"Homme", "Femme"}},
        {"Type Diabète", at(pfld::TypeDiabete), K::List, {"Type 1", "Type 2", "Autre type"}},
        {"Début diabète", at(pfld::AnDebutDiabete), K::Integer, {}},
        {"Début comprimés", at(pfld::AnDebutComprimes), K::Integer, {}},
        {"Début insuline", at(pfld::AnDebutInsuline), K::Integer, {}},
        {"Cons/Hosp", at(pfld::ConsultHospit), K::List, {"Consultation", "Hospitalisation"}},
        {"Motif",
         at(pfld::Motif),
         K::List,
         {"Surveillance", "Déséquilibre", "Complications", "Urgence", "Diagnostic", "Grossesse", "Autre"}},
        {"Enfant normal", at(pfld::GrossEnfantNormal), K::Small, {}},
        {"Fausse couche", at(pfld::GrossFC), K::Small, {}},
        {"Malformation", at(pfld::GrossMalformation), K::Small, {}},
        {"Mort périnatale", at(pfld::GrossMortPerinatale), K::Small, {}},
        {"Diabète familial", at(pfld::DiabeteFamille), K::List, kOuiNon},
        {"Tabac", at(pfld::Tabac), K::List, kOuiNon},
        {"Quantité tabac", at(pfld::Cigarettes), K::Integer, {}},
        {"Alcool", at(pfld::Alcool), K::List, kOuiNon},
        {"Quantité alcool", at(pfld::AlcoolGrSemaine), K::Integer, {}},
        {"Auto-surveillance", at(pfld::AutoSurveillance), K::List, kOuiNon},
        {"Glycémie", at(pfld::GlycemiesSemaine), K::Integer, {}},
        {"Glycosurie", at(pfld::GlycosuriesSemaine), K::Integer, {}},
        {"Education alimentation", at(pfld::EducAlimentation), K::List, kOuiNon},
        {"Educ. soins pieds", at(pfld::EducSoinsPieds), K::List, kOuiNon},
        {"Educ. complications", at(pfld::EducComplications), K::List, kOuiNon},
        {"Educ. auto-surveillance", at(pfld::EducAutosurveillance), K::List, kOuiNon},
        {"Educ. hypoglycémie", at(pfld::EducHypoglycemies), K::List, kOuiNon},
        {"Educ. ajust. insuline", at(pfld::EducAjustInsuline), K::List, kOuiNon},
        {"Membre association", at(pfld::Association), K::List, kOuiNon},
        {"Poids", at(pfld::Poids), K::Integer, {}},
        {"Taille", at(pfld::Taille), K::Integer, {}},
        {"Tension systol.", at(pfld::TaSyst), K::Integer, {}},
        {"Tension diastol.", at(pfld::TaDiast), K::Integer, {}},
        {"Glycémie à jeun", at(pfld::GlyJeun), K::Real, {}},
        {"HbA1C", at(pfld::HbA1c), K::Real, {}},
        {"Créatinine", at(pfld::Creatinine), K::Real, {}},
        {"Microalbuminurie", at(pfld::Microalb), K::Real, {}},
        {"Protéinurie", at(pfld::Proteinurie), K::Real, {}},
        {"Cholestérol", at(pfld::Cholesterol), K::Real, {}},
        {"HDL", at(pfld::Hdl), K::Real, {}},
        {"Triglycérides", at(pfld::Triglycerides), K::Real, {}},
        {"A jeun", at(pfld::TrigAJeun), K::List, kOuiNon},
    }};
    return table;
}

namespace {

// The numeric comparison of a value that is an answer.
template <class T> bool compare(const Criterion& c, T x, T v1, T v2) {
    switch (c.op1) {
    case kEqual: return x == v1;
    case kGreater:
        if (c.op2 == kLess && c.relation == kAnd) return x > v1 && x < v2;
        return x > v1;
    case kLess:
        if (c.op2 == kGreater && c.relation == kOr) return x < v1 || x > v2;
        return x < v1;
    default: return false;  // "Sauf" on a number, or no operator
    }
}

}  // namespace

bool matches(const Criterion& c, const PooledFibRecord& r) {
    if (c.variable < 1 || c.variable > kQueryVariableCount) return false;
    const QueryVariable& v = queryVariables()[c.variable - 1];
    switch (v.kind) {
    case VarKind::List: {
        const std::uint8_t x = r.bytes[v.offset];
        if (x == kEmptyU8) return false;
        return (c.op1 == kEqual && x == c.value1) || (c.op1 == kSauf && x != c.value1);
    }
    case VarKind::Small: {
        const std::uint8_t x = r.bytes[v.offset];
        if (x == kEmptyU8) return false;
        return compare<std::int32_t>(c, x, c.value1, c.value2);
    }
    case VarKind::Integer: {
        const std::int32_t x = r.get(Field<FieldType::I32>{v.offset, v.label});
        if (x < 0) return false;
        return compare<std::int32_t>(c, x, c.value1, c.value2);
    }
    case VarKind::Real: {
        const float x = r.get(Field<FieldType::F32>{v.offset, v.label});
        if (!(x > -1.0f) || !isMeasure(x)) return false;  // a NaN or an infinity is no answer
        return compare<float>(c, x, c.real1, c.real2);
    }
    }
    return false;
}

std::optional<QueryValue> parseQueryValue(std::string_view text) {
    const auto p = parseDecimalEntry(text);
    if (!ok(p)) return {};
    std::string t(text);
    if (t.find_first_not_of(' ') == std::string::npos) return {};  // nothing typed is no number
    const float f = std::get<float>(p);
    // The 32-bit range, -2147483648 included (2147483647 has no single: it rounds to 2^31).
    if (!std::isfinite(f) || double(f) >= 2147483648.0 || double(f) < -2147483648.0) return {};
    const std::int64_t n = roundHalfEven(double(f));
    if (n > 2147483647LL || n < -2147483648LL) return {};
    return QueryValue{f, std::int32_t(n)};
}

std::string selectionMessage(std::uint32_t count) {
    return counted(count, "fiche sélectionnée", "fiches sélectionnées");
}

IoStatus selectSubCollection(const std::string& folder, const std::string& poolName, const std::string& outName,
                             const Criterion& c, std::uint32_t& count, const Progress& progress) {
    if (outName == poolName)
        return IoError{outName,
                       "La sous-collection doit porter un autre nom que la collection " + poolName +
                           " : celle-ci serait remplacée.",
                       true};
    if (auto why = protectedOutput(folder, outName, poolName)) return IoError{outName, *why, true};
    PooledReader in;
    if (auto e = in.open(folder, poolName)) return e;
    PooledWriter out;
    if (auto e = out.create(folder, outName, in.header())) return e;
    std::uint32_t n = 0, read = 0;
    IoStatus readError;
    while (const PooledFibRecord* f = in.next(&readError)) {
        if (read++ % 1024 == 0 && !keepGoing(progress, read - 1, in.count(), "fiche " + std::to_string(read)))
            return cancelled(outName);
        if (!matches(c, *f)) continue;
        if (auto e = out.write(f, 1)) return e;
        ++n;
    }
    if (readError) return readError;
    if (auto e = out.finish(in.header())) return e;
    count = n;
    return {};
}

}  // namespace pelo::pool
