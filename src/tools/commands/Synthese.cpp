// fibtool synthese and objectifs: the centre synthesis of a record file, as the
// evaluation screen lists it, and the objectives chart that follows it.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "eval/Synthesis.h"
#include "formats/RecordFile.h"

namespace pelo::cli {

namespace {

// Runs the synthesis that both commands print; returns an exit code, kOk when r is filled.
namespace {

int synthesisOf(const Args& a, const char* command, eval::SynthesisResult& r) {
    if (a.positional.size() != 1) return usageError(std::string(command) + " attend un nom de fichier");
    int filter = 0;
    if (auto v = a.value("filtre")) {
        auto n = parseLong(*v, 0, 2);
        if (!n) return usageError("--filtre attend 0, 1 ou 2");
        filter = int(*n);
    }
    std::int32_t year = currentYear();
    if (auto v = a.value("annee")) {
        auto n = parseLong(*v, 1, 9999);
        if (!n) return usageError("--annee attend une année de 1 à 9999");
        year = std::int32_t(*n);
    }
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc)) return rc;
    if (auto e = eval::runCentreSynthesis(path, filter, year, r)) return fileError(e->message());
    return r.evaluated == 0 ? kNothingSelected : kOk;
}

}  // namespace

int runSynthese(const Args& a) {
    eval::SynthesisResult r;
    if (int rc = synthesisOf(a, "synthese", r); rc != kOk) return rc;
    for (const std::string& line : eval::synthesisLines(r)) std::printf("%s\n", line.c_str());
    return kOk;
}

int runObjectifs(const Args& a) {
    eval::SynthesisResult r;
    if (int rc = synthesisOf(a, "objectifs", r); rc != kOk) return rc;
    eval::ObjectivesGrid g;
    eval::writeObjectiveHeadings(g);
    eval::writeObjectiveResults(r, g);
    for (const auto& row : g) std::printf("%s\t%s\t%s\n", row[0].c_str(), row[1].c_str(), row[2].c_str());
    return kOk;
}

}  // namespace

extern const Command commandSynthese{
    .name = "synthese",
    .synopsis = "FICHIER [--filtre 0|1|2] [--annee AAAA]",
    .summary = "synthèse du centre (264 lignes)",
    .description =
        "Synthèse du centre d'un fichier de fiches : les 264 lignes de la liste, comme l'écran\n"
        "d'évaluation les montre, une par ligne. Les unités sont celles de l'en-tête du fichier.\n",
    .options = {{"filtre", "0|1|2", "0 toutes les fiches (défaut), 1 diabète de type 1, 2 de type 2"},
                {"annee", "AAAA", "année en cours pour les âges et durées (défaut : cette année)"}},
    .example = "fibtool -C /srv/centre synthese FIB.DAT --filtre 2 --annee 2026",
    .run = runSynthese,
    .notes = "Sort avec le code 3 quand aucune fiche n'est retenue.\n",
};

extern const Command commandObjectifs{
    .name = "objectifs",
    .synopsis = "FICHIER [--filtre 0|1|2] [--annee AAAA]",
    .summary = "tableau des objectifs (11 lignes)",
    .description =
        "Tableau des objectifs après la synthèse du centre : 11 lignes, les 3 cellules\n"
        "séparées par une tabulation.\n",
    .options = {{"filtre", "0|1|2", "0 toutes les fiches (défaut), 1 type 1, 2 type 2"},
                {"annee", "AAAA", "année en cours (défaut : cette année)"}},
    .example = "fibtool objectifs FIB.DAT --filtre 1",
    .run = runObjectifs,
    .shortSynopsis = "FICHIER [--filtre N] [--annee AAAA]",
    .notes = "Sort avec le code 3 quand aucune fiche n'est retenue.\n",
};

}  // namespace pelo::cli
