#pragma once
// Sample FIBs and centre record files for the core and the screen tests (the
// screen tests include it as "../core/SampleFibs.h").

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "store/FibRecord.h"

namespace pelo::test {

// The header of centre `centre` counting `count` FIBs.
inline CentreHeader sampleHeader(std::uint16_t centre, std::uint16_t count = 0) {
    CentreHeader h = headerTemplate();
    h.set(fld::NumCentre, centre);
    h.setNbFiches(count);
    return h;
}

// FIB number k of the file of `header`: every answer empty, dated `date`.
inline FibRecord sampleFib(const CentreHeader& header, std::uint16_t k, std::string_view date = "01/01/2026") {
    FibRecord f = emptyFibFromHeader(header, date);
    f.set(fld::NumFib, k);
    return f;
}

// The records of a centre file: its header counting n FIBs, then FIBs 1 to n
// as sampleFib makes them; `fill(fib, k)` gives FIB k its answers.
using FibFill = std::function<void(FibRecord&, int)>;
inline std::vector<FibRecord> sampleFile(std::uint16_t centre, int n, const FibFill& fill = {},
                                         std::string_view date = "01/01/2026") {
    std::vector<FibRecord> recs{sampleHeader(centre, static_cast<std::uint16_t>(n))};
    for (int k = 1; k <= n; ++k) {
        recs.push_back(sampleFib(recs[0], static_cast<std::uint16_t>(k), date));
        if (fill) fill(recs.back(), k);
    }
    return recs;
}

}  // namespace pelo::test
