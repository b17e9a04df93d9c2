#pragma once
// The sheets of a record file sorted by the state the entry checks gave them:
// complete, incomplete, to review. Annulled sheets are in no list.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/RecordFile.h"

namespace pelo {

struct QualityLists {
    std::vector<std::uint32_t> complete;    // EtatFiche 0
    std::vector<std::uint32_t> incomplete;  // EtatFiche 1
    std::vector<std::uint32_t> toReview;    // EtatFiche 2
    std::uint32_t scanned = 0;              // records 1..NbFiches read
};

// Reads FIBs 1 to NbFiches of the header. On an error `out` is left empty.
IoStatus qualityLists(const std::string& path, QualityLists& out);

}  // namespace pelo
