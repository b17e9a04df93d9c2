// fibtool: the command-line companion of PELORAMIX, for batch work, scripting
// and checking, on the same core code as the program.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "store/RecordFile.h"

using namespace pelo::cli;

namespace {

const char* kUsageText =
    "Usage : fibtool [-C DOSSIER] COMMANDE [OPTIONS]\n"
    "\n"
    "Commandes :\n"
    "  synthese FICHIER [--filtre 0|1|2] [--annee AAAA]   synthèse du centre (264 lignes)\n"
    "  objectifs FICHIER [--filtre N] [--annee AAAA]      tableau des objectifs (11 lignes)\n"
    "  controle FICHIER [--annee AAAA] [--fiche K]        état que chaque fiche recevrait\n"
    "  collecte POOL [--remplacer]                        collecte de FIB1.DAT ... FIB999.DAT\n"
    "  synthese-pays POOL [--annee-ref AAAA]              synthèse nationale par centre\n"
    "  selection POOL SORTIE --variable N [...]           sous-collection par critère\n"
    "  repartition SYNTHESE.Atx [--centre C]              liste de variabilité\n"
    "  variabilite SYNTHESE.Atx --ligne L                 variabilité d'une bande\n"
    "  demo [--fiches N] [--centres K] [--graine S] [--remplacer]\n"
    "                                                     données de démonstration\n"
    "  lire FICHIER [--fiche K]                           en-tête, ou champs d'une fiche\n"
    "  aide                                               ce texte\n"
    "\n"
    "Codes de sortie : 0 succès, 1 erreur de fichier, 2 erreur d'usage,\n"
    "3 aucune fiche sélectionnée par une synthèse.\n";

const std::map<std::string, std::function<int(const Words&)>>& commands() {
    static const std::map<std::string, std::function<int(const Words&)>> table{
        {"demo", cmdDemo},
        {"lire", cmdLire},
        {"controle", cmdControle},
        {"synthese", cmdSynthese},
        {"objectifs", cmdObjectifs},
        {"repartition", cmdRepartition},
        {"variabilite", cmdVariabilite},
        {"collecte", cmdCollecte},
        {"synthese-pays", cmdSynthesePays},
        {"selection", cmdSelection},
    };
    return table;
}

// Output that did not reach its destination (a full disk) makes the command fail.
int flushed(int rc) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int err = errno != 0 ? errno : EIO;
        return fileError(pelo::IoError{"la sortie standard", pelo::ioCause(err)}.message());
    }
    return rc;
}

int run(int argc, char** argv) {
    Words words(argv + 1, argv + argc);
    std::size_t i = 0;
    while (i < words.size() && words[i] == "-C") {
        if (i + 1 >= words.size()) return usageError("-C attend un dossier");
        if (::chdir(words[i + 1].c_str()) != 0)
            return fileError("impossible d'ouvrir le dossier " + words[i + 1] + " : " + pelo::ioCause(errno));
        i += 2;
    }
    if (i >= words.size()) {
        std::fputs(kUsageText, stderr);
        return kUsage;
    }
    const std::string cmd = words[i];
    if (cmd == "aide" || cmd == "--help" || cmd == "-h") {
        std::fputs(kUsageText, stdout);
        return flushed(kOk);
    }
    Words rest(words.begin() + static_cast<long>(i) + 1, words.end());
    auto it = commands().find(cmd);
    if (it != commands().end()) return flushed(it->second(rest));
    return usageError("commande inconnue : " + cmd);
}

}  // namespace

// Whatever escapes a command (memory exhausted on a huge input, a fault of the
// program) ends it with one French line and the file-error code, never an abort.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return fileError("mémoire insuffisante pour terminer la commande");
    } catch (const std::exception& e) {
        return fileError(std::string("erreur interne : ") + e.what());
    } catch (...) {
        return fileError("erreur interne inattendue");
    }
}
