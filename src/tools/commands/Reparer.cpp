// fibtool reparer: a record file cut back to its header's count, after a
// copy of the whole file is kept.
#include <sys/stat.h>

#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "formats/RecordFile.h"

namespace pelo::cli {

namespace {

// FICHIER.avant-reparation, or -2, -3... after it: a copy never replaces anything.
std::string freeCopyName(const std::string& path) {
    const std::string base = path + ".avant-reparation";
    std::string name = base;
    struct stat st {};
    for (int k = 2; ::lstat(name.c_str(), &st) == 0; ++k) name = base + "-" + std::to_string(k);
    return name;
}

int runReparer(const Args& a) {
    if (a.positional.size() != 1) return usageError("reparer attend un nom de fichier");
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc, false)) return rc;
    recordfile::RepairResult r;
    if (auto e = recordfile::repair(path, freeCopyName(path), r)) return fileError(e->message());
    if (r.copy.empty()) {
        std::printf("%s : rien à réparer (%u fiches, %llu octets)\n", path.c_str(), unsigned(r.fibs),
                    static_cast<unsigned long long>(r.after));
        return kOk;
    }
    std::printf("%s : %llu octets coupés après la fiche %u (%llu octets, puis %llu) ; copie de l'original : %s\n",
                path.c_str(), static_cast<unsigned long long>(r.before - r.after), unsigned(r.fibs),
                static_cast<unsigned long long>(r.before), static_cast<unsigned long long>(r.after), r.copy.c_str());
    return kOk;
}

}  // namespace

extern const Command commandReparer{
    .name = "reparer",
    .synopsis = "FICHIER",
    .summary = "coupe un fichier de fiches à son nombre de fiches",
    .description =
        "Coupe un fichier de fiches (FIB.DAT) après la dernière fiche que compte son en-tête :\n"
        "ce qu'une écriture interrompue (un disque plein) a laissé au-delà, une fiche incomplète\n"
        "que les lecteurs ignorent. Le fichier entier est d'abord copié sous\n"
        "FICHIER.avant-reparation (ou -2, -3... : rien n'est remplacé) ; le message dit ce qui a\n"
        "été coupé. Un fichier dont le nombre de fiches dépasse la fin n'est pas touché (code 1).\n",
    .options = {},
    .example = "fibtool reparer FIB.DAT",
    .run = runReparer,
};

}  // namespace pelo::cli
