#pragma once
// Copies of a centre's record file: the backup to a destination folder and to
// the centre's own file "FIB" + centre + ".DAT" beside FIB.DAT, and the change
// of centre that sets FIB.DAT aside and starts or brings back another one.
// A copy transfers records 0 to n of the source (n from its header), each
// unchanged; the file written is replaced atomically, so a failure leaves the
// file that was there whole.

#include <cstdint>
#include <string>

#include "store/RecordFile.h"

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
// when fibFile cannot be read; the second copy is not made when the first fails.
IoStatus backupCentre(const std::string& fibFile, const std::string& folder, BackupResult& out);

// Sets fibFile aside as the centre file of the given centre (in the working folder).
IoStatus setAside(const std::string& fibFile, std::uint32_t centre);

// Sets fibFile aside under the number of the centre its own header names, so
// that the file written is always the one of the records it holds, whatever
// centre the run was last told about (the practice file has a number of its
// own). *centre receives that number. Nothing is written for a number of more
// than four digits.
IoStatus setAsideUnderItsCentre(const std::string& fibFile, std::uint16_t* centre = nullptr);

// Starts an empty fibFile: the template header only.
IoStatus startNewCentre(const std::string& fibFile);

// Brings back the records of centre file into fibFile. fibFile is unchanged
// when the centre file is missing or unreadable. *header receives its header.
IoStatus takeBack(const std::string& centreFile, const std::string& fibFile, CentreHeader* header = nullptr);

}  // namespace pelo::backup
