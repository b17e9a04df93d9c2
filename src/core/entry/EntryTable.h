#pragma once
// The entry controls of the two entry pages, one table per page: which field
// each control writes, how its text is read and shown, its length, its
// accessible name and its place in the Tab order. The pages build their
// controls, load a sheet and hand their texts to the checks from these
// tables, and the call-up in core (what `fibtool controle` prints) loads
// from the same rows, so that both agree by construction.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "entry/Checks.h"
#include "store/FibRecord.h"

namespace pelo::entry {

// A field of the record whatever its type.
struct FieldRef {
    FieldType type;
    std::uint16_t offset;
    const char* name;
};
template <FieldType T> constexpr FieldRef ref(Field<T> f) { return {T, f.offset, f.name}; }

enum class Kind : std::uint8_t {
    Date,         // the sheet's date, its 10 characters
    Letter,       // the initial, one upper-case letter
    Integer,      // a whole number (byte or 32-bit field)
    RoundedByte,  // a decimal number rounded into a byte (visual acuity)
    Decimal2,     // a laboratory value, shown with 2 decimals
    Year,         // a year of 4 digits
    Choice,       // a group of boxes of one field; see Family
};

// Click rules of the choice groups.
enum class Family : std::uint8_t {
    None,          // not a choice
    Radio,         // field := the button's code
    Single,        // one box: 1 or 255
    Pair,          // oui / non (or the two boxes of a row): 1, 2 or 255
    Complication,  // three boxes "Oui < 12 mois", "Oui ancien", "non": 1..4 or 255
    BeforeAfter,   // "avant" / "après": 1, 2, both 3, or 255
};

struct Control {
    const char* name;  // object name of the entry, or of the group's first box
    FieldRef field;
    Kind kind;
    int length = 0;               // longest text typed; 0 for no limit
    const char* accessible = "";  // French accessible name of an entry
    int tab = 0;                  // place of the control (of a group's first box) in the Tab order
    Family family = Family::None;
    bool exclusive = false;              // a complication row whose three boxes exclude each other
    std::array<const char*, 7> boxes{};  // a choice group's boxes in code order
                                         // (a complication row: recent, old, non)

    bool isChoice() const { return kind == Kind::Choice; }
    std::size_t boxCount() const;
};

// The rows of a page in the order of its loading (VisuFib1: the order of the
// sheet; VisuFib2: the order of the record).
std::span<const Control> page1Controls();
std::span<const Control> page2Controls();

// The text an entry shows once the record is loaded: each number in full
// (never cut to the entry's length), empty for an empty value, singles with
// two decimals.
std::string loadedText(const Control& c, const FibRecord& r);

// The texts of every entry of a page once the record is loaded, by control
// name, as read from the entries (the date through its mask).
checks::Entries loadedEntries(std::span<const Control> page, const FibRecord& r);

// The date entry's mask: day and month digits may stay blank, the year's
// four are required; the separators are fixed.
inline constexpr const char* kDateMask = "00/00/9999";
// What the date entry shows once `text` is set into it, its 10 characters
// (unfilled places blank): each character a place takes is kept, a separator
// typed early skips to its place, anything else is dropped. The save stores it.
std::string maskedDate(std::string_view text);
// The entry's text as read from it: the shown text without its blanks.
std::string strippedDate(std::string_view shown);

// The check panels of a page in the order of its full run.
using Routine = checks::PanelResult (*)(FibRecord&, const checks::Entries&, const checks::Context&);
struct Panel {
    const char* name;  // "Panel23"
    Routine routine;
    const char* group;  // French name of its group
};
std::span<const Panel> page1Panels();
std::span<const Panel> page2Panels();

// Checks that a click on a choice box runs before it writes its field, as
// indexes into its page's panels.
struct ClickChecks {
    std::vector<int> panels;
    bool silent = true;  // with check messages off for the run; otherwise as they are set
};
ClickChecks clickChecks(int page, const char* box);

// What loading a choice field's stored code does beyond writing it: the box
// of that code is ticked as if clicked, and its click's checks run. Nothing
// for a code that no box shows, nor for the families whose loading only ticks.
struct LoadingClick {
    std::size_t box;  // index in the group's boxes
    ClickChecks checks;
};
std::optional<LoadingClick> loadingClick(int page, const Control& choice, std::uint8_t code);

}  // namespace pelo::entry
