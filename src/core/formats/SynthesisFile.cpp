#include "formats/SynthesisFile.h"

#include <cstring>

namespace pelo::pool {

namespace {

// Reads record k of a file of fixed-size records.
IoStatus readRecordAt(const std::string& folder, const std::string& name, std::size_t recordSize, std::uint32_t k,
                      void* out) {
    recordio::File f(recordio::inFolder(folder, name), name, recordio::File::Mode::Read);
    if (f.openError()) return f.openError();
    if (auto e = recordio::readRecord(f, recordSize, k, out, "l'enregistrement")) return e;
    return f.close();
}

}  // namespace

std::optional<SynNames> synthesisNames(const std::string& poolName) {
    if (poolName.size() <= 3) return {};
    const std::string rest = poolName.substr(3);
    const auto dot = rest.rfind('.');
    const std::string stem = dot == std::string::npos ? rest + "." : rest.substr(0, dot + 1);
    return SynNames{"SYN" + stem + "ATX", "SYN" + stem + "BTX"};
}

std::string counterFileOf(const std::string& indexName) {
    std::string out = indexName;
    const auto dot = out.rfind('.');
    if (dot != std::string::npos && dot + 1 < out.size()) out[dot + 1] = 'B';
    return out;
}

IoStatus readSynIndex(const std::string& folder, const std::string& name, SynIndex& out) {
    return readRecordAt(folder, name, sizeof(SynIndex), 0, &out);
}

IoStatus readSynCounters(const std::string& folder, const std::string& name, std::uint32_t k, SynCounters& out) {
    return readRecordAt(folder, name, sizeof(SynCounters), k, &out);
}

IoStatus readAllSynCounters(const std::string& folder, const std::string& name, std::vector<SynCounters>& out) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(recordio::inFolder(folder, name), name, bytes, kMaxCounterBytes)) return e;
    if (bytes.size() < sizeof(SynCounters) || bytes.size() % sizeof(SynCounters) != 0)
        return recordio::shapeError(name, bytes.size(), sizeof(SynCounters));
    out.resize(bytes.size() / sizeof(SynCounters));
    std::memcpy(out.data(), bytes.data(), bytes.size());
    return {};
}

IoStatus checkSynthesisPair(const std::string& indexName, const std::string& counterName, const SynIndex& index,
                            const std::vector<SynCounters>& records) {
    auto incoherent = [&](const std::string& why) {
        return IoError{indexName + " / " + counterName, "synthèse incohérente (" + why + ")"};
    };
    if (records.empty()) return incoherent("aucun enregistrement de compteurs");
    const std::size_t centres = records.size() - 1;
    if (index.centreRecords() != centres)
        return incoherent("l'index annonce " + std::to_string(index.centreRecords()) + " enregistrements de centre, " +
                          "le fichier des compteurs en contient " + std::to_string(centres));
    for (int c = 1; c <= SynIndex::kLastCentre; ++c) {
        const std::uint16_t k = index.entries[std::size_t(c)];
        if (k > centres) return incoherent("le centre " + std::to_string(c) + " renvoie à un enregistrement absent");
        // A record written with its centre must be the one of that centre
        // (0: written before records carried it).
        if (k > 0 && records[k].reserved != 0 && records[k].reserved != c)
            return incoherent("le centre " + std::to_string(c) + " renvoie à l'enregistrement du centre " +
                              std::to_string(records[k].reserved));
    }
    std::uint64_t fibs = 0;
    SynCounters sum;
    for (std::size_t k = 1; k < records.size(); ++k) {
        const SynCounters& r = records[k];
        if (r.NbFichesCentre > 0xFFFF)
            return incoherent("nombre de fiches de l'enregistrement " + std::to_string(k) + " impossible");
        for (const std::uint16_t v : r.counters)
            if (v > r.NbFichesCentre)
                return incoherent("un compteur de l'enregistrement " + std::to_string(k) +
                                  " dépasse son nombre de fiches");
        fibs += r.NbFichesCentre;
        sum.addCounters(r);
    }
    if (fibs > 0xFFFF || fibs != index.totalFibs())
        return incoherent("l'index compte " + std::to_string(index.totalFibs()) + " fiches, les centres " +
                          std::to_string(fibs));
    if (sum.counters != records[0].counters) return incoherent("le total du pays n'est pas la somme des centres");
    return {};
}

IoStatus readSynthesisPair(const std::string& folder, const std::string& indexName, const std::string& counterName,
                           SynIndex& index, std::vector<SynCounters>& records) {
    SynIndex i;
    std::vector<SynCounters> r;
    if (auto e = readSynIndex(folder, indexName, i)) return e;
    if (auto e = readAllSynCounters(folder, counterName, r)) return e;
    if (auto e = checkSynthesisPair(indexName, counterName, i, r)) return e;
    index = i;
    records = std::move(r);
    return {};
}

IoStatus SynthesisWriter::create(const std::string& folder, const SynNames& names) {
    folder_ = folder;
    names_ = names;
    return counters_.create(recordio::inFolder(folder, names.counters), names.counters);
}

IoStatus SynthesisWriter::add(const SynCounters& record) { return counters_.write(&record, sizeof record); }

IoStatus SynthesisWriter::finish(const SynCounters& total, const SynIndex& index) {
    if (auto e = counters_.writeAt(0, &total, sizeof total)) return e;
    recordio::AtomicWriter indexFile;
    if (auto e = indexFile.create(recordio::inFolder(folder_, names_.index), names_.index)) return e;
    if (auto e = indexFile.write(&index, sizeof index)) return e;
    if (auto e = counters_.prepare()) return e;
    if (auto e = indexFile.prepare()) return e;
    if (auto e = indexFile.syncFolder()) return e;
    if (auto e = counters_.rename()) return e;
    if (auto e = indexFile.rename()) return e;
    return indexFile.syncFolder();
}

}  // namespace pelo::pool
