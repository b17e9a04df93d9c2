#include "exchange/Backup.h"

#include <vector>

#include "formats/SealedCopy.h"
#include "store/Text.h"

namespace pelo::backup {

std::string centreFileName(std::uint32_t centre) { return "FIB" + std::to_string(centre) + ".DAT"; }

namespace {
const char* const kUnidentified =
    "Le centre n'est pas identifié (numéro 0) : rien n'est sauvegardé. Identifiez-le d'abord (SAISIE).";

IoStatus readWhole(const std::string& path, std::vector<FibRecord>& records) {
    CentreHeader header;
    std::vector<FibRecord> fibs;
    if (auto e = readAllFibs(path, header, fibs)) return e;
    records.clear();
    records.reserve(fibs.size() + 1);
    records.push_back(header);
    records.insert(records.end(), fibs.begin(), fibs.end());
    return {};
}

// A file of the same folder as fibFile, whatever folder that is.
std::string beside(const std::string& fibFile, const std::string& name) {
    const auto slash = fibFile.rfind('/');
    return slash == std::string::npos ? name : fibFile.substr(0, slash + 1) + name;
}
}  // namespace

IoStatus copyRecordFile(const std::string& source, const std::string& dest, std::uint32_t* copied) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(source, records)) return e;
    if (auto e = recordfile::replaceWith(dest, records)) return e;
    if (copied) *copied = static_cast<std::uint32_t>(records.size());
    return {};
}

namespace {
// The centre's records, read whole for a backup, and the centre they belong to.
IoStatus readForBackup(const std::string& fibFile, std::vector<FibRecord>& records, BackupResult& out) {
    if (auto e = readWhole(fibFile, records)) return e;
    out.centre = records.front().get(fld::NumCentre);
    // File names hold a centre number of at most four digits; 0 is no centre yet.
    if (out.centre > 9999) return IoError{fibFile, "Numéro de centre incorrect", true};
    if (out.centre == 0) return IoError{fibFile, kUnidentified, true};
    out.records = static_cast<std::uint32_t>(records.size());
    return {};
}
}  // namespace

IoStatus backupCentre(const std::string& fibFile, const std::string& folder, BackupResult& out) {
    std::vector<FibRecord> records;
    if (auto e = readForBackup(fibFile, records, out)) return e;
    const std::string name = centreFileName(out.centre);
    if (auto e = recordfile::replaceWith(recordio::inFolder(folder, name), records)) return e;
    return recordfile::replaceWith(beside(fibFile, name), records);
}

IoStatus backupCentreSealed(const std::string& fibFile, const std::string& folder, const seal::Secret& passphrase,
                            const seal::KdfLimits& limits, BackupResult& out) {
    std::vector<FibRecord> records;
    if (auto e = readForBackup(fibFile, records, out)) return e;
    const std::string name = centreFileName(out.centre);
    if (auto e = seal::sealRecordsTo(records, recordio::inFolder(folder, seal::sealedName(name)), passphrase, limits))
        return e;
    return recordfile::replaceWith(beside(fibFile, name), records);
}

IoStatus setAside(const std::string& fibFile, std::uint32_t centre) {
    return copyRecordFile(fibFile, beside(fibFile, centreFileName(centre)));
}

IoStatus setAsideUnderItsCentre(const std::string& fibFile, SetAsideResult* out) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(fibFile, records)) return e;
    SetAsideResult r;
    r.centre = records.front().get(fld::NumCentre);
    r.fibs = static_cast<std::uint16_t>(records.size() - 1);
    if (r.centre > 9999) return IoError{fibFile, "Numéro de centre incorrect", true};
    if (r.centre == 0) {
        if (r.fibs > 0)
            return IoError{fibFile,
                           "FIB.DAT contient " + fibCountText(r.fibs) +
                               " d'un centre non identifié (numéro 0) : identifiez le centre (SAISIE) avant d'en "
                               "changer.",
                           true};
        r.content = std::move(records);
        if (out) *out = std::move(r);
        return {};
    }
    if (auto e = recordfile::replaceWith(beside(fibFile, centreFileName(r.centre)), records)) return e;
    r.written = true;
    r.content = std::move(records);
    if (out) *out = std::move(r);
    return {};
}

std::string fibCountText(std::uint32_t fibs) { return counted(fibs, "fiche", "fiches"); }

std::string backupDoneMessage(const BackupResult& r, const std::string& folderCopy, const std::string& localCopy) {
    return "Sauvegarde faite : le centre " + std::to_string(r.centre) + " (" +
           fibCountText(r.records > 0 ? r.records - 1 : 0) + ") est copié dans\n" + folderCopy + "\net dans\n" +
           localCopy;
}

std::string setAsideMessage(const SetAsideResult& r) {
    if (!r.written) return "Le centre courant n'est pas identifié et n'a aucune fiche : rien n'est mis de côté.";
    return "Le centre " + std::to_string(r.centre) + " (" + fibCountText(r.fibs) + ") est mis de côté dans " +
           centreFileName(r.centre) + ".";
}

std::string takenBackMessage(std::uint16_t centre, std::uint16_t fibs) {
    return "FIB.DAT contient maintenant le centre " + std::to_string(centre) + " (" + fibCountText(fibs) + ").";
}

IoStatus startNewCentre(const std::string& fibFile, const std::vector<FibRecord>* unlessChangedFrom) {
    return recordfile::replaceWith(fibFile, {headerTemplate()}, unlessChangedFrom);
}

IoStatus takeBack(const std::string& centreFile, const std::string& fibFile, CentreHeader* header,
                  const std::vector<FibRecord>* unlessChangedFrom) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(centreFile, records)) return e;
    if (auto e = recordfile::replaceWith(fibFile, records, unlessChangedFrom)) return e;
    if (header) *header = records.front();
    return {};
}

IoStatus takeBackSealed(const std::string& sealedFile, const std::string& fibFile, const seal::Secret& passphrase,
                        CentreHeader* header, const std::vector<FibRecord>* unlessChangedFrom) {
    std::vector<FibRecord> records;
    if (auto e = seal::openSealedRecords(sealedFile, passphrase, records)) return e;
    if (auto e = recordfile::replaceWith(fibFile, records, unlessChangedFrom)) return e;
    if (header) *header = records.front();
    return {};
}

}  // namespace pelo::backup
