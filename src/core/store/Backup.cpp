#include "store/Backup.h"

#include <vector>

namespace pelo::backup {

std::string centreFileName(std::uint32_t centre) { return "FIB" + std::to_string(centre) + ".DAT"; }

namespace {
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

IoStatus backupCentre(const std::string& fibFile, const std::string& folder, BackupResult& out) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(fibFile, records)) return e;
    out.centre = records.front().get(fld::NumCentre);
    // File names hold a centre number of at most four digits.
    if (out.centre > 9999) return IoError{fibFile, "Numéro de centre incorrect", true};
    out.records = static_cast<std::uint32_t>(records.size());
    const std::string name = centreFileName(out.centre);
    if (auto e = recordfile::replaceWith(recordio::inFolder(folder, name), records)) return e;
    return recordfile::replaceWith(beside(fibFile, name), records);
}

IoStatus setAside(const std::string& fibFile, std::uint32_t centre) {
    return copyRecordFile(fibFile, beside(fibFile, centreFileName(centre)));
}

IoStatus setAsideUnderItsCentre(const std::string& fibFile, std::uint16_t* centre) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(fibFile, records)) return e;
    const std::uint16_t number = records.front().get(fld::NumCentre);
    if (number > 9999) return IoError{fibFile, "Numéro de centre incorrect", true};
    if (auto e = recordfile::replaceWith(beside(fibFile, centreFileName(number)), records)) return e;
    if (centre) *centre = number;
    return {};
}

IoStatus startNewCentre(const std::string& fibFile) { return recordfile::replaceWith(fibFile, {headerTemplate()}); }

IoStatus takeBack(const std::string& centreFile, const std::string& fibFile, CentreHeader* header) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(centreFile, records)) return e;
    if (auto e = recordfile::replaceWith(fibFile, records)) return e;
    if (header) *header = records.front();
    return {};
}

}  // namespace pelo::backup
