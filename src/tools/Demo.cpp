// fibtool demo: demonstration record files.
#include <sys/stat.h>

#include "Cli.h"
#include "Commands.h"
#include "TermProgress.h"
#include "entry/CallUp.h"
#include "store/Demo.h"
#include "store/RecordFile.h"
#include "store/Units.h"

namespace pelo::cli {

namespace {
bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// A few identified centres of different regions and structures.
struct Place {
    std::uint8_t region, department, structure;
};
constexpr Place kPlaces[] = {{10, 75, 4}, {22, 69, 2}, {21, 13, 1}, {14, 31, 5}, {1, 67, 3},
                             {5, 35, 4},  {15, 59, 1}, {8, 102, 2}, {26, 99, 4}, {18, 44, 1}};
}  // namespace

int cmdDemo(const Words& words) {
    Args a;
    std::string err;
    if (!parseArgs(words, {"fiches", "centres", "graine"}, {"remplacer"}, a, &err)) return usageError(err);
    if (!a.positional.empty()) return usageError("argument inattendu : " + a.positional[0]);
    long fiches = 200, centres = 0, graine = 1998;
    if (auto v = a.value("fiches")) {
        auto n = parseLong(*v, 0, 65535);
        if (!n) return usageError("--fiches attend un nombre de 0 à 65535");
        fiches = *n;
    }
    if (auto v = a.value("centres")) {
        auto n = parseLong(*v, 1, 999);
        if (!n) return usageError("--centres attend un nombre de 1 à 999");
        centres = *n;
    }
    if (auto v = a.value("graine")) {
        auto n = parseLong(*v, 0, 2147483647);
        if (!n) return usageError("--graine attend un nombre positif");
        graine = *n;
    }
    const bool replace = a.has("remplacer");

    std::vector<std::string> names{"FIB.DAT"};
    for (long k = 1; k <= centres; ++k) names.push_back("FIB" + std::to_string(k) + ".DAT");
    if (!replace)
        for (const auto& n : names)
            if (exists(n)) return usageError("le fichier " + n + " existe déjà (ajoutez --remplacer pour l'écraser)");

    Progress progress = terminalProgress("demo");
    std::string written;  // what was written, one line a file
    for (std::size_t i = 0; i < names.size(); ++i) {
        keepGoing(progress, std::uint32_t(i), std::uint32_t(names.size()), names[i]);
        DemoCentre c;
        if (i > 0) {
            const Place& p = kPlaces[(i - 1) % std::size(kPlaces)];
            c.centre = static_cast<std::uint16_t>(i);
            c.region = p.region;
            c.department = p.department;
            c.structure = p.structure;
            if (i % 4 == 0) c.units = {4, 4, 3, 3, 4, 4, 4};
        }
        // Centres of a collection differ in size around the requested count.
        std::uint32_t n = static_cast<std::uint32_t>(fiches);
        if (i > 0 && fiches > 0)
            n = static_cast<std::uint32_t>(
                std::max<long>(1, fiches / 2 + long((i * 7919) % std::max<long>(1, fiches))));
        auto records = demoRecords(c, n, static_cast<std::uint64_t>(graine) * 1000003u + i);
        // Each sheet stored as the program's save leaves it, so that its state
        // is the one its panels show when it is called up.
        checks::Context ctx;
        ctx.currentYear = c.year > 0 ? c.year : currentYear();
        ctx.units = units::fromHeader(records[0]);
        ctx.readPage2Entries = true;
        for (std::size_t k = 1; k < records.size(); ++k)
            if (records[k].get(fld::EtatFiche) != kAnnulled) records[k] = checks::checkAsSaved(records[k], ctx).record;
        if (auto e = recordfile::replaceWith(names[i], records)) {
            progress = nullptr;
            std::fputs(written.c_str(), stdout);
            return fileError(e->message());
        }
        written += names[i] + " : centre " + std::to_string(c.centre) + ", " + std::to_string(records.size() - 1) +
                   " fiches\n";
    }
    // Printed once the progress line is gone, so that the two never share a line.
    progress = nullptr;
    std::fputs(written.c_str(), stdout);
    return kOk;
}

}  // namespace pelo::cli
