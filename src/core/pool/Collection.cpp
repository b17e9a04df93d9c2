#include "pool/Collection.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "pool/Manifest.h"
#include "store/Text.h"

namespace pelo::pool {

SourceFormat sourceFormat(std::uint64_t size, std::uint16_t word2) {
    if (word2 != 0 && size >= kRecordSize && size % kRecordSize == 0) return SourceFormat::Centre;
    if (word2 == 0 && size >= kPooledSize && size % kPooledSize == 0) return SourceFormat::Pooled;
    return SourceFormat::Unknown;
}

std::string collectionMessage(const CollectionResult& r) {
    std::string out = counted(r.centres, "centre", "centres") + ", " + counted(r.fibs, "fiche", "fiches");
    // A centre missing from the pooled file is never passed over in silence.
    if (!r.warnings.empty())
        out += ", " + counted(std::uint32_t(r.warnings.size()), "fichier laissé de côté", "fichiers laissés de côté");
    return out;
}

namespace {

std::string sourceName(int n) { return "FIB" + std::to_string(n) + ".DAT"; }

// Record k of a source file in the pooled format.
PooledFibRecord sourceRecord(const std::vector<std::uint8_t>& bytes, SourceFormat f, std::uint32_t k) {
    PooledFibRecord p;
    if (f == SourceFormat::Pooled) {
        std::memcpy(p.bytes.data(), bytes.data() + std::size_t(k) * kPooledSize, kPooledSize);
    } else {
        FibRecord r;
        std::memcpy(r.bytes.data(), bytes.data() + std::size_t(k) * kRecordSize, kRecordSize);
        p = widen(r);
    }
    return p;
}

}  // namespace

bool isSourceName(const std::string& name) {
    for (int n = 1; n <= kLastSourceFile; ++n)
        if (name == sourceName(n)) return true;
    return false;
}

IoStatus collect(const std::string& folder, const std::string& poolName, CollectionResult& out,
                 const Progress& progress, const SealedSourceOpener& sealed) {
    // Collected into a centre's own file, the collection would replace that
    // centre's FIBs and be read back as a source by the next collection.
    if (isSourceName(poolName))
        return IoError{poolName,
                       "Le nom " + poolName +
                           " est celui d'un fichier de centre : choisissez un autre nom pour la "
                           "collection.",
                       true};
    if (auto why = protectedOutput(folder, poolName, {})) return IoError{poolName, *why, true};
    CollectionResult r;
    PooledWriter pool;
    bool first = true;
    PooledHeader header;  // the first source's, named as the country's at the end
    std::vector<std::uint8_t> bytes;
    std::vector<PooledFibRecord> batch;
    Manifest manifest;

    for (int n = 1; n <= kLastSourceFile; ++n) {
        const std::string name = sourceName(n);
        if (!keepGoing(progress, std::uint32_t(n - 1), kLastSourceFile, name)) return cancelled(poolName);
        IoStatus sealedError;
        const bool fromSeal = sealed && sealed(folder, name, bytes, sealedError);
        if (sealedError) return sealedError;
        if (fromSeal) r.sealed.push_back(name);
        else if (auto e = readWholeFile(folder, name, bytes, kMaxPooledBytes)) {
            if (e->cause == ioCause(ENOENT)) continue;  // no such centre: skipped silently
            r.warnings.push_back(name + " ignoré : " + e->cause);
            manifest.leftAside(name, e->cause);
            continue;
        }
        std::uint16_t word2 = 0;
        if (bytes.size() >= 4) std::memcpy(&word2, bytes.data() + 2, 2);
        const SourceFormat format = sourceFormat(bytes.size(), word2);
        if (format == SourceFormat::Unknown) {
            r.warnings.push_back(name +
                                 " ignoré : ce n'est ni un fichier de centre ni un fichier de fiches collectées");
            manifest.leftAside(name, "ce n'est ni un fichier de centre ni un fichier de fiches collectées");
            continue;
        }
        const std::size_t recordSize = format == SourceFormat::Pooled ? kPooledSize : kRecordSize;
        const PooledFibRecord head = sourceRecord(bytes, format, 0);
        const std::uint32_t m = head.nbFiches();
        if (std::uint64_t(m) + 1 > bytes.size() / recordSize)
            return IoError{name, "le nombre de fiches (" + std::to_string(m) + ") dépasse la fin du fichier"};
        if (first) {
            header = head;
            if (auto e = pool.create(folder, poolName, header)) return e;
            first = false;
        }
        batch.clear();
        for (std::uint32_t i = 1; i <= m; ++i) {
            PooledFibRecord rec = sourceRecord(bytes, format, i);
            if (rec.get(pfld::NumCentre) <= 0) continue;
            if (r.fibs + batch.size() >= kMaxPooledFibs)
                return IoError{poolName,
                               "Collection impossible : les fichiers FIB1.DAT à FIB999.DAT contiennent plus de 65535 "
                               "fiches. " +
                                   poolName + " n'a pas été modifié.",
                               true};
            batch.push_back(rec);
        }
        if (auto e = pool.write(batch.data(), batch.size())) return e;
        r.fibs += std::uint32_t(batch.size());
        ++r.centres;
        manifest.taken(folder, name, bytes, head.get(pfld::NumCentre), batch, fromSeal ? name + ".chiffre" : "");
    }
    if (first)
        return IoError{
            poolName,
            "Aucun fichier FIB1.DAT à FIB999.DAT dans le dossier de travail : " + poolName + " n'a pas été modifié.",
            true};
    header.set(pfld::NumCentre, kPoolCentre);
    if (auto e = pool.finish(header)) return e;
    r.duplicates = manifest.duplicates();
    if (r.duplicates > 0)
        r.notes.push_back(counted(r.duplicates, "fiche se trouve", "fiches se trouvent") +
                          " dans deux fichiers sources : voir " + manifestName(poolName));
    if (auto e = writeManifest(folder, poolName, manifest)) r.notes.push_back(e->message());
    out = std::move(r);
    return {};
}

}  // namespace pelo::pool
