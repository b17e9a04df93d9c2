// The sheets in safe custody: who may read every file written, what a member
// of a shared folder can do with a planted link, a full disk in the middle of
// a save, a second workstation's change of centre, and a stored synthesis
// interrupted between its two renames.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "PoolTestSupport.h"
#include "TestSupport.h"
#include "exchange/Backup.h"
#include "formats/RecordFile.h"
#include "pool/Collection.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"
#include "ref/Benchmark.h"
#include "store/Demo.h"

using namespace pelo;
using namespace pelo::test;
namespace fs = std::filesystem;

namespace {

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}
unsigned modeOf(const std::string& path) { return statOf(path).st_mode & 07777; }

// The process's umask for the life of a test.
class Umask {
public:
    explicit Umask(mode_t m) : old_(::umask(m)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

// Another group and user than the test's own where the system lets the test
// set them (as root), the test's own otherwise.
gid_t otherGroup() { return ::geteuid() == 0 ? 65534 : ::getegid(); }

// Every kind of file the program writes, in the folder `in`: the centre
// files, the backup's copies, a pooled file, a sub-collection, a stored
// synthesis, GROUPE.DAT and an export. Their names.
std::vector<std::string> writeEveryKind(const std::string& in) {
    const auto at = [&](const std::string& n) { return recordio::inFolder(in, n); };
    EXPECT_FALSE(recordfile::createIfMissing(at("ESSAIFIB.DAT")));
    auto recs = demoRecords(DemoCentre{}, 3, 1);
    recs[0].set(fld::NumCentre, std::uint16_t(12));
    EXPECT_FALSE(recordfile::replaceWith(at("FIB.DAT"), recs));
    std::uint16_t n = 0;
    FibRecord sheet = emptyFibFromHeader(recs[0], "08/12/2026");
    EXPECT_FALSE(recordfile::appendFib(at("FIB.DAT"), n, sheet));
    fs::create_directories(at("cle"));
    backup::BackupResult b;
    EXPECT_FALSE(backup::backupCentre(at("FIB.DAT"), at("cle"), b));
    pool::CollectionResult c;
    EXPECT_FALSE(pool::collect(in, "FibFr97.Dat", c));
    pool::PoolSynthesisResult s;
    EXPECT_FALSE(pool::poolSynthesis(in, "FibFr97.Dat", 1997, s));
    pool::Criterion crit;
    crit.variable = 1;
    crit.op1 = pool::kGreater;
    std::uint32_t selected = 0;
    EXPECT_FALSE(pool::selectSubCollection(in, "FibFr97.Dat", "SelFr97.Dat", crit, selected));
    EXPECT_FALSE(pool::writeGroups(in, {}));
    EXPECT_FALSE(ref::writeTextFile(at("export.csv"), "a;b\r\n"));
    return {"ESSAIFIB.DAT", "FIB.DAT",     "cle/FIB12.DAT", "FIB12.DAT",  "FibFr97.Dat",
            "SYNFr97.ATX",  "SYNFr97.BTX", "SelFr97.Dat",   "GROUPE.DAT", "export.csv"};
}

}  // namespace

TEST(PrivateFiles, EveryFileWrittenIsItsOwnersAloneWhateverTheUmask) {
    TempDir d;
    Umask open(0);
    for (const auto& f : writeEveryKind("")) EXPECT_EQ(modeOf(f), 0600u) << f;
    ASSERT_FALSE(recordio::createPrivateFolder("PELORAMIX"));
    EXPECT_EQ(modeOf("PELORAMIX"), 0700u);
    ASSERT_FALSE(recordio::createPrivateFolder("PELORAMIX"));  // an existing folder stays as it is
    // Nothing but what was written: no temporary left.
    for (const auto& e : fs::directory_iterator("."))
        EXPECT_NE(e.path().filename().string().rfind(".~", 0), 0u) << e.path();
}

TEST(PrivateFiles, AFolderSharedByAGroupGivesItsTeamReadAndWrite) {
    TempDir d;
    Umask open(0);
    // The team's folder: its group, setgid (the files take that group).
    fs::create_directory("equipe");
    ASSERT_EQ(::chown("equipe", uid_t(-1), otherGroup()), 0);
    ASSERT_EQ(::chmod("equipe", 02770), 0);
    for (const auto& f : writeEveryKind("equipe")) {
        if (f.rfind("cle/", 0) == 0) continue;  // the backup's own folder, not shared
        EXPECT_EQ(modeOf("equipe/" + f), 0660u) << f;
        EXPECT_EQ(statOf("equipe/" + f).st_gid, otherGroup()) << f;
    }
    // Writable by the group without setgid: 0660 too, the folder's group where it may be set.
    fs::create_directory("groupe");
    ASSERT_EQ(::chown("groupe", uid_t(-1), otherGroup()), 0);
    ASSERT_EQ(::chmod("groupe", 0770), 0);
    ASSERT_FALSE(recordfile::createIfMissing("groupe/FIB.DAT"));
    EXPECT_EQ(modeOf("groupe/FIB.DAT"), 0660u);
    EXPECT_EQ(statOf("groupe/FIB.DAT").st_gid, otherGroup());
    // A folder writable by everyone is no team's: 0600.
    fs::create_directory("tous");
    ASSERT_EQ(::chmod("tous", 01777), 0);
    ASSERT_FALSE(recordio::replaceWhole("tous/F.DAT", "F.DAT", "x", 1));
    EXPECT_EQ(modeOf("tous/F.DAT"), 0600u);
}

TEST(PrivateFiles, AReplacementKeepsTheModeGroupAndOwnerOfTheFileItReplaces) {
    TempDir d;
    Umask usual(022);
    auto recs = demoRecords(DemoCentre{}, 2, 1);
    writeBytes("FIB.DAT", {});
    const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
    ASSERT_EQ(::chown("FIB.DAT", owner, otherGroup()), 0);
    ASSERT_EQ(::chmod("FIB.DAT", 0660), 0);
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));  // a change of centre
    EXPECT_EQ(modeOf("FIB.DAT"), 0660u);
    EXPECT_EQ(statOf("FIB.DAT").st_gid, otherGroup());
    EXPECT_EQ(statOf("FIB.DAT").st_uid, owner);
    EXPECT_EQ(readBytes("FIB.DAT").size(), 3u * kRecordSize);
    // A file readable by everyone (written before) loses only the rights of others.
    writePooled("FibFr97.Dat", {pooledFib(1)});
    writeCentreFile("FIB1.DAT", 1, 2);
    ASSERT_EQ(::chmod("FibFr97.Dat", 0644), 0);
    pool::CollectionResult c;
    ASSERT_FALSE(pool::collect("", "FibFr97.Dat", c));  // collecte --remplacer
    EXPECT_EQ(modeOf("FibFr97.Dat"), 0640u);
}

// An attacker of the same shared folder plants links at the names the program
// writes, to a private file of the victim outside the folder.
TEST(PlantedLinks, NothingOutsideTheFolderChanges) {
    TempDir d;
    char tmpl[] = "/tmp/pelo-victim-XXXXXX";
    const std::string outside = ::mkdtemp(tmpl);
    const std::string secret = outside + "/secret";
    const std::vector<unsigned char> kSecret{'s', 'e', 'c', 'r', 'e', 't'};
    writeBytes(secret, kSecret);
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);

    writeCentreFile("FIB1.DAT", 1, 3);
    writeCentreFile("FIB2.DAT", 2, 4);
    writePooled("FibFr97.Dat", {pooledFib(1)});
    // Links at every name a temporary of this process had (the program's old
    // names), at leftovers of a finished process, and at another run's names.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::string tag;
    for (const char* p = host; *p && tag.size() < 32; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p)) || *p == '-') tag += *p;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    int status = 0;
    ::waitpid(gone, &status, 0);
    std::vector<std::string> planted;
    for (const std::string name : {"FibFr97.Dat", "SYNFr97.ATX", "SYNFr97.BTX", "FIB.DAT", "GROUPE.DAT"})
        for (const std::string& rest :
             {std::to_string(::getpid()), std::to_string(gone), "0123456789ab." + std::to_string(gone)}) {
            planted.push_back(".~" + name + "." + tag + "." + rest + ".tmp");
            ASSERT_EQ(::symlink(secret.c_str(), planted.back().c_str()), 0);
        }
    // And a link named like a record file.
    ASSERT_EQ(::symlink(secret.c_str(), "FIB3.DAT"), 0);
    ASSERT_EQ(::symlink(secret.c_str(), "FIB.DAT"), 0);

    pool::CollectionResult c;
    ASSERT_FALSE(pool::collect("", "FibFr97.Dat", c));
    EXPECT_EQ(c.centres, 2u);
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_EQ(c.warnings[0],
              "FIB3.DAT ignoré : lien symbolique refusé (un fichier de fiches est ouvert lui-même, "
              "jamais à travers un lien)");
    EXPECT_EQ(pool::collectionMessage(c), "2 centres, 7 fiches, 1 fichier laissé de côté");
    pool::PoolSynthesisResult s;
    ASSERT_FALSE(pool::poolSynthesis("", "FibFr97.Dat", 1997, s));
    ASSERT_FALSE(pool::writeGroups("", {}));
    CentreHeader h;
    auto e = recordfile::readHeader("FIB.DAT", h);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Erreur d'entrée/sortie sur FIB.DAT : lien symbolique refusé (un fichier de fiches est "
              "ouvert lui-même, jamais à travers un lien)");
    std::uint16_t n = 0;
    FibRecord sheet = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    EXPECT_TRUE(recordfile::appendFib("FIB.DAT", n, sheet));
    EXPECT_TRUE(recordfile::createIfMissing("FIB.DAT"));

    EXPECT_EQ(readBytes(secret), kSecret);
    EXPECT_EQ(modeOf(secret), 0600u);
    for (const auto& p : planted) EXPECT_TRUE(fs::is_symlink(p)) << p;  // not followed, not removed
    for (const std::string f : {"FibFr97.Dat", "SYNFr97.ATX", "SYNFr97.BTX", "GROUPE.DAT"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(f))) << f;
    fs::remove_all(outside);
}

// The attacker watches the folder and swaps every temporary that appears for
// a link to the victim's file while the pooled file is replaced again and again.
TEST(PlantedLinks, ALinkSwappedInWhileTheFileIsWrittenIsNeverFollowedNorPutInPlace) {
    TempDir d;
    char tmpl[] = "/tmp/pelo-victim-XXXXXX";
    const std::string outside = ::mkdtemp(tmpl);
    const std::string secret = outside + "/secret";
    writeBytes(secret, {1, 2, 3});
    std::atomic<bool> stop{false};
    std::thread attacker([&] {
        while (!stop) {
            DIR* dir = ::opendir(".");
            if (!dir) continue;
            while (const dirent* e = ::readdir(dir)) {
                const std::string n = e->d_name;
                if (n.rfind(".~", 0) != 0) continue;
                struct stat st {};
                if (::lstat(n.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(n.c_str()) == 0)
                    (void)::symlink(secret.c_str(), n.c_str());
            }
            ::closedir(dir);
        }
    });
    std::vector<unsigned char> big(64 * 1024, 7);
    for (int k = 0; k < 40; ++k) (void)recordio::replaceWhole("FibFr97.Dat", "FibFr97.Dat", big.data(), big.size());
    stop = true;
    attacker.join();
    EXPECT_EQ(readBytes(secret), (std::vector<unsigned char>{1, 2, 3}));
    if (fs::exists(fs::symlink_status("FibFr97.Dat"))) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("FibFr97.Dat")));
    }
    fs::remove_all(outside);
}

TEST(PlantedLinks, OnlyThisUsersRegularLeftoversAreRemoved) {
    TempDir d;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    int status = 0;
    ::waitpid(gone, &status, 0);
    const std::string mine = recordio::temporaryName("F.DAT");
    const std::string head = mine.substr(0, mine.rfind("." + std::to_string(::getpid())) - 12);
    const std::string leftover = head + "00000000abcd." + std::to_string(gone) + ".tmp";
    const std::string folder = head + "00000000abce." + std::to_string(gone) + ".tmp";
    const std::string link = head + "00000000abcf." + std::to_string(gone) + ".tmp";
    writeBytes(leftover, {1});
    fs::create_directory(folder);
    writeBytes("target", {9});
    ASSERT_EQ(::symlink("target", link.c_str()), 0);
    std::string someoneElses;
    if (::geteuid() == 0) {
        someoneElses = head + "00000000abd0." + std::to_string(gone) + ".tmp";
        writeBytes(someoneElses, {2});
        ASSERT_EQ(::chown(someoneElses.c_str(), 65534, 65534), 0);
    }
    ASSERT_FALSE(recordio::replaceWhole("F.DAT", "F.DAT", "abc", 3));
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes("target"), (std::vector<unsigned char>{9}));
    if (!someoneElses.empty()) {
        EXPECT_TRUE(fs::exists(someoneElses));
    }
}

// A file of 32 sheets, 8,184 bytes, on a disk with room for 8 bytes more.
TEST(FullDisk, AFailedSaveLeavesTheFileWholeAndTheNextSaveWorks) {
    TempDir d;
    writeCentreFile("FIB.DAT", 12, 32);
    ASSERT_EQ(readBytes("FIB.DAT").size(), 8184u);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    FibRecord sheet = emptyFibFromHeader(h, "08/12/2026");
    std::uint16_t n = 32;
    {
        FileSizeLimit full(8192);
        auto e = recordfile::appendFib("FIB.DAT", n, sheet);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->file, "FIB.DAT");
    }
    EXPECT_EQ(n, 32);  // not counted
    EXPECT_EQ(readBytes("FIB.DAT").size(), 8184u);
    // Nor do imported rows, appended together.
    std::uint16_t first = 0;
    {
        FileSizeLimit full(8192);
        EXPECT_TRUE(recordfile::appendFibs("FIB.DAT", {sheet, sheet}, first));
    }
    EXPECT_EQ(readBytes("FIB.DAT").size(), 8184u);
    std::vector<FibRecord> fibs;
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, fibs));
    EXPECT_EQ(fibs.size(), 32u);
    EXPECT_FALSE(recordfile::incompleteTailNotice("FIB.DAT"));
    // Space freed: the next save works.
    ASSERT_FALSE(recordfile::appendFib("FIB.DAT", n, sheet));
    EXPECT_EQ(n, 33);
    EXPECT_EQ(readBytes("FIB.DAT").size(), 34u * kRecordSize);
}

// What an interrupted save of an earlier version left: part of a record
// beyond the count. Read as the sheets it holds, told, and cut by repair.
TEST(FullDisk, APartialLastRecordIsIgnoredToldAndRepaired) {
    TempDir d;
    writeCentreFile("FIB.DAT", 12, 32);
    auto bytes = readBytes("FIB.DAT");
    const auto whole = bytes;
    bytes.resize(8192, 0x41);
    writeBytes("FIB.DAT", bytes);
    CentreHeader h;
    std::vector<FibRecord> fibs;
    ASSERT_FALSE(readAllFibs("FIB.DAT", h, fibs));
    EXPECT_EQ(fibs.size(), 32u);
    FibRecord r;
    EXPECT_FALSE(recordfile::readFib("FIB.DAT", 32, r));
    EXPECT_EQ(recordfile::incompleteTailNotice("FIB.DAT").value_or(""),
              "FIB.DAT se termine par une fiche incomplète (8 octets, ce que laisse une écriture interrompue, par "
              "un disque plein par exemple) : elle est ignorée. « fibtool reparer FIB.DAT » la retire.");

    recordfile::RepairResult rep;
    ASSERT_FALSE(recordfile::repair("FIB.DAT", "FIB.DAT.avant-reparation", rep));
    EXPECT_EQ(rep.fibs, 32);
    EXPECT_EQ(rep.before, 8192u);
    EXPECT_EQ(rep.after, 8184u);
    EXPECT_EQ(readBytes("FIB.DAT"), whole);
    EXPECT_EQ(readBytes("FIB.DAT.avant-reparation"), bytes);
    EXPECT_EQ(modeOf("FIB.DAT.avant-reparation"), 0600u);
    // Nothing more to cut; an existing copy is never replaced.
    ASSERT_FALSE(recordfile::repair("FIB.DAT", "FIB.DAT.avant-reparation", rep));
    EXPECT_EQ(rep.copy, "");
    writeBytes("FIB.DAT", bytes);
    EXPECT_TRUE(recordfile::repair("FIB.DAT", "FIB.DAT.avant-reparation", rep));
    EXPECT_EQ(readBytes("FIB.DAT"), bytes);
}

// Workstation A has FIB 2 of centre 1234 open; workstation B changes centre
// (FIB.DAT now holds centre 2); A saves.
TEST(CrossCentre, ASheetIsNeverSavedIntoAnotherCentresFile) {
    TempDir d;
    writeCentreFile("FIB.DAT", 1234, 2);
    writeCentreFile("FIB2.DAT", 2, 3);
    FibRecord opened;
    ASSERT_FALSE(recordfile::readFib("FIB.DAT", 2, opened));
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    FibRecord fresh = emptyFibFromHeader(h, "08/12/2026");

    backup::SetAsideResult aside;
    ASSERT_FALSE(backup::setAsideUnderItsCentre("FIB.DAT", &aside));
    ASSERT_FALSE(backup::takeBack("FIB2.DAT", "FIB.DAT", nullptr, &aside.content));
    const auto centre2 = readBytes("FIB.DAT");

    opened.set(fld::Poids, 80);
    auto e = recordfile::rewriteFib("FIB.DAT", 2, opened);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "La fiche n'est pas enregistrée : FIB.DAT contient maintenant le centre 2, et non le centre 1234 de "
              "cette fiche (changement de centre sur un autre poste ?). La fiche reste à l'écran ; revenez au "
              "centre 1234 pour l'enregistrer.");
    std::uint16_t n = 2;
    EXPECT_TRUE(recordfile::appendFib("FIB.DAT", n, fresh));
    EXPECT_EQ(n, 2);
    // Rows imported for centre 1234 neither.
    std::uint16_t first = 0;
    EXPECT_TRUE(recordfile::appendFibs("FIB.DAT", {fresh, fresh}, first));
    // Nor does the identification typed meanwhile relabel centre 2's sheets.
    h.set(fld::RegionDep, std::uint16_t(26 * 256 + 1));
    e = recordfile::writeHeader("FIB.DAT", h);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "L'identification n'est pas enregistrée : FIB.DAT contient maintenant les fiches du "
              "centre 2, et non du centre 1234 (changement de centre sur un autre poste ?).");
    EXPECT_EQ(readBytes("FIB.DAT"), centre2);
    EXPECT_EQ(readBytes("FIB1234.DAT").size(), 3u * kRecordSize);  // set aside whole

    // Same centre, but the record at that place is another sheet.
    auto other = readBytes("FIB1234.DAT");
    other[2 * kRecordSize + fld::NumFib.offset] = 7;
    writeBytes("FIB.DAT", other);
    ASSERT_FALSE(recordfile::readFib("FIB1234.DAT", 2, opened));
    e = recordfile::rewriteFib("FIB.DAT", 2, opened);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "La fiche n'est pas enregistrée : la fiche 2 de FIB.DAT n'est plus celle qui a été ouverte (fiche 7 "
              "du centre 1234 au lieu de la fiche 2 du centre 1234) : le fichier a changé entre-temps (changement "
              "de centre sur un autre poste ?). La fiche reste à l'écran.");
    EXPECT_EQ(readBytes("FIB.DAT"), other);
    // Back in its own file, the sheet is saved.
    writeBytes("FIB.DAT", readBytes("FIB1234.DAT"));
    EXPECT_FALSE(recordfile::rewriteFib("FIB.DAT", 2, opened));
    EXPECT_FALSE(recordfile::appendFib("FIB.DAT", n, fresh));
    EXPECT_EQ(n, 3);
}

namespace {
// A pooled file of 40 FIBs over five centres first..first+4.
void writeFivePools(int first) {
    std::vector<pool::PooledFibRecord> fibs;
    for (int k = 0; k < 40; ++k) fibs.push_back(pooledFib(first + k / 8));
    writePooled("FibFr97.Dat", fibs);
}
}  // namespace

// The counters renamed, the index not yet: the index of the last run beside
// the counters of this one, the same totals, other centres.
TEST(SynthesisPair, InterruptedBetweenItsRenamesIsRefusedNeverMixed) {
    TempDir d;
    writeFivePools(1);
    pool::PoolSynthesisResult r;
    ASSERT_FALSE(pool::poolSynthesis("", "FibFr97.Dat", 1997, r));
    const auto oldIndex = readBytes("SYNFr97.ATX");
    pool::SynIndex index;
    std::vector<pool::SynCounters> records;
    ASSERT_FALSE(pool::readSynthesisPair("", "SYNFr97.ATX", "SYNFr97.BTX", index, records));
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].reserved, 0);
    for (std::uint16_t k = 1; k <= 5; ++k) EXPECT_EQ(records[k].reserved, k);  // bytes 366-367: the centre

    writeFivePools(2);
    ASSERT_FALSE(pool::poolSynthesis("", "FibFr97.Dat", 1997, r));
    writeBytes("SYNFr97.ATX", oldIndex);
    auto e = pool::readSynthesisPair("", "SYNFr97.ATX", "SYNFr97.BTX", index, records);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Erreur d'entrée/sortie sur SYNFr97.ATX / SYNFr97.BTX : synthèse incohérente (le "
              "centre 1 renvoie à l'enregistrement du centre 2)");

    // A pair written before counter records carried their centre is read as before.
    auto counters = readBytes("SYNFr97.BTX");
    for (std::size_t k = 0; k < counters.size() / sizeof(pool::SynCounters); ++k)
        counters[k * sizeof(pool::SynCounters) + 366] = counters[k * sizeof(pool::SynCounters) + 367] = 0;
    writeBytes("SYNFr97.BTX", counters);
    EXPECT_FALSE(pool::readSynthesisPair("", "SYNFr97.ATX", "SYNFr97.BTX", index, records));
}

// A pooled name as long as a replacement allows: the two temporaries of the
// synthesis pair never share a name. One byte more: refused before anything
// is written, the old synthesis whole.
TEST(LongNames, ASynthesisPairIsWrittenWholeOrRefusedBeforeAnyWrite) {
    TempDir d;
    const std::size_t longest = recordio::longestReplaceableName();
    const std::string pool = "Fib" + std::string(longest - 7, 'x') + ".Dat";
    ASSERT_EQ(pool.size(), longest);
    writePooled(pool, {pooledFib(1), pooledFib(2)});
    pool::PoolSynthesisResult r;
    ASSERT_FALSE(pool::poolSynthesis("", pool, 1997, r));
    pool::SynIndex index;
    std::vector<pool::SynCounters> records;
    ASSERT_FALSE(pool::readSynthesisPair("", r.names.index, r.names.counters, index, records));
    EXPECT_EQ(records.size(), 3u);

    const std::string longer = "Fib" + std::string(longest - 6, 'x') + ".Dat";
    writePooled(longer, {pooledFib(1)});
    const auto names = pool::synthesisNames(longer);
    writeBytes(names->index, {4});
    writeBytes(names->counters, {5});
    auto e = pool::poolSynthesis("", longer, 1997, r);
    ASSERT_TRUE(e);
    EXPECT_NE(e->cause.find("nom de fichier trop long pour être remplacé sans risque"), std::string::npos);
    EXPECT_EQ(readBytes(names->index), (std::vector<unsigned char>{4}));
    EXPECT_EQ(readBytes(names->counters), (std::vector<unsigned char>{5}));
}

TEST(MissingFolder, ABackupToAFolderThatIsNotThereNamesTheFolder) {
    TempDir d;
    writeCentreFile("FIB.DAT", 12, 2);
    backup::BackupResult r;
    auto e = backup::backupCentre("FIB.DAT", "/media/cle-absente", r);
    ASSERT_TRUE(e);
    EXPECT_EQ(
        e->message(),
        "Erreur d'entrée/sortie sur /media/cle-absente/FIB12.DAT : le dossier /media/cle-absente est introuvable");
    EXPECT_FALSE(fs::exists("FIB12.DAT"));
}
