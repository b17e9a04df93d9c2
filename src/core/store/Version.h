#pragma once
// The program's version and licence as the build sets them, and the words that go with them, shared by
// the « À propos » window and fibtool --version.

#include <string>

namespace pelo {

// "0.1" (the project's version).
const char* programVersion();
// "Licence : GPL-3.0-or-later" (the project's licence, an SPDX identifier).
std::string licenceLine();
inline constexpr const char* kNoWarranty = "Ce programme est fourni sans aucune garantie.";

}  // namespace pelo
