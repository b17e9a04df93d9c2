#pragma once
// The centre's identification: the regions and their departments, the
// structures of care, and how the header stores them (the laboratory units
// are in store/Units.h).
//
// Stored codes:
//   - region: position in the region list, 1 to 26 (0 = not chosen);
//   - department: the number of its text, except "2A" 101, "2B" 102,
//     "971" 96, "972" 97, "973" 98, "974" 99, so that every code fits a byte;
//   - structure of care: 1 to 5 (0 = not chosen);
//   - RegionDep (header bytes 242-243) = region x 256 + department.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/FibRecord.h"
#include "store/Units.h"

namespace pelo::centre {

inline constexpr int kRegionCount = 26;
inline constexpr int kStructureCount = 5;

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

// Copies the identification of a centre (number, region and department,
// structure of care, unit slots) from one header into another; the other's
// FIB count and everything else stay.
void copyIdentification(const CentreHeader& from, CentreHeader& to);

// The centre number typed in its dialog: 1 to 4 digits, 1 to 9999, spaces
// around allowed.
enum class CentreEntry { Empty, Invalid, Number };
struct ParsedCentre {
    CentreEntry kind;
    std::uint16_t number = 0;
};
ParsedCentre parseCentreNumber(std::string_view text);

}  // namespace pelo::centre
