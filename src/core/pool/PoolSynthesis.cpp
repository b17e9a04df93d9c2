#include "pool/PoolSynthesis.h"

#include <memory>
#include <vector>

#include "store/Text.h"

namespace pelo::pool {

eval::BandParams pooledParams(std::int32_t referenceYear) {
    eval::BandParams p;
    p.year = referenceYear;
    p.cholFactor = 1.0;
    p.trigFactor = 1.0;
    p.waistForC176 = true;
    return p;
}

std::string poolSynthesisMessage(const PoolSynthesisResult& r) {
    return counted(r.centres, "centre", "centres") + ", " + counted(r.fibs, "fiche", "fiches");
}

std::string withoutIndexWarning(const PoolSynthesisResult& r) {
    if (r.withoutIndex == 0) return {};
    return std::to_string(r.withoutIndex) +
           " fiches de centres numérotés 999 et plus (ou 0) n'ont pas d'entrée dans l'index : elles ne comptent "
           "que dans les totaux.";
}

// A counter record holds one counter per band line.
static_assert(eval::kBandCount == kStoredCounters);

namespace {

bool hasIndexEntry(std::uint16_t centre) { return centre >= 1 && centre <= SynIndex::kLastCentre; }

}  // namespace

IoStatus poolSynthesis(const std::string& folder, const std::string& poolName, std::int32_t year,
                       PoolSynthesisResult& out, const Progress& progress) {
    if (auto why = synthesisNamesRefused(folder, poolName)) return IoError{poolName, *why, true};
    const auto names = synthesisNames(poolName);
    if (!names) return IoError{poolName, "Nom de fichier incorrect : " + poolName, true};  // refused above
    PooledReader in;
    if (auto e = in.open(folder, poolName)) return e;
    SynthesisWriter pair;
    if (auto e = pair.create(folder, *names)) return e;

    const eval::BandParams params = pooledParams(year);
    PoolSynthesisResult r;
    r.names = *names;
    SynIndex index;
    SynCounters current, total;
    std::uint16_t centre = 0;
    std::uint32_t k = 0;  // number of the record being counted; 0 until the first FIB
    bool started = false;

    // The FIBs of the current run are kept until the centre changes, then
    // counted: a long run through the tally of masks (a few updates per FIB),
    // a short one FIB by FIB (no tally to clear for a centre of two FIBs).
    std::vector<PooledFibRecord> run;
    run.reserve(1024);
    auto countRun = [&]() {
        if (run.size() >= 16) {
            auto tally = std::make_unique<eval::BandTally>();
            for (const auto& f : run) tally->add(eval::BandView(f.centreFields()), params);
            current.counters = tally->counts();
        } else {
            for (const auto& f : run) eval::countFib(eval::BandView(f.centreFields()), params, current.counters);
        }
        current.NbFichesCentre = std::uint32_t(run.size());
        run.clear();
    };
    // Writes the record of the centre just ended as record k.
    auto closeRun = [&]() -> IoStatus {
        countRun();
        current.reserved = centre;  // 0 for the zero record 0
        if (auto e = pair.add(current)) return e;
        if (hasIndexEntry(centre)) index.entries[centre] = static_cast<std::uint16_t>(k);
        total.addCounters(current);
        return {};
    };

    IoStatus readError;
    while (const PooledFibRecord* f = in.next(&readError)) {
        const std::uint16_t c = f->centre();
        if (!started || c != centre) {
            // The first FIB closes an empty run: the zero record 0, rewritten with the total.
            if (auto e = closeRun()) return e;
            if (started) ++k;
            else k = 1;
            started = true;
            centre = c;
            current = SynCounters{};
        }
        // Told every 1024 FIBs: the count, not the telling, sets the pace.
        if (r.fibs % 1024 == 0 && !keepGoing(progress, r.fibs, in.count(), "centre " + std::to_string(c)))
            return cancelled(names->index);
        ++r.fibs;
        if (!hasIndexEntry(c)) ++r.withoutIndex;
        run.push_back(*f);
    }
    if (readError) return readError;
    in.close();

    if (auto e = closeRun()) return e;
    total.NbFichesCentre = 0;
    r.centres = k;
    index.entries[0] = static_cast<std::uint16_t>(k);
    index.entries[SynIndex::kTotalEntry] = static_cast<std::uint16_t>(r.fibs);
    if (auto e = pair.finish(total, index)) return e;
    out = r;
    return {};
}

}  // namespace pelo::pool
