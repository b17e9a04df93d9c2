#pragma once
// Progress of long work (a collection of many files, the synthesis of many
// FIBs) told to whoever shows it, who may cancel it. Cancelled work replaces
// nothing: the files it would have replaced stay whole.

#include <cstdint>
#include <functional>
#include <string>

#include "store/IoError.h"

namespace pelo {

// `done` steps out of `total`, `what` the file or centre at hand; false cancels.
using Progress = std::function<bool(std::uint32_t done, std::uint32_t total, const std::string& what)>;

// True to go on: no one listening, or the listener did not cancel.
inline bool keepGoing(const Progress& p, std::uint32_t done, std::uint32_t total, const std::string& what) {
    return !p || p(done, total, what);
}

inline const std::string kCancelledPrefix = "Opération annulée";

// The failure that ends cancelled work on `file`, which was left as it was.
inline IoError cancelled(const std::string& file) {
    return IoError{file, kCancelledPrefix + " : " + file + " n'a pas été modifié.", true};
}
inline bool isCancelled(const IoError& e) { return e.plain && e.cause.rfind(kCancelledPrefix, 0) == 0; }

}  // namespace pelo
