#include <gtest/gtest.h>

#include <filesystem>

#include "PoolTestSupport.h"
#include "pool/PoolSynthesis.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

namespace {

SynIndex indexOf(const std::string& path) {
    auto b = readBytes(path);
    SynIndex ix;
    EXPECT_EQ(b.size(), sizeof ix);
    std::memcpy(&ix, b.data(), std::min(b.size(), sizeof ix));
    return ix;
}

std::vector<SynCounters> countersOf(const std::string& path) {
    auto b = readBytes(path);
    EXPECT_EQ(b.size() % sizeof(SynCounters), 0u);
    std::vector<SynCounters> out(b.size() / sizeof(SynCounters));
    std::memcpy(out.data(), b.data(), out.size() * sizeof(SynCounters));
    return out;
}

PooledFibRecord withHb(std::int32_t centre, float hb) {
    PooledFibRecord f = pooledFib(centre);
    f.set(pfld::HbA1c, hb);
    return f;
}

}  // namespace

TEST(PoolSynthesis, OneCounterRecordPerRunOfACentre) {
    TempDir dir;
    writePooled("FibFr97.Dat", {withHb(12, 7.0f), withHb(12, 9.0f), withHb(5, 7.0f), withHb(12, 13.0f)});
    PoolSynthesisResult r;
    ASSERT_FALSE(poolSynthesis("", "FibFr97.Dat", 1997, r));
    EXPECT_EQ(poolSynthesisMessage(r), "3 centres, 4 fiches");
    EXPECT_EQ(withoutIndexWarning(r), "");
    EXPECT_EQ(r.names.index, "SYNFr97.ATX");

    const SynIndex ix = indexOf("SYNFr97.ATX");
    EXPECT_EQ(ix.entries[0], 3);
    EXPECT_EQ(ix.entries[12], 3);  // the last run
    EXPECT_EQ(ix.entries[5], 2);
    EXPECT_EQ(ix.entries[999], 4);
    int others = 0;
    for (int c = 1; c < 999; ++c) others += (c != 5 && c != 12 && ix.entries[c] != 0);
    EXPECT_EQ(others, 0);

    const auto recs = countersOf("SYNFr97.BTX");
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[1].NbFichesCentre, 2u);
    EXPECT_EQ(recs[1].counters[1], 1);  // Hb 6.5 à <8
    EXPECT_EQ(recs[1].counters[2], 1);  // Hb 8 à <10
    EXPECT_EQ(recs[2].NbFichesCentre, 1u);
    EXPECT_EQ(recs[3].counters[4], 1);  // Hb >=12
    // Record 0: the sum of the three, without a FIB count.
    EXPECT_EQ(recs[0].NbFichesCentre, 0u);
    for (int k = 0; k < eval::kBandCount; ++k)
        EXPECT_EQ(recs[0].counters[k], recs[1].counters[k] + recs[2].counters[k] + recs[3].counters[k]) << k;
    EXPECT_EQ(recs[0].counters[1], 2);
    EXPECT_EQ(recs[0].counters[178], 0);  // every FIB has an HbA1c
}

TEST(PoolSynthesis, EmptyPooledFileGivesOneZeroRecord) {
    TempDir dir;
    writePooled("FibFr97.Dat", {});
    PoolSynthesisResult r;
    ASSERT_FALSE(poolSynthesis("", "FibFr97.Dat", 1997, r));
    EXPECT_EQ(poolSynthesisMessage(r), "0 centre, 0 fiche");
    EXPECT_EQ(indexOf("SYNFr97.ATX"), SynIndex{});
    const auto recs = countersOf("SYNFr97.BTX");
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0], SynCounters{});
}

TEST(PoolSynthesis, RulesOfThePooledCount) {
    TempDir dir;
    PooledFibRecord annulled = pooledFib(3);
    annulled.set(pfld::EtatFiche, std::uint8_t(255));
    annulled.set(pfld::TypeDiabete, std::uint8_t(3));
    PooledFibRecord born98 = pooledFib(3);
    born98.set(pfld::AnNaissance, 1998);
    PooledFibRecord born62 = pooledFib(3);
    born62.set(pfld::AnNaissance, 1962);     // 35 in 1997
    born62.set(pfld::AnDebutDiabete, 1986);  // 11 years
    PooledFibRecord chol = pooledFib(3);
    chol.set(pfld::Cholesterol, 2.6f);  // as stored: below 6.5 even for a g/l centre
    chol.set(pfld::Triglycerides, 2.0f);
    chol.set(pfld::TourTaille, 90);  // the waist is there, the hips are not
    writePooled("FibTest.Dat", {annulled, born98, born62, chol});
    PoolSynthesisResult r;
    ASSERT_FALSE(poolSynthesis("", "FibTest.Dat", 1997, r));
    const auto recs = countersOf("SYNTest.BTX");
    ASSERT_EQ(recs.size(), 2u);
    const auto& c = recs[1].counters;
    EXPECT_EQ(recs[1].NbFichesCentre, 4u);
    EXPECT_EQ(c[31], 1);  // the annulled FIB counts: "Autre"
    EXPECT_EQ(c[25], 1);  // age <= 35: only the FIB born in 1962
    EXPECT_EQ(c[26] + c[27] + c[28], 0);
    EXPECT_EQ(c[39], 1);   // duration 11 to 15
    EXPECT_EQ(c[11], 1);   // cholesterol 2.6 as stored
    EXPECT_EQ(c[15], 1);   // triglycerides 2.0 in 1.8 à 2.5
    EXPECT_EQ(c[176], 3);  // no waist
    EXPECT_EQ(c[177], 4);  // no hips
}

TEST(PoolSynthesis, CentresWithoutIndexEntryCountInTheTotalsOnly) {
    TempDir dir;
    writePooled("FibX.Dat", {pooledFib(998), pooledFib(999), pooledFib(1500), pooledFib(65536 + 7), pooledFib(65536)});
    PoolSynthesisResult r;
    ASSERT_FALSE(poolSynthesis("", "FibX.Dat", 1997, r));
    EXPECT_EQ(r.fibs, 5u);
    EXPECT_EQ(r.centres, 5u);
    EXPECT_EQ(r.withoutIndex, 3u);  // 999, 1500 and the centre whose low half is 0
    EXPECT_EQ(withoutIndexWarning(r),
              "3 fiches de centres numérotés 999 et plus (ou 0) n'ont pas d'entrée dans l'index : elles ne comptent "
              "que dans les totaux.");
    const SynIndex ix = indexOf("SYNX.ATX");
    EXPECT_EQ(ix.entries[998], 1);
    EXPECT_EQ(ix.entries[7], 4);    // 65543 read on 16 bits
    EXPECT_EQ(ix.entries[999], 5);  // the total is never overwritten by a centre
    EXPECT_EQ(ix.entries[0], 5);
    const auto recs = countersOf("SYNX.BTX");
    ASSERT_EQ(recs.size(), 6u);
    EXPECT_EQ(recs[5].NbFichesCentre, 1u);  // the centre 0 run is a record of its own
    EXPECT_EQ(recs[0].counters[171], 5);    // no birth year, all five
}

TEST(PoolSynthesis, RefusalsAndFileErrorsLeaveTheOldSynthesis) {
    TempDir dir;
    PoolSynthesisResult r;
    auto e = poolSynthesis("", "Fib", 1997, r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Le nom Fib est trop court : il faut plus de 3 caractères pour nommer les fichiers de synthèse.");
    writeBytes("SYNFr97.ATX", {4});
    writeBytes("SYNFr97.BTX", {5});
    e = poolSynthesis("", "FibFr97.Dat", 1997, r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FibFr97.Dat : fichier introuvable");
    writePooled("FibFr97.Dat", {pooledFib(1)}, 2);  // count past the end
    e = poolSynthesis("", "FibFr97.Dat", 1997, r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Erreur d'entrée/sortie sur FibFr97.Dat : le nombre de fiches (2) dépasse la fin du fichier");
    writeBytes("FibFr97.Dat", std::vector<unsigned char>(253, 0));
    e = poolSynthesis("", "FibFr97.Dat", 1997, r);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("pas un multiple de 252"), std::string::npos);
    EXPECT_EQ(readBytes("SYNFr97.ATX"), (std::vector<unsigned char>{4}));
    EXPECT_EQ(readBytes("SYNFr97.BTX"), (std::vector<unsigned char>{5}));
    EXPECT_FALSE(std::filesystem::exists("SYNFr97.BTX.tmp"));
}
