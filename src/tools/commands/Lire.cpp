// fibtool lire: the header of a record file, or every field of one FIB; a
// pooled file (252-byte records, centre 9999) is read as the pooled format.
#include <cstdio>
#include <cstring>

#include "Cli.h"
#include "Command.h"
#include "formats/PooledFile.h"
#include "formats/RecordFile.h"
#include "pool/PoolFiles.h"
#include "store/Text.h"

namespace pelo::cli {

namespace {
std::string fieldText(const FibRecord& r, const FieldInfo& f) {
    switch (f.type) {
    case FieldType::U8: return std::to_string(r.bytes[f.offset]);
    case FieldType::U16: return std::to_string(r.get(Field<FieldType::U16>{f.offset, f.name}));
    case FieldType::I32: return std::to_string(r.get(Field<FieldType::I32>{f.offset, f.name}));
    case FieldType::F32: {
        float v = r.get(Field<FieldType::F32>{f.offset, f.name});
        return v == -1.0f ? std::string("-1.0") : displayF32(v);
    }
    case FieldType::Char: return r.initiale();
    case FieldType::Date: return r.date();
    }
    return {};
}

// A pooled FIB in the centre layout, field by field: the three leading
// 32-bit words narrowed, every other field copied from its place.
FibRecord narrowed(const pool::PooledFibRecord& p) {
    FibRecord r;
    for (const auto& f : kFibFields) {
        const std::uint16_t from = pool::pooledOffset(f.offset);
        if (f.offset < 6) {
            std::int32_t v = 0;
            std::memcpy(&v, p.bytes.data() + from, 4);
            r.set(Field<FieldType::U16>{f.offset, f.name}, static_cast<std::uint16_t>(v));
        } else {
            std::memcpy(r.bytes.data() + f.offset, p.bytes.data() + from, f.width);
        }
    }
    return r;
}

// The pooled header and FIB k (from 1) of a pooled file; false if it is not one.
bool readPooled(const std::string& path, std::uint32_t k, pool::PooledHeader& header, FibRecord& fib, IoStatus& err) {
    pool::PooledReader seq;
    if (seq.openPath(path)) return false;
    header = seq.header();
    if (k == 0 || k > seq.count()) return true;
    while (const pool::PooledFibRecord* r = seq.next(&err))
        if (seq.number() == k) {
            fib = narrowed(*r);
            return true;
        }
    return true;
}

int runLire(const Args& a) {
    if (a.positional.size() != 1) return usageError("lire attend un nom de fichier");
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc)) return rc;
    std::uint32_t k = 0;
    if (auto v = a.value("fiche")) {
        auto n = parseLong(*v, 1, 65535);
        if (!n) return usageError("--fiche attend un numéro de 1 à 65535");
        k = static_cast<std::uint32_t>(*n);
    }
    // A pooled file: its header says so (centre 9999), or it reads only as one.
    pool::PooledHeader ph;
    FibRecord pooledFib;
    IoStatus pooledErr;
    const bool pooled = readPooled(path, k, ph, pooledFib, pooledErr);
    CentreHeader h;
    const IoStatus centreErr =
        pooled && ph.get(pool::pfld::NumCentre) == pool::kPoolCentre ? IoStatus{} : recordfile::readHeader(path, h);
    if (pooled && (centreErr || ph.get(pool::pfld::NumCentre) == pool::kPoolCentre)) {
        if (pooledErr) return fileError(pooledErr->message());
        if (k > ph.nbFiches()) return fileError("la fiche " + std::to_string(k) + " n'existe pas dans " + path);
        if (k == 0) {
            std::printf("Format\tcollection\nCentre\t%d\nFiches\t%u\n", int(ph.get(pool::pfld::NumCentre)),
                        unsigned(ph.nbFiches()));
            return kOk;
        }
        for (const auto& f : kFibFields) std::printf("%s\t%s\n", f.name, fieldText(pooledFib, f).c_str());
        return kOk;
    }
    if (centreErr) return fileError(centreErr->message());
    if (k > h.nbFiches()) return fileError("la fiche " + std::to_string(k) + " n'existe pas dans " + path);
    if (k == 0) {
        std::printf("Centre\t%u\nFiches\t%u\nRégion\t%u\nDépartement\t%u\nStructure\t%u\n",
                    unsigned(h.get(fld::NumCentre)), unsigned(h.nbFiches()), unsigned(h.region()),
                    unsigned(h.department()), unsigned(h.get(fld::Specialite)));
        std::printf("Unités");
        for (auto slot : kUnitSlots)
            std::printf("\t%s", fieldText(h, FieldInfo{slot.name, slot.offset, 4, FieldType::F32}).c_str());
        std::printf("\n");
        return kOk;
    }
    FibRecord r;
    if (auto e = recordfile::readFib(path, k, r)) return fileError(e->message());
    for (const auto& f : kFibFields) std::printf("%s\t%s\n", f.name, fieldText(r, f).c_str());
    return kOk;
}

}  // namespace

extern const Command commandLire{
    .name = "lire",
    .synopsis = "FICHIER [--fiche K]",
    .summary = "en-tête, ou champs d'une fiche",
    .description =
        "L'en-tête d'un fichier de fiches (centre, nombre de fiches, identification, unités),\n"
        "ou chaque champ de la fiche K, un par ligne : nom, tabulation, valeur.\n"
        "Un fichier de collection (FibFr97.Dat) est lu comme tel : son en-tête (Format collection),\n"
        "ou sa fiche K avec les champs d'une fiche de centre.\n",
    .options = {{"fiche", "K", "la fiche K au lieu de l'en-tête"}},
    .example = "fibtool lire FIB.DAT --fiche 12",
    .run = runLire,
};

}  // namespace pelo::cli
