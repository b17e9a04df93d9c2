// fibtool importer: sheets of a CSV or xlsx appended to a centre's record
// file, each checked as a save checks it; --essai only says what would be stored.
#include <cstdio>
#include <string>

#include "Cli.h"
#include "Command.h"
#include "TermProgress.h"
#include "exchange/FibImport.h"
#include "formats/Sink.h"
#include "pool/PoolFiles.h"
#include "store/Text.h"

namespace pelo::cli {

namespace {

int runImporter(const Args& a) {
    if (a.positional.size() != 2) return usageError("importer attend un fichier de fiches et un fichier source");
    const std::string& target = a.positional[0];
    const std::string& source = a.positional[1];
    int rc = kOk;
    if (!acceptedPath(target, rc) || !acceptedPath(source, rc)) return rc;
    exchange::ImportOptions o;
    o.keepDuplicates = a.has("doublons");
    if (auto v = a.value("annee")) {
        auto y = parseLong(*v, 1, 9999);
        if (!y) return usageError("--annee attend une année de 1 à 9999");
        o.currentYear = static_cast<int>(*y);
    }
    const auto report = a.value("rapport");
    if (report) {
        if (!acceptedOutput(*report, source, rc)) return rc;
        if (formats::baseName(*report) == formats::baseName(target) || *report == target)
            return usageError("Le rapport " + *report +
                              " remplacerait le fichier de fiches : choisissez un autre nom.");
    }
    formats::CsvData data;
    if (auto e = exchange::readSource(source, data)) return fileError(e->message());
    exchange::ImportPlan plan;
    if (auto e = exchange::planImport(target, data, o, plan, terminalProgress("importer")))
        return fileError(e->message());
    for (const auto& r : plan.refusals)
        std::printf("ligne %zu, colonne %s, « %s » : %s\n", r.line, r.column.empty() ? "?" : r.column.c_str(),
                    r.value.c_str(), r.reason.c_str());
    for (const auto& d : plan.duplicates) std::printf("ligne %zu : doublon de %s\n", d.line, d.of.c_str());
    if (report)
        if (auto e = formats::writeExport(*report, exchange::importReportCsv(plan))) return fileError(e->message());
    std::printf("%s\n", exchange::importSummary(plan, o.keepDuplicates).c_str());
    if (a.has("essai")) {
        std::printf("Essai : rien n'a été écrit.\n");
        return kOk;
    }
    std::uint16_t first = 0;
    if (auto e = exchange::storeImport(target, plan, first)) return fileError(e->message());
    if (!plan.fibs.empty())
        std::printf("%s enregistrée%s, numéros %u à %zu\n", counted(plan.fibs.size(), "fiche", "fiches").c_str(),
                    plan.fibs.size() > 1 ? "s" : "", unsigned(first), first + plan.fibs.size() - 1);
    return kOk;
}

}  // namespace

extern const Command commandImporter{
    .name = "importer",
    .synopsis = "FICHIER SOURCE [--essai] [--rapport R.csv] [--doublons] [--annee AAAA]",
    .summary = "fiches d'un tableur ajoutées à un fichier de fiches",
    .description =
        "Ajoute à FICHIER une fiche par ligne de SOURCE, un CSV (« ; », « , » ou tabulation,\n"
        "UTF-8 ou Windows-1252) ou un classeur xlsx dont les colonnes portent les noms\n"
        "de l'export, dans n'importe quel ordre. Chaque fiche reçoit le numéro suivant,\n"
        "le centre de l'en-tête et l'état que lui donneraient les contrôles d'un\n"
        "enregistrement. Une ligne qui ne peut être enregistrée est refusée (ligne, colonne,\n"
        "valeur, motif) ; une ligne égale à une fiche du fichier ou à une ligne précédente\n"
        "(initiale, mois et année de naissance, sexe, date) est un doublon laissé de côté.\n"
        "Les fiches sont écrites en une fois sous le verrou du fichier, le nombre de\n"
        "fiches en dernier.\n",
    .options = {{"essai", "", "n'écrit rien : dit seulement ce qui serait enregistré"},
                {"rapport", "R.csv", "écrit les refus et les doublons dans R.csv"},
                {"doublons", "", "enregistre aussi les doublons"},
                {"annee", "AAAA", "année en cours des contrôles (défaut : cette année)"}},
    .example = "fibtool importer FIB.DAT releve.csv --essai --rapport refus.csv",
    .run = runImporter,
};

}  // namespace pelo::cli
