// fibtool cle-coordination, envoyer, chiffrer and dechiffrer: sealed copies
// of a centre's record file, for the coordinator or under a passphrase.
#include <sys/stat.h>

#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "Passphrase.h"
#include "formats/SealedCopy.h"

namespace pelo::cli {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool present(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string whatItHolds(const seal::SealedWritten& w) {
    return "centre " + std::to_string(w.centre) + ", " + std::to_string(w.fibs) + (w.fibs > 1 ? " fiches" : " fiche");
}

int runCleCoordination(const Args& a) {
    if (a.positional.size() != 1) return usageError("cle-coordination attend le dossier de la clé");
    const std::string& folder = a.positional[0];
    int rc = kOk;
    if (!acceptedPath(folder, rc)) return rc;
    seal::Secret pass;
    if (!readPassphrase(a, "Nouvelle phrase secrète de la clé de coordination", true, pass, rc)) return rc;
    seal::PublicKey pub;
    if (auto e = seal::createKeyPair(folder, pass, seal::interactiveLimits(), &pub)) return fileError(e->message());
    std::printf(
        "%s : clé publique, à remettre aux centres\n%s : clé secrète, chiffrée sous la phrase secrète\n"
        "Empreinte : %s\n",
        recordio::inFolder(folder, seal::kPublicKeyName).c_str(),
        recordio::inFolder(folder, seal::kSecretKeyName).c_str(), seal::fingerprint(pub).c_str());
    return kOk;
}

int runEnvoyer(const Args& a) {
    if (a.positional.size() != 1) return usageError("envoyer attend le fichier de fiches du centre");
    const auto keyPath = a.value("cle");
    if (!keyPath) return usageError("envoyer attend la clé publique du coordinateur : --cle coordination.pub");
    int rc = kOk;
    if (!acceptedPath(a.positional[0], rc) || !acceptedPath(*keyPath, rc)) return rc;
    seal::PublicKey pub;
    if (auto e = seal::readPublicKey(*keyPath, pub)) return fileError(e->message());
    seal::SealedWritten w;
    if (auto e = seal::sendToCoordinator(a.positional[0], pub, folderOf(a.positional[0]), &w))
        return fileError(e->message());
    std::printf("%s (%s), chiffré pour la clé %s\n", w.path.c_str(), whatItHolds(w).c_str(),
                seal::fingerprint(pub).c_str());
    return kOk;
}

int runChiffrer(const Args& a) {
    if (a.positional.size() != 1) return usageError("chiffrer attend le fichier de fiches à chiffrer");
    const std::string& path = a.positional[0];
    int rc = kOk;
    if (!acceptedPath(path, rc)) return rc;
    const std::string dest = seal::sealedName(path);
    if (!a.has("remplacer") && present(dest))
        return usageError("le fichier " + dest + " existe déjà (ajoutez --remplacer pour le remplacer)");
    seal::Secret pass;
    if (!readPassphrase(a, "Phrase secrète de la copie chiffrée", true, pass, rc)) return rc;
    seal::SealedWritten w;
    if (auto e = seal::sealFileTo(path, dest, pass, seal::interactiveLimits(), &w)) return fileError(e->message());
    std::printf("%s (%s)\n", w.path.c_str(), whatItHolds(w).c_str());
    return kOk;
}

int runDechiffrer(const Args& a) {
    if (a.positional.size() != 1) return usageError("dechiffrer attend un fichier FICHIER.chiffre");
    const std::string& path = a.positional[0];
    int rc = kOk;
    if (!acceptedPath(path, rc)) return rc;
    const std::string plain = seal::plainPathOf(path);
    if (plain.empty()) return usageError("le nom d'un fichier chiffré se termine par .chiffre : " + path);
    if (!a.has("remplacer") && present(plain))
        return usageError("le fichier " + plain + " existe déjà (ajoutez --remplacer pour le remplacer)");
    seal::Secret pass;
    if (!readPassphrase(a, "Phrase secrète de " + path, false, pass, rc)) return rc;
    seal::SealedWritten w;
    if (auto e = seal::unsealFile(path, pass, a.has("remplacer"), &w)) return fileError(e->message());
    std::printf("%s (%s)\n", w.path.c_str(), whatItHolds(w).c_str());
    return kOk;
}

}  // namespace

extern const Command commandCleCoordination{
    .name = "cle-coordination",
    .synopsis = "DOSSIER [--phrase-de FICHIER]",
    .summary = "clé du coordinateur d'une campagne",
    .description =
        "Crée dans DOSSIER la clé de coordination d'une campagne : coordination.pub, à remettre\n"
        "aux centres, et coordination.cle, la clé secrète chiffrée sous une phrase secrète\n"
        "(tapée deux fois sans écho), puis écrit l'empreinte de la clé, à lire aux centres.\n"
        "Une clé existante n'est jamais remplacée.\n",
    .options = {{"phrase-de", "FICHIER", "la phrase secrète : la première ligne de FICHIER"}},
    .example = "fibtool cle-coordination /srv/campagne",
    .run = runCleCoordination,
};

extern const Command commandEnvoyer{
    .name = "envoyer",
    .synopsis = "FICHIER --cle coordination.pub",
    .summary = "fichier du centre chiffré pour le coordinateur",
    .description =
        "Chiffre le fichier de fiches d'un centre pour le coordinateur : écrit FIBn.DAT.chiffre\n"
        "à côté de FICHIER (n le numéro du centre de son en-tête), que seule la clé secrète de\n"
        "coordination ouvre.\n",
    .options = {{"cle", "FICHIER", "la clé publique du coordinateur (coordination.pub)"}},
    .example = "fibtool envoyer FIB.DAT --cle coordination.pub",
    .run = runEnvoyer,
};

extern const Command commandChiffrer{
    .name = "chiffrer",
    .synopsis = "FICHIER [--phrase-de FICHIER] [--remplacer]",
    .summary = "copie chiffrée sous une phrase secrète",
    .description =
        "Chiffre un fichier de fiches sous une phrase secrète (tapée deux fois sans écho) :\n"
        "écrit FICHIER.chiffre, qu'on reprend avec « fibtool dechiffrer ».\n",
    .options = {{"phrase-de", "FICHIER", "la phrase secrète : la première ligne de FICHIER"},
                {"remplacer", "", "remplace un FICHIER.chiffre existant"}},
    .example = "fibtool chiffrer FIB12.DAT",
    .run = runChiffrer,
    .shortSynopsis = "FICHIER [--phrase-de F] [--remplacer]",
};

extern const Command commandDechiffrer{
    .name = "dechiffrer",
    .synopsis = "FICHIER.chiffre [--phrase-de FICHIER] [--remplacer]",
    .summary = "reprise d'une copie chiffrée",
    .description =
        "Ouvre une copie chiffrée sous une phrase secrète et écrit le fichier de fiches\n"
        "FICHIER. Une phrase incorrecte ou un fichier altéré n'écrit rien.\n",
    .options = {{"phrase-de", "FICHIER", "la phrase secrète : la première ligne de FICHIER"},
                {"remplacer", "", "remplace un FICHIER existant (sinon il reste intact, code 2)"}},
    .example = "fibtool dechiffrer /media/cle/FIB12.DAT.chiffre",
    .run = runDechiffrer,
    .shortSynopsis = "FICHIER.chiffre [...]",
};

}  // namespace pelo::cli
