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

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
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
    if (auto e = recordfile::replaceWith(inFolder(folder, name), records)) return e;
    // Beside FIB.DAT, whatever folder it is in.
    const auto slash = fibFile.rfind('/');
    const std::string here = slash == std::string::npos ? name : fibFile.substr(0, slash + 1) + name;
    return recordfile::replaceWith(here, records);
}

IoStatus setAside(const std::string& fibFile, std::uint32_t centre) {
    const auto slash = fibFile.rfind('/');
    const std::string name = centreFileName(centre);
    return copyRecordFile(fibFile, slash == std::string::npos ? name : fibFile.substr(0, slash + 1) + name);
}

IoStatus setAsideUnderItsCentre(const std::string& fibFile, std::uint16_t* centre) {
    std::vector<FibRecord> records;
    if (auto e = readWhole(fibFile, records)) return e;
    const std::uint16_t number = records.front().get(fld::NumCentre);
    if (number > 9999) return IoError{fibFile, "Numéro de centre incorrect", true};
    const auto slash = fibFile.rfind('/');
    const std::string name = centreFileName(number);
    if (auto e = recordfile::replaceWith(slash == std::string::npos ? name : fibFile.substr(0, slash + 1) + name,
                                         records))
        return e;
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
