#pragma once
// A stored FIB checked as the program would check it: the unit codes loaded
// from the header as the centre menu loads them, the texts that the entry
// pages show once the FIB is called up, and the run of the save on them.
// This is what `fibtool controle` prints.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "entry/Checks.h"

namespace pelo::checks {

// The texts of the entries once the record is loaded, from the pages' tables
// (entry/EntryTable.h): each number in full (never cut to the entry's
// length), empty for an empty value, singles with two decimals, the date as
// its mask reads it.
Entries page1Entries(const FibRecord& r);
Entries page2Entries(const FibRecord& r);

struct SavedCheck {
    FibRecord record;                 // the FIB as the save would write it
    std::vector<PanelResult> panels;  // the save's run: 8 panels of page 1, then 5 of page 2
};

// The FIB called up (the silent checks that loading and the call-up run
// included) and then saved: the state it would get, the record as the save
// would write it (its date as the date entry shows it) and the save's findings.
SavedCheck checkAsSaved(const FibRecord& stored, const Context& c);

// E error, A warning, S silent warning, R red notice, C conversion error.
char kindLetter(Kind k);

// "<number>\t<state>" then "\t<letter>:<message>" per finding, in order.
std::string controlLine(std::uint32_t number, const SavedCheck& check);

}  // namespace pelo::checks
