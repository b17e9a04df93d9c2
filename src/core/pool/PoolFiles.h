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
// separator, not "." or "..", not "-", no control character (a newline would
// split the lines that name it). The refusal text, or nothing when it is fine.
std::optional<std::string> badFileName(const std::string& name);

// A name the country screens and fibtool never write to: the centre's own
// files (FIB.DAT, ESSAIFIB.DAT, any FIBn.DAT), GROUPE.DAT, and the input of
// the action (compared whatever the case, and as the same file when both
// exist). The refusal text, or nothing when output may be written.
std::optional<std::string> protectedOutput(const std::string& folder, const std::string& output,
                                           const std::string& input);

// Names of the stored synthesis of a pooled file: "SYN" + the name without its
// first three characters, up to and including its last ".", + "ATX" / "BTX"
// ("FibFr97.Dat" -> SYNFr97.ATX, SYNFr97.BTX; "Fib.Dat" -> SYN.ATX; a name
// without "." gets ".ATX"). Nothing for a name of 3 characters or fewer.
struct SynNames {
    std::string index, counters;
};
std::optional<SynNames> synthesisNames(const std::string& poolName);
// Why the stored synthesis of a pooled file cannot be written: a name too
// short, or an index or counter file that would replace the pooled file (or
// another protected file). Nothing when it can.
std::optional<std::string> synthesisNamesRefused(const std::string& folder, const std::string& poolName);
// The counter file of a stored synthesis: its name with the character after
// the last "." replaced by "B" ("SynFr97.Atx" -> "SynFr97.Btx").
std::string counterFileOf(const std::string& indexName);

// The largest valid files of each format.
inline constexpr std::uint64_t kMaxPooledBytes = recordio::kMaxRecords * kPooledSize;
inline constexpr std::uint64_t kMaxCounterBytes = recordio::kMaxRecords * sizeof(SynCounters);
inline constexpr std::uint64_t kMaxGroupBytes = 65535ull * sizeof(GroupeRecord);  // one record per group number

// Reading of a stored synthesis.
IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out);
// Counter record k (0 is the country's total); beyond the end of the file is an error.
IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out);
// All records of a counter file.
IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out);
// Whether an index and its counter records belong together, as the pooled
// synthesis writes them: entry 0 is the number of centre records, every entry
// names an existing record of that centre (when the record carries its
// centre, as the counters written since do), entry 999 is the sum of the centres' FIB counts
// (16 bits), no counter is above its record's FIB count and record 0 is the
// sum of the others. A pair that fails (the index of one run beside the
// counters of another, a corrupt file) is an error naming both files:
// "synthèse incohérente".
IoStatus checkSynthesisPair(const std::string& indexName, const std::string& counterName, const SynIndex& index,
                            const std::vector<SynCounters>& records);
// Both files of a stored synthesis, checked together.
IoStatus readSynthesisPair(const std::string& folder, const std::string& indexName, const std::string& counterName,
                           SynIndex& index, std::vector<SynCounters>& records);

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
IoStatus readWholeFile(const std::string& folder, const std::string& name, std::vector<std::uint8_t>& out,
                       std::uint64_t maxBytes);
IoStatus replaceFile(const std::string& folder, const std::string& name, const void* data, std::size_t n);

// Existence of a file in the folder.
bool fileExists(const std::string& folder, const std::string& name);

}  // namespace pelo::pool
