#pragma once
// Progress of long commands on stderr, only when stderr is a terminal: a
// script or a log gets the results and the errors, never a progress line.

#include <string>

#include "store/Progress.h"

namespace pelo::cli {

// A progress line "title : what (p %)" rewritten in place, cleared when the
// last copy of the callback goes; no callback when stderr is no terminal.
Progress terminalProgress(const std::string& title);

// The same for a stream known to be a terminal or not (tests).
Progress progressOn(int fd, bool isTerminal, const std::string& title);

}  // namespace pelo::cli
