#pragma once
// Record files of 248-byte records (FIB.DAT, ESSAIFIB.DAT): record 0 is the
// centre header, records 1..NbFiches the FIBs. Each operation opens the file,
// does its work and closes it before returning; a failure comes back as an
// IoError naming the file and the cause, and the caller's buffer is left as
// it was.

#include <cstdint>
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
// appendFib.
IoStatus writeHeader(const std::string& path, const CentreHeader& header);

// Record k (1..NbFiches of the header); a record beyond the end of the file is an error.
IoStatus readFib(const std::string& path, std::uint32_t k, FibRecord& out);
// Under the lock of appendFib.
IoStatus rewriteFib(const std::string& path, std::uint32_t k, const FibRecord& rec);

// Appends the buffer as FIB NbFiches + 1, NbFiches read from the file's header
// under an exclusive lock of the file (two copies of the program saving at
// once each get a number of their own): writes the FIB, then the header's
// count, then reads the FIB back into the buffer; synced to disk. On success
// count is the number the FIB got, which differs from the count passed + 1
// when another copy saved in between. "Fichier plein" when the file already
// holds 65535 FIBs.
IoStatus appendFib(const std::string& path, std::uint16_t& count, FibRecord& buffer);

// Appends FIBs NbFiches + 1 ... in one write under the lock of appendFib, the
// header's count written last, so that an interruption stores none of them;
// first is the number the first one got. "Fichier plein" when they would
// take the count past 65535 (nothing is written).
IoStatus appendFibs(const std::string& path, const std::vector<FibRecord>& fibs, std::uint16_t& first);

// Number of whole records in the file (header included).
IoStatus recordCount(const std::string& path, std::uint32_t& out);

}  // namespace recordfile

// Sequential reading of a whole record file through a large buffer: the
// header first, then FIBs 1..NbFiches. A NbFiches past the end of the file, a
// file shorter than its header or not made of whole records is an error.
// Errors name the file by its path.
class RecordReader : public recordio::RecordSequence<CentreHeader, FibRecord, 1024> {
public:
    IoStatus open(const std::string& path) { return RecordSequence::open(path, path); }
};

// Reads all FIBs 1..NbFiches at once.
IoStatus readAllFibs(const std::string& path, CentreHeader& header, std::vector<FibRecord>& fibs);

}  // namespace pelo
