// fibtool entonnoir, alertes and evolution: the centres of a stored synthesis
// set against the country within limits that depend on their size, the
// centres outside them, and the bands followed from one campaign to the next.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "ref/Funnel.h"
#include "ref/Trend.h"
#include "store/Text.h"

namespace pelo::cli {

namespace {
std::string limitsText(const std::optional<ref::FunnelLimits>& l) {
    if (!l) return "-\t-\t-\t-";
    return ref::percentText(l->lo95) + "\t" + ref::percentText(l->hi95) + "\t" + ref::percentText(l->lo998) + "\t" +
           ref::percentText(l->hi998);
}

int runEntonnoir(const Args& a) {
    if (a.positional.size() != 1) return usageError("entonnoir attend un nom de synthèse (SynFr97.Atx)");
    int line = 0;
    if (int rc = kOk; !bandLineOption(a, "entonnoir", line, rc)) return rc;
    ref::StoredSynthesis s;
    if (auto e = ref::readStored("", a.positional[0], s)) return fileError(e->message());
    const auto f = ref::funnelOf(s, line);
    if (!f) return usageError("--ligne attend le numéro d'une ligne de bande de la liste (3 à 262)");
    std::printf("0\t%u\t%u\t%s\t-\t-\t-\t-\t0\n", unsigned(f->total), unsigned(f->count),
                percentOf(f->count, f->total).text().c_str());
    for (const auto& c : f->centres)
        std::printf("%u\t%u\t%u\t%s\t%s\t%d\n", unsigned(c.centre), unsigned(c.n), unsigned(c.x),
                    percentOf(c.x, c.n).text().c_str(), limitsText(c.limits).c_str(), c.position);
    return kOk;
}

int runAlertes(const Args& a) {
    if (a.positional.size() != 1) return usageError("alertes attend un nom de synthèse (SynFr97.Atx)");
    int level = 2;
    if (auto v = a.value("seuil")) {
        if (*v == "95") level = 1;
        else if (*v != "99.8" && *v != "99,8") return usageError("--seuil attend 95 ou 99.8");
    }
    ref::StoredSynthesis s;
    if (auto e = ref::readStored("", a.positional[0], s)) return fileError(e->message());
    for (const auto& al : ref::alertsOf(s, level))
        std::printf("%d\t%u\t%d\n", al.line, unsigned(al.centre), al.position);
    return kOk;
}

int runEvolution(const Args& a) {
    if (a.positional.size() < 2 || a.positional.size() > 12)
        return usageError("evolution attend de 2 à 12 synthèses (SynFr96.Atx SynFr97.Atx ...)");
    std::int32_t centre = 0;
    if (int rc = kOk; !centreOption(a, centre, rc)) return rc;
    std::vector<ref::StoredSynthesis> all(a.positional.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        if (auto e = ref::readStored("", a.positional[i], all[i])) return fileError(e->message());
    for (const auto& row : ref::trendRows(all, centre)) {
        std::string out = std::to_string(row.line) + "\t" + row.label;
        // Appended piece by piece: GCC 12 takes "\t" + a temporary for an overlapping copy.
        for (const auto& p : row.country) {
            out += '\t';
            out += p.text();
        }
        for (const auto& p : row.centre) {
            out += '\t';
            out += p ? p->text() : std::string("-");
        }
        std::printf("%s\n", out.c_str());
    }
    return kOk;
}

}  // namespace

extern const Command commandEntonnoir{
    .name = "entonnoir",
    .synopsis = "SYNTHESE.Atx --ligne L",
    .summary = "limites de chaque centre pour une bande",
    .description =
        "Graphique en entonnoir d'une ligne de bande : d'abord le pays (0, N, X, pourcentage),\n"
        "puis par centre : centre, fiches, effectif, pourcentage, limites basse et haute à 95 %,\n"
        "limites basse et haute à 99,8 %, position (-2 à 2), séparés par des tabulations.\n",
    .options = {{"ligne", "L", "ligne de bande de la liste (3 à 262)"}},
    .example = "fibtool entonnoir SynFr97.Atx --ligne 3",
    .run = runEntonnoir,
};

extern const Command commandAlertes{
    .name = "alertes",
    .synopsis = "SYNTHESE.Atx [--seuil 95|99.8]",
    .summary = "centres hors des limites",
    .description = "Les centres hors des limites, pour chaque ligne de bande : ligne, centre, position.\n",
    .options = {{"seuil", "95|99.8", "limites retenues (défaut : 99.8)"}},
    .example = "fibtool alertes SynFr97.Atx --seuil 95",
    .run = runAlertes,
};

extern const Command commandEvolution{
    .name = "evolution",
    .synopsis = "A.Atx B.Atx [C.Atx ...] [--centre C]",
    .summary = "bandes d'une campagne à l'autre",
    .description =
        "Les bandes d'une campagne à l'autre (2 à 12 synthèses, dans l'ordre donné) : ligne,\n"
        "libellé, pourcentage du pays dans chaque synthèse, puis celui du centre avec --centre.\n",
    .options = {{"centre", "C", "ajoute les pourcentages du centre C (- quand il est absent)"}},
    .example = "fibtool evolution SYNFr96.ATX SYNFr97.ATX --centre 3",
    .run = runEvolution,
    .shortSynopsis = "A.Atx B.Atx [...] [--centre C]",
};

}  // namespace pelo::cli
