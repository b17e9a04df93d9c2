#pragma once
// The stored synthesis of a pooled file: a pair of files written together.
// - The index ("SYNFr97.ATX", 2000 bytes): entry 0 the number K of centre
//   records, entry c (1..998) the counter record of centre c, entry 999 the
//   number of FIBs counted.
// - The counters ("SYNFr97.BTX", 372-byte records): record 0 the country, then
//   one record per centre, each the 183 band counters and the FIB count.
// Little-endian. Errors name the file as the user typed it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/RecordIo.h"

namespace pelo::pool {

// The counters of a record, one per band line.
inline constexpr int kStoredCounters = 183;

// One stored-synthesis index: entry 0 the number K of centre records of the
// counter file, entry c (1..998) the counter record of centre c (0: none),
// entry 999 the number of FIBs counted.
struct SynIndex {
    static constexpr int kLastCentre = 998;
    static constexpr int kTotalEntry = 999;
    std::array<std::uint16_t, 1000> entries{};

    std::uint16_t centreRecords() const { return entries[0]; }
    std::uint16_t totalFibs() const { return entries[kTotalEntry]; }
    // Counter record of a centre; 0 when it has none (or has no usable entry).
    std::uint16_t recordOf(std::int32_t centre) const {
        return centre >= 1 && centre <= kLastCentre ? entries[std::size_t(centre)] : 0;
    }
    bool operator==(const SynIndex&) const = default;
};
static_assert(sizeof(SynIndex) == 2000);

// One counter record: the 183 band counters, 2 reserved bytes, the FIB count.
// The reserved bytes hold the record's centre number (low 16 bits; 0 for
// record 0, the country, and in files written before they did), so that an
// index can be checked against the records it names.
struct SynCounters {
    std::array<std::uint16_t, kStoredCounters> counters{};
    std::uint16_t reserved = 0;
    std::uint32_t NbFichesCentre = 0;

    // Adds the counters of another record, modulo 65536.
    void addCounters(const SynCounters& o) {
        for (std::size_t k = 0; k < counters.size(); ++k)
            counters[k] = static_cast<std::uint16_t>(counters[k] + o.counters[k]);
    }
    bool operator==(const SynCounters&) const = default;
};
static_assert(sizeof(SynCounters) == 372 && offsetof(SynCounters, NbFichesCentre) == 368);

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

// The largest valid counter file.
inline constexpr std::uint64_t kMaxCounterBytes = recordio::kMaxRecords * sizeof(SynCounters);

// Reading of a stored synthesis.
IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out);
// Counter record k (0 is the country's total); beyond the end of the file is an error.
IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out);
// All records of a counter file.
IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out);
// Whether an index and its counter records belong together, as SynthesisWriter
// writes them: entry 0 is the number of centre records, every entry names an
// existing record of that centre (when the record carries its centre, as the
// counters written since do), entry 999 is the sum of the centres' FIB counts
// (16 bits), no counter is above its record's FIB count and record 0 is the
// sum of the others. A pair that fails (the index of one run beside the
// counters of another, a corrupt file) is an error naming both files:
// "synthèse incohérente".
IoStatus checkSynthesisPair(const std::string& indexName, const std::string& counterName, const SynIndex& index,
                            const std::vector<SynCounters>& records);
// Both files of a stored synthesis, checked together.
IoStatus readSynthesisPair(const std::string& folder, const std::string& indexName, const std::string& counterName,
                           SynIndex& index, std::vector<SynCounters>& records);

// Writing of a stored synthesis: the counter records in order (record 0 a
// place kept for the country), then finish() rewrites record 0 with the total
// and replaces the pair together. Both files are written and synced under
// temporary names, then the counters are renamed first and the index last: an
// interruption between the two renames leaves a pair that the readers refuse
// as incoherent (each counter record carries its centre, which the index must
// name), never figures of two different runs. Dropped, the old pair left as
// it was, when it is not finished.
class SynthesisWriter {
public:
    IoStatus create(const std::string& folder, const SynNames& names);
    IoStatus add(const SynCounters& record);
    IoStatus finish(const SynCounters& total, const SynIndex& index);

private:
    std::string folder_;
    SynNames names_;
    recordio::AtomicWriter counters_;
};

}  // namespace pelo::pool
