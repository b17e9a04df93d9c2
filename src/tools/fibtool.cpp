// fibtool: the command-line companion of PELORAMIX, for batch work, scripting
// and checking, on the same core code as the program.
#include <unistd.h>

#include <csignal>

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
#include "Help.h"
#include "store/RecordFile.h"

using namespace pelo::cli;

namespace {

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
        {"entonnoir", cmdEntonnoir},
        {"alertes", cmdAlertes},
        {"evolution", cmdEvolution},
        {"exporter", cmdExporter},
        {"importer", cmdImporter},
    };
    return table;
}

// Output that did not reach its destination (a full disk) makes the command fail.
// A reader that stopped reading (`| head`) is not a failure: the usual quiet end.
int flushed(int rc) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int err = errno != 0 ? errno : EIO;
        if (err == EPIPE) return 128 + SIGPIPE;
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
        std::fputs(generalHelp(), stderr);
        return kUsage;
    }
    const std::string cmd = words[i];
    Words rest(words.begin() + static_cast<long>(i) + 1, words.end());
    if (cmd == "--version") {
        std::fputs(versionText().c_str(), stdout);
        return flushed(kOk);
    }
    if (cmd == "aide" || cmd == "--help" || cmd == "-h") {
        if (rest.empty()) {
            std::fputs(generalHelp(), stdout);
            return flushed(kOk);
        }
        const char* page = commandHelp(rest[0]);
        if (!page) return usageError("commande inconnue : " + rest[0]);
        std::fputs(page, stdout);
        return flushed(kOk);
    }
    // COMMANDE --help (or -h) anywhere among its words: that command's help.
    if (const char* page = commandHelp(cmd))
        for (const auto& w : rest)
            if (w == "--help" || w == "-h") {
                std::fputs(page, stdout);
                return flushed(kOk);
            }
    auto it = commands().find(cmd);
    if (it != commands().end()) return flushed(it->second(rest));
    return usageError("commande inconnue : " + cmd);
}

}  // namespace

// Whatever escapes a command (memory exhausted on a huge input, a fault of the
// program) ends it with one French line and the file-error code, never an abort.
int main(int argc, char** argv) {
    // A closed pipe ends the program quietly, as any filter, even when the
    // parent ignored SIGPIPE.
    std::signal(SIGPIPE, SIG_DFL);
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
