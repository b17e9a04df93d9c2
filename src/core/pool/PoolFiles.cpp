#include "pool/PoolFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace pelo::pool {

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
