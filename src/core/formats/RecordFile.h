#pragma once
// Record files of 248-byte records (FIB.DAT, ESSAIFIB.DAT): record 0 is the
// centre header, records 1..NbFiches the FIBs. Each operation opens the file,
// does its work and closes it before returning; a failure comes back as an
// IoError naming the file and the cause, and the caller's buffer is left as
// it was.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/FibRecord.h"
#include "store/RecordIo.h"

namespace pelo {

namespace recordfile {

// Creates the file with the template header when it does not exist.
// *created tells whether it was created.
IoStatus createIfMissing(const std::string& path, bool* created = nullptr);

// Creates (or truncates) the file with the given records, under a temporary
// name synced and renamed over the old one, the old one locked meanwhile (a
// sheet saved at that moment by another copy of the program goes into the new
// file). With unlessChangedFrom, an old file that no longer holds exactly
// those records (sheets saved or changed since they were read) is not
// replaced: "FIB.DAT n'a pas été remplacé : des fiches y ont été enregistrées
// ou modifiées entre-temps (par un autre poste ?)."
IoStatus replaceWith(const std::string& path, const std::vector<FibRecord>& records,
                     const std::vector<FibRecord>* unlessChangedFrom = nullptr);

IoStatus readHeader(const std::string& path, CentreHeader& out);
// Writes the header, keeping the count of FIBs the file holds (another copy of
// the program may have saved since the header was read); under the lock of
// appendFib. Refused (a plain IoError) when the file holds FIBs of another
// identified centre than the header's: it was replaced meanwhile.
IoStatus writeHeader(const std::string& path, const CentreHeader& header);

// Record k (1..NbFiches of the header); a record beyond the end of the file is an error.
IoStatus readFib(const std::string& path, std::uint32_t k, FibRecord& out);
// Under the lock of appendFib, and only over the same sheet (NumFib and
// NumCentre of the record replaced) in a file of its centre (the header's
// NumCentre): otherwise the file was replaced meanwhile (a change of centre on
// another workstation) and nothing is written; a plain IoError says so.
IoStatus rewriteFib(const std::string& path, std::uint32_t k, const FibRecord& rec);

// Appends the buffer as FIB NbFiches + 1, NbFiches read from the file's header
// under an exclusive lock of the file (two copies of the program saving at
// once each get a number of their own): writes the FIB, then the header's
// count, then reads the FIB back into the buffer; synced to disk. On success
// count is the number the FIB got, which differs from the count passed + 1
// when another copy saved in between. "Fichier plein" when the file already
// holds 65535 FIBs; refused (a plain IoError) when the header's centre is not
// the buffer's NumCentre. A write that fails (a full disk) leaves the file as
// it was: it is cut back to its size before the write, under the lock.
IoStatus appendFib(const std::string& path, std::uint16_t& count, FibRecord& buffer);

// Appends FIBs NbFiches + 1 ... in one write under the lock of appendFib, the
// header's count written last, so that an interruption stores none of them;
// first is the number the first one got. "Fichier plein" when they would
// take the count past 65535 (nothing is written).
IoStatus appendFibs(const std::string& path, const std::vector<FibRecord>& fibs, std::uint16_t& first);

// Number of whole records in the file (header included).
IoStatus recordCount(const std::string& path, std::uint32_t& out);

// A record file ends with a partial record beyond its count (what a write
// interrupted by a full disk leaves): the readers ignore it; the text that
// tells the user so, nothing for a file of whole records.
std::optional<std::string> incompleteTailNotice(const std::string& path);

struct RepairResult {
    std::uint16_t fibs = 0;    // the header's count, kept
    std::uint64_t before = 0;  // bytes before
    std::uint64_t after = 0;   // bytes after: the header and the counted FIBs
    std::string copy;          // the copy of the whole file, empty when nothing was cut
};
// Cuts a record file back to its header's count (partial or uncounted records
// left by interrupted writes), after copying it whole to `copy` (a new file).
// Under the lock of the writers. A count past the end is an error: nothing to cut.
IoStatus repair(const std::string& path, const std::string& copy, RepairResult& out);

}  // namespace recordfile

// Sequential reading of a whole record file through a large buffer: the
// header first, then FIBs 1..NbFiches. A NbFiches past the end of the file, a
// file shorter than its header or not made of whole records is an error.
// Errors name the file by its path.
// A partial record at the end (an interrupted save) is ignored.
class RecordReader : public recordio::RecordSequence<CentreHeader, FibRecord, 1024> {
public:
    RecordReader() : RecordSequence(recordio::Tail::Ignored) {}
    IoStatus open(const std::string& path) { return RecordSequence::open(path, path); }
};

// Reads all FIBs 1..NbFiches at once.
IoStatus readAllFibs(const std::string& path, CentreHeader& header, std::vector<FibRecord>& fibs);

}  // namespace pelo
