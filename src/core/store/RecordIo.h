#pragma once
// The one layer under every file of records the program keeps: the centre
// files, the pooled files, the stored syntheses and GROUPE.DAT. A file is
// opened, read or written whole records at a time, and closed before the
// operation returns; a file that replaces another is written under a
// temporary name in the same folder, synced, then renamed over it, so that an
// interruption or an error leaves the old file whole.
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

// The temporary name under which a replacement of path is written: in the
// same folder, hidden, unique to this process of this machine, and short
// enough for any legal name (".~FIB.DAT.poste3.1234.tmp").
std::string temporaryName(const std::string& path);
// Removes the temporaries of path left by an interrupted run of this machine
// (whose process is gone); the user's own files, and those of another
// machine on a shared folder, are never touched.
void removeLeftovers(const std::string& path);
// Makes a rename in the folder of path durable.
IoStatus syncFolderOf(const std::string& path, const std::string& label);

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
    IoStatus open(const std::string& path, const std::string& label, Mode mode);
    bool isOpen() const { return fd_ >= 0; }
    const IoStatus& openError() const { return openError_; }
    // The system error number of a failed open (ENOENT for a missing file).
    int openErrno() const { return openErrno_; }
    const std::string& label() const { return label_; }

    // Size of the open regular file; a folder is an error.
    IoStatus size(std::uint64_t& out) const;
    // Exactly n bytes at an offset, or from the current position; a file that
    // ends first is "lecture au-delà de la fin du fichier".
    IoStatus readAt(std::uint64_t offset, void* data, std::size_t n) const;
    IoStatus read(void* data, std::size_t n) const;
    IoStatus writeAt(std::uint64_t offset, const void* data, std::size_t n) const;
    IoStatus sync() const;
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
// Number of records of a file that must hold a header and whole records only,
// at most maxRecords of them.
IoStatus recordsOf(const File& f, std::size_t recordSize, std::uint64_t& records,
                   std::uint64_t maxRecords = kMaxRecords);
// "fichier trop grand (N octets, au plus M)".
IoError tooLargeError(const std::string& label, std::uint64_t bytes, std::uint64_t maxBytes);
// Record k of such a file into out; past the end:
// "<noun> k est au-delà de la fin du fichier" ("la fiche", "l'enregistrement").
IoStatus readRecord(const File& f, std::size_t recordSize, std::uint32_t k, void* out, std::string_view noun);

// The bytes of a whole file of at most maxBytes (a larger one is refused
// before anything is read).
IoStatus readWhole(const std::string& path, const std::string& label, std::vector<std::uint8_t>& out,
                   std::uint64_t maxBytes);

// A file written under a temporary name (temporaryName) and renamed over
// path by commit(), the folder synced; dropped, the old file left as it was,
// on abandon(), on a failure of commit() or when destroyed before commit().
// create() first removes what an interrupted run left of the same replacement.
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
    void abandon();
    const std::string& label() const { return file_.label(); }

private:
    IoStatus flush();
    IoError notOpen() const { return IoError{file_.label(), "fichier non ouvert"}; }
    File file_;
    std::string path_, tmp_;
    std::vector<std::uint8_t> buf_;
    std::uint64_t written_ = 0;
    bool prepared_ = false;
};

// A whole file replaced atomically by the given bytes.
IoStatus replaceWhole(const std::string& path, const std::string& label, const void* data, std::size_t n);

// The file under a sequential reading of records: opened, its shape checked,
// its header record read; then whole records from the current position.
class SequentialFile {
public:
    IoStatus open(const std::string& path, const std::string& label, std::size_t recordSize, void* header);
    // The header's count of records after it must fit in the file:
    // "le nombre de fiches (N) dépasse la fin du fichier".
    IoStatus checkCount(std::uint32_t count) const;
    IoStatus read(void* data, std::size_t n) const { return file_.read(data, n); }
    bool isOpen() const { return file_.isOpen(); }
    void close() { file_.drop(); }

private:
    File file_;
    std::uint64_t records_ = 0;
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
        if (auto e = file_.open(path, label, sizeof(Record), header_.bytes.data())) return e;
        if (auto e = file_.checkCount(header_.nbFiches())) {
            close();
            return e;
        }
        chunk_.resize(Chunk);
        return {};
    }
    const Header& header() const { return header_; }
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

private:
    SequentialFile file_;
    Header header_;
    std::vector<Record> chunk_;
    std::size_t pos_ = 0, have_ = 0;
    std::uint32_t number_ = 0;
};

}  // namespace recordio
}  // namespace pelo
