#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "PoolTestSupport.h"
#include "pool/Collection.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

namespace {
// Only the test's own files are in the folder once the work is over.
std::vector<std::string> filesHere() {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(".")) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}
struct Step {
    std::uint32_t done, total;
    std::string what;
};
}  // namespace

TEST(Progress, CollectionTellsEachSourceNameAndItsCancelReplacesNothing) {
    TempDir dir;
    writePooled("FIB1.DAT", {pooledFib(1)});
    writePooled("FIB2.DAT", {pooledFib(2), pooledFib(2)});
    writeBytes("FibFr97.Dat", {1, 2, 3});
    std::vector<Step> steps;
    CollectionResult r;
    auto e = collect("", "FibFr97.Dat", r, [&](std::uint32_t d, std::uint32_t t, const std::string& w) {
        steps.push_back({d, t, w});
        return w != "FIB3.DAT";  // cancelled once two centres are read
    });
    ASSERT_TRUE(e);
    EXPECT_TRUE(isCancelled(*e));
    EXPECT_EQ(e->message(), "Opération annulée : FibFr97.Dat n'a pas été modifié.");
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].done, 0u);
    EXPECT_EQ(steps[0].total, 999u);
    EXPECT_EQ(steps[0].what, "FIB1.DAT");
    EXPECT_EQ(readBytes("FibFr97.Dat"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(filesHere(), (std::vector<std::string>{"FIB1.DAT", "FIB2.DAT", "FibFr97.Dat"}));

    // Not cancelled: the whole run of names, the result as without a listener.
    steps.clear();
    ASSERT_FALSE(collect("", "FibFr97.Dat", r, [&](std::uint32_t d, std::uint32_t t, const std::string& w) {
        steps.push_back({d, t, w});
        return true;
    }));
    EXPECT_EQ(steps.size(), 999u);
    EXPECT_EQ(steps.back().what, "FIB999.DAT");
    EXPECT_EQ(r.fibs, 3u);
}

TEST(Progress, CancelledPooledSynthesisAndSelectionLeaveTheirFilesWhole) {
    TempDir dir;
    std::vector<PooledFibRecord> fibs;
    for (int i = 0; i < 3000; ++i) fibs.push_back(pooledFib(1 + i / 1000));
    writePooled("FibFr97.Dat", fibs);
    writeBytes("SYNFr97.ATX", {7});
    writeBytes("SYNFr97.BTX", {8});
    writeBytes("FibHb.Dat", {9});

    std::vector<Step> steps;
    auto stopAtSecond = [&](std::uint32_t d, std::uint32_t t, const std::string& w) {
        steps.push_back({d, t, w});
        return steps.size() < 2;
    };
    PoolSynthesisResult r;
    auto e = poolSynthesis("", "FibFr97.Dat", 1997, r, stopAtSecond);
    ASSERT_TRUE(e);
    EXPECT_TRUE(isCancelled(*e));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].done, 1024u);
    EXPECT_EQ(steps[1].total, 3000u);
    EXPECT_EQ(steps[1].what, "centre 2");
    EXPECT_EQ(readBytes("SYNFr97.ATX"), (std::vector<unsigned char>{7}));
    EXPECT_EQ(readBytes("SYNFr97.BTX"), (std::vector<unsigned char>{8}));

    steps.clear();
    Criterion c;
    c.variable = 1;
    std::uint32_t count = 0;
    e = selectSubCollection("", "FibFr97.Dat", "FibHb.Dat", c, count, stopAtSecond);
    ASSERT_TRUE(e);
    EXPECT_TRUE(isCancelled(*e));
    EXPECT_EQ(readBytes("FibHb.Dat"), (std::vector<unsigned char>{9}));
    EXPECT_EQ(filesHere(), (std::vector<std::string>{"FibFr97.Dat", "FibHb.Dat", "SYNFr97.ATX", "SYNFr97.BTX"}));

    // A failure that is not a cancel is not taken for one.
    EXPECT_FALSE(isCancelled(IoError{"x", "Opération annulée", false}));
}
