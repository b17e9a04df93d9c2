// GROUPE.DAT: its rows as the declaration grid shows them, and each group's
// partial synthesis against a valid stored synthesis.
#include <cstring>

#include "FuzzFolder.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
#include "pool/VariabilityList.h"

namespace {
// A small valid stored synthesis, written once.
void prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    using namespace pelo;
    std::vector<std::uint8_t> b(pool::kPooledSize * 5, 0);
    pool::PooledHeader h = pool::widen(headerTemplate());
    h.setNbFiches(4);
    std::memcpy(b.data(), h.bytes.data(), pool::kPooledSize);
    for (int k = 1; k <= 4; ++k) {
        pool::PooledFibRecord f = pool::widen(emptyFibFromHeader(headerTemplate(), "01/02/1997"));
        f.set(pool::pfld::NumCentre, std::int32_t(k % 3 + 1));
        std::memcpy(b.data() + std::size_t(k) * pool::kPooledSize, f.bytes.data(), pool::kPooledSize);
    }
    fuzz::writeFile("FibGr.Dat", b.data(), b.size());
    pool::PoolSynthesisResult r;
    (void)pool::poolSynthesis(fuzz::folder(), "FibGr.Dat", 1997, r);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    prepare();
    fuzz::writeFile("GROUPE.DAT", data, size);
    std::vector<pool::GroupeRecord> groups;
    if (pool::readGroups(fuzz::folder(), groups, false)) return 0;
    for (const auto& g : groups) {
        (void)pool::rowOf(g);
        pool::GroupSynthesis s;
        if (pool::groupSynthesis(fuzz::folder(), "SYNGr.ATX", g, s)) continue;
        pool::VariabilityInput in;
        in.name = "SYNGr.ATX";
        in.total = static_cast<std::uint16_t>(s.countryFibs);
        in.country = s.country.counters;
        pool::ChosenCentre c;
        c.counts = s.group.counters;
        c.denominator = static_cast<std::uint16_t>(s.groupFibs);
        in.centre = c;
        (void)pool::variabilityLines(in);
    }
    return 0;
}
