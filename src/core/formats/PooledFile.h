#pragma once
// The pooled file of the national level (FibFr97.Dat, sub-collections):
// 252-byte records, record 0 the PooledHeader, records 1..NbFiches the FIBs.
// A PooledFibRecord is a centre FIB widened: CodeFixe, NumCentre and NumFib
// on 32 bits, the two pad bytes after MoisNaissance dropped, so that every
// field from AnNaissance on stands 4 bytes further than in the 248-byte FIB.
// Little-endian, pad bytes written as 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "store/FibRecord.h"
#include "store/RecordIo.h"

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

    // The fields from AnNaissance on, laid out as in a centre FIB: what the
    // band rules read (eval::BandView(r.centreFields())).
    const std::uint8_t* centreFields() const { return bytes.data() + pfld::AnNaissance.offset; }

    bool operator==(const PooledFibRecord&) const = default;
};
static_assert(sizeof(PooledFibRecord) == kPooledSize);
static_assert(pfld::AnNaissance.offset == 24 && pfld::Sexe.offset == 28 && pfld::HbA1c.offset == 112 &&
              pfld::EtatFiche.offset == 177 && pfld::Reserve2.offset == 248);

using PooledHeader = PooledFibRecord;

// A centre FIB (or header) in the pooled format: the three words
// zero-extended, the pad at bytes 18-19 dropped, everything else unchanged.
PooledFibRecord widen(const FibRecord& r);

// The largest valid pooled file.
inline constexpr std::uint64_t kMaxPooledBytes = recordio::kMaxRecords * kPooledSize;

// Sequential reading of a pooled file: the header, then FIBs 1..NbFiches
// (low 16 bits). A count past the end of the file, or a file that is not made
// of whole 252-byte records, is an error.
class PooledReader : public recordio::RecordSequence<PooledHeader, PooledFibRecord, 2048> {
public:
    IoStatus open(const std::string& folder, const std::string& name) {
        return RecordSequence::open(recordio::inFolder(folder, name), name);
    }
    // A file named by its path; errors name it by label (by its path when none).
    IoStatus openPath(const std::string& path, const std::string& label = {}) {
        return RecordSequence::open(path, label.empty() ? path : label);
    }
};

// A pooled file written whole under a temporary name: the header first, the
// FIBs after it, then finish() puts the count in the header and renames the
// file over the old one. Dropped, and the old file left as it was, when it is
// not finished.
class PooledWriter {
public:
    IoStatus create(const std::string& folder, const std::string& name, const PooledHeader& header);
    IoStatus write(const PooledFibRecord* fibs, std::size_t n);
    // Writes header with NbFiches set to the number of FIBs written, then commits.
    IoStatus finish(PooledHeader header);
    std::uint32_t written() const { return written_; }

private:
    recordio::AtomicWriter out_;
    std::uint32_t written_ = 0;
};

}  // namespace pelo::pool
