// A pooled file: its synthesis (the pair written, then read back), a
// selection, and the collection of it as a source file.
#include "FuzzFolder.h"
#include "pool/Collection.h"
#include "pool/PoolSynthesis.h"
#include "pool/Query.h"
#include "ref/StoredSynthesis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    const std::string& dir = fuzz::folder();
    fuzz::writeFile("FibFz.Dat", data, size);
    pool::PoolSynthesisResult r;
    if (!pool::poolSynthesis(dir, "FibFz.Dat", 1997, r)) {
        ref::StoredSynthesis s;
        if (!ref::readStored(dir, "SYNFz.ATX", s)) (void)pool::variabilityLines(ref::variabilityInput(s, 0, -1));
    }
    pool::Criterion c;
    c.variable = 33;
    c.op1 = pool::kGreater;
    c.real1 = 8.0f;
    c.value1 = 8;
    std::uint32_t n = 0;
    (void)pool::selectSubCollection(dir, "FibFz.Dat", "FibSel.Dat", c, n);
    fuzz::writeFile("FIB1.DAT", data, size);
    pool::CollectionResult cr;
    (void)pool::collect(dir, "FibCol.Dat", cr);
    return 0;
}
