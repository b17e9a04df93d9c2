#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "exchange/Backup.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"

using namespace pelo;
using pelo::test::readBytes;
using pelo::test::TempDir;
using pelo::test::writeBytes;

namespace {

// A record file of centre c with n FIBs, plus extra trailing records that are
// not counted by the header (they must not be copied).
std::vector<unsigned char> makeCentreFile(const std::string& path, std::uint16_t c, std::uint32_t n, int extra = 0) {
    DemoCentre dc;
    dc.centre = c;
    auto recs = demoRecords(dc, n + extra, 7);
    recs[0].setNbFiches(static_cast<std::uint16_t>(n));
    EXPECT_FALSE(recordfile::replaceWith(path, recs));
    auto bytes = readBytes(path);
    bytes.resize((n + 1) * kRecordSize);
    return bytes;
}

}  // namespace

TEST(Backup, CentreFileNames) {
    EXPECT_EQ(backup::centreFileName(12), "FIB12.DAT");
    EXPECT_EQ(backup::centreFileName(1234), "FIB1234.DAT");
    EXPECT_EQ(backup::centreFileName(0), "FIB0.DAT");
}

TEST(Backup, CopiesTheHeaderAndTheCountedFibsToBothFiles) {
    TempDir dir;
    std::filesystem::create_directory("cle");
    const auto expected = makeCentreFile("FIB.DAT", 1234, 5, 2);
    backup::BackupResult r;
    ASSERT_FALSE(backup::backupCentre("FIB.DAT", "cle", r));
    EXPECT_EQ(r.centre, 1234);
    EXPECT_EQ(r.records, 6u);
    EXPECT_EQ(readBytes("cle/FIB1234.DAT"), expected);
    EXPECT_EQ(readBytes("FIB1234.DAT"), expected);
    EXPECT_FALSE(std::filesystem::exists("cle/FIB1234.DAT.tmp"));
}

TEST(Backup, CentreWithoutFibKeepsTheHeaderOnly) {
    TempDir dir;
    std::filesystem::create_directory("cle");
    const auto expected = makeCentreFile("FIB.DAT", 3, 0);
    backup::BackupResult r;
    ASSERT_FALSE(backup::backupCentre("FIB.DAT", "cle/", r));
    EXPECT_EQ(r.records, 1u);
    EXPECT_EQ(readBytes("cle/FIB3.DAT").size(), kRecordSize);
    EXPECT_EQ(readBytes("FIB3.DAT"), expected);
}

TEST(Backup, FailuresNameTheFileAndStopTheCopies) {
    TempDir dir;
    backup::BackupResult r;
    // No FIB.DAT: nothing written anywhere.
    auto e = backup::backupCentre("FIB.DAT", ".", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB.DAT : fichier introuvable");

    // A destination that does not exist: the centre's file is not made either.
    makeCentreFile("FIB.DAT", 12, 2);
    e = backup::backupCentre("FIB.DAT", "absent", r);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("absent/FIB12.DAT"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("FIB12.DAT"));

    // A header counting more FIBs than the file holds is refused, not padded.
    auto bytes = readBytes("FIB.DAT");
    bytes[4] = 9;
    writeBytes("FIB.DAT", bytes);
    EXPECT_TRUE(backup::backupCentre("FIB.DAT", ".", r));
    EXPECT_FALSE(std::filesystem::exists("FIB12.DAT"));
}

TEST(Backup, CentreNumberAboveFourDigitsIsRefused) {
    TempDir dir;
    makeCentreFile("FIB.DAT", 12345, 1);
    backup::BackupResult r;
    auto e = backup::backupCentre("FIB.DAT", ".", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Numéro de centre incorrect");
    EXPECT_FALSE(std::filesystem::exists("FIB12345.DAT"));
}

TEST(ChangeOfCentre, SetAsideThenNewCentreThenTakeBack) {
    TempDir dir;
    const auto centre3 = makeCentreFile("FIB.DAT", 3, 4);
    const auto centre7 = makeCentreFile("FIB7.DAT", 7, 2);

    ASSERT_FALSE(backup::setAside("FIB.DAT", 3));
    EXPECT_EQ(readBytes("FIB3.DAT"), centre3);

    ASSERT_FALSE(backup::startNewCentre("FIB.DAT"));
    const CentreHeader t = headerTemplate();
    EXPECT_EQ(readBytes("FIB.DAT"), std::vector<unsigned char>(t.bytes.begin(), t.bytes.end()));

    CentreHeader h;
    ASSERT_FALSE(backup::takeBack("FIB7.DAT", "FIB.DAT", &h));
    EXPECT_EQ(readBytes("FIB.DAT"), centre7);
    EXPECT_EQ(h.get(fld::NumCentre), 7);
    EXPECT_EQ(h.nbFiches(), 2);
}

TEST(ChangeOfCentre, MissingOrBrokenCentreFileLeavesFibDatWhole) {
    TempDir dir;
    const auto current = makeCentreFile("FIB.DAT", 3, 4);
    auto e = backup::takeBack("FIB8.DAT", "FIB.DAT");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB8.DAT : fichier introuvable");
    EXPECT_EQ(readBytes("FIB.DAT"), current);

    writeBytes("FIB9.DAT", std::vector<unsigned char>(100, 1));  // shorter than a header
    EXPECT_TRUE(backup::takeBack("FIB9.DAT", "FIB.DAT"));
    EXPECT_EQ(readBytes("FIB.DAT"), current);
}

TEST(ChangeOfCentre, FailedWritesLeaveFibDatWhole) {
    TempDir dir;
    const auto current = makeCentreFile("FIB.DAT", 3, 4);
    makeCentreFile("FIB7.DAT", 7, 2);
    // A full disk makes every write fail.
    pelo::test::FileSizeLimit full(100);
    EXPECT_TRUE(backup::setAside("FIB.DAT", 3));
    EXPECT_FALSE(std::filesystem::exists("FIB3.DAT"));
    EXPECT_TRUE(backup::startNewCentre("FIB.DAT"));
    EXPECT_TRUE(backup::takeBack("FIB7.DAT", "FIB.DAT"));
    EXPECT_EQ(readBytes("FIB.DAT"), current);
}

TEST(ChangeOfCentre, SetAsideTakesTheNumberOfTheRecordsItCopies) {
    TempDir dir;
    const auto centre3 = makeCentreFile("FIB.DAT", 3, 4, 1);
    const auto centre9 = makeCentreFile("FIB9.DAT", 9, 2);
    backup::SetAsideResult r;
    ASSERT_FALSE(backup::setAsideUnderItsCentre("FIB.DAT", &r));
    EXPECT_EQ(r.centre, 3);
    EXPECT_EQ(r.fibs, 4);
    EXPECT_TRUE(r.written);
    EXPECT_EQ(backup::setAsideMessage(r), "Le centre 3 (4 fiches) est mis de côté dans FIB3.DAT.");
    EXPECT_EQ(readBytes("FIB3.DAT"), centre3);
    EXPECT_EQ(readBytes("FIB9.DAT"), centre9);

    // An unidentified file without FIB has nothing to keep: no FIB0.DAT.
    ASSERT_FALSE(backup::startNewCentre("FIB.DAT"));
    ASSERT_FALSE(backup::setAsideUnderItsCentre("FIB.DAT", &r));
    EXPECT_EQ(r.centre, 0);
    EXPECT_FALSE(r.written);
    EXPECT_EQ(readBytes("FIB3.DAT"), centre3);
    EXPECT_FALSE(std::filesystem::exists("FIB0.DAT"));
    // With FIBs it is refused, and still nothing is written.
    makeCentreFile("FIB.DAT", 0, 2);
    auto unidentified = backup::setAsideUnderItsCentre("FIB.DAT", &r);
    ASSERT_TRUE(unidentified);
    EXPECT_NE(unidentified->message().find("2 fiches d'un centre non identifié"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("FIB0.DAT"));

    // A header number of five digits names no file.
    makeCentreFile("FIB.DAT", 12345, 1);
    auto e = backup::setAsideUnderItsCentre("FIB.DAT");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Numéro de centre incorrect");
    EXPECT_FALSE(std::filesystem::exists("FIB12345.DAT"));
}

TEST(BackupMessages, SayWhatWasDoneInSingularOrPlural) {
    EXPECT_EQ(backup::fibCountText(0), "0 fiche");
    EXPECT_EQ(backup::fibCountText(1), "1 fiche");
    EXPECT_EQ(backup::fibCountText(2), "2 fiches");
    EXPECT_EQ(backup::takenBackMessage(77, 0), "FIB.DAT contient maintenant le centre 77 (0 fiche).");
    backup::BackupResult r{12, 41};
    EXPECT_EQ(backup::backupDoneMessage(r, "/cle/FIB12.DAT", "/ici/FIB12.DAT"),
              "Sauvegarde faite : le centre 12 (40 fiches) est copié dans\n/cle/FIB12.DAT\net dans\n/ici/FIB12.DAT");
}

TEST(Backup, UnidentifiedCentreIsNotBackedUp) {
    TempDir dir;
    makeCentreFile("FIB.DAT", 0, 1);
    std::filesystem::create_directory("cle");
    backup::BackupResult r;
    ASSERT_TRUE(backup::backupCentre("FIB.DAT", "cle", r));
    EXPECT_FALSE(std::filesystem::exists("cle/FIB0.DAT"));
    EXPECT_FALSE(std::filesystem::exists("FIB0.DAT"));
}
