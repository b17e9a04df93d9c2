#include "ref/StoredSynthesis.h"

#include <algorithm>
#include <filesystem>

#include "pool/PoolFiles.h"

namespace pelo::ref {

std::string resolveName(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    if (fs::exists(dir / name, ec)) return name;
    auto lower = [](std::string t) {
        std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return t;
    };
    const std::string wanted = lower(name);
    std::string found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (lower(candidate) == wanted && (found.empty() || candidate < found)) found = candidate;
    }
    return found.empty() ? name : found;
}

std::vector<std::string> storedSynthesesIn(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    std::vector<std::string> out;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 5 || pool::badFileName(name)) continue;
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        if (ext != ".ATX") continue;
        std::error_code e2;
        if (!fs::is_regular_file(it->path(), e2)) continue;
        if (fs::exists(dir / resolveName(folder, pool::counterFileOf(name)), e2)) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

const pool::SynCounters* StoredSynthesis::centre(std::int32_t number) const {
    const std::uint16_t k = index.recordOf(number);
    return k != 0 && k < records.size() ? &records[k] : nullptr;
}

IoStatus readStored(const std::string& folder, const std::string& name, StoredSynthesis& out) {
    if (auto bad = pool::badFileName(name)) return IoError{name, *bad, true};
    const std::string counters = pool::counterFileOf(name);
    if (counters == name) return IoError{name, kNoExtension, true};
    StoredSynthesis s;
    s.name = name;
    if (auto e = pool::readSynthesisPair(folder, resolveName(folder, name), resolveName(folder, counters), s.index,
                                         s.records))
        return e;
    out = std::move(s);
    return {};
}

std::vector<CentreCount> centreCounts(const StoredSynthesis& s) {
    std::vector<CentreCount> out;
    for (int c = 1; c <= pool::SynIndex::kLastCentre; ++c)
        if (const auto* r = s.centre(c))
            out.push_back({static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(r->NbFichesCentre & 0xFFFF)});
    return out;
}

pool::VariabilityInput variabilityInput(const StoredSynthesis& s, std::int32_t centre, std::int32_t shownCount) {
    pool::VariabilityInput in;
    in.name = s.name;
    in.total = s.index.totalFibs();
    in.country = s.records.at(0).counters;
    if (centre > 0) {
        pool::ChosenCentre c;
        c.number = centre;
        c.shownCount = shownCount;
        if (const auto* r = s.centre(centre)) {
            c.counts = r->counters;
            c.denominator = static_cast<std::uint16_t>(r->NbFichesCentre & 0xFFFF);
        }
        in.centre = c;
    }
    return in;
}

std::vector<pool::CentreShare> bandShares(const StoredSynthesis& s, int counter) {
    std::vector<pool::CentreShare> out;
    if (counter < 0 || counter >= eval::kBandCount) return out;
    for (int c = 1; c <= pool::SynIndex::kLastCentre; ++c)
        if (const auto* r = s.centre(c))
            out.push_back({static_cast<std::uint16_t>(c), r->counters[std::size_t(counter)],
                           static_cast<std::uint16_t>(r->NbFichesCentre & 0xFFFF)});
    return out;
}

IoStatus readReferenceTotals(const std::string& folder, const ComparedFile& f, ReferenceTotals& out) {
    pool::SynIndex index;
    std::vector<pool::SynCounters> records;
    if (auto e = pool::readSynthesisPair(folder, resolveName(folder, f.index), resolveName(folder, f.counters), index,
                                         records))
        return e;
    out.total = index.totalFibs();
    out.counts = records[0].counters;
    return {};
}

}  // namespace pelo::ref
