// A stored synthesis pair: the first 2000 bytes are the index file, the rest
// the counter file; read as the variability window, its charts and the
// comparison read them.
#include <algorithm>

#include "FuzzFolder.h"
#include "pool/VariabilityCharts.h"
#include "ref/StoredSynthesis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    const std::size_t cut = std::min<std::size_t>(size, sizeof(pool::SynIndex));
    fuzz::writeFile("SYNFR97.ATX", data, cut);
    fuzz::writeFile("SYNFR97.BTX", data + cut, size - cut);
    ref::StoredSynthesis s;
    if (ref::readStored(fuzz::folder(), "SYNFR97.ATX", s)) return 0;
    for (const auto& c : ref::centreCounts(s)) {
        (void)pool::variabilityLines(ref::variabilityInput(s, c.centre, c.count));
        break;
    }
    (void)pool::variabilityLines(ref::variabilityInput(s, 0, -1));
    for (int k : {0, 5, 176, 182}) (void)pool::variabilityBars(ref::bandShares(s, k));
    ref::ReferenceTotals t;
    (void)ref::readReferenceTotals(fuzz::folder(), ref::kCompared[0], t);
    return 0;
}
