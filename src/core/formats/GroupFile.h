#pragma once
// GROUPE.DAT: the groups of centres of the national level, 1024-byte records,
// one per group, in the working folder. Little-endian, unused bytes 0.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordIo.h"

namespace pelo::pool {

inline const std::string kGroupFile = "GROUPE.DAT";

// One group of centres of GROUPE.DAT.
struct GroupeRecord {
    static constexpr std::size_t kNameSize = 10;
    static constexpr std::size_t kMaxCentres = 506;
    std::uint16_t NumGroupe = 0;
    char NomGroupe[kNameSize] = {};                 // Windows-1252, ends at the first #0
    std::uint16_t CentresGroupe[kMaxCentres] = {};  // ends at the first 0

    // Name as UTF-8, up to its first zero byte.
    std::string name() const;
    // Stores a UTF-8 name in Windows-1252; false (nothing stored) when longer than 10 characters.
    bool setName(std::string_view utf8);
    // Centre numbers up to the first 0.
    std::vector<std::uint16_t> centres() const;
    // Stores the numbers, the rest zero; false (nothing stored) when more than 506.
    bool setCentres(const std::vector<std::uint16_t>& centres);
};
static_assert(sizeof(GroupeRecord) == 1024 && offsetof(GroupeRecord, NomGroupe) == 2 &&
              offsetof(GroupeRecord, CentresGroupe) == 12);

// The largest valid file: one record per group number.
inline constexpr std::uint64_t kMaxGroupBytes = 65535ull * sizeof(GroupeRecord);

// Reads every group of the file; with createIfMissing an absent file is
// created empty (and no group read). A file that is not made of whole
// 1024-byte records is an error.
IoStatus readGroups(const std::string& folder, std::vector<GroupeRecord>& out, bool createIfMissing);
// Replaces the file with these groups.
IoStatus writeGroups(const std::string& folder, const std::vector<GroupeRecord>& groups);

}  // namespace pelo::pool
