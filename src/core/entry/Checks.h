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
    Conversion,     // an entry that is not a number: error box even when checks are silent,
                    // the routine stops there, red panel, EtatFiche raised to 2 (an unreadable
                    // entry must not leave the sheet "complete")
};

enum class Colour { Navy, Orange, Red };

struct Finding {
    Kind kind;
    std::string message;                     // exactly as the user reads it
    std::optional<std::pair<int, int>> pos;  // screen position of the box, when placed
    bool errorIcon = false;                  // shown with the error icon whatever its kind
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
    std::string panel;  // "Panel23"
    Colour colour = Colour::Navy;
    std::vector<Finding> findings;  // in order
    // Controls the routine ticked itself (aqua, partner made light), e.g.
    // "CheckBox2" when cigarettes are given; they run no click checks of their own.
    std::vector<std::string> ticked;
};

// Entry page 1, in the order of the full run. Each routine stores its group's
// entries into the record, raises EtatFiche (never lowers it, never touches
// an annulled 255) and returns its findings. An entry that is not a number
// ends the routine with a Conversion finding; the fields before it stay stored.
PanelResult Panel23Click(FibRecord& r, const Entries& e, const Context& c);  // identification
PanelResult Panel22Click(FibRecord& r, const Entries& e, const Context& c);  // contact and reason
PanelResult Panel24Click(FibRecord& r, const Entries& e, const Context& c);  // pregnancy
PanelResult Panel25Click(FibRecord& r, const Entries& e, const Context& c);  // tobacco, alcohol
PanelResult Panel26Click(FibRecord& r, const Entries& e, const Context& c);  // self-monitoring
PanelResult Panel27Click(FibRecord& r, const Entries& e, const Context& c);  // education
PanelResult Panel28Click(FibRecord& r, const Entries& e, const Context& c);  // measures
PanelResult Panel29Click(FibRecord& r, const Entries& e, const Context& c);  // St-Vincent objectives

// The eight routines in order: 23, 22, 24, 25, 26, 27, 28, 29.
std::vector<PanelResult> runPage1(FibRecord& r, const Entries& e, const Context& c);

// Entry page 2. The routines read their entries first only when
// c.readPage2Entries is set; otherwise they test the record as it stands.
// Panel13Click clears Anerection for a woman; its boxes are left as they are.
PanelResult Panel13Click(FibRecord& r, const Entries& e, const Context& c);  // symptoms
PanelResult Panel15Click(FibRecord& r, const Entries& e, const Context& c);  // eyes and feet
PanelResult Panel16Click(FibRecord& r, const Entries& e, const Context& c);  // quality of life
PanelResult Panel17Click(FibRecord& r, const Entries& e, const Context& c);  // treatment
PanelResult Panel18Click(FibRecord& r, const Entries& e, const Context& c);  // associated treatments

// The five routines in order: 13, 15, 16, 17, 18.
std::vector<PanelResult> runPage2(FibRecord& r, const Entries& e, const Context& c);

// The run of the save: EtatFiche := 0 (an annulled sheet included), the
// eight page-1 routines, then the five of page 2.
std::vector<PanelResult> runSave(FibRecord& r, const Entries& page1, const Entries& page2, const Context& c);

// EtatFiche := 0 unless the sheet is annulled (255): the reset of "CTRL",
// of the call-up and of the print.
void resetState(FibRecord& r);

}  // namespace pelo::checks
