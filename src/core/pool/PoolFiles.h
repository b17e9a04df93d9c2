#pragma once
// Files of the national level, all named without a folder and found in the
// working folder: pooled files and sub-collections (252-byte records), the
// stored synthesis (index "ATX" and counters "BTX"), GROUPE.DAT. Errors name
// the file as the user typed it.
//
// Every file that replaces another is written under a temporary name in the
// same folder, synced, then renamed over the old one: an interruption or an
// error leaves the old file whole.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pool/PooledRecord.h"
#include "store/Progress.h"
#include "store/RecordFile.h"

namespace pelo::pool {

using recordio::inFolder;

// A name typed by the user must be a plain name: not empty, no folder
// separator, not "." or "..". The refusal text, or nothing when it is fine.
std::optional<std::string> badFileName(const std::string& name);

// Names of the stored synthesis of a pooled file: "SYN" + the name without its
// first three characters, up to and including its last ".", + "ATX" / "BTX"
// ("FibFr97.Dat" -> SYNFr97.ATX, SYNFr97.BTX; "Fib.Dat" -> SYN.ATX; a name
// without "." gets ".ATX"). Nothing for a name of 3 characters or fewer.
struct SynNames {
    std::string index, counters;
};
std::optional<SynNames> synthesisNames(const std::string& poolName);
// The counter file of a stored synthesis: its name with the character after
// the last "." replaced by "B" ("SynFr97.Atx" -> "SynFr97.Btx").
std::string counterFileOf(const std::string& indexName);

// Reading of a stored synthesis.
IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out);
// Counter record k (0 is the country's total); beyond the end of the file is an error.
IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out);
// All records of a counter file.
IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out);

// Sequential reading of a pooled file: the header, then FIBs 1..NbFiches
// (low 16 bits). A count past the end of the file, or a file that is not made
// of whole 252-byte records, is an error.
class PooledReader : public recordio::RecordSequence<PooledHeader, PooledFibRecord, 2048> {
public:
    IoStatus open(const std::string& folder, const std::string& name) {
        return RecordSequence::open(inFolder(folder, name), name);
    }
};

// A file written whole under a temporary name and renamed over `name` by
// commit(); dropped (and the old file left as it was) otherwise.
class ReplacementFile : public recordio::AtomicWriter {
public:
    IoStatus create(const std::string& folder, const std::string& name) {
        return AtomicWriter::create(inFolder(folder, name), name);
    }
    const std::string& name() const { return label(); }
};

// Whole-file helpers for the small files (GROUPE.DAT): the bytes of a file, or
// a file written atomically.
IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out);
IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n);

// Existence of a file in the folder.
bool fileExists(const std::string& folder, const std::string& name);

}  // namespace pelo::pool
