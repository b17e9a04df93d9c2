#pragma once
// The rules of the national level on the files of its working folder, all
// named without a folder: which names a user may type, which files an action
// may not replace, and the whole-file helpers of the small files. The formats
// themselves (pooled file, stored synthesis, GROUPE.DAT) are in formats/.
// Errors name the file as the user typed it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/PooledFile.h"
#include "formats/RecordFile.h"
#include "formats/SynthesisFile.h"
#include "store/Progress.h"

namespace pelo::pool {

using recordio::inFolder;

// A name typed by the user must be a plain name: not empty, no folder
// separator, not "." or "..", not "-", no control character (a newline would
// split the lines that name it). The refusal text, or nothing when it is fine.
std::optional<std::string> badFileName(const std::string& name);

// A name the country screens and fibtool never write to: the centre's own
// files (FIB.DAT, ESSAIFIB.DAT, any FIBn.DAT), GROUPE.DAT, and the input of
// the action (compared whatever the case, and as the same file when both
// exist). The refusal text, or nothing when output may be written.
std::optional<std::string> protectedOutput(const std::string& folder, const std::string& output,
                                           const std::string& input);

// Why the stored synthesis of a pooled file cannot be written: a name too
// short, or an index or counter file that would replace the pooled file (or
// another protected file). Nothing when it can.
std::optional<std::string> synthesisNamesRefused(const std::string& folder, const std::string& poolName);
// Whole-file helpers for the small files (GROUPE.DAT): the bytes of a file, or
// a file written atomically.
IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out,
                       std::uint64_t maxBytes);
IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n);

// Existence of a file in the folder.
bool fileExists(const std::string& folder, const std::string& name);

}  // namespace pelo::pool
