// fibtool controle: the state each FIB of a record file would get when saved,
// with the findings of the save's checks. The file is only read.
#include <cstdio>
#include <string>

#include "Cli.h"
#include "Command.h"
#include "entry/CallUp.h"
#include "formats/RecordFile.h"
#include "store/Units.h"

namespace pelo::cli {

namespace {

int runControle(const Args& a) {
    if (a.positional.size() != 1) return usageError("controle attend un nom de fichier");
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc)) return rc;

    checks::Context ctx;
    ctx.currentYear = currentYear();
    ctx.readPage2Entries = true;
    if (auto v = a.value("annee")) {
        auto y = parseLong(*v, 1, 9999);
        if (!y) return usageError("--annee attend une année de 1 à 9999");
        ctx.currentYear = static_cast<int>(*y);
    }
    std::uint32_t only = 0;
    if (auto v = a.value("fiche")) {
        auto n = parseLong(*v, 1, 65535);
        if (!n) return usageError("--fiche attend un numéro de 1 à 65535");
        only = static_cast<std::uint32_t>(*n);
    }

    RecordReader reader;
    if (auto e = reader.open(path)) return fileError(e->message());
    ctx.units = units::fromHeader(reader.header());
    if (only > reader.count()) {
        reader.close();
        return fileError("la fiche " + std::to_string(only) + " n'existe pas dans " + path);
    }

    // Printed once the whole file has been read, so that a read error leaves no half list.
    std::string out;
    IoStatus readError;
    while (const FibRecord* fib = reader.next(&readError)) {
        std::uint32_t k = reader.number();
        if (only != 0 && k != only) continue;
        out += checks::controlLine(k, checks::checkAsSaved(*fib, ctx));
        out += '\n';
        if (k == only) break;
    }
    reader.close();
    if (readError) return fileError(readError->message());
    std::fputs(out.c_str(), stdout);
    return kOk;
}

}  // namespace

extern const Command commandControle{
    .name = "controle",
    .synopsis = "FICHIER [--annee AAAA] [--fiche K]",
    .summary = "état que chaque fiche recevrait",
    .description =
        "État que chaque fiche recevrait à l'enregistrement, avec les constats des contrôles\n"
        "des deux pages. Le fichier n'est pas modifié. Une ligne par fiche : numéro, état,\n"
        "puis par constat une lettre (E erreur, A avertissement, S avertissement discret,\n"
        "R remarque en rouge, C erreur de conversion), « : » et le message.\n",
    .options = {{"annee", "AAAA", "année en cours (défaut : cette année)"}, {"fiche", "K", "la seule fiche K"}},
    .example = "fibtool controle FIB.DAT --annee 2026 --fiche 12",
    .run = runControle,
};

}  // namespace pelo::cli
