#pragma once
// Copies of a centre's record file: the backup to a destination folder and to
// the centre's own file "FIB" + centre + ".DAT" beside FIB.DAT, and the change
// of centre that sets FIB.DAT aside and starts or brings back another one.
// A copy transfers records 0 to n of the source (n from its header), each
// unchanged; the file written is replaced atomically, so a failure leaves the
// file that was there whole.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/RecordFile.h"
#include "formats/Seal.h"

namespace pelo::backup {

// "FIB12.DAT" for centre 12.
std::string centreFileName(std::uint32_t centre);

// Copies records 0..n of source into dest. *copied receives n + 1.
IoStatus copyRecordFile(const std::string& source, const std::string& dest, std::uint32_t* copied = nullptr);

struct BackupResult {
    std::uint16_t centre = 0;   // centre number read from the header of FIB.DAT
    std::uint32_t records = 0;  // records copied into each file (n + 1)
};

// The backup: reads the header of fibFile for the centre number, copies it to
// folder/FIBc.DAT and then to FIBc.DAT beside fibFile. Nothing is written
// when fibFile cannot be read or names no centre (0); the second copy is not
// made when the first fails.
IoStatus backupCentre(const std::string& fibFile, const std::string& folder, BackupResult& out);

// The backup with the destination's copy sealed under a passphrase:
// folder/FIBc.DAT.chiffre, then the plain FIBc.DAT beside fibFile.
IoStatus backupCentreSealed(const std::string& fibFile, const std::string& folder, const seal::Secret& passphrase,
                            const seal::KdfLimits& limits, BackupResult& out);

// Sets fibFile aside as the centre file of the given centre (in the working folder).
IoStatus setAside(const std::string& fibFile, std::uint32_t centre);

struct SetAsideResult {
    std::uint16_t centre = 0;        // the centre its header names
    std::uint16_t fibs = 0;          // its FIB count
    bool written = false;            // false: an unidentified centre without FIB, nothing to keep
    std::vector<FibRecord> content;  // what fibFile held: it is replaced only while it still does
};

// Sets fibFile aside under the number of the centre its own header names, so
// that the file written is always the one of the records it holds, whatever
// centre the run was last told about (the practice file has a number of its
// own). Nothing is written for a number of more than four digits, nor for a
// centre 0: without FIB there is nothing to keep (written stays false); with
// FIBs it is an error, since they could be told from no other centre's.
IoStatus setAsideUnderItsCentre(const std::string& fibFile, SetAsideResult* out = nullptr);

// Messages of the backup screen, naming the files and what was done.
// "0 fiche", "1 fiche", "40 fiches"
std::string fibCountText(std::uint32_t fibs);
// The backup: the centre, its FIBs and the two copies written.
std::string backupDoneMessage(const BackupResult& r, const std::string& folderCopy, const std::string& localCopy);
// The centre set aside: "Le centre 12 (40 fiches) est mis de côté dans FIB12.DAT."
std::string setAsideMessage(const SetAsideResult& r);
// After a centre was taken back: "FIB.DAT contient maintenant le centre 77 (0 fiche)."
std::string takenBackMessage(std::uint16_t centre, std::uint16_t fibs);

// Starts an empty fibFile: the template header only. With unlessChangedFrom
// (what was set aside), a fibFile that changed since is left as it is.
IoStatus startNewCentre(const std::string& fibFile, const std::vector<FibRecord>* unlessChangedFrom = nullptr);

// Brings back the records of centre file into fibFile. fibFile is unchanged
// when the centre file is missing or unreadable. *header receives its header.
// unlessChangedFrom as for startNewCentre.
IoStatus takeBack(const std::string& centreFile, const std::string& fibFile, CentreHeader* header = nullptr,
                  const std::vector<FibRecord>* unlessChangedFrom = nullptr);

// takeBack from a sealed centre file ("FIB7.DAT.chiffre"), opened in memory
// with its passphrase; fibFile is unchanged on any failure.
IoStatus takeBackSealed(const std::string& sealedFile, const std::string& fibFile, const seal::Secret& passphrase,
                        CentreHeader* header = nullptr, const std::vector<FibRecord>* unlessChangedFrom = nullptr);

}  // namespace pelo::backup
