// Two copies of the program on one record file, replacements under temporary
// names, and files that are not what their names say.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "TestSupport.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "store/RecordIo.h"

using namespace pelo;
using pelo::test::readBytes;
using pelo::test::TempDir;
using pelo::test::writeBytes;

namespace {

FibRecord sheet(int weight) {
    FibRecord r = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    r.set(fld::Poids, weight);
    return r;
}

std::uint16_t countOf(const std::string& path) {
    CentreHeader h;
    EXPECT_FALSE(recordfile::readHeader(path, h));
    return h.nbFiches();
}

// Another workstation saving a sheet of that weight on FIB.DAT: the number
// it got, or -1 when the save failed.
std::future<int> saveMeanwhile(int weight) {
    return std::async(std::launch::async, [weight] {
        std::uint16_t count = 0;
        FibRecord mine = sheet(weight);
        auto e = recordfile::appendFib("FIB.DAT", count, mine);
        return e ? -1 : int(count);
    });
}

}  // namespace

// Two workstations opened their sheets at the same count; each save appends
// after the count the file holds, so neither overwrites the other's sheet.
TEST(SharedRecordFile, InterleavedWritersLoseNothing) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    for (int round = 0; round < 3; ++round) {
        // Both runs saw the same count when they opened their sheets.
        std::uint16_t a = static_cast<std::uint16_t>(2 * round), b = a;
        FibRecord fa = sheet(100 + round), fb = sheet(200 + round);
        ASSERT_FALSE(recordfile::appendFib("FIB.DAT", a, fa));
        ASSERT_FALSE(recordfile::appendFib("FIB.DAT", b, fb));
        EXPECT_EQ(a, 2 * round + 1);
        EXPECT_EQ(b, 2 * round + 2);  // not the number shown (2 * round + 1)
        EXPECT_EQ(fb.get(fld::NumFib), b);
    }
    EXPECT_EQ(countOf("FIB.DAT"), 6);
    for (std::uint32_t k = 1; k <= 6; ++k) {
        FibRecord r;
        ASSERT_FALSE(recordfile::readFib("FIB.DAT", k, r));
        EXPECT_EQ(r.get(fld::NumFib), k);
        EXPECT_EQ(r.get(fld::Poids), (k % 2 ? 100 : 200) + int(k - 1) / 2);
    }
}

// The identification written by a run that read the header before another
// run saved keeps the file's count: the other run's sheet stays counted.
TEST(SharedRecordFile, HeaderWriteKeepsTheFileCount) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    CentreHeader stale;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", stale));
    std::uint16_t n = 0;
    FibRecord s = sheet(80);
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", n, s));
    stale.set(fld::NumCentre, 12);
    ASSERT_FALSE(recordfile::writeHeader("FIB.DAT", stale));
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 1);
    EXPECT_EQ(h.get(fld::NumCentre), 12);
}

// A save waits while another holds the lock of the file, then appends after
// what the other wrote.
TEST(SharedRecordFile, SaveWaitsForTheLockOfAnotherWriter) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    recordio::File other("FIB.DAT", "FIB.DAT", recordio::File::Mode::ReadWrite);
    ASSERT_FALSE(other.openError());
    ASSERT_FALSE(other.lockExclusive());
    // The other writer appends one FIB under its lock.
    CentreHeader h;
    ASSERT_FALSE(other.readAt(0, h.bytes.data(), kRecordSize));
    FibRecord first = sheet(61);
    first.set(fld::NumFib, 1);
    ASSERT_FALSE(other.writeAt(kRecordSize, first.bytes.data(), kRecordSize));

    auto saved = saveMeanwhile(62);
    EXPECT_EQ(saved.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    h.setNbFiches(1);
    ASSERT_FALSE(other.writeAt(0, h.bytes.data(), kRecordSize));
    ASSERT_FALSE(other.close());  // releases the lock
    EXPECT_EQ(saved.get(), 2);
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 1, r));
    EXPECT_EQ(r.get(fld::Poids), 61);
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, r));
    EXPECT_EQ(r.get(fld::Poids), 62);
}

// FIB.DAT replaced on one workstation (a centre taken back) while another
// saves a sheet: the save that waited for the lock of the file being replaced
// goes into the new file, not into the replaced one that no one reads any
// more. (A file of another centre refuses it: see the cross-centre tests.)
TEST(SharedRecordFile, SaveWaitingDuringAReplacementGoesIntoTheNewFile) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    recordio::File replaced("FIB.DAT", "FIB.DAT", recordio::File::Mode::ReadWrite);
    ASSERT_FALSE(replaced.lockExclusive());
    auto saved = saveMeanwhile(63);
    EXPECT_EQ(saved.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    CentreHeader other = headerTemplate();
    other.set(fld::Specialite, std::uint8_t{2});
    ASSERT_FALSE(recordio::replaceWhole("FIB.DAT", "FIB.DAT", other.bytes.data(), kRecordSize));
    replaced.drop();
    EXPECT_EQ(saved.get(), 1);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.get(fld::Specialite), 2);
    EXPECT_EQ(h.nbFiches(), 1);
    FibRecord r;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 1, r));
    EXPECT_EQ(r.get(fld::Poids), 63);
}

// The file set aside is replaced only while it still holds what was set
// aside: a sheet saved meanwhile by another workstation stays in it, and so
// does one changed in place; nothing is lost.
TEST(SharedRecordFile, ReplacementOfAChangedFileIsRefused) {
    TempDir d;
    ASSERT_FALSE(recordfile::createIfMissing("FIB.DAT"));
    std::uint16_t n = 0;
    FibRecord s = sheet(70);
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", n, s));
    CentreHeader h;
    std::vector<FibRecord> before;
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, before));
    before.insert(before.begin(), h);
    const std::vector<FibRecord> fresh{headerTemplate()};

    FibRecord late = sheet(71);
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", n, late));
    auto e = recordfile::replaceWith("FIB.DAT", fresh, &before);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "FIB.DAT n'a pas été remplacé : des fiches y ont été enregistrées ou modifiées "
              "entre-temps (par un autre poste ?).");
    EXPECT_EQ(countOf("FIB.DAT"), 2);

    std::vector<FibRecord> now;
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, now));
    now.insert(now.begin(), h);
    FibRecord edited = late;
    edited.set(fld::Poids, 72);
    ASSERT_FALSE(recordfile::rewriteFib("FIB.DAT", 2, edited));
    EXPECT_TRUE(recordfile::replaceWith("FIB.DAT", fresh, &now));
    EXPECT_EQ(countOf("FIB.DAT"), 2);

    // Unchanged since it was read: replaced, whatever an interrupted save left
    // beyond the count.
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, now));
    now.insert(now.begin(), h);
    {
        recordio::File f("FIB.DAT", "FIB.DAT", recordio::File::Mode::ReadWrite);
        ASSERT_FALSE(f.writeAt(3 * kRecordSize, late.bytes.data(), kRecordSize));
    }
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", fresh, &now));
    EXPECT_EQ(countOf("FIB.DAT"), 0);
}

TEST(Replacement, TemporaryNamesAreUnpredictableAndNeverShared) {
    TempDir d;
    // The user's own file of the old temporary name is never touched.
    writeBytes("F.DAT.tmp", {7, 7});
    ASSERT_FALSE(recordio::replaceWhole("F.DAT", "F.DAT", "abc", 3));
    EXPECT_EQ(readBytes("F.DAT.tmp"), (std::vector<unsigned char>{7, 7}));
    EXPECT_EQ(readBytes("F.DAT").size(), 3u);
    const std::string tmp = recordio::temporaryName("sub/F.DAT");
    EXPECT_EQ(tmp.rfind("sub/.~F.DAT.", 0), 0u);
    EXPECT_NE(tmp.find("." + std::to_string(::getpid()) + ".tmp"), std::string::npos);
    EXPECT_NE(recordio::temporaryName("sub/F.DAT"), tmp);

    // The longest name that leaves room for its temporary is replaced; one
    // byte more is refused before anything is written.
    const std::size_t longest = recordio::longestReplaceableName();
    ASSERT_GE(longest, 190u);
    std::string name(longest - 5, 'a');
    name += "\xC3\xA9.DA";  // accented letters count in bytes
    ASSERT_EQ(name.size(), longest);
    ASSERT_FALSE(recordio::replaceWhole(name, "long", "xy", 2));
    EXPECT_EQ(readBytes(name).size(), 2u);
    EXPECT_LE(recordio::temporaryName(name).size(), 255u);
    const std::string tooLong = name + "T";
    EXPECT_EQ(recordio::temporaryName(tooLong), "");
    auto e = recordio::replaceWhole(tooLong, "trop long", "xy", 2);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cause, "nom de fichier trop long pour être remplacé sans risque (" + std::to_string(longest + 1) +
                            " octets, au plus " + std::to_string(longest) + ")");
    EXPECT_FALSE(std::filesystem::exists(tooLong));
}

TEST(Replacement, LeftoversOfAnInterruptedRunAreRemovedNextTime) {
    TempDir d;
    // A process number that is not running: fork a child that exits at once.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string mine = recordio::temporaryName("F.DAT");
    const std::string head = mine.substr(0, mine.rfind("." + std::to_string(::getpid())) + 1);
    const std::string stale = head + std::to_string(child) + ".tmp";
    writeBytes(stale, {1});
    const std::string live = head + "1.tmp";  // process 1 is alive: may be writing
    writeBytes(live, {1});
    const std::string elsewhere = ".~F.DAT.autreposte." + std::to_string(child) + ".tmp";  // another machine's
    writeBytes(elsewhere, {1});
    writeBytes(".~G.DAT." + head.substr(8) + std::to_string(child) + ".tmp", {1});  // another file's
    ASSERT_FALSE(recordio::replaceWhole("F.DAT", "F.DAT", "abc", 3));
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(elsewhere));
    EXPECT_TRUE(std::filesystem::exists(".~G.DAT." + head.substr(8) + std::to_string(child) + ".tmp"));
}

TEST(OddFiles, FifoAndFoldersAreRefusedWithoutBlocking) {
    TempDir d;
    ASSERT_EQ(::mkfifo("FIB.DAT", 0644), 0);
    CentreHeader h;
    auto e = recordfile::readHeader("FIB.DAT", h);  // would block forever on a plain open
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB.DAT : ce n'est pas un fichier ordinaire");
    std::uint16_t n = 0;
    FibRecord s = sheet(70);
    EXPECT_TRUE(recordfile::appendFib("FIB.DAT", n, s));
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(recordio::readWhole("FIB.DAT", "FIB.DAT", bytes, 1000));
}

TEST(OddFiles, CausesAreFrench) {
    TempDir d;
    writeBytes("plain", {1});
    ASSERT_EQ(::symlink("loop", "loop"), 0);
    CentreHeader h;
    EXPECT_EQ(recordfile::readHeader("plain/FIB.DAT", h)->cause, "un élément du chemin n'est pas un dossier");
    EXPECT_EQ(recordfile::readHeader(std::string(300, 'x'), h)->cause, "nom de fichier trop long");
    EXPECT_EQ(recordfile::readHeader("loop", h)->cause,
              "lien symbolique refusé (un fichier de fiches est ouvert lui-même, jamais à travers un lien)");
    EXPECT_EQ(ioCause(EPROTO), "erreur système n° " + std::to_string(EPROTO));
}

TEST(OddFiles, FilesLargerThanTheirFormatAreRefusedBeforeReading) {
    TempDir d;
    // A sparse file: large on paper, nothing on the disk.
    const int fd = ::open("FIB.DAT", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(248) * 70000), 0);
    ::close(fd);
    CentreHeader h;
    auto e = recordfile::readHeader("FIB.DAT", h);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cause.rfind("fichier trop grand (17360000 octets, au plus 16252928)", 0), 0u);
    std::vector<std::uint8_t> bytes;
    e = recordio::readWhole("FIB.DAT", "FIB.DAT", bytes, 1024);
    ASSERT_TRUE(e);
    EXPECT_TRUE(bytes.empty());
}
