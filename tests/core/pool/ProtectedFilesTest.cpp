// The national actions never replace the centre's files or their own input,
// and a stored synthesis whose two files do not belong together gives no figure.
#include <gtest/gtest.h>

#include <filesystem>

#include "PoolTestSupport.h"
#include "pool/Collection.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"
#include "ref/StoredSynthesis.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

TEST(ProtectedNames, CentreFilesGroupsAndTheInputAreNeverOutputs) {
    TempDir dir;
    for (const char* n : {"FIB.DAT", "fib.dat", "ESSAIFIB.DAT", "GROUPE.DAT", "FIB7.DAT", "Fib1234.Dat"})
        EXPECT_TRUE(protectedOutput("", n, "FibFr97.Dat")) << n;
    for (const char* n : {"FibFr97.Dat", "FIBX.DAT", "FIB.DAT.bak", "Fibaaaa.Dat"})
        EXPECT_FALSE(protectedOutput("", n, "Other.Dat")) << n;
    EXPECT_TRUE(protectedOutput("", "FIBFR97.DAT", "FibFr97.Dat"));
    // The same file under another name (a link) is the input too.
    writePooled("FibFr97.Dat", {pooledFib(3)});
    std::filesystem::create_hard_link("FibFr97.Dat", "Lien.Dat");
    EXPECT_TRUE(protectedOutput("", "Lien.Dat", "FibFr97.Dat"));

    // "SYNx.ATX" as a pooled file would get SYNx.ATX as its own index.
    EXPECT_TRUE(synthesisNamesRefused("", "SYNx.ATX"));
    EXPECT_TRUE(synthesisNamesRefused("", "SYNx.BTX"));
    EXPECT_TRUE(synthesisNamesRefused("", "Fib"));
    EXPECT_FALSE(synthesisNamesRefused("", "FibFr97.Dat"));

    EXPECT_TRUE(badFileName("-"));
    EXPECT_TRUE(badFileName("A\nB.Dat"));
    EXPECT_FALSE(badFileName("Fib été.Dat"));
}

TEST(ProtectedNames, RefusedActionsLeaveEveryFileAsItWas) {
    TempDir dir;
    writeCentreFile("FIB1.DAT", 1, 3);
    writeCentreFile("FIB.DAT", 1, 2);
    const auto centre = readBytes("FIB.DAT");
    CollectionResult c;
    auto e = collect("", "FIB.DAT", c);
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->plain);
    ASSERT_FALSE(collect("", "FibFr97.Dat", c));
    const auto pooled = readBytes("FibFr97.Dat");

    std::uint32_t n = 0;
    Criterion crit;
    crit.variable = 2;
    crit.value1 = 1;
    EXPECT_TRUE(selectSubCollection("", "FibFr97.Dat", "FIB.DAT", crit, n));
    EXPECT_TRUE(selectSubCollection("", "FibFr97.Dat", "GROUPE.DAT", crit, n));

    std::filesystem::copy_file("FibFr97.Dat", "SYNx.ATX");
    PoolSynthesisResult r;
    EXPECT_TRUE(poolSynthesis("", "SYNx.ATX", 1997, r));
    EXPECT_EQ(readBytes("SYNx.ATX"), pooled);
    EXPECT_FALSE(std::filesystem::exists("SYNx.BTX"));
    EXPECT_EQ(readBytes("FIB.DAT"), centre);
    EXPECT_EQ(readBytes("FibFr97.Dat"), pooled);
    EXPECT_FALSE(std::filesystem::exists("GROUPE.DAT"));
}

namespace {

PooledFibRecord withHb(std::int32_t centre, float hb) {
    PooledFibRecord f = pooledFib(centre);
    f.set(pfld::HbA1c, hb);
    return f;
}

bool incoherent(const IoStatus& e) { return e && e->cause.find("synthèse incohérente") != std::string::npos; }

}  // namespace

TEST(SynthesisPair, FilesOfTwoRunsOrCorruptCountersGiveNoFigure) {
    TempDir dir;
    writePooled("FibA.Dat", {withHb(4, 7.0f), withHb(4, 9.0f), withHb(9, 13.0f)});
    writePooled("FibB.Dat", {withHb(4, 7.0f), withHb(9, 9.0f)});
    PoolSynthesisResult r;
    ASSERT_FALSE(poolSynthesis("", "FibA.Dat", 1997, r));
    ASSERT_FALSE(poolSynthesis("", "FibB.Dat", 1997, r));
    ref::StoredSynthesis s;
    ASSERT_FALSE(ref::readStored("", "SYNA.ATX", s));

    // The counters of one run beside the index of the other (an interrupted replacement).
    std::filesystem::copy_file("SYNB.BTX", "SYNA.BTX", std::filesystem::copy_options::overwrite_existing);
    auto e = ref::readStored("", "SYNA.ATX", s);
    ASSERT_TRUE(incoherent(e));
    EXPECT_NE(e->message().find("SYNA.ATX / SYNA.BTX"), std::string::npos);
    GroupeRecord g;
    g.setCentres({4, 9});
    GroupSynthesis gs;
    EXPECT_TRUE(incoherent(groupSynthesis("", "SYNA.ATX", g, gs)));

    // A counter above its centre's count ("60000  23346.3%"), with the totals made to agree.
    auto recs = readBytes("SYNB.BTX");
    SynCounters c1;
    std::memcpy(&c1, recs.data() + sizeof(SynCounters), sizeof c1);
    c1.counters[0] = 60000;
    std::memcpy(recs.data() + sizeof(SynCounters), &c1, sizeof c1);
    SynCounters c0;
    std::memcpy(&c0, recs.data(), sizeof c0);
    c0.counters[0] = static_cast<std::uint16_t>(c0.counters[0] + 60000);
    std::memcpy(recs.data(), &c0, sizeof c0);
    writeBytes("SYNB.BTX", recs);
    EXPECT_TRUE(incoherent(ref::readStored("", "SYNB.ATX", s)));

    // An index entry naming an absent record.
    ASSERT_FALSE(poolSynthesis("", "FibB.Dat", 1997, r));
    auto ix = readBytes("SYNB.ATX");
    ix[2 * 500] = 5;
    writeBytes("SYNB.ATX", ix);
    EXPECT_TRUE(incoherent(ref::readStored("", "SYNB.ATX", s)));
}
