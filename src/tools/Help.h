#pragma once
// fibtool's help texts: the general usage, one page per command, the version.

#include <string>

namespace pelo::cli {

// The usage printed by `fibtool --help`, `-h` and `aide`.
const char* generalHelp();
// The help of one command (`fibtool COMMANDE --help`, `fibtool aide COMMANDE`); nullptr when unknown.
const char* commandHelp(const std::string& command);
// The text of `fibtool --version`.
std::string versionText();

}  // namespace pelo::cli
