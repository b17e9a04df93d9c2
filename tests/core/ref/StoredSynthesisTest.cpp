#include <gtest/gtest.h>

#include <fstream>

#include "SynthesisTestSupport.h"
#include "TestSupport.h"
#include "pool/PoolFiles.h"
#include "ref/StoredSynthesis.h"

using namespace pelo;
using pelo::test::TempDir;

namespace {

// Each centre also has a count in the last counter.
void writeStored(const std::string& name, const std::vector<std::array<int, 3>>& centres) {
    test::writeStoredSynthesis(name, centres, [](pool::SynCounters& r) { r.counters[182] = 1; });
}

}  // namespace

TEST(StoredSynthesis, CentresCountsAndShares) {
    TempDir dir;
    writeStored("SynFr97.Atx", {{5, 40, 4}, {7, 90, 9}, {9, 40, 20}});
    ref::StoredSynthesis s;
    ASSERT_FALSE(ref::readStored("", "SynFr97.Atx", s));
    EXPECT_EQ(ref::centreCounts(s), (std::vector<ref::CentreCount>{{5, 40}, {7, 90}, {9, 40}}));
    EXPECT_EQ(ref::chartOrder(ref::centreCounts(s)), (std::vector<ref::CentreCount>{{7, 90}, {5, 40}, {9, 40}}));
    const auto shares = ref::bandShares(s, 0);
    ASSERT_EQ(shares.size(), 3u);
    EXPECT_EQ(shares[2].centre, 9);
    EXPECT_EQ(shares[2].value, 20);
    EXPECT_EQ(shares[2].denominator, 40);
    EXPECT_EQ(pool::variabilityBars(shares), (std::vector<pool::VariabilityBar>{{50, 9}, {10, 5}, {10, 7}}));

    const auto in = ref::variabilityInput(s, 7, 90);
    EXPECT_EQ(in.total, 170);
    EXPECT_EQ(in.country[0], 33);
    ASSERT_TRUE(in.centre);
    EXPECT_EQ(in.centre->denominator, 90);
    EXPECT_EQ(in.centre->counts[0], 9);
    EXPECT_FALSE(ref::variabilityInput(s, 0, -1).centre);
}

TEST(StoredSynthesis, BrokenOrMissingFilesAreErrorsNamingTheFile) {
    TempDir dir;
    ref::StoredSynthesis s;
    auto e = ref::readStored("", "SynVz98.Atx", s);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur SynVz98.Atx : fichier introuvable");

    writeStored("SynVz98.Atx", {{5, 40, 4}, {7, 90, 9}});
    // The index names record 2, the counter file holds records 0 and 1 only.
    std::filesystem::resize_file("SynVz98.Btx", 2 * sizeof(pool::SynCounters));
    e = ref::readStored("", "SynVz98.Atx", s);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("SynVz98.Btx"), std::string::npos);

    // Not whole records.
    std::filesystem::resize_file("SynVz98.Btx", 100);
    EXPECT_TRUE(ref::readStored("", "SynVz98.Atx", s));

    // Names: no extension (the counter file would be the index), a folder, empty.
    EXPECT_TRUE(ref::readStored("", "SynVz98", s));
    EXPECT_TRUE(ref::readStored("", "../SynVz98.Atx", s));
    EXPECT_TRUE(ref::readStored("", "", s));
}

TEST(StoredSynthesis, ComparisonTotals) {
    TempDir dir;
    writeStored("SYNFR97.ATX", {{1, 40, 10}, {2, 60, 20}});
    ref::ReferenceTotals t;
    ASSERT_FALSE(ref::readReferenceTotals("", ref::kCompared[0], t));
    EXPECT_EQ(t.total, 100);
    EXPECT_EQ(t.counts[0], 30);
    EXPECT_TRUE(ref::readReferenceTotals("", ref::kCompared[1], t));
}

TEST(StoredSynthesis, FoundWhateverTheCaseOfItsName) {
    TempDir dir;
    // The pooled synthesis of FibFr97.Dat writes SYNFr97.ATX and SYNFr97.BTX.
    writeStored("SYNFr97.ATX", {{1, 40, 10}});
    ref::StoredSynthesis s;
    ASSERT_FALSE(ref::readStored("", "SynFr97.Atx", s));
    EXPECT_EQ(s.index.totalFibs(), 40);
    EXPECT_EQ(s.name, "SynFr97.Atx");  // the country still comes from the name as given
    ref::ReferenceTotals t;
    ASSERT_FALSE(ref::readReferenceTotals("", ref::kCompared[0], t));  // asks for SYNFR97.ATX
    EXPECT_EQ(t.total, 40);
    // An exact name wins over another case.
    writeStored("SynFr97.Atx", {{1, 7, 1}});
    ASSERT_FALSE(ref::readStored("", "SynFr97.Atx", s));
    EXPECT_EQ(s.index.totalFibs(), 7);
    EXPECT_EQ(ref::resolveName("", "absent.atx"), "absent.atx");
}

TEST(StoredSynthesis, ThoseOfAFolderWithTheirCounterFiles) {
    TempDir dir;
    std::filesystem::create_directory("pays");
    writeStored("pays/SYNFr97.ATX", {{5, 40, 4}});
    writeStored("pays/SynHopi.Atx", {{5, 40, 4}});
    writeStored("pays/SynLibe.Atx", {{5, 40, 4}});
    std::filesystem::remove("pays/SynLibe.Btx");  // an index alone is no synthesis
    std::ofstream("pays/FibFr97.Dat") << "x";
    std::filesystem::create_directory("pays/Dossier.ATX");
    EXPECT_EQ(ref::storedSynthesesIn("pays"), (std::vector<std::string>{"SYNFr97.ATX", "SynHopi.Atx"}));
    EXPECT_TRUE(ref::storedSynthesesIn("absent").empty());
    EXPECT_TRUE(ref::storedSynthesesIn("").empty());
}
