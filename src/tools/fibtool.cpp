// fibtool: the command-line companion of PELORAMIX, for batch work, scripting
// and checking, on the same core code as the program.
#include <sys/stat.h>

#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "Cli.h"
#include "Command.h"
#include "Help.h"
#include "formats/RecordFile.h"

using namespace pelo::cli;

namespace {

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
    const std::vector<std::string> words(argv + 1, argv + argc);
    std::size_t i = 0;
    while (i < words.size() && words[i] == "-C") {
        if (i + 1 >= words.size()) return usageError("-C attend un dossier");
        if (::chdir(words[i + 1].c_str()) != 0)
            return fileError("impossible d'ouvrir le dossier " + words[i + 1] + " : " + pelo::ioCause(errno));
        i += 2;
    }
    if (i >= words.size()) {
        std::fputs(generalHelp().c_str(), stderr);
        return kUsage;
    }
    const std::string& cmd = words[i];
    const std::vector<std::string> rest(words.begin() + static_cast<long>(i) + 1, words.end());
    if (cmd == "--version") {
        std::fputs(versionText().c_str(), stdout);
        return flushed(kOk);
    }
    if (cmd == "aide" || cmd == "--help" || cmd == "-h") {
        if (rest.empty()) {
            std::fputs(generalHelp().c_str(), stdout);
            return flushed(kOk);
        }
        const auto page = commandHelp(rest[0]);
        if (!page) return usageError("commande inconnue : " + rest[0]);
        std::fputs(page->c_str(), stdout);
        return flushed(kOk);
    }
    // Not in the help: the build writes the manual page's command list with it.
    if (cmd == "--commandes-man") {
        std::fputs(manCommands().c_str(), stdout);
        return flushed(kOk);
    }
    // COMMANDE --help (or -h) anywhere among its words: that command's help.
    if (const auto page = commandHelp(cmd))
        for (const auto& w : rest)
            if (w == "--help" || w == "-h") {
                std::fputs(page->c_str(), stdout);
                return flushed(kOk);
            }
    const Command* command = findCommand(cmd);
    if (!command) return usageError("commande inconnue : " + cmd);
    // The command's options, from its descriptor: those with an argument take the next word.
    std::vector<std::string> withValue, flags;
    for (const Option& o : command->options) (o.argument.empty() ? flags : withValue).push_back(o.name);
    Args args;
    if (std::string err; !parseArgs(rest, withValue, flags, args, &err)) return usageError(err);
    return flushed(command->run(args));
}

}  // namespace

// Whatever escapes a command (memory exhausted on a huge input, a fault of the
// program) ends it with one French line and the file-error code, never an abort.
int main(int argc, char** argv) {
    // A closed pipe ends the program quietly, as any filter, even when the
    // parent ignored SIGPIPE.
    std::signal(SIGPIPE, SIG_DFL);
    // Health data: whatever the program or a library creates is never readable
    // by everyone (the files of a team's folder get their group's rights explicitly).
    ::umask(077);
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
