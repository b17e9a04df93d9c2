// fibtool collecte, synthese-pays and selection: the national level's batch
// work, on the working folder as the country synthesis window works on it.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "Passphrase.h"
#include "TermProgress.h"
#include "pool/Collection.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"
#include "pool/SealedSources.h"

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

// An existing output is replaced only with --remplacer (last year's file of
// the same name is worth a second thought). False with rc set to the usage error.
bool mayWrite(const Args& a, const std::string& name, int& rc) {
    if (!pool::fileExists("", name) || a.has("remplacer")) return true;
    rc = usageError("le fichier " + name + " existe déjà (ajoutez --remplacer pour le remplacer)");
    return false;
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
    if (!mayWrite(a, name, rc)) return rc;
    // The coordinator's key, opened once for every sealed source of the run.
    seal::SecretKey key;
    const auto keyPath = a.value("cle");
    if (keyPath) {
        if (!acceptedPath(*keyPath, rc)) return rc;
        seal::Secret pass;
        if (!readPassphrase(a, "Phrase secrète de " + *keyPath, false, pass, rc)) return rc;
        if (auto e = seal::openSecretKey(*keyPath, pass, key)) return fileError(e->message());
    }
    pool::CollectionResult r;
    if (auto e =
            pool::collect("", name, r, terminalProgress("collecte"), pool::sealedSources(keyPath ? &key : nullptr)))
        return fileError(e->message());
    for (const auto& w : r.warnings) std::fprintf(stderr, "fibtool : %s\n", w.c_str());
    for (const auto& w : r.notes) std::fprintf(stderr, "fibtool : %s\n", w.c_str());
    if (!r.sealed.empty())
        std::fprintf(stderr, "fibtool : %zu fichier%s chiffré%s ouvert%s\n", r.sealed.size(),
                     r.sealed.size() > 1 ? "s" : "", r.sealed.size() > 1 ? "s" : "", r.sealed.size() > 1 ? "s" : "");
    std::printf("%s\n", pool::collectionMessage(r).c_str());
    return kOk;
}

int runSynthesePays(const Args& a) {
    if (a.positional.size() != 1) return usageError("synthese-pays attend le nom du fichier de collection");
    const std::string& name = a.positional[0];
    int rc = kOk;
    if (!plainName(name, rc)) return rc;
    if (auto why = pool::synthesisNamesRefused("", name)) return usageError(*why);
    if (const auto names = pool::synthesisNames(name))
        for (const std::string* out : {&names->index, &names->counters})
            if (!mayWrite(a, *out, rc)) return rc;
    std::int32_t year = 0;
    if (!referenceYearOption(a, name, year, rc)) return rc;
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
    if (!mayWrite(a, out, rc)) return rc;
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
    .synopsis = "POOL [--remplacer] [--cle FICHIER [--phrase-de FICHIER]]",
    .summary = "collecte de FIB1.DAT ... FIB999.DAT",
    .description =
        "Rassemble FIB1.DAT ... FIB999.DAT du dossier en un fichier de collection POOL\n"
        "(au plus 65535 fiches) et écrit « F centres, N fiches ». Un fichier d'un autre\n"
        "format est laissé de côté avec un avertissement, et compté dans ce résumé\n"
        "(« 3 centres, 39 fiches, 1 fichier laissé de côté »). FIBn.DAT.chiffre, envoyé\n"
        "chiffré par un centre, est pris à la place de FIBn.DAT et ouvert en mémoire avec la\n"
        "clé de coordination (sa phrase secrète demandée une fois) ; un fichier chiffré qui\n"
        "ne s'ouvre pas, ou un centre présent en clair et chiffré, arrête la collecte.\n"
        "Le manifeste des sources (FibFr97-manifeste.csv : centre, fiches, taille, date,\n"
        "SHA-256 de chaque fichier, s'il est venu chiffré, fichiers laissés de côté, fiches\n"
        "en double) est écrit à côté.\n",
    .options = {{"remplacer", "", "remplace un fichier POOL existant (sinon il reste intact, code 2)"},
                {"cle", "FICHIER", "la clé secrète de coordination (coordination.cle), pour les\nfichiers chiffrés"},
                {"phrase-de", "FICHIER", "sa phrase secrète : la première ligne de FICHIER\n(sinon tapée sans écho)"}},
    .example = "fibtool -C /srv/pays collecte FibFr97.Dat --remplacer --cle coordination.cle",
    .run = runCollecte,
    .shortSynopsis = "POOL [--remplacer]",
};

extern const Command commandSynthesePays{
    .name = "synthese-pays",
    .synopsis = "POOL [--annee-ref AAAA] [--remplacer]",
    .summary = "synthèse nationale par centre",
    .description =
        "Synthèse du fichier de collection centre par centre : écrit la synthèse stockée\n"
        "(FibFr97.Dat donne SYNFr97.ATX et SYNFr97.BTX) et « K centres, N fiches ».\n",
    .options = {{"annee-ref", "AAAA", "année de référence (défaut : l'année de la plupart des fiches)"},
                {"remplacer", "", "remplace une synthèse existante (sinon elle reste intacte, code 2)"}},
    .example = "fibtool synthese-pays FibFr97.Dat --annee-ref 2026",
    .run = runSynthesePays,
};

extern const Command commandSelection{
    .name = "selection",
    .synopsis =
        "POOL SORTIE --variable N [--sauf] [--op =|>|<] [--valeur V]\n"
        "                         [--relation et|ou] [--op2 =|>|<] [--valeur2 V] [--remplacer]",
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
                {"valeur2", "V", ""},
                {"remplacer", "", "remplace un fichier SORTIE existant (sinon il reste intact, code 2)"}},
    .example =
        "fibtool selection FibFr97.Dat FibHb.Dat --variable 33 --op '>' --valeur 8 \\\n"
        "            --relation et --op2 '<' --valeur2 10",
    .run = runSelection,
    .shortSynopsis = "POOL SORTIE --variable N [...]",
};

}  // namespace pelo::cli
