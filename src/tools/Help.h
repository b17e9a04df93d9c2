#pragma once
// fibtool's help texts, drawn from the commands' descriptors: the general usage, one page per command, the
// commands of the manual page, the version.

#include <optional>
#include <string>

namespace pelo::cli {

// The usage printed by `fibtool --help`, `-h` and `aide`.
std::string generalHelp();
// The help of one command (`fibtool COMMANDE --help`, `fibtool aide COMMANDE`); nothing when unknown.
std::optional<std::string> commandHelp(const std::string& command);
// The entries of the manual page's COMMANDES section, in roff (built into the page at build time).
std::string manCommands();
// The text of `fibtool --version`.
std::string versionText();

}  // namespace pelo::cli
