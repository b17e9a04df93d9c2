#include "store/Version.h"

// Both come from the build (the project's version and licence).
#ifndef PELO_VERSION
#define PELO_VERSION "0"
#endif
#ifndef PELO_LICENSE
#define PELO_LICENSE "?"
#endif

namespace pelo {

const char* programVersion() { return PELO_VERSION; }

std::string licenceLine() { return "Licence : " PELO_LICENSE; }

}  // namespace pelo
