#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "store/RecordIo.h"

using namespace pelo;
using namespace pelo::recordio;
using pelo::test::readBytes;
using pelo::test::TempDir;
using pelo::test::writeBytes;

namespace {

const std::vector<unsigned char> kOld{1, 2, 3, 4, 5, 6, 7, 8};

bool exists(const std::string& p) { return std::filesystem::exists(p); }

// A record type of the shape RecordSequence reads: a header whose count of
// records sits in its first byte.
struct Rec4 {
    std::array<std::uint8_t, 4> bytes{};
    std::uint16_t nbFiches() const { return bytes[0]; }
};

}  // namespace

TEST(AtomicWriter, ReplacesTheFileOnlyOnCommit) {
    TempDir dir;
    writeBytes("F.DAT", kOld);
    {
        AtomicWriter w;
        ASSERT_FALSE(w.create("F.DAT", "F.DAT"));
        ASSERT_FALSE(w.write("abcd", 4));
        ASSERT_FALSE(w.write("efgh", 4));
        ASSERT_FALSE(w.writeAt(0, "AB", 2));
        // Until commit the old file is what a reader sees.
        EXPECT_EQ(readBytes("F.DAT"), kOld);
        ASSERT_FALSE(w.commit());
    }
    const std::string text = "ABcdefgh";
    EXPECT_EQ(readBytes("F.DAT"), std::vector<unsigned char>(text.begin(), text.end()));
    EXPECT_FALSE(exists("F.DAT.tmp"));
}

TEST(AtomicWriter, FailuresLeaveTheOldFileWholeAndNoTemporaryFile) {
    TempDir dir;
    writeBytes("F.DAT", kOld);
    {  // dropped before commit
        AtomicWriter w;
        ASSERT_FALSE(w.create("F.DAT", "F.DAT"));
        ASSERT_FALSE(w.write("zzzz", 4));
    }
    EXPECT_EQ(readBytes("F.DAT"), kOld);
    EXPECT_FALSE(exists("F.DAT.tmp"));

    {  // the temporary cannot be created: its folder is missing
        AtomicWriter w;
        auto e = w.create("cle/F.DAT", "F.DAT");
        ASSERT_TRUE(e);
        EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur F.DAT : le dossier cle est introuvable");
        EXPECT_EQ(w.write("x", 1)->message(), "Erreur d'entrée/sortie sur F.DAT : fichier non ouvert");
        EXPECT_TRUE(w.commit());
    }
    EXPECT_EQ(readBytes("F.DAT"), kOld);

    {  // the rename fails: a folder with a file in it stands at the name
        std::filesystem::create_directory("D");
        writeBytes("D/inside", kOld);
        auto e = replaceWhole("D", "D", "abc", 3);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->file, "D");
        for (const auto& entry : std::filesystem::directory_iterator("."))
            EXPECT_NE(entry.path().filename().string().rfind(".~", 0), 0u) << entry.path();
        EXPECT_EQ(readBytes("D/inside"), kOld);
    }
}

TEST(RecordIo, ReadWholeAndErrorsNameTheLabel) {
    TempDir dir;
    std::vector<std::uint8_t> bytes{9};
    auto e = readWhole("sub/NONE.DAT", "NONE.DAT", bytes, 1000);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur NONE.DAT : fichier introuvable");
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{9});  // untouched on failure
    ASSERT_FALSE(replaceWhole("E.DAT", "E.DAT", nullptr, 0));
    ASSERT_FALSE(readWhole("E.DAT", "E.DAT", bytes, 1000));
    EXPECT_TRUE(bytes.empty());
    std::filesystem::create_directory("DIR");
    EXPECT_EQ(readWhole("DIR", "DIR", bytes, 1000)->cause, "c'est un dossier");
}

TEST(RecordIo, RecordShapeAndRecordsPastTheEnd) {
    TempDir dir;
    writeBytes("R.DAT", {1, 2, 3, 4, 5, 6, 7, 8});
    File f("R.DAT", "R.DAT", File::Mode::Read);
    ASSERT_FALSE(f.openError());
    std::array<std::uint8_t, 4> out{};
    ASSERT_FALSE(readRecord(f, 4, 1, out.data(), "la fiche"));
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(readRecord(f, 4, 2, out.data(), "la fiche")->cause, "la fiche 2 est au-delà de la fin du fichier");
    EXPECT_EQ(readRecord(f, 3, 0, out.data(), "l'enregistrement")->cause,
              "taille de fichier incorrecte (8 octets, pas un multiple de 3)");
    EXPECT_EQ(readRecord(f, 16, 0, out.data(), "la fiche")->cause, "fichier trop court, il ne contient pas d'en-tête");
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(shapeError("X", 0, 248).cause, "fichier trop court, il ne contient pas d'en-tête");
}

TEST(RecordSequence, ReadsRecordsAcrossChunksAndChecksTheCount) {
    TempDir dir;
    // Header says 5 records; 6 records follow (the extra one is ignored).
    std::vector<unsigned char> bytes{5, 0, 0, 0};
    for (unsigned char k = 1; k <= 6; ++k) bytes.insert(bytes.end(), {k, k, k, k});
    writeBytes("S.DAT", bytes);
    RecordSequence<Rec4, Rec4, 2> seq;  // chunks of two records
    ASSERT_FALSE(seq.open("S.DAT", "S.DAT"));
    EXPECT_EQ(seq.count(), 5);
    IoStatus err;
    std::vector<int> seen;
    while (const Rec4* r = seq.next(&err)) {
        seen.push_back(r->bytes[0]);
        EXPECT_EQ(seq.number(), std::uint32_t(r->bytes[0]));
    }
    EXPECT_FALSE(err);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));

    bytes[0] = 9;
    writeBytes("S.DAT", bytes);
    auto e = seq.open("S.DAT", "S");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur S : le nombre de fiches (9) dépasse la fin du fichier");
    EXPECT_EQ(seq.next(&err), nullptr);
}
