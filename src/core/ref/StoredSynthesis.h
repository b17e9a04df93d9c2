#pragma once
// Reading a stored synthesis (index and counter files in the working folder)
// for the reference screens, the variability window, the comparison table and
// fibtool. Each call opens, reads and closes its files; a failure names the
// file and the cause, and nothing is returned in part.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "formats/RecordFile.h"
#include "formats/SynthesisFile.h"
#include "pool/VariabilityCharts.h"
#include "pool/VariabilityList.h"
#include "ref/References.h"

namespace pelo::ref {

// A stored synthesis read whole: its index and its counter records.
struct StoredSynthesis {
    std::string name;  // the index file, "SynFr97.Atx"
    pool::SynIndex index;
    std::vector<pool::SynCounters> records;  // record 0 the country

    // The counter record of a centre; nullptr when it has none.
    const pool::SynCounters* centre(std::int32_t number) const;
};

// The name of a file of the folder, found whatever its case when no file has
// exactly that name: the pooled synthesis writes "SYNFr97.ATX", the reference
// menu asks for "SynFr97.Atx", as a case-blind file system would find it.
// The name as given when nothing matches.
std::string resolveName(const std::string& folder, const std::string& name);

// The stored syntheses of a folder: the index files ("*.ATX", any case) whose
// counter file is there too, in name order. Empty when the folder cannot be read.
std::vector<std::string> storedSynthesesIn(const std::string& folder);

// The refusal of a synthesis name without an extension (a usage error).
inline const char* const kNoExtension = "Nom de synthèse sans extension (par exemple SynFr97.Atx)";

// Reads both files of a stored synthesis; the name must be a plain file name
// with an extension (the counter file's name comes from it; a bad name is a
// plain IoError). A pair that does not belong together is an error
// ("synthèse incohérente"): no figure is ever read from it.
IoStatus readStored(const std::string& folder, const std::string& name, StoredSynthesis& out);

// Centres in increasing number with their FIB counts (low 16 bits).
std::vector<CentreCount> centreCounts(const StoredSynthesis& s);

// The variability list's input for a chosen centre (0: none) shown with its count.
pool::VariabilityInput variabilityInput(const StoredSynthesis& s, std::int32_t centre, std::int32_t shownCount);

// The shares of counter k in every centre, in increasing centre order.
std::vector<pool::CentreShare> bandShares(const StoredSynthesis& s, int counter);

// The totals compared for one reference: index entry 999 and counter record 0.
IoStatus readReferenceTotals(const std::string& folder, const ComparedFile& f, ReferenceTotals& out);

}  // namespace pelo::ref
