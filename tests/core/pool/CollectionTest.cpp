#include <gtest/gtest.h>

#include <filesystem>

#include "PoolTestSupport.h"
#include "pool/Collection.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

TEST(Collection, SourceFilesPooledInIncreasingOrderWithTheFirstHeader) {
    TempDir dir;
    writePooled("FIB7.DAT", {pooledFib(7), pooledFib(7)}, -1, 70);
    writePooled("FIB3.DAT", {pooledFib(3)}, -1, 30);
    writePooled("FIB1.DAT", {pooledFib(1), pooledFib(0), pooledFib(-5), pooledFib(1)}, -1, 10);
    writePooled("FIB12.DAT", {}, -1, 120);  // no FIB: still one of the centres
    CollectionResult r;
    ASSERT_FALSE(collect("", "FibFr97.Dat", r));
    EXPECT_EQ(r.centres, 4u);
    EXPECT_EQ(r.fibs, 5u);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(collectionMessage(r), "4 centres, 5 fiches");
    CollectionResult one;
    one.centres = one.fibs = 1;
    EXPECT_EQ(collectionMessage(one), "1 centre, 1 fiche");

    auto recs = readPooled("FibFr97.Dat");
    ASSERT_EQ(recs.size(), 6u);
    EXPECT_EQ(recs[0].get(pfld::NumCentre), 9999);
    EXPECT_EQ(recs[0].get(pfld::NbFiches), 5);
    // The header is record 0 of FIB1.DAT otherwise.
    PooledHeader first = widen(headerTemplate());
    for (std::size_t i = 12; i < kPooledSize; ++i) EXPECT_EQ(recs[0].bytes[i], first.bytes[i]) << i;
    std::vector<int> centres;
    for (std::size_t i = 1; i < recs.size(); ++i) centres.push_back(recs[i].get(pfld::NumCentre));
    EXPECT_EQ(centres, (std::vector<int>{1, 1, 3, 7, 7}));
    EXPECT_EQ(recs[1], pooledFib(1));  // a record is not changed by pooling
    EXPECT_FALSE(std::filesystem::exists("FibFr97.Dat.tmp"));
}

TEST(Collection, CentreFilesWidenedAndUnknownFilesSkippedWithAWarning) {
    TempDir dir;
    writeCentreFile("FIB2.DAT", 2, 3, 2);
    writePooled("FIB4.DAT", {pooledFib(4)});
    writeBytes("FIB5.DAT", std::vector<unsigned char>(300, 1));  // neither format
    writeBytes("FIB6.DAT", {});                                  // empty
    CollectionResult r;
    ASSERT_FALSE(collect("", "POOL.DAT", r));
    EXPECT_EQ(r.centres, 2u);
    EXPECT_EQ(r.fibs, 4u);
    ASSERT_EQ(r.warnings.size(), 2u);
    EXPECT_EQ(r.warnings[0], "FIB5.DAT ignoré : ce n'est ni un fichier de centre ni un fichier de fiches collectées");
    EXPECT_NE(r.warnings[1].find("FIB6.DAT"), std::string::npos);

    auto recs = readPooled("POOL.DAT");
    ASSERT_EQ(recs.size(), 5u);
    // Header from the centre file (the first found), widened.
    EXPECT_EQ(recs[0].get(pfld::CodeFixe), 33);
    EXPECT_EQ(recs[0].get(pfld::NumCentre), 9999);
    EXPECT_EQ(recs[0].get(pfld::NbFiches), 4);
    EXPECT_EQ(recs[1].get(pfld::NumCentre), 2);
    EXPECT_EQ(recs[1].get(pfld::NumFib), 1);
    EXPECT_EQ(recs[3].get(pfld::NumFib), 3);
    EXPECT_EQ(recs[1].get(pfld::Sexe), 2);
    EXPECT_EQ(recs[1].get(pfld::AnNaissance), -1);
    EXPECT_EQ(recs[4].get(pfld::NumCentre), 4);
}

TEST(Collection, FormatRecognisedBySizeAndCentreWord) {
    EXPECT_EQ(sourceFormat(248 * 3, 12), SourceFormat::Centre);
    EXPECT_EQ(sourceFormat(252 * 3, 0), SourceFormat::Pooled);
    EXPECT_EQ(sourceFormat(248 * 63, 0), SourceFormat::Pooled);  // 15624 = 252 x 62
    EXPECT_EQ(sourceFormat(248 * 63, 5), SourceFormat::Centre);
    EXPECT_EQ(sourceFormat(252 * 2, 5), SourceFormat::Unknown);
    EXPECT_EQ(sourceFormat(248 * 2, 0), SourceFormat::Unknown);
    EXPECT_EQ(sourceFormat(0, 0), SourceFormat::Unknown);
}

TEST(Collection, FailuresLeaveTheOldPooledFileWhole) {
    TempDir dir;
    writeBytes("FibFr97.Dat", {1, 2, 3});
    CollectionResult r;
    // No source file at all.
    auto e = collect("", "FibFr97.Dat", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Aucun fichier FIB1.DAT à FIB999.DAT dans le dossier de travail : FibFr97.Dat n'a pas été modifié.");
    EXPECT_EQ(readBytes("FibFr97.Dat"), (std::vector<unsigned char>{1, 2, 3}));

    // A source file whose count runs past its end.
    writePooled("FIB1.DAT", {pooledFib(1)});
    writePooled("FIB2.DAT", {pooledFib(2)}, 5);
    e = collect("", "FibFr97.Dat", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB2.DAT : le nombre de fiches (5) dépasse la fin du fichier");
    EXPECT_EQ(readBytes("FibFr97.Dat"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists("FibFr97.Dat.tmp"));
}

TEST(Collection, ASourceFileIsNeverTheCollection) {
    TempDir dir;
    writePooled("FIB1.DAT", {pooledFib(1)});
    const auto before = readBytes("FIB1.DAT");
    CollectionResult r;
    auto e = collect("", "FIB1.DAT", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Le nom FIB1.DAT est celui d'un fichier de centre : choisissez un autre nom pour la collection.");
    EXPECT_EQ(readBytes("FIB1.DAT"), before);
    EXPECT_TRUE(isSourceName("FIB999.DAT"));
    EXPECT_FALSE(isSourceName("FIB1000.DAT"));
    EXPECT_FALSE(isSourceName("FIB01.DAT"));
    EXPECT_FALSE(isSourceName("FibFr97.Dat"));
}

TEST(Collection, MoreThan65535FibsRefusedBeforeAnythingIsReplaced) {
    TempDir dir;
    writeBytes("FibFr97.Dat", {9});
    // Two centre files of 40000 FIBs each.
    for (int n = 1; n <= 2; ++n) {
        CentreHeader h = headerTemplate();
        h.set(fld::NumCentre, std::uint16_t(n));
        h.setNbFiches(40000);
        std::vector<unsigned char> bytes(std::size_t(40001) * kRecordSize);
        FibRecord f = emptyFibFromHeader(h, "01/01/1997");
        std::memcpy(bytes.data(), h.bytes.data(), kRecordSize);
        for (std::size_t k = 1; k <= 40000; ++k)
            std::memcpy(bytes.data() + k * kRecordSize, f.bytes.data(), kRecordSize);
        writeBytes("FIB" + std::to_string(n) + ".DAT", bytes);
    }
    CollectionResult r;
    auto e = collect("", "FibFr97.Dat", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Collection impossible : les fichiers FIB1.DAT à FIB999.DAT contiennent plus de 65535 fiches. "
              "FibFr97.Dat n'a pas été modifié.");
    EXPECT_EQ(readBytes("FibFr97.Dat"), (std::vector<unsigned char>{9}));
    EXPECT_FALSE(std::filesystem::exists("FibFr97.Dat.tmp"));
}

TEST(Collection, ExactlyTheBoundIsAccepted) {
    TempDir dir;
    std::vector<PooledFibRecord> fibs(65535, pooledFib(3));
    writePooled("FIB3.DAT", fibs);
    CollectionResult r;
    ASSERT_FALSE(collect("", "FibFr97.Dat", r));
    EXPECT_EQ(r.fibs, 65535u);
    EXPECT_EQ(readPooled("FibFr97.Dat")[0].nbFiches(), 65535);
}
