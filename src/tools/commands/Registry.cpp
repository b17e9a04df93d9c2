// The list of fibtool's commands, drawn from Registry.def (one line per command).
#include "Command.h"

namespace pelo::cli {

#define FIBTOOL_COMMAND(Name) extern const Command command##Name;
#include "Registry.def"
#undef FIBTOOL_COMMAND

const std::vector<const Command*>& commands() {
    static const std::vector<const Command*> list{
#define FIBTOOL_COMMAND(Name) &command##Name,
#include "Registry.def"
#undef FIBTOOL_COMMAND
    };
    return list;
}

const Command* findCommand(const std::string& name) {
    for (const Command* c : commands())
        if (c->name == name) return c;
    return nullptr;
}

}  // namespace pelo::cli
