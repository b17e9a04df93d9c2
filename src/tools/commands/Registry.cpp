// The list of fibtool's commands, in the order of the general help: one line per command, whose
// descriptor `command<Name>` is defined beside its function in commands/<Name>.cpp.
#include "Command.h"

#define PELO_FIBTOOL_COMMANDS(X) \
    X(Synthese) \
    X(Objectifs) \
    X(Controle) \
    X(Collecte) \
    X(SynthesePays) \
    X(Selection) \
    X(Repartition) \
    X(Variabilite) \
    X(Entonnoir) \
    X(Alertes) \
    X(Evolution) \
    X(Demo) \
    X(Lire)

namespace pelo::cli {

#define PELO_DECLARE_COMMAND(Name) extern const Command command##Name;
PELO_FIBTOOL_COMMANDS(PELO_DECLARE_COMMAND)
#undef PELO_DECLARE_COMMAND

const std::vector<const Command*>& commands() {
#define PELO_COMMAND_ADDRESS(Name) &command##Name,
    static const std::vector<const Command*> list{PELO_FIBTOOL_COMMANDS(PELO_COMMAND_ADDRESS)};
#undef PELO_COMMAND_ADDRESS
    return list;
}

const Command* findCommand(const std::string& name) {
    for (const Command* c : commands())
        if (c->name == name) return c;
    return nullptr;
}

}  // namespace pelo::cli
