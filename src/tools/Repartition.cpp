// fibtool repartition and variabilite: the variability window's list of a
// stored synthesis, and the variability chart of one band line.
#include <cstdio>

#include "Cli.h"
#include "Commands.h"
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
}  // namespace

int cmdRepartition(const Words& words) {
    Args a;
    std::string err;
    if (!parseArgs(words, {"centre"}, {}, a, &err)) return usageError(err);
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

int cmdVariabilite(const Words& words) {
    Args a;
    std::string err;
    if (!parseArgs(words, {"ligne"}, {}, a, &err)) return usageError(err);
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

}  // namespace pelo::cli
