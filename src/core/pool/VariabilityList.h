#pragma once
// The variability window's list: the 264 lines of a stored synthesis for the
// country and, beside it, one chosen centre, and what the charts read back
// from those lines. Its charts are in VariabilityCharts, its printout in
// VariabilityPrint.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eval/Bands.h"

namespace pelo::pool {

// Country named by the 4th and 5th characters of a stored synthesis name
// ("SynFr97.Atx" -> "      FRANCE "; an unknown pair -> "    PAYS").
std::string countryOf(std::string_view synthesisName);

// Count and percentage of a band line, two spaces per missing digit.
std::string variabilityPart(std::uint32_t count, std::uint32_t denominator);

// The list's label of a line: a heading whole, a band label with its six
// leading spaces, " " for a blank line; empty for lines 0 and 1.
std::string variabilityLabel(int line);

// The counter shown by a band line; -1 for any other line.
int counterOfLine(int line);

struct ChosenCentre {
    std::int32_t number = 0;        // the centre's number
    eval::BandCounts counts{};      // its counter record
    std::uint16_t denominator = 0;  // its NbFichesCentre, low 16 bits
    std::int32_t shownCount = 0;    // its count on the records-per-centre chart
};

struct VariabilityInput {
    std::string name;            // "SynFr97.Atx"
    std::uint16_t total = 0;     // FIBs of the synthesis (index entry 999)
    eval::BandCounts country{};  // counter record 0
    std::optional<ChosenCentre> centre;
};

// Lines 0 to 263 of the list.
std::vector<std::string> variabilityLines(const VariabilityInput& in);

// The percentages written in a list line: the number before the first "%"
// (country) and before the second (centre). Tenths of a percent.
struct LinePercents {
    std::string countryText, centreText;
    std::int64_t countryTenths = -1, centreTenths = -1;  // -1: absent
};
LinePercents readPercents(std::string_view line);

// The band label of a line without its leading spaces, at most 49 characters.
std::string variabilityTitle(int line);

}  // namespace pelo::pool
