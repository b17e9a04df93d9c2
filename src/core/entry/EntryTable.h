#pragma once
// The two entry pages described once. Each page is a list of its controls
// (`Item`: name, kind, container, place and size at 640 x 480, caption,
// accessible name, check group, the field it writes, its place in the Tab
// order), a list of its fields in the order of their loading with how each
// is read and shown (`Control`, joined with the controls that show it), and
// its check groups (`Panel`). The pages build their controls, load a sheet
// and hand their texts to the checks from these lists; the checks read the
// entries by field, and the call-up in core (what `fibtool controle` prints)
// loads from the same rows, so that all agree by construction.

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

// What a control of the sheet is.
enum class Widget : std::uint8_t {
    Label,  // a caption
    Entry,  // a text entry
    Check,  // a check box
    Radio,  // a radio button
    Block,  // a coloured block holding other controls
};

// How a control looks beyond its page's usual look.
namespace look {
enum : std::uint8_t {
    Dark = 1,       // black text (the captions inside a light-yellow block)
    Small = 2,      // 7 points
    Right = 4,      // aligned right
    Heading = 8,    // a column heading: centred at the top
    ReadOnly = 16,  // a number shown, not typed nor reached with Tab
};
}  // namespace look

struct Rect {
    int x, y, w, h;
};

// One control of a page, as laid out at 640 x 480.
struct Item {
    const char* name;  // object name ("" for a bare caption of page 2)
    Widget widget;
    const char* in;          // its container: a group's frame, a block, or "" for the page
    Rect at;                 // within its container
    const char* text;        // caption, or the initial text of an entry
    const char* accessible;  // French accessible name, when it has one
    int group = -1;          // index of its check panel in the page's run; -1 for none
    FieldRef field{};        // the field it writes; field.name null for none
    int code = 0;            // a box's place among its field's boxes, from 1
    int tab = -1;            // place in the Tab order of the sheet; -1 for none
    const char* tip = "";    // tooltip
    int look = 0;            // `look` flags

    bool writes() const { return field.name != nullptr; }
};
std::span<const Item> page1Items();
std::span<const Item> page2Items();

// The entry that shows a field and the box of a field's code (of either page),
// by object name.
const char* entryName(FieldRef f);
const char* boxName(FieldRef f, int code);

// A field of a page with the controls that show it.
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

// The fields of a page in the order of their loading (VisuFib1: the order of
// the sheet; VisuFib2: the order of the record), joined with their controls.
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

// The check panels of a page in the order of its full run, with the group
// each stands beside: the group's frame, spanning the page's width from its
// top `y` and `h` high, with its caption at the left, and its help button.
using Routine = checks::PanelResult (*)(FibRecord&, const checks::Entries&, const checks::Context&);
struct Panel {
    const char* name;  // "Panel23"
    Routine routine;
    const char* group;    // French name of its group
    const char* frame;    // object name of the group's frame
    const char* caption;  // the group's caption
    int y, h;
    int help;      // number of its help button ("BitBtn2")
    int helpPage;  // the help page it opens
};
std::span<const Panel> page1Panels();
std::span<const Panel> page2Panels();

// Checks that a click on a choice box runs before it writes its field, as
// indexes into its page's panels.
struct ClickChecks {
    std::vector<int> panels;
    bool silent = true;  // with check messages off for the run; otherwise as they are set
};
ClickChecks clickChecks(int page, FieldRef field, int code);

// What loading a choice field's stored code does beyond writing it: the box
// of that code is ticked as if clicked, and its click's checks run. Nothing
// for a code that no box shows, nor for the families whose loading only ticks.
struct LoadingClick {
    std::size_t box;  // index in the group's boxes
    ClickChecks checks;
};
std::optional<LoadingClick> loadingClick(int page, const Control& choice, std::uint8_t code);

}  // namespace pelo::entry
