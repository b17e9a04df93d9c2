// fibtool comparaison: the centres of a pooled file compared on the nine
// indicators of care, adjusted for their patients, within limits that allow
// for the spread between centres.
#include <cmath>
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "pool/PoolFiles.h"
#include "ref/Comparison.h"

namespace pelo::cli {

namespace {

std::string limitText(const ref::IndicatorComparison& ind, double limit) {
    return ref::decimalText(ind.shownLimit(limit), 1);
}

void printIndicator(const ref::IndicatorComparison& ind) {
    const std::string phi = ind.dispersed == 0 ? "-" : ref::decimalText(ind.phi, 3);
    std::printf("P\t%d\t%s\t%u\t%u\t%s\t%s\t%s\n", ind.number, ind.info().label, unsigned(ind.n), unsigned(ind.o),
                ind.crude().text().c_str(), phi.c_str(), ref::decimalText(std::sqrt(ind.tau2), 4).c_str());
    for (const auto& c : ind.centres) {
        std::string adjusted = "-\t-\t-\t-\t-\t-";
        if (c.adjusted())
            adjusted = ref::decimalText(ind.adjustedPercent(c.y), 1) + "\t" + ref::decimalText(c.z, 3) + "\t" +
                       limitText(ind, c.limits.lo95) + "\t" + limitText(ind, c.limits.hi95) + "\t" +
                       limitText(ind, c.limits.lo998) + "\t" + limitText(ind, c.limits.hi998);
        std::printf("C\t%d\t%u\t%u\t%u\t%s\t%s\t%s\t%d\n", ind.number, unsigned(c.centre), unsigned(c.n), unsigned(c.o),
                    ref::decimalText(c.e, 3).c_str(), c.crude().text().c_str(), adjusted.c_str(), c.position);
    }
}

int runComparaison(const Args& a) {
    if (a.positional.size() != 1) return usageError("comparaison attend le nom du fichier de collection");
    const std::string& name = a.positional[0];
    if (auto bad = pool::badFileName(name)) return usageError(*bad);
    int only = 0;
    if (auto v = a.value("indicateur")) {
        auto n = parseLong(*v, 1, ref::kCareIndicatorCount);
        if (!n) return usageError("--indicateur attend un numéro d'indicateur de 1 à 9");
        only = int(*n);
    }
    std::int32_t year = 0;
    if (int rc = kOk; !referenceYearOption(a, name, year, rc)) return rc;
    ref::Comparison c;
    if (auto e = ref::compareCentres("", name, year, c)) return fileError(e->message());
    if (c.fibs == 0) {
        std::fprintf(stderr, "fibtool : aucune fiche à comparer dans %s\n", name.c_str());
        return kNothingSelected;
    }
    for (const auto& ind : c.indicators)
        if (only == 0 || ind.number == only) printIndicator(ind);
    return kOk;
}

}  // namespace

extern const Command commandComparaison{
    .name = "comparaison",
    .synopsis = "POOL [--annee-ref AAAA] [--indicateur K]",
    .summary = "centres comparés, ajustés sur leurs patients",
    .description =
        "Les neuf indicateurs de soins par centre, ajustés sur le type, le sexe, l'âge et\n"
        "l'ancienneté du diabète des patients. Pour chaque indicateur, d'abord le pays :\n"
        "P, indicateur, libellé, fiches, événements, pourcentage, phi, tau ; puis par centre :\n"
        "C, indicateur, centre, fiches, événements, attendus, pourcentage brut, pourcentage\n"
        "ajusté, z, limites basse et haute à 95 %, limites basse et haute à 99,8 %, position\n"
        "(-2 à 2), séparés par des tabulations (- quand l'ajustement n'a pas de sens).\n",
    .options = {{"annee-ref", "AAAA", "année de la campagne (défaut : l'année de la plupart des fiches)"},
                {"indicateur", "K", "seulement l'indicateur K (1 à 9)"}},
    .example = "fibtool comparaison FibFr97.Dat --indicateur 5",
    .run = runComparaison,
};

}  // namespace pelo::cli
