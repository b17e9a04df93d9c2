#include "pool/PoolFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
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
    const bool control =
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (control) return std::string("Nom de fichier incorrect : il contient un caractère de contrôle");
    if (name == "-") return std::string("Nom de fichier incorrect : « - » n'est pas un nom de fichier");
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == ".." ||
        name.find(':') != std::string::npos)
        return "Nom de fichier incorrect : " + name + " (un nom simple, sans dossier, est attendu)";
    return {};
}

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

// FIB.DAT, ESSAIFIB.DAT, GROUPE.DAT, FIBn.DAT, whatever the case.
bool centreOwnName(const std::string& name) {
    const std::string u = upper(name);
    if (u == "FIB.DAT" || u == "ESSAIFIB.DAT" || u == "GROUPE.DAT") return true;
    if (u.size() < 8 || u.compare(0, 3, "FIB") != 0 || u.compare(u.size() - 4, 4, ".DAT") != 0) return false;
    const std::string digits = u.substr(3, u.size() - 7);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
}

bool sameFile(const std::string& folder, const std::string& a, const std::string& b) {
    if (upper(a) == upper(b)) return true;
    struct stat sa {
    }, sb{};
    return ::stat(inFolder(folder, a).c_str(), &sa) == 0 && ::stat(inFolder(folder, b).c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::optional<std::string> protectedOutput(const std::string& folder, const std::string& output,
                                           const std::string& input) {
    if (centreOwnName(output))
        return "Le nom " + output +
               " est celui d'un fichier de centre ou des groupes, que cette action ne remplace pas : choisissez un "
               "autre nom.";
    if (!input.empty() && sameFile(folder, output, input))
        return "Le fichier " + output + " est celui qui est lu (" + input +
               ") : il serait remplacé. Choisissez un autre nom.";
    return {};
}

std::optional<std::string> synthesisNamesRefused(const std::string& folder, const std::string& poolName) {
    const auto names = synthesisNames(poolName);
    if (!names)
        return "Le nom " + poolName +
               " est trop court : il faut plus de 3 caractères pour nommer les fichiers de synthèse.";
    for (const std::string* n : {&names->index, &names->counters})
        if (auto why = protectedOutput(folder, *n, poolName))
            return "Les fichiers de synthèse de " + poolName + " seraient " + names->index + " et " + names->counters +
                   " : " + *why;
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
    if (auto e = readWholeFile(folder, name, bytes, kMaxCounterBytes)) return e;
    if (bytes.size() < sizeof(SynCounters) || bytes.size() % sizeof(SynCounters) != 0)
        return recordio::shapeError(name, bytes.size(), sizeof(SynCounters));
    out.resize(bytes.size() / sizeof(SynCounters));
    std::memcpy(out.data(), bytes.data(), bytes.size());
    return {};
}

IoStatus checkSynthesisPair(const std::string& indexName, const std::string& counterName, const SynIndex& index,
                            const std::vector<SynCounters>& records) {
    auto incoherent = [&](const std::string& why) {
        return IoError{indexName + " / " + counterName, "synthèse incohérente (" + why + ")"};
    };
    if (records.empty()) return incoherent("aucun enregistrement de compteurs");
    const std::size_t centres = records.size() - 1;
    if (index.centreRecords() != centres)
        return incoherent("l'index annonce " + std::to_string(index.centreRecords()) + " enregistrements de centre, " +
                          "le fichier des compteurs en contient " + std::to_string(centres));
    for (int c = 1; c <= SynIndex::kLastCentre; ++c) {
        const std::uint16_t k = index.entries[std::size_t(c)];
        if (k > centres) return incoherent("le centre " + std::to_string(c) + " renvoie à un enregistrement absent");
        // A record written with its centre must be the one of that centre
        // (0: written before records carried it).
        if (k > 0 && records[k].reserved != 0 && records[k].reserved != c)
            return incoherent("le centre " + std::to_string(c) + " renvoie à l'enregistrement du centre " +
                              std::to_string(records[k].reserved));
    }
    std::uint64_t fibs = 0;
    SynCounters sum;
    for (std::size_t k = 1; k < records.size(); ++k) {
        const SynCounters& r = records[k];
        if (r.NbFichesCentre > 0xFFFF)
            return incoherent("nombre de fiches de l'enregistrement " + std::to_string(k) + " impossible");
        for (const std::uint16_t v : r.counters)
            if (v > r.NbFichesCentre)
                return incoherent("un compteur de l'enregistrement " + std::to_string(k) +
                                  " dépasse son nombre de fiches");
        fibs += r.NbFichesCentre;
        sum.addCounters(r);
    }
    if (fibs > 0xFFFF || fibs != index.totalFibs())
        return incoherent("l'index compte " + std::to_string(index.totalFibs()) + " fiches, les centres " +
                          std::to_string(fibs));
    if (sum.counters != records[0].counters) return incoherent("le total du pays n'est pas la somme des centres");
    return {};
}

IoStatus readSynthesisPair(const std::string& folder, const std::string& indexName, const std::string& counterName,
                           SynIndex& index, std::vector<SynCounters>& records) {
    SynIndex i;
    std::vector<SynCounters> r;
    if (auto e = readSynIndex(folder, indexName, i)) return e;
    if (auto e = readAllSynCounters(folder, counterName, r)) return e;
    if (auto e = checkSynthesisPair(indexName, counterName, i, r)) return e;
    index = i;
    records = std::move(r);
    return {};
}

IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out,
                       std::uint64_t maxBytes) {
    return recordio::readWhole(inFolder(folder, name), name, out, maxBytes);
}

IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n) {
    return recordio::replaceWhole(inFolder(folder, name), name, data, n);
}

bool fileExists(const std::string& folder, const std::string& name) {
    struct stat st {};
    return ::stat(inFolder(folder, name).c_str(), &st) == 0;
}

}  // namespace pelo::pool
