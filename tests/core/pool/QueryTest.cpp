#include <gtest/gtest.h>

#include <filesystem>

#include "PoolTestSupport.h"
#include "pool/Query.h"
#include "store/Text.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

namespace {

constexpr std::uint16_t kSexe = 2, kPoids = 28, kHbA1c = 33, kNaissance = 1, kEnfant = 9, kAJeun = 40;

Criterion on(std::uint16_t variable, std::uint16_t op1, double v1, std::uint16_t rel = kNoRelation,
             std::uint16_t op2 = kEqual, double v2 = 0) {
    Criterion c;
    c.variable = variable;
    c.op1 = op1;
    c.real1 = float(v1);
    c.value1 = std::int32_t(roundHalfEven(double(c.real1)));
    c.relation = rel;
    c.op2 = op2;
    c.real2 = float(v2);
    c.value2 = std::int32_t(roundHalfEven(double(c.real2)));
    return c;
}

PooledFibRecord withU8(Field<FieldType::U8> f, std::uint8_t v) {
    PooledFibRecord r = pooledFib(1);
    r.set(f, v);
    return r;
}
PooledFibRecord withI32(Field<FieldType::I32> f, std::int32_t v) {
    PooledFibRecord r = pooledFib(1);
    r.set(f, v);
    return r;
}
PooledFibRecord withF32(Field<FieldType::F32> f, float v) {
    PooledFibRecord r = pooledFib(1);
    r.set(f, v);
    return r;
}

}  // namespace

TEST(Query, VariablesTestTheirPooledFields) {
    const auto& v = queryVariables();
    EXPECT_STREQ(v[0].label, "Naissance");
    EXPECT_EQ(v[0].offset, 24);
    EXPECT_EQ(v[14].offset, 56);   // Quantité tabac: Cigarettes
    EXPECT_EQ(v[16].offset, 60);   // Quantité alcool
    EXPECT_EQ(v[30].offset, 100);  // Tension diastol.
    EXPECT_EQ(v[38].offset, 140);  // Triglycérides
    EXPECT_EQ(v[39].offset, 79);   // A jeun
    EXPECT_EQ(v[39].kind, VarKind::List);
    EXPECT_EQ(v[7].values.size(), 7u);
    EXPECT_STREQ(v[2].values[2], "Autre type");
}

TEST(Query, ListVariablesWithAndWithoutSauf) {
    const auto femme = withU8(pfld::Sexe, 2), homme = withU8(pfld::Sexe, 1), none = pooledFib(1);
    const Criterion c = on(kSexe, kEqual, 2);
    EXPECT_TRUE(matches(c, femme));
    EXPECT_FALSE(matches(c, homme));
    EXPECT_FALSE(matches(c, none));
    const Criterion sauf = on(kSexe, kSauf, 2);
    EXPECT_FALSE(matches(sauf, femme));
    EXPECT_TRUE(matches(sauf, homme));
    EXPECT_FALSE(matches(sauf, none));                     // no answer stays out, Sauf included
    EXPECT_FALSE(matches(on(kSexe, kGreater, 1), femme));  // a list compares only by = and Sauf
    EXPECT_TRUE(matches(on(kAJeun, kEqual, 1), withU8(pfld::TrigAJeun, 1)));
}

TEST(Query, NumericComparisonsAndTheSecondCondition) {
    auto hb = [](float x) { return withF32(pfld::HbA1c, x); };
    const Criterion between = on(kHbA1c, kGreater, 8, kAnd, kLess, 10);
    EXPECT_FALSE(matches(between, hb(8.0f)));
    EXPECT_TRUE(matches(between, hb(8.1f)));
    EXPECT_FALSE(matches(between, hb(10.0f)));
    EXPECT_FALSE(matches(between, hb(-1.0f)));
    const Criterion ignored = on(kHbA1c, kGreater, 8, kOr, kLess, 10);  // only the first comparison decides
    EXPECT_TRUE(matches(ignored, hb(12.0f)));
    EXPECT_FALSE(matches(ignored, hb(7.0f)));

    auto poids = [](int x) { return withI32(pfld::Poids, x); };
    const Criterion outside = on(kPoids, kLess, 50, kOr, kGreater, 100);
    EXPECT_TRUE(matches(outside, poids(49)));
    EXPECT_TRUE(matches(outside, poids(101)));
    EXPECT_FALSE(matches(outside, poids(50)));
    EXPECT_FALSE(matches(outside, poids(100)));
    EXPECT_FALSE(matches(outside, poids(-1)));
    EXPECT_TRUE(matches(on(kPoids, kLess, 50, kAnd, kGreater, 100), poids(10)));  // ET ignored here
    EXPECT_FALSE(matches(on(kPoids, kLess, 50, kAnd, kGreater, 100), poids(120)));
    EXPECT_FALSE(matches(on(kPoids, kSauf, 50), poids(60)));  // Sauf on a number never matches

    EXPECT_FALSE(matches(on(kNaissance, kGreater, 1950), withI32(pfld::AnNaissance, -1)));
    EXPECT_FALSE(matches(on(kNaissance, kLess, 1950), withI32(pfld::AnNaissance, -7)));  // any negative is no answer
    EXPECT_TRUE(matches(on(kEnfant, kEqual, 0), withU8(pfld::GrossEnfantNormal, 0)));
    EXPECT_FALSE(matches(on(kEnfant, kLess, 3), withU8(pfld::GrossEnfantNormal, 255)));
    // A real = matches the exact stored single; a real between -1 and 0 is an answer.
    EXPECT_TRUE(matches(on(kHbA1c, kEqual, 7.3), hb(7.3f)));
    EXPECT_FALSE(matches(on(kHbA1c, kEqual, 7), hb(7.3f)));
    EXPECT_TRUE(matches(on(kHbA1c, kLess, 0), hb(-0.5f)));
    // No variable chosen: nothing.
    Criterion none;
    EXPECT_FALSE(matches(none, hb(7.0f)));
}

TEST(Query, TypedValues) {
    EXPECT_EQ(parseQueryValue("7.5")->rounded, 8);
    EXPECT_EQ(parseQueryValue("6.5")->rounded, 6);
    EXPECT_EQ(parseQueryValue(" 6,6 ")->rounded, 7);
    EXPECT_FLOAT_EQ(parseQueryValue("8.25")->real, 8.25f);
    EXPECT_EQ(parseQueryValue("-3")->rounded, -3);
    EXPECT_FALSE(parseQueryValue("abc"));
    EXPECT_FALSE(parseQueryValue("8..2"));
    EXPECT_FALSE(parseQueryValue(""));
    EXPECT_FALSE(parseQueryValue("   "));
    EXPECT_FALSE(parseQueryValue("1e12"));
    EXPECT_FALSE(parseQueryValue("99999999999"));
}

TEST(Query, SelectionFileKeepsTheHeaderAndTheOrder) {
    TempDir dir;
    std::vector<PooledFibRecord> fibs;
    for (int i = 0; i < 6; ++i) {
        PooledFibRecord f = pooledFib(10 + i);
        f.set(pfld::Sexe, std::uint8_t(i % 3 == 0 ? 255 : 1 + i % 2));
        fibs.push_back(f);
    }
    writePooled("FibFr97.Dat", fibs, -1, 9999);
    std::uint32_t n = 0;
    ASSERT_FALSE(selectSubCollection("", "FibFr97.Dat", "Fibaaaa.Dat", on(kSexe, kEqual, 2), n));
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(selectionMessage(n), "2 fiches sélectionnées");
    EXPECT_EQ(selectionMessage(1), "1 fiche sélectionnée");
    const auto all = readPooled("FibFr97.Dat");
    const auto sel = readPooled("Fibaaaa.Dat");
    ASSERT_EQ(sel.size(), 3u);
    PooledHeader h = all[0];
    h.setNbFiches(2);
    EXPECT_EQ(sel[0], h);
    EXPECT_EQ(sel[1], all[2]);  // i = 1
    EXPECT_EQ(sel[2], all[6]);  // i = 5

    // Nothing selected: the header alone; an existing file replaced.
    ASSERT_FALSE(selectSubCollection("", "FibFr97.Dat", "Fibaaaa.Dat", on(kPoids, kGreater, 0), n));
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(readPooled("Fibaaaa.Dat").size(), 1u);
    EXPECT_EQ(readPooled("Fibaaaa.Dat")[0].get(pfld::NbFiches), 0);
}

TEST(Query, SelectionRefusalsAndErrors) {
    TempDir dir;
    writePooled("FibFr97.Dat", {pooledFib(1)});
    std::uint32_t n = 0;
    auto e = selectSubCollection("", "FibFr97.Dat", "FibFr97.Dat", on(kSexe, kEqual, 1), n);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "La sous-collection doit porter un autre nom que la collection FibFr97.Dat : celle-ci serait remplacée.");
    EXPECT_EQ(readPooled("FibFr97.Dat").size(), 2u);
    e = selectSubCollection("", "Absent.Dat", "Fibaaaa.Dat", on(kSexe, kEqual, 1), n);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur Absent.Dat : fichier introuvable");
    EXPECT_FALSE(std::filesystem::exists("Fibaaaa.Dat"));
}
