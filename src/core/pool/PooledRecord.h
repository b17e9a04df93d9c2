#pragma once
// Record layouts of the national level:
// - PooledFibRecord (252 bytes): a centre FIB widened, CodeFixe, NumCentre
//   and NumFib on 32 bits, the two pad bytes after MoisNaissance dropped, so
//   that every field from AnNaissance on stands 4 bytes further than in the
//   248-byte FIB. Record 0 of a pooled file is the PooledHeader.
// - SynIndex (2000 bytes) and SynCounters (372 bytes): a stored synthesis.
// - GroupeRecord (1024 bytes): one group of centres of GROUPE.DAT.
// All little-endian, pad bytes written as 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "eval/Bands.h"
#include "store/FibRecord.h"

namespace pelo::pool {

inline constexpr std::size_t kPooledSize = 252;
// Bytes added in front of AnNaissance: three words widened (+6), pad dropped (-2).
inline constexpr std::uint16_t kPooledShift = 4;
// NumCentre of a pooled file's header.
inline constexpr std::int32_t kPoolCentre = 9999;

// Position in the pooled record of a field of the 248-byte FIB.
constexpr std::uint16_t pooledOffset(std::uint16_t fibOffset) {
    switch (fibOffset) {
    case 0: return 0;    // CodeFixe
    case 2: return 4;    // NumCentre
    case 4: return 8;    // NumFib
    case 6: return 12;   // DateFib
    case 16: return 22;  // Initiale
    case 17: return 23;  // MoisNaissance
    default: return static_cast<std::uint16_t>(fibOffset + kPooledShift);
    }
}
// The three leading words become signed 32-bit values.
constexpr FieldType pooledType(FieldType t, std::uint16_t fibOffset) { return fibOffset < 6 ? FieldType::I32 : t; }

// pfld::Sexe is the field Sexe of a pooled record (byte 28), pfld::NumCentre a 32-bit value at 4.
namespace pfld {
#define PELO_DECLARE_POOLED(n, off, t) inline constexpr Field<pooledType(FieldType::t, off)> n{pooledOffset(off), #n};
PELO_FIB_FIELDS(PELO_DECLARE_POOLED)
#undef PELO_DECLARE_POOLED
// In the header, NumFib holds the number of FIB records that follow it.
inline constexpr Field<FieldType::I32> NbFiches{8, "NbFiches"};
}  // namespace pfld

// Runtime table of the pooled fields, in record order.
inline constexpr FieldInfo kPooledFields[] = {
#define PELO_POOLED_INFO(n, off, t) \
    {#n, pooledOffset(off), fieldWidth(pooledType(FieldType::t, off)), pooledType(FieldType::t, off)},
    PELO_FIB_FIELDS(PELO_POOLED_INFO)
#undef PELO_POOLED_INFO
};

struct PooledFibRecord : RecordBytes<kPooledSize> {
    // Centre number and FIB count as the readers use them: the low 16 bits.
    std::uint16_t centre() const { return static_cast<std::uint16_t>(get(pfld::NumCentre)); }
    std::uint16_t nbFiches() const { return static_cast<std::uint16_t>(get(pfld::NbFiches)); }
    void setNbFiches(std::int32_t n) { set(pfld::NbFiches, n); }

    // The band rules read the fields from AnNaissance on, as in a centre FIB.
    eval::BandView bandView() const { return eval::BandView(bytes.data() + pfld::AnNaissance.offset); }

    bool operator==(const PooledFibRecord&) const = default;
};
static_assert(sizeof(PooledFibRecord) == kPooledSize);
static_assert(pfld::AnNaissance.offset == 24 && pfld::Sexe.offset == 28 && pfld::HbA1c.offset == 112 &&
              pfld::EtatFiche.offset == 177 && pfld::Reserve2.offset == 248);

using PooledHeader = PooledFibRecord;

// A centre FIB (or header) in the pooled format: the three words
// zero-extended, the pad at bytes 18-19 dropped, everything else unchanged.
PooledFibRecord widen(const FibRecord& r);

// One stored-synthesis index: entry 0 the number K of centre records of the
// counter file, entry c (1..998) the counter record of centre c (0: none),
// entry 999 the number of FIBs counted.
struct SynIndex {
    static constexpr int kLastCentre = 998;
    static constexpr int kTotalEntry = 999;
    std::array<std::uint16_t, 1000> entries{};

    std::uint16_t centreRecords() const { return entries[0]; }
    std::uint16_t totalFibs() const { return entries[kTotalEntry]; }
    // Counter record of a centre; 0 when it has none (or has no usable entry).
    std::uint16_t recordOf(std::int32_t centre) const {
        return centre >= 1 && centre <= kLastCentre ? entries[std::size_t(centre)] : 0;
    }
    bool operator==(const SynIndex&) const = default;
};
static_assert(sizeof(SynIndex) == 2000);

// One counter record: the 183 band counters, 2 reserved bytes, the FIB count.
// The reserved bytes hold the record's centre number (low 16 bits; 0 for
// record 0, the country, and in files written before they did), so that an
// index can be checked against the records it names.
struct SynCounters {
    eval::BandCounts counters{};
    std::uint16_t reserved = 0;
    std::uint32_t NbFichesCentre = 0;

    // Adds the counters of another record, modulo 65536.
    void addCounters(const SynCounters& o) {
        for (int k = 0; k < eval::kBandCount; ++k)
            counters[k] = static_cast<std::uint16_t>(counters[k] + o.counters[k]);
    }
    bool operator==(const SynCounters&) const = default;
};
static_assert(sizeof(SynCounters) == 372 && offsetof(SynCounters, NbFichesCentre) == 368);

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

}  // namespace pelo::pool
