#include "Cli.h"

#include "formats/Csv.h"
#include "pool/PoolFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "formats/RecordFile.h"
#include "pool/ReferenceYear.h"
#include "pool/VariabilityList.h"

namespace pelo::cli {

bool Args::has(const std::string& name) const {
    return std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == name; });
}

std::optional<std::string> Args::value(const std::string& name) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name) return it->second;
    return std::nullopt;
}

bool parseArgs(const std::vector<std::string>& words, const std::vector<std::string>& withValue,
               const std::vector<std::string>& flags, Args& out, std::string* error) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.rfind("--", 0) == 0) {
            std::string name = w.substr(2);
            if (std::find(withValue.begin(), withValue.end(), name) != withValue.end()) {
                if (i + 1 >= words.size()) {
                    *error = "l'option --" + name + " attend une valeur";
                    return false;
                }
                out.options.emplace_back(name, words[++i]);
            } else if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
                out.options.emplace_back(name, "");
            } else {
                *error = "option inconnue : " + w;
                return false;
            }
        } else {
            out.positional.push_back(w);
        }
    }
    return true;
}

std::optional<long> parseLong(const std::string& text, long lo, long hi) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i >= text.size()) return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

bool centreOption(const Args& a, std::int32_t& centre, int& rc) {
    centre = 0;
    if (auto v = a.value("centre")) {
        auto n = parseLong(*v, 1, 998);
        if (!n) {
            rc = usageError("--centre attend un numéro de centre de 1 à 998");
            return false;
        }
        centre = std::int32_t(*n);
    }
    return true;
}

bool bandLineOption(const Args& a, const std::string& command, int& line, int& rc) {
    const auto v = a.value("ligne");
    if (!v) {
        rc = usageError(command + " attend --ligne L");
        return false;
    }
    const auto n = parseLong(*v, 0, eval::kLineCount - 1);
    if (!n || pool::counterOfLine(int(*n)) < 0) {
        rc = usageError("--ligne attend le numéro d'une ligne de bande de la liste (3 à 262)");
        return false;
    }
    line = int(*n);
    return true;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "fibtool : %s\nEssayez « fibtool aide ».\n", message.c_str());
    return kUsage;
}

bool acceptedPath(const std::string& path, int& rc, bool tellPartialRecord) {
    const bool control =
        std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (path.empty() || path == "-" || control) {
        rc = usageError(path.empty() ? "nom de fichier vide"
                        : control    ? "nom de fichier incorrect : il contient un caractère de contrôle"
                                     : "nom de fichier incorrect : « - » n'est pas un nom de fichier");
        return false;
    }
    // A partial last record (a save interrupted by a full disk) is ignored by
    // the readers; the user is told, and how to cut it.
    if (auto note = tellPartialRecord ? recordfile::incompleteTailNotice(path) : std::nullopt)
        std::fprintf(stderr, "fibtool : %s\n", note->c_str());
    return true;
}

int fileError(const std::string& message) {
    std::fprintf(stderr, "fibtool : %s\n", message.c_str());
    return kFileError;
}

// --annee-ref AAAA, or the year of most sheets of the pooled file.
bool referenceYearOption(const Args& a, const std::string& pool, std::int32_t& year, int& rc) {
    if (auto v = a.value("annee-ref")) {
        auto n = parseLong(*v, 1, 9999);
        if (!n) {
            rc = usageError("--annee-ref attend une année de 1 à 9999");
            return false;
        }
        year = std::int32_t(*n);
        return true;
    }
    if (auto e = pool::proposeReferenceYear("", pool, year)) {
        rc = fileError(e->message());
        return false;
    }
    return true;
}

namespace {
std::string folderOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

bool acceptedOutput(const std::string& output, const std::string& input, int& rc) {
    if (!acceptedPath(output, rc)) return false;
    for (const std::string& out : {output, formats::codebookPath(output)}) {
        const std::string folder = folderOfPath(out);
        const std::string in = folderOfPath(input) == folder ? formats::baseName(input) : std::string();
        if (auto why = pool::protectedOutput(folder, formats::baseName(out), in)) {
            rc = usageError(*why);
            return false;
        }
    }
    return true;
}

}  // namespace pelo::cli
