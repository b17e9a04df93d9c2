#pragma once
// The checks of the entry pages' groups, as functions of the record, the
// texts typed in the page's entries and the context of the run. Each routine
// reads its group's entries into the record, tests the group and returns its
// findings in the order they are found; the page shows them (when check
// messages are on), colours the panel and re-syncs its controls from the record.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/FibRecord.h"

namespace pelo::checks {

enum class Kind {
    Error,          // red panel, error box, EtatFiche raised to 2
    Warning,        // orange panel unless red, warning box, EtatFiche 0 -> 1
    SilentWarning,  // orange panel unless red, warning box, EtatFiche unchanged
    RedNotice,      // red panel, error box, EtatFiche unchanged
    Conversion,     // an entry that is not a number: error box, the routine stops there
};

enum class Colour { Navy, Orange, Red };

struct Finding {
    Kind kind;
    std::string message;                       // exactly as the user reads it
    std::optional<std::pair<int, int>> pos;    // screen position of the box, when placed
    bool operator==(const Finding&) const = default;
};

// Texts of the page's entries, by control name ("Edit5", "MaskEdit1"...), UTF-8.
using Entries = std::map<std::string, std::string>;

struct Context {
    int currentYear = 0;
    std::array<std::uint16_t, 7> units{3, 3, 3, 3, 3, 3, 3};  // UnitCodes of the run
    bool readPage2Entries = true;                             // page 2 copies its entries first
};

// What one routine did.
struct PanelResult {
    std::string panel;              // "Panel23"
    Colour colour = Colour::Navy;
    std::vector<Finding> findings;  // in order
};

}  // namespace pelo::checks
