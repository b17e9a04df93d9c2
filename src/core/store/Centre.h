#pragma once
// The centre's identification and laboratory units: the regions and their
// departments, the structures of care, the units offered for the seven
// laboratory values, and how the header stores them.
//
// Stored codes:
//   - region: position in the region list, 1 to 26 (0 = not chosen);
//   - department: the number of its text, except "2A" 101, "2B" 102,
//     "971" 96, "972" 97, "973" 98, "974" 99, so that every code fits a byte;
//   - structure of care: 1 to 5 (0 = not chosen);
//   - RegionDep (header bytes 242-243) = region x 256 + department;
//   - unit codes: 3 the international unit (default), 4 and 5 the alternatives,
//     kept in the header as singles 3.0 / 4.0 / 5.0 in the slots where a FIB
//     holds the value itself; -1.0 in the first slot = units never chosen.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/FibRecord.h"

namespace pelo::centre {

inline constexpr int kRegionCount = 26;
inline constexpr int kStructureCount = 5;
inline constexpr int kUnitRows = 7;  // Glycémie ... Triglycérides, the order of UnitCodes
inline constexpr std::uint16_t kDefaultUnit = 3;

struct Region {
    std::string_view name;                      // "Corse"
    std::vector<std::string_view> departments;  // "2A", "2B"
};

// The 26 regions in list order (region code = index + 1).
const std::array<Region, kRegionCount>& regions();

// Name of a region code; empty for 0 or an unknown code.
std::string regionName(int code);

// Department texts offered for a region code; none for 0 or an unknown code.
std::vector<std::string> departmentTexts(int regionCode);

// Stored code of a department text: "2A" -> 101, "971" -> 96, "03" -> 3.
// Nothing for a text that is neither a department number of 1 to 3 digits
// nor "2A"/"2B", or whose code would not fit the byte.
std::optional<std::uint8_t> departmentCode(std::string_view text);

// The department text of a stored code: 101 -> "2A", 96 -> "971", 3 -> "03".
// Empty for 0.
std::string departmentText(std::uint8_t code);

// RegionDep word of a region and a department code.
inline std::uint16_t regionDep(std::uint16_t region, std::uint16_t department) {
    return static_cast<std::uint16_t>(((region & 0xFF) << 8) | (department & 0xFF));
}

// Structures of care, long texts of the list and short texts shown back.
// Empty for 0 or an unknown code.
std::string structureName(int code);       // "Service spécialisé diabète (hopital ou clinique)"
std::string structureShortName(int code);  // "Service spécialisé diabète"

// The units grid, texts as the grids show them, with their leading space.
std::string unitRowName(int row);            // row 0..6: " Glycémie" ...
std::string unitText(int row, int code);     // " mmol/l"; empty when the row offers no unit for that code
// True when the row offers a unit for that code.
bool unitOffered(int row, int code);

// The plain label of a laboratory value in the centre's unit, for the entry
// pages and the printout: row 0..6 in the order of UnitCodes (kUnitGly ...),
// code 3/4/5 as loaded. For example unitLabel(kUnitGly, 4) == "g/l",
// unitLabel(kUnitCreat, 4) == "mg/l", unitLabel(kUnitChol, 5) == "mg/dl".
// Empty when the code gives no unit for that value (a code other than 3, 4
// or 5, or 4/5 for a value that has only one unit).
std::string unitLabel(int row, int code);

// Unit codes as a run loads them from a header. When the first slot holds
// exactly -1.0 the units were never chosen and every code is 3. Otherwise each
// code is the nearest integer of its slot, a half to even, kept to 16 bits as
// stored (a -1.0 slot gives 65535, a code that converts nothing). The slots
// of the record given are then set back to -1.0, so that the buffer becomes
// the template of an empty FIB.
std::array<std::uint16_t, kUnitRows> loadUnitCodes(CentreHeader& header);

// Writes seven unit codes into the header's slots as singles (3 -> 3.0).
void storeUnitCodes(CentreHeader& header, const std::array<std::uint16_t, kUnitRows>& codes);

// Copies the identification of a centre (number, region and department,
// structure of care, unit slots) from one header into another; the other's
// FIB count and everything else stay.
void copyIdentification(const CentreHeader& from, CentreHeader& to);

// The codes to offer as "in effect" when the units are asked: a code that its
// row does not offer (0 at the start of a run) becomes the default 3, so that
// leaving the units dialog without saving never stores a unit that does not exist.
std::array<std::uint16_t, kUnitRows> unitCodesOrDefault(const std::array<std::uint16_t, kUnitRows>& codes);

// The centre number typed in its dialog: 1 to 4 digits, 1 to 9999, spaces
// around allowed.
enum class CentreEntry { Empty, Invalid, Number };
struct ParsedCentre {
    CentreEntry kind;
    std::uint16_t number = 0;
};
ParsedCentre parseCentreNumber(std::string_view text);

}  // namespace pelo::centre
