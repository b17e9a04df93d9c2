// fibtool lire: the header of a record file, or every field of one FIB.
#include <cstdio>

#include "Cli.h"
#include "Command.h"
#include "store/RecordFile.h"
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

int runLire(const Args& a) {
    if (a.positional.size() != 1) return usageError("lire attend un nom de fichier");
    const std::string& path = a.positional[0];
    if (int rc = kOk; !acceptedPath(path, rc)) return rc;
    CentreHeader h;
    if (auto e = recordfile::readHeader(path, h)) return fileError(e->message());
    std::uint32_t k = 0;
    if (auto v = a.value("fiche")) {
        auto n = parseLong(*v, 1, 65535);
        if (!n) return usageError("--fiche attend un numéro de 1 à 65535");
        k = static_cast<std::uint32_t>(*n);
        if (k > h.nbFiches()) return fileError("la fiche " + std::to_string(k) + " n'existe pas dans " + path);
    }
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
        "ou chaque champ de la fiche K, un par ligne : nom, tabulation, valeur.\n",
    .options = {{"fiche", "K", "la fiche K au lieu de l'en-tête"}},
    .example = "fibtool lire FIB.DAT --fiche 12",
    .run = runLire,
};

}  // namespace pelo::cli
