#pragma once
// Passphrases for fibtool: the first line of the file given with
// --phrase-de, or typed on the terminal without echo. Never from the command
// line, where other users of the machine could read it.

#include <string>

#include "Cli.h"
#include "formats/Seal.h"

namespace pelo::cli {

// The passphrase into out; a new one (confirm) is typed twice. False with rc
// set to the error: no terminal and no --phrase-de, an unreadable file, an
// empty passphrase, two different entries.
bool readPassphrase(const Args& a, const std::string& prompt, bool confirm, seal::Secret& out, int& rc);

}  // namespace pelo::cli
