#pragma once
// The one layer under every file the program keeps: the centre files, the
// pooled files, the stored syntheses, GROUPE.DAT and the exports. A file is
// opened, read or written whole records at a time, and closed before the
// operation returns; a file that replaces another is written under a
// temporary name in the same folder, synced, then renamed over it, so that an
// interruption or an error leaves the old file whole.
//
// The sheets are health data: a new file is readable by its owner only
// (0600), or by the team in a folder shared by a group (group write
// permission or the setgid bit: 0660), never by everyone, whatever the umask;
// a file that replaces another takes its group, its mode (less the rights of
// others) and, when the process may set it, its owner. A member of a shared
// folder cannot redirect a write: files are never opened through a symbolic
// link, and temporaries have an unpredictable name, are created exclusively
// and are renamed relative to the folder opened once.
//
// Every error names the file by its label (the name the user knows it by,
// which the caller chooses: a path for the centre files, the typed name for
// the national files) and the cause in French.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/IoError.h"

namespace pelo {

// French cause of a system error number ("fichier introuvable", "disque plein").
std::string ioCause(int err);

namespace recordio {

// The largest number of records a file of records may hold: 65535 FIBs after
// the header (record and pooled files; a counter file has at most one record
// per run of centres, so no more). Larger files are refused before reading.
inline constexpr std::uint64_t kMaxRecords = 65536;

// A temporary name under which a replacement of path may be written: in the
// same folder, hidden, with this machine's name and process number (whose
// leftovers a later run recognises) and a random part, new at each call
// (".~FIB.DAT.poste3.9f03c2a1b7e4.1234.tmp"). Empty when the name of path is
// too long to leave room for it.
std::string temporaryName(const std::string& path);
// The longest name a file replaced in that way may have on this machine.
std::size_t longestReplaceableName();
// Removes the temporaries of path left by an interrupted run of this machine
// (whose process is gone), only regular files of this user: the user's own
// files, a link planted there, and the temporaries of another machine on a
// shared folder are never touched.
void removeLeftovers(const std::string& path);
// Makes a rename in the folder of path durable.
IoStatus syncFolderOf(const std::string& path, const std::string& label);
// The mode of a new file in a folder of the given mode: 0660 in a folder
// shared by a group (setgid, or writable by the group but not by everyone),
// 0600 otherwise.
unsigned newFileMode(unsigned folderMode);
// Creates a folder readable by its owner only (0700), whatever the umask; an
// existing folder is left as it is.
IoStatus createPrivateFolder(const std::string& path);

// folder + "/" + name (name alone when the folder is empty).
std::string inFolder(const std::string& folder, const std::string& name);

// An open file, closed on every path out of an operation.
class File {
public:
    enum class Mode {
        Read,       // an existing file, read only
        ReadWrite,  // an existing file
        CreateNew,  // a new file, an error when one exists
        Truncate,   // created or emptied, write only
    };
    File() = default;
    File(const std::string& path, const std::string& label, Mode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // (Re)opens; the failure is also kept as openError().
    // A symbolic link is refused ("lien symbolique refusé"); a file created
    // gets the mode of a new file of its folder (newFileMode).
    IoStatus open(const std::string& path, const std::string& label, Mode mode);
    // The same, name relative to an open folder.
    IoStatus openAt(int folderFd, const std::string& name, const std::string& label, Mode mode);
    bool isOpen() const { return fd_ >= 0; }
    const IoStatus& openError() const { return openError_; }
    // The system error number of a failed open (ENOENT for a missing file).
    int openErrno() const { return openErrno_; }
    const std::string& label() const { return label_; }
    int descriptor() const { return fd_; }

    // Size of the open regular file; a folder is an error.
    IoStatus size(std::uint64_t& out) const;
    // Exactly n bytes at an offset, or from the current position; a file that
    // ends first is "lecture au-delà de la fin du fichier".
    IoStatus readAt(std::uint64_t offset, void* data, std::size_t n) const;
    IoStatus read(void* data, std::size_t n) const;
    IoStatus writeAt(std::uint64_t offset, const void* data, std::size_t n) const;
    IoStatus sync() const;
    // Cuts the file at size bytes.
    IoStatus truncate(std::uint64_t size) const;
    // Exclusive advisory lock of the whole file, held until it is closed; it
    // waits for another holder (another copy of the program, another
    // workstation on a shared folder) for a few seconds, then fails. On a file
    // system without locks the write goes on unlocked.
    IoStatus lockExclusive() const;
    // Whether path still names this open file (not replaced or removed since it was opened).
    bool isStillAt(const std::string& path) const;
    // Closes and reports the failure of closing.
    IoStatus close();
    // Closes without a report (a path out of an operation that already failed).
    void drop();

    IoError errorOf(int err) const { return IoError{label_, ioCause(err)}; }

private:
    int fd_ = -1;
    std::string label_;
    IoStatus openError_;
    int openErrno_ = 0;
};

// "fichier trop court, il ne contient pas d'en-tête" for a file shorter than
// one record, "taille de fichier incorrecte (N octets, pas un multiple de S)".
IoError shapeError(const std::string& label, std::uint64_t bytes, std::size_t recordSize);
// What a file with a count of records (the centre files, the pooled files)
// makes of a last partial record, which an interrupted write (a full disk)
// leaves beyond the count: Ignored, it is not one of its records. The other
// files refuse it.
enum class Tail { Refused, Ignored };
// Number of whole records of a file that must hold a header, at most
// maxRecords of them; a partial last record is refused or ignored.
IoStatus recordsOf(const File& f, std::size_t recordSize, std::uint64_t& records,
                   std::uint64_t maxRecords = kMaxRecords, Tail tail = Tail::Refused);
// "fichier trop grand (N octets, au plus M)".
IoError tooLargeError(const std::string& label, std::uint64_t bytes, std::uint64_t maxBytes);
// Record k of such a file into out; past the end:
// "<noun> k est au-delà de la fin du fichier" ("la fiche", "l'enregistrement").
IoStatus readRecord(const File& f, std::size_t recordSize, std::uint32_t k, void* out, std::string_view noun,
                    Tail tail = Tail::Refused);

// The bytes of a whole file of at most maxBytes (a larger one is refused
// before anything is read).
IoStatus readWhole(const std::string& path, const std::string& label, std::vector<std::uint8_t>& out,
                   std::uint64_t maxBytes);

// The one way a file is replaced (or written new) in the program: written
// under a temporary name (temporaryName), created exclusively and never
// through a link, in the folder opened once, and renamed over path by
// commit(), the folder synced; dropped, the old file left as it was, on
// abandon(), on a failure of commit() or when destroyed before commit().
// The file written takes the group, mode and owner of the one it replaces
// (see above). create() first removes what an interrupted run left of the
// same replacement; a name too long for its temporary is refused there.
class AtomicWriter {
public:
    AtomicWriter() = default;
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    IoStatus create(const std::string& path, const std::string& label);
    // Appends bytes (buffered).
    IoStatus write(const void* data, std::size_t n);
    // Overwrites bytes already written (the buffer is flushed first).
    IoStatus writeAt(std::uint64_t offset, const void* data, std::size_t n);
    // Flushes, syncs, closes and renames.
    IoStatus commit();
    // The two halves of commit(), for files replaced together: prepare()
    // flushes, syncs and closes; rename() puts the file in place (the folder
    // is not synced: the caller does it once).
    IoStatus prepare();
    IoStatus rename();
    // Makes the renames in the writer's folder durable.
    IoStatus syncFolder() const;
    void abandon();
    const std::string& label() const { return label_; }

private:
    IoStatus flush();
    IoError notOpen() const { return IoError{label_, "fichier non ouvert"}; }
    void closeFolder();
    File file_;
    int folder_ = -1;
    std::string label_, name_, tmp_;  // names in the folder
    std::vector<std::uint8_t> buf_;
    std::uint64_t written_ = 0;
    std::uint64_t written_dev_ = 0, written_ino_ = 0;  // the temporary written, checked before its rename
    bool prepared_ = false;
};

// A whole file replaced atomically by the given bytes.
IoStatus replaceWhole(const std::string& path, const std::string& label, const void* data, std::size_t n);

// The file under a sequential reading of records: opened, its shape checked,
// its header record read; then whole records from the current position.
class SequentialFile {
public:
    IoStatus open(const std::string& path, const std::string& label, std::size_t recordSize, void* header,
                  Tail tail = Tail::Refused);
    // The header's count of records after it must fit in the file:
    // "le nombre de fiches (N) dépasse la fin du fichier".
    IoStatus checkCount(std::uint32_t count) const;
    IoStatus read(void* data, std::size_t n) const { return file_.read(data, n); }
    bool isOpen() const { return file_.isOpen(); }
    void close() { file_.drop(); }
    // Bytes of a partial last record (ignored), 0 for a file of whole records.
    std::uint64_t partialTail() const { return tail_; }

private:
    File file_;
    std::uint64_t records_ = 0;
    std::uint64_t tail_ = 0;
};

// Sequential reading of a whole file of a Header record and Records through a
// buffer of Chunk records: the header first, then records 1..nbFiches() of
// the header. A count past the end of the file, a file shorter than its
// header or not made of whole records is an error.
template <class Header, class Record, std::size_t Chunk> class RecordSequence {
public:
    RecordSequence() = default;
    RecordSequence(const RecordSequence&) = delete;
    RecordSequence& operator=(const RecordSequence&) = delete;

    IoStatus open(const std::string& path, const std::string& label) {
        close();
        pos_ = have_ = 0;
        number_ = 0;
        if (auto e = file_.open(path, label, sizeof(Record), header_.bytes.data(), tail_)) return e;
        if (auto e = file_.checkCount(header_.nbFiches())) {
            close();
            return e;
        }
        chunk_.resize(Chunk);
        return {};
    }
    const Header& header() const { return header_; }
    // Bytes of a partial record left at the end by an interrupted write, ignored.
    std::uint64_t partialTail() const { return file_.partialTail(); }
    std::uint16_t count() const { return header_.nbFiches(); }
    // Next record, nullptr after the last; *error is set on a read failure
    // (the file is then closed).
    const Record* next(IoStatus* error) {
        if (!file_.isOpen() || number_ >= count()) return nullptr;
        if (pos_ >= have_) {
            const std::size_t n = std::min<std::size_t>(chunk_.size(), count() - number_);
            if (auto e = file_.read(chunk_.data(), n * sizeof(Record))) {
                if (error) *error = e;
                close();
                return nullptr;
            }
            have_ = n;
            pos_ = 0;
        }
        ++number_;
        return &chunk_[pos_++];
    }
    // Number of the record last returned by next().
    std::uint32_t number() const { return number_; }
    void close() { file_.close(); }

protected:
    // What a partial last record is to the files read (see Tail).
    explicit RecordSequence(Tail tail) : tail_(tail) {}

private:
    Tail tail_ = Tail::Refused;
    SequentialFile file_;
    Header header_;
    std::vector<Record> chunk_;
    std::size_t pos_ = 0, have_ = 0;
    std::uint32_t number_ = 0;
};

}  // namespace recordio
}  // namespace pelo
