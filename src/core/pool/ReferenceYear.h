#pragma once
// The campaign year of a pooled file: the year from which ages and durations
// are counted, proposed as the year of most of its sheets.

#include <cstdint>
#include <span>
#include <string>

#include "pool/PoolFiles.h"

namespace pelo::pool {

// The year of a sheet's date "dd/mm/yyyy": characters 7 to 10, all digits,
// from 1900 to 9999; 0 when the date has none.
std::int32_t yearOfSheet(const PooledFibRecord& f);

// Counts the sheets of each year; the proposal is the year of most sheets,
// ties going to the later year, kDefaultReferenceYear when no sheet is dated.
class YearTally {
public:
    void add(const PooledFibRecord& f);
    std::int32_t proposal() const;

private:
    std::uint32_t counts_[10000] = {};
};

std::int32_t proposedReferenceYear(std::span<const PooledFibRecord> fibs);
// The proposal for the pooled file of the folder (FIBs 1 to NbFiches).
IoStatus proposeReferenceYear(const std::string& folder, const std::string& poolName, std::int32_t& year);

}  // namespace pelo::pool
