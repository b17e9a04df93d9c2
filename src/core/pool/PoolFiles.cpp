#include "pool/PoolFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace pelo::pool {

namespace {

// Reads record k of a file of fixed-size records.
IoStatus readRecordAt(const std::string& folder, const std::string& name, std::size_t recordSize, std::uint32_t k,
                      void* out) {
    recordio::File f(inFolder(folder, name), name, recordio::File::Mode::Read);
    if (f.openError()) return f.openError();
    if (auto e = recordio::readRecord(f, recordSize, k, out, "l'enregistrement")) return e;
    return f.close();
}

}  // namespace

std::optional<std::string> badFileName(const std::string& name) {
    const bool blank = std::all_of(name.begin(), name.end(), [](char c) { return c == ' '; });
    if (blank) return std::string("Nom de fichier vide");
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == ".." ||
        name.find(':') != std::string::npos)
        return "Nom de fichier incorrect : " + name + " (un nom simple, sans dossier, est attendu)";
    return {};
}

std::optional<SynNames> synthesisNames(const std::string& poolName) {
    if (poolName.size() <= 3) return {};
    const std::string rest = poolName.substr(3);
    const auto dot = rest.rfind('.');
    const std::string stem = dot == std::string::npos ? rest + "." : rest.substr(0, dot + 1);
    return SynNames{"SYN" + stem + "ATX", "SYN" + stem + "BTX"};
}

std::string counterFileOf(const std::string& indexName) {
    std::string out = indexName;
    const auto dot = out.rfind('.');
    if (dot != std::string::npos && dot + 1 < out.size()) out[dot + 1] = 'B';
    return out;
}

IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out) {
    return readRecordAt(folder, name, sizeof(SynIndex), 0, &out);
}

IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out) {
    return readRecordAt(folder, name, sizeof(SynCounters), k, &out);
}

IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out) {
    std::vector<std::uint8_t> bytes;
    if (auto e = readWholeFile(folder, name, bytes)) return e;
    if (bytes.size() < sizeof(SynCounters) || bytes.size() % sizeof(SynCounters) != 0)
        return recordio::shapeError(name, bytes.size(), sizeof(SynCounters));
    out.resize(bytes.size() / sizeof(SynCounters));
    std::memcpy(out.data(), bytes.data(), bytes.size());
    return {};
}

IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out) {
    return recordio::readWhole(inFolder(folder, name), name, out);
}

IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n) {
    return recordio::replaceWhole(inFolder(folder, name), name, data, n);
}

bool fileExists(const std::string& folder, const std::string& name) {
    struct stat st {};
    return ::stat(inFolder(folder, name).c_str(), &st) == 0;
}

}  // namespace pelo::pool
