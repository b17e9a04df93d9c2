#pragma once
// Groups of centres (GROUPE.DAT): their rows as the declaration grid shows
// them, the checks of a grid before it is saved, and the partial synthesis of
// a group from a stored synthesis.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "formats/GroupFile.h"
#include "formats/SynthesisFile.h"

namespace pelo::pool {

// The three cells of a grid row: "12", "Nord", "1,2,34;" (";" without centres).
struct GroupRow {
    std::string numero, nom, centres;
};
GroupRow rowOf(const GroupeRecord& g);
std::string centresText(const GroupeRecord& g);

// The grid's rows checked and turned into records (rows left wholly blank are
// dropped), or the message that says what is wrong, naming the row (from 1).
std::variant<std::vector<GroupeRecord>, std::string> groupsFromRows(const std::vector<GroupRow>& rows);
// "1,2,34;" -> 1, 2, 34; spaces allowed, the final ";" optional. The message
// on a wrong list.
std::variant<std::vector<std::uint16_t>, std::string> parseCentres(const std::string& text);

// Partial synthesis of a group: its centres' counter records summed
// (modulo 65536), beside the country's total.
struct GroupSynthesis {
    SynCounters country;                 // record 0 of the counter file
    std::uint32_t countryFibs = 0;       // index entry 999
    SynCounters group;                   // the sum of the centres' records
    std::uint32_t groupFibs = 0;         // the sum of their NbFichesCentre
    std::vector<std::uint16_t> found;    // centres of the group present in the synthesis
    std::vector<std::uint16_t> missing;  // centres of the group absent from it
};
// indexName is the stored synthesis as the user names it ("SYNFr97.ATX"); its
// counter file is derived from it.
IoStatus groupSynthesis(const std::string& folder, const std::string& indexName, const GroupeRecord& g,
                        GroupSynthesis& out);

}  // namespace pelo::pool
