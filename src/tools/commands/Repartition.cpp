// fibtool repartition and variabilite: the variability window's list of a
// stored synthesis, and the variability chart of one band line.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "pool/PoolFiles.h"
#include "pool/VariabilityCharts.h"
#include "pool/VariabilityList.h"
#include "ref/StoredSynthesis.h"

namespace pelo::cli {

namespace {
// A stored synthesis is named by its index file, a plain name with an extension.
bool synthesisName(const std::string& name, int& rc) {
    if (auto bad = pool::badFileName(name)) {
        rc = usageError(*bad);
        return false;
    }
    if (pool::counterFileOf(name) == name) {
        rc = usageError(ref::kNoExtension);
        return false;
    }
    return true;
}

int runRepartition(const Args& a) {
    if (a.positional.size() != 1) return usageError("repartition attend un nom de synthèse (SynFr97.Atx)");
    std::int32_t centre = 0;
    if (int rc = kOk; !centreOption(a, centre, rc)) return rc;
    if (int rc = kOk; !synthesisName(a.positional[0], rc)) return rc;
    ref::StoredSynthesis s;
    if (auto e = ref::readStored("", a.positional[0], s)) return fileError(e->message());
    std::int32_t shown = -1;
    if (centre > 0) {
        const auto* r = s.centre(centre);
        // Like a FIB number beyond the count of a record file (lire, controle): the file does not hold it.
        if (!r) return fileError("le centre " + std::to_string(centre) + " n'est pas dans " + a.positional[0]);
        shown = std::int32_t(r->NbFichesCentre & 0xFFFF);
    }
    for (const auto& line : pool::variabilityLines(ref::variabilityInput(s, centre, shown)))
        std::printf("%s\n", line.c_str());
    return kOk;
}

int runVariabilite(const Args& a) {
    if (a.positional.size() != 1) return usageError("variabilite attend un nom de synthèse (SynFr97.Atx)");
    int line = 0;
    if (int rc = kOk; !bandLineOption(a, "variabilite", line, rc)) return rc;
    if (int rc = kOk; !synthesisName(a.positional[0], rc)) return rc;
    ref::StoredSynthesis s;
    if (auto e = ref::readStored("", a.positional[0], s)) return fileError(e->message());
    for (const auto& b : pool::variabilityBars(ref::bandShares(s, pool::counterOfLine(line))))
        std::printf("%u\t%u\n", unsigned(b.centre), unsigned(b.percent));
    return kOk;
}

}  // namespace

extern const Command commandRepartition{
    .name = "repartition",
    .synopsis = "SYNTHESE.Atx [--centre C]",
    .summary = "liste de variabilité",
    .description =
        "Liste de variabilité d'une synthèse stockée : les 264 lignes, le pays seul ou à côté\n"
        "du centre choisi.\n",
    .options = {{"centre", "C", "le centre placé à côté du pays"}},
    .example = "fibtool repartition SynFr97.Atx --centre 12",
    .run = runRepartition,
};

extern const Command commandVariabilite{
    .name = "variabilite",
    .synopsis = "SYNTHESE.Atx --ligne L",
    .summary = "variabilité d'une bande",
    .description =
        "Graphique de variabilité d'une ligne de bande : une ligne par centre dans l'ordre du\n"
        "graphique, le centre, une tabulation et le pourcentage arrondi.\n",
    .options = {{"ligne", "L", "ligne de bande de la liste (3 à 262)"}},
    .example = "fibtool variabilite SynFr97.Atx --ligne 3",
    .run = runVariabilite,
};

}  // namespace pelo::cli
