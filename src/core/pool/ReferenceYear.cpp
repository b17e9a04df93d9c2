#include "pool/ReferenceYear.h"

#include <memory>

#include "pool/PoolSynthesis.h"

namespace pelo::pool {

std::int32_t yearOfSheet(const PooledFibRecord& f) {
    const std::uint8_t* d = f.bytes.data() + pfld::DateFib.offset;
    std::int32_t y = 0;
    for (int i = 6; i < 10; ++i) {
        if (d[i] < '0' || d[i] > '9') return 0;
        y = y * 10 + (d[i] - '0');
    }
    return y >= 1900 ? y : 0;
}

void YearTally::add(const PooledFibRecord& f) {
    if (const std::int32_t y = yearOfSheet(f)) ++counts_[y];
}

std::int32_t YearTally::proposal() const {
    std::int32_t best = 0;
    for (std::int32_t y = 1900; y <= 9999; ++y)
        if (counts_[y] > 0 && (best == 0 || counts_[y] >= counts_[best])) best = y;
    return best == 0 ? kDefaultReferenceYear : best;
}

std::int32_t proposedReferenceYear(std::span<const PooledFibRecord> fibs) {
    auto tally = std::make_unique<YearTally>();
    for (const auto& f : fibs) tally->add(f);
    return tally->proposal();
}

IoStatus proposeReferenceYear(const std::string& folder, const std::string& poolName, std::int32_t& year) {
    PooledReader in;
    if (auto e = in.open(folder, poolName)) return e;
    auto tally = std::make_unique<YearTally>();
    IoStatus readError;
    while (const PooledFibRecord* f = in.next(&readError)) tally->add(*f);
    if (readError) return readError;
    year = tally->proposal();
    return {};
}

}  // namespace pelo::pool
