#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "store/Text.h"

using namespace pelo;
using pelo::test::readBytes;
using pelo::test::TempDir;
using pelo::test::writeBytes;

namespace {

std::uint32_t u32At(const std::vector<unsigned char>& b, std::size_t off) {
    return b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) | (std::uint32_t(b[off + 3]) << 24);
}

}  // namespace

TEST(HeaderTemplate, IsByteExact) {
    const CentreHeader h = headerTemplate();
    std::vector<unsigned char> expected(248, 0);
    // Every u8 field 255, i32 -1, f32 -1.0; pad bytes and the zero fields 0.
    for (const auto& f : kFibFields) {
        if (f.type == FieldType::U8) expected[f.offset] = 255;
        if (f.type == FieldType::I32)
            for (int i = 0; i < 4; ++i) expected[f.offset + i] = 0xFF;
        if (f.type == FieldType::F32) {
            expected[f.offset] = 0;
            expected[f.offset + 1] = 0;
            expected[f.offset + 2] = 0x80;
            expected[f.offset + 3] = 0xBF;
        }
    }
    expected[0] = 33;  // CodeFixe
    const char* date = "01/04/1998";
    for (int i = 0; i < 10; ++i) expected[6 + i] = static_cast<unsigned char>(date[i]);
    expected[173] = 0;                                // EtatFiche
    for (int i = 100; i < 104; ++i) expected[i] = 0;  // Reserve
    expected[241] = 0;                                // Specialite
    EXPECT_EQ(std::vector<unsigned char>(h.bytes.begin(), h.bytes.end()), expected);
    // Spot checks against the layout, independent of the table.
    EXPECT_EQ(h.bytes[18], 0);
    EXPECT_EQ(h.bytes[19], 0);                     // pad
    EXPECT_EQ(h.bytes[17], 255);                   // MoisNaissance
    EXPECT_EQ(u32At(expected, 20), 0xFFFFFFFFu);   // AnNaissance
    EXPECT_EQ(u32At(expected, 104), 0xBF800000u);  // GlyJeun / UniteGlycemie
    EXPECT_EQ(h.bytes[246], 0);
    EXPECT_EQ(h.bytes[247], 0);
}

TEST(FieldTable, CoversTheRecordWithoutOverlap) {
    std::vector<int> owner(248, -1);
    int i = 0;
    for (const auto& f : kFibFields) {
        for (int b = 0; b < f.width; ++b) {
            ASSERT_EQ(owner[f.offset + b], -1) << f.name << " overlaps";
            owner[f.offset + b] = i;
        }
        ++i;
    }
    // Only the four pad pairs and the last pad are left.
    std::vector<int> free;
    for (int b = 0; b < 248; ++b)
        if (owner[b] == -1) free.push_back(b);
    EXPECT_EQ(free, (std::vector<int>{18, 19, 26, 27, 50, 51, 186, 187, 246, 247}));
    EXPECT_EQ(findField("TaDiast")->offset, 96);
    EXPECT_EQ(findField("Nope"), nullptr);
}

TEST(RecordFile, CreateIfMissingWritesTheTemplateOnce) {
    TempDir d;
    bool created = false;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT", &created));
    EXPECT_TRUE(created);
    auto bytes = readBytes("FIB.DAT");
    ASSERT_EQ(bytes.size(), 248u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), headerTemplate().bytes.begin()));
    // Present: left as it is.
    bytes[2] = 7;
    writeBytes("FIB.DAT", bytes);
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT", &created));
    EXPECT_FALSE(created);
    EXPECT_EQ(readBytes("FIB.DAT")[2], 7);
}

TEST(RecordFile, ThreeAppendsNumberTheFibs) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    std::uint16_t count = 0;
    for (int i = 0; i < 3; ++i) {
        FibRecord buf = emptyFibFromHeader(headerTemplate(), "08/12/2026");
        buf.set(fld::Poids, 70 + i);
        ASSERT_FALSE(recordfile::appendFib("FIB.DAT", count, buf));
        EXPECT_EQ(count, i + 1);
        EXPECT_EQ(buf.get(fld::NumFib), i + 1);  // read back into the buffer
    }
    EXPECT_EQ(readBytes("FIB.DAT").size(), 4u * 248);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 3);
    for (std::uint32_t k = 1; k <= 3; ++k) {
        FibRecord r;
        ASSERT_FALSE(recordfile::readFib("FIB.DAT", k, r));
        EXPECT_EQ(r.get(fld::NumFib), k);
        EXPECT_EQ(r.get(fld::Poids), 69 + int(k));
    }
}

TEST(RecordFile, AppendOverwritesARecordLeftByAnInterruptedSave) {
    TempDir d;
    auto recs = demoRecords(DemoCentre{}, 2, 1);
    FibRecord stray = recs[2];
    stray.set(fld::Poids, 999);
    recs.push_back(stray);  // record 3 written, count still 2
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    std::uint16_t count = 2;
    FibRecord buf = recs[1];
    buf.set(fld::Poids, 55);
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", count, buf));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(readBytes("FIB.DAT").size(), 4u * 248);
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 3, r));
    EXPECT_EQ(r.get(fld::Poids), 55);
}

TEST(RecordFile, RewriteKeepsLengthAndCount) {
    TempDir d;
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(DemoCentre{}, 3, 5)));
    const auto before = readBytes("FIB.DAT");
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, r));
    r.set(fld::TaSyst, 123);
    ASSERT_FALSE(recordfile::rewriteFib("FIB.DAT", 2, r));
    const auto after = readBytes("FIB.DAT");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[4], 3);  // NbFiches
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i < 2 * 248 + 92 || i >= 2 * 248 + 96) {
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(u32At(after, 2 * 248 + 92), 123u);
}

TEST(RecordFile, AnnulledFibIsReadAndKeepsItsNumber) {
    TempDir d;
    auto recs = demoRecords(DemoCentre{}, 3, 2);
    recs[2].set(fld::EtatFiche, std::uint8_t{kAnnulled});
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, r));
    EXPECT_EQ(r.get(fld::EtatFiche), 255);
    EXPECT_EQ(r.get(fld::NumFib), 2);
    std::uint16_t count = 3;
    FibRecord buf = recs[1];
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", count, buf));
    EXPECT_EQ(buf.get(fld::NumFib), 4);  // the annulled number is not reused
}

TEST(EmptyFib, IsBuiltFromTheHeader) {
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, 1234);
    h.setNbFiches(17);
    h.set(fld::RegionDep, std::uint16_t(8 * 256 + 102));
    h.set(fld::Specialite, 4);
    for (auto s : kUnitSlots) h.set(s, 4.0f);
    FibRecord f = emptyFibFromHeader(h, "08/12/2026");
    EXPECT_EQ(f.date(), "08/12/2026");
    EXPECT_EQ(f.bytes[16], 0);  // Initiale emptied by the date's terminator
    for (auto s : kUnitSlots) EXPECT_EQ(f.get(s), -1.0f);
    EXPECT_EQ(f.get(fld::HbA1c), -1.0f);
    EXPECT_EQ(f.get(fld::NumCentre), 1234);
    EXPECT_EQ(f.get(fld::NumFib), 17);  // until the save gives it its number
    EXPECT_EQ(f.get(fld::RegionDep), 8 * 256 + 102);
    EXPECT_EQ(f.get(fld::Specialite), 4);
    EXPECT_EQ(f.get(fld::CodeFixe), 33);
}

// Every failure is an error naming the file and the cause, never a crash, and
// the caller's buffer keeps what it held.
TEST(RecordFileFailures, MissingFile) {
    TempDir d;
    FibRecord buf = headerTemplate();
    buf.set(fld::Poids, 77);
    auto e = recordfile::readFib("FIB.DAT", 1, buf);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB.DAT : fichier introuvable");
    EXPECT_EQ(buf.get(fld::Poids), 77);
    std::uint16_t count = 0;
    EXPECT_TRUE(recordfile::appendFib("FIB.DAT", count, buf));
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(std::filesystem::exists("FIB.DAT"));  // only "CENTRE" creates a file
    EXPECT_TRUE(recordfile::writeHeader("FIB.DAT", buf));
    EXPECT_FALSE(std::filesystem::exists("FIB.DAT"));
}

TEST(RecordFileFailures, TruncatedAndWrongSizes) {
    TempDir d;
    const CentreHeader tmpl = headerTemplate();  // one header: begin and end of the same bytes
    auto bytes = std::vector<unsigned char>(tmpl.bytes.begin(), tmpl.bytes.end());
    writeBytes("SHORT.DAT", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 100));
    CentreHeader h;
    auto e = recordfile::readHeader("SHORT.DAT", h);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("SHORT.DAT"), std::string::npos);
    EXPECT_NE(e->cause.find("trop court"), std::string::npos);

    // A partial record beyond the count (an interrupted save) is no sheet:
    // ignored by the readers, overwritten by the next save.
    auto odd = bytes;
    odd.resize(248 + 100, 0);
    writeBytes("ODD.DAT", odd);
    ASSERT_FALSE(recordfile::readHeader("ODD.DAT", h));
    std::uint16_t count = 0;
    FibRecord buf = h;
    EXPECT_FALSE(recordfile::appendFib("ODD.DAT", count, buf));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(readBytes("ODD.DAT").size(), 496u);
}

TEST(RecordFileFailures, CountPastTheEnd) {
    TempDir d;
    auto recs = demoRecords(DemoCentre{}, 2, 3);
    recs[0].setNbFiches(5);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    FibRecord r;
    auto e = recordfile::readFib("FIB.DAT", 4, r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cause, "la fiche 4 est au-delà de la fin du fichier");
    RecordReader reader;
    e = reader.open("FIB.DAT");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cause, "le nombre de fiches (5) dépasse la fin du fichier");
    CentreHeader h;
    std::vector<FibRecord> all;
    EXPECT_TRUE(readAllFibs("FIB.DAT", h, all));
    std::uint16_t count = 5;
    EXPECT_TRUE(recordfile::appendFib("FIB.DAT", count, r));  // would leave a hole
    EXPECT_EQ(readBytes("FIB.DAT").size(), 3u * 248);
    EXPECT_TRUE(recordfile::rewriteFib("FIB.DAT", 3, r));
    EXPECT_TRUE(recordfile::rewriteFib("FIB.DAT", 0, r));  // the header is not a FIB
}

TEST(RecordFileFailures, ReadOnlyAndUnreadable) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    ::chmod("FIB.DAT", 0444);
    std::uint16_t count = 0;
    FibRecord buf = headerTemplate();
    auto e = recordfile::appendFib("FIB.DAT", count, buf);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB.DAT : accès refusé");
    ::chmod("FIB.DAT", 0000);
    CentreHeader h;
    EXPECT_TRUE(recordfile::readHeader("FIB.DAT", h));
}

TEST(RecordFileFailures, DirectoryInPlaceOfTheFile) {
    TempDir d;
    std::filesystem::create_directory("FIB.DAT");
    CentreHeader h;
    EXPECT_TRUE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_TRUE(recordfile::createIfMissing("FIB.DAT"));
}

TEST(RecordFileFailures, FullFileIsRefused) {
    TempDir d;
    CentreHeader full = headerTemplate();
    full.setNbFiches(65535);  // the file's own count decides, not the run's
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", {full}));
    std::uint16_t count = 3;
    FibRecord buf = headerTemplate();
    auto e = recordfile::appendFib("FIB.DAT", count, buf);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Fichier plein");
    EXPECT_EQ(readBytes("FIB.DAT").size(), 248u);
}

TEST(RecordReader, ReadsEveryFibInOrder) {
    TempDir d;
    const auto recs = demoRecords(DemoCentre{}, 2500, 9);  // more than one chunk
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    RecordReader r;
    ASSERT_FALSE(r.open("FIB.DAT"));
    EXPECT_EQ(r.count(), 2500);
    IoStatus err;
    std::uint32_t n = 0;
    while (const FibRecord* f = r.next(&err)) {
        ++n;
        ASSERT_EQ(*f, recs[n]);
        ASSERT_EQ(r.number(), n);
    }
    EXPECT_FALSE(err);
    EXPECT_EQ(n, 2500u);
}

TEST(RecordReader, ExtraRecordsBeyondTheCountAreIgnored) {
    TempDir d;
    auto recs = demoRecords(DemoCentre{}, 4, 9);
    recs[0].setNbFiches(2);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    CentreHeader h;
    std::vector<FibRecord> all;
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, all));
    EXPECT_EQ(all.size(), 2u);
}

TEST(ReplaceWith, LeavesNoTemporaryFile) {
    TempDir d;
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(DemoCentre{}, 1, 1)));
    EXPECT_FALSE(std::filesystem::exists("FIB.DAT.tmp"));
    EXPECT_EQ(readBytes("FIB.DAT").size(), 2u * 248);
}
