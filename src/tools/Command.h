#pragma once
// A fibtool command described once: its name, its help, its options and the function that runs it. The
// descriptor drives the parsing of the command's words, `fibtool COMMANDE --help`, `fibtool aide`, and the
// command list of the manual page.

#include <string>
#include <vector>

#include "Cli.h"

namespace pelo::cli {

struct Option {
    std::string name;      // without "--"
    std::string argument;  // what follows it (one word); empty for a flag
    // The help's right column; its lines after the first are set under the first. Empty: the line of another
    // option of the command describes this one too (see label).
    std::string help;
    std::string label{};  // the help's left column when it is not "--name argument" ("--op, --valeur")
};

struct Command {
    std::string name;
    std::string synopsis;     // after "fibtool NAME" in the usage; "\n" and spaces continue it on a second line
    std::string summary;      // the general help's one line
    std::string description;  // under the usage, lines ended by "\n"
    std::vector<Option> options;
    std::string example;  // after "Exemple : ", "\n" and spaces continue it
    int (*run)(const Args&) = nullptr;
    std::string shortSynopsis{};  // in the general help when the synopsis is too long for it
    std::string notes{};          // after the options, lines ended by "\n"
};

// Every command, in the order of the general help (commands/Registry.def).
const std::vector<const Command*>& commands();
// The command of that name; nullptr when there is none.
const Command* findCommand(const std::string& name);

}  // namespace pelo::cli
