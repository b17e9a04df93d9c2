// fibtool collecte, synthese-pays and selection: the national level's batch
// work, on the working folder as the country synthesis window works on it.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "TermProgress.h"
#include "pool/Collection.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"

namespace pelo::cli {

namespace {

// The file names are plain names of the working folder.
bool plainName(const std::string& name, int& rc) {
    if (auto bad = pool::badFileName(name)) {
        rc = usageError(*bad);
        return false;
    }
    return true;
}

std::optional<std::uint16_t> operatorOf(const std::string& s) {
    if (s == "=") return pool::kEqual;
    if (s == ">") return pool::kGreater;
    if (s == "<") return pool::kLess;
    return std::nullopt;
}

int runCollecte(const Args& a) {
    if (a.positional.size() != 1) return usageError("collecte attend le nom du fichier de collection");
    const std::string& name = a.positional[0];
    int rc = kOk;
    if (!plainName(name, rc)) return rc;
    if (auto why = pool::protectedOutput("", name, {})) return usageError(*why);
    if (pool::fileExists("", name) && !a.has("remplacer"))
        return usageError("le fichier " + name + " existe déjà (ajoutez --remplacer pour le remplacer)");
    pool::CollectionResult r;
    if (auto e = pool::collect("", name, r, terminalProgress("collecte"))) return fileError(e->message());
    for (const auto& w : r.warnings) std::fprintf(stderr, "fibtool : %s\n", w.c_str());
    std::printf("%s\n", pool::collectionMessage(r).c_str());
    return kOk;
}

int runSynthesePays(const Args& a) {
    if (a.positional.size() != 1) return usageError("synthese-pays attend le nom du fichier de collection");
    const std::string& name = a.positional[0];
    int rc = kOk;
    if (!plainName(name, rc)) return rc;
    if (auto why = pool::synthesisNamesRefused("", name)) return usageError(*why);
    std::int32_t year = pool::kDefaultReferenceYear;
    if (auto v = a.value("annee-ref")) {
        auto n = parseLong(*v, 1, 9999);
        if (!n) return usageError("--annee-ref attend une année de 1 à 9999");
        year = std::int32_t(*n);
    }
    pool::PoolSynthesisResult r;
    if (auto e = pool::poolSynthesis("", name, year, r, terminalProgress("synthese-pays")))
        return fileError(e->message());
    std::printf("%s\n", pool::poolSynthesisMessage(r).c_str());
    if (auto w = pool::withoutIndexWarning(r); !w.empty()) std::fprintf(stderr, "fibtool : %s\n", w.c_str());
    return kOk;
}

int runSelection(const Args& a) {
    if (a.positional.size() != 2)
        return usageError("selection attend le fichier de collection et le fichier de sortie");
    const std::string &pool = a.positional[0], &out = a.positional[1];
    int rc = kOk;
    if (!plainName(pool, rc) || !plainName(out, rc)) return rc;
    if (out == pool)
        return usageError("la sous-collection doit porter un autre nom que la collection " + pool +
                          " : celle-ci serait remplacée");
    if (auto why = pool::protectedOutput("", out, pool)) return usageError(*why);
    pool::Criterion c;  // as the dialog starts: operators " =", values 0, no relation
    auto var = a.value("variable");
    if (!var) return usageError("selection attend --variable N (1 à 40)");
    auto n = parseLong(*var, 1, pool::kQueryVariableCount);
    if (!n) return usageError("--variable attend un numéro de 1 à 40");
    c.variable = std::uint16_t(*n);
    if (auto v = a.value("op")) {
        auto op = operatorOf(*v);
        if (!op) return usageError("--op attend =, > ou <");
        c.op1 = *op;
    }
    if (a.has("sauf")) c.op1 = pool::kSauf;
    if (auto v = a.value("op2")) {
        auto op = operatorOf(*v);
        if (!op) return usageError("--op2 attend =, > ou <");
        c.op2 = *op;
    }
    if (auto v = a.value("relation")) {
        if (*v == "et") c.relation = pool::kAnd;
        else if (*v == "ou") c.relation = pool::kOr;
        else return usageError("--relation attend et ou ou");
    }
    if (auto v = a.value("valeur")) {
        auto q = pool::parseQueryValue(*v);
        if (!q) return usageError(std::string(pool::kBadQueryValue) + " : " + *v);
        c.real1 = q->real;
        c.value1 = q->rounded;
    }
    if (auto v = a.value("valeur2")) {
        auto q = pool::parseQueryValue(*v);
        if (!q) return usageError(std::string(pool::kBadQueryValue) + " : " + *v);
        c.real2 = q->real;
        c.value2 = q->rounded;
    }
    std::uint32_t count = 0;
    if (auto e = pool::selectSubCollection("", pool, out, c, count, terminalProgress("selection")))
        return fileError(e->message());
    std::printf("%s\n", pool::selectionMessage(count).c_str());
    return kOk;
}

}  // namespace

extern const Command commandCollecte{
    .name = "collecte",
    .synopsis = "POOL [--remplacer]",
    .summary = "collecte de FIB1.DAT ... FIB999.DAT",
    .description =
        "Rassemble FIB1.DAT ... FIB999.DAT du dossier en un fichier de collection POOL\n"
        "(au plus 65535 fiches) et écrit « F centres, N fiches ». Un fichier d'un autre\n"
        "format est laissé de côté avec un avertissement. Le manifeste des sources\n"
        "(FibFr97-manifeste.csv : centre, fiches, taille, date, SHA-256 de chaque fichier,\n"
        "fichiers laissés de côté, fiches en double) est écrit à côté.\n",
    .options = {{"remplacer", "", "remplace un fichier POOL existant (sinon il reste intact, code 2)"}},
    .example = "fibtool -C /srv/pays collecte FibFr97.Dat --remplacer",
    .run = runCollecte,
};

extern const Command commandSynthesePays{
    .name = "synthese-pays",
    .synopsis = "POOL [--annee-ref AAAA]",
    .summary = "synthèse nationale par centre",
    .description =
        "Synthèse du fichier de collection centre par centre : écrit la synthèse stockée\n"
        "(FibFr97.Dat donne SYNFr97.ATX et SYNFr97.BTX) et « K centres, N fiches ».\n",
    .options = {{"annee-ref", "AAAA", "année de référence (défaut : 1997)"}},
    .example = "fibtool synthese-pays FibFr97.Dat --annee-ref 2026",
    .run = runSynthesePays,
};

extern const Command commandSelection{
    .name = "selection",
    .synopsis =
        "POOL SORTIE --variable N [--sauf] [--op =|>|<] [--valeur V]\n"
        "                         [--relation et|ou] [--op2 =|>|<] [--valeur2 V]",
    .summary = "sous-collection par critère",
    .description =
        "Sous-collection : copie dans SORTIE les fiches de POOL qui remplissent un critère\n"
        "sur une variable, comme la boîte de requête, et écrit « n fiches sélectionnées ».\n",
    .options = {{"variable", "N", "numéro de la variable (1 à 40)"},
                {"sauf", "", "les fiches qui ne remplissent pas le critère"},
                {"op", "=|>|<", "première comparaison (pour une variable à liste, V est le code)", "--op, --valeur"},
                {"valeur", "V", ""},
                {"relation", "et|ou", "lien avec la seconde comparaison"},
                {"op2", "=|>|<", "seconde comparaison", "--op2, --valeur2"},
                {"valeur2", "V", ""}},
    .example =
        "fibtool selection FibFr97.Dat FibHb.Dat --variable 33 --op '>' --valeur 8 \\\n"
        "            --relation et --op2 '<' --valeur2 10",
    .run = runSelection,
    .shortSynopsis = "POOL SORTIE --variable N [...]",
};

}  // namespace pelo::cli
