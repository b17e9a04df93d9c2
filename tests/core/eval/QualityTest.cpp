#include <gtest/gtest.h>

#include "SampleFibs.h"
#include "TestSupport.h"
#include "eval/Quality.h"
#include "formats/RecordFile.h"
#include "store/FibChoice.h"

using namespace pelo;

namespace {
FibRecord fibWithState(std::uint16_t n, std::uint8_t state) {
    FibRecord f = test::sampleFib(headerTemplate(), n, "01/02/2026");
    f.set(fld::EtatFiche, state);
    return f;
}
}  // namespace

TEST(QualityLists, SortsByStateAndSkipsAnnulled) {
    test::TempDir dir;
    CentreHeader h = headerTemplate();
    h.setNbFiches(6);
    const std::uint8_t states[] = {0, 2, 1, 255, 0, 2};
    std::vector<FibRecord> recs{h};
    for (std::uint16_t k = 1; k <= 6; ++k) recs.push_back(fibWithState(k, states[k - 1]));
    // A record beyond the count (an interrupted append) is not listed.
    recs.push_back(fibWithState(7, 0));
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));

    QualityLists q;
    ASSERT_FALSE(qualityLists("FIB.DAT", q));
    EXPECT_EQ(q.complete, (std::vector<std::uint32_t>{1, 5}));
    EXPECT_EQ(q.incomplete, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(q.toReview, (std::vector<std::uint32_t>{2, 6}));
    EXPECT_EQ(q.scanned, 6u);
}

TEST(QualityLists, NewFileGivesZeros) {
    test::TempDir dir;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    QualityLists q;
    ASSERT_FALSE(qualityLists("FIB.DAT", q));
    EXPECT_TRUE(q.complete.empty() && q.incomplete.empty() && q.toReview.empty());
    EXPECT_EQ(q.scanned, 0u);
}

TEST(QualityLists, MissingOrTruncatedFileIsAnErrorAndListsNothing) {
    test::TempDir dir;
    QualityLists q;
    q.scanned = 99;
    auto e = qualityLists("FIB.DAT", q);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("FIB.DAT"), std::string::npos);
    EXPECT_EQ(q.scanned, 0u);

    // The header promises 3 FIBs, the file holds 1.
    CentreHeader h = headerTemplate();
    h.setNbFiches(3);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {h, fibWithState(1, 0)}));
    EXPECT_TRUE(qualityLists("FIB.DAT", q));
    EXPECT_TRUE(q.complete.empty());
}

TEST(FibChooser, AcceptsOnlyNumbersOfTheFile) {
    EXPECT_EQ(chosenFibNumber("1", 5), 1);
    EXPECT_EQ(chosenFibNumber(" 5 ", 5), 5);
    EXPECT_EQ(chosenFibNumber("6", 5), 0);
    EXPECT_EQ(chosenFibNumber("0", 5), 0);
    EXPECT_EQ(chosenFibNumber("", 5), 0);
    EXPECT_EQ(chosenFibNumber("-1", 5), 0);
    EXPECT_EQ(chosenFibNumber("2a", 5), 0);
    EXPECT_EQ(chosenFibNumber("65535", 65535), 65535);
    EXPECT_EQ(chosenFibNumber("99999999999", 65535), 0);
    EXPECT_EQ(chosenFibNumber("1", 0), 0);
}
