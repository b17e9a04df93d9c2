// fibtool demo: demonstration record files.
#include <sys/stat.h>

#include "Cli.h"
#include "Command.h"
#include "TermProgress.h"
#include "entry/CallUp.h"
#include "formats/PooledFile.h"
#include "formats/RecordFile.h"
#include "pool/PoolFiles.h"
#include "store/Demo.h"
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

constexpr int kLastCampaign = 1997;  // the campaigns end with the reference year of the country screens

// The pooled file of one campaign year ("FibFr95.Dat"), ready for its stored synthesis.
std::string campaignFile(int year) {
    char name[32];
    std::snprintf(name, sizeof name, "FibFr%02d.Dat", year % 100);
    return name;
}

// How a centre of a campaign stands out: most follow the country's slow
// improvement, each a little apart from the others (real centres differ more
// than chance alone makes them); centre 3 keeps a poor HbA1c, centre 5 rarely
// examines the eyes, centre 8 does better than the country, and every
// eleventh centre drifts from good to poor. Centre 2 sees young type 1
// patients and centre 7 the very old: their crude figures mislead.
void campaignBias(DemoCentre& c, long centre, int campaign) {
    // From -1 to 1 across the centres, for an odd modulus.
    const auto spread = [centre](long mult, long mod) {
        const double half = double(mod - 1) / 2.0;
        return (double((centre * mult) % mod) - half) / half;
    };
    c.caseMix = true;
    if (centre == 2) c.patients = DemoCentre::Patients::YoungType1;
    if (centre == 7) c.patients = DemoCentre::Patients::VeryOld;
    c.hba1cShift = -0.08 * campaign + 0.35 * spread(37, 13);
    c.eyeExamShift = 0.02 * campaign + 0.12 * spread(53, 11);
    c.footExamShift = 0.03 * campaign + 0.12 * spread(29, 9);
    c.smokingShift = -0.01 * campaign + 0.05 * spread(41, 7);
    if (centre == 3) c.hba1cShift += 1.3;
    if (centre == 5) c.eyeExamShift -= 0.4, c.footExamShift -= 0.3;
    if (centre == 8) c.hba1cShift -= 0.9, c.eyeExamShift += 0.2, c.smokingShift -= 0.12;
    if (centre % 11 == 0) c.hba1cShift += -0.6 + 0.1 * campaign;
}

// The FIBs of a centre as the program's save leaves them, so that each
// sheet's state is the one its panels show when it is called up.
std::vector<FibRecord> centreRecords(const DemoCentre& c, std::uint32_t n, std::uint64_t draw) {
    auto records = demoRecords(c, n, draw);
    checks::Context ctx;
    ctx.currentYear = c.year > 0 ? c.year : currentYear();
    ctx.units = units::fromHeader(records[0]);
    ctx.readPage2Entries = true;
    for (std::size_t k = 1; k < records.size(); ++k)
        if (records[k].get(fld::EtatFiche) != kAnnulled) records[k] = checks::checkAsSaved(records[k], ctx).record;
    return records;
}

DemoCentre placeOf(long i) {
    DemoCentre c;
    const Place& p = kPlaces[std::size_t(i - 1) % std::size(kPlaces)];
    c.centre = static_cast<std::uint16_t>(i);
    c.region = p.region;
    c.department = p.department;
    c.structure = p.structure;
    if (i % 4 == 0) c.units = {4, 4, 3, 3, 4, 4, 4};
    return c;
}

// Centres of a collection differ in size around the requested count.
std::uint32_t sizeOf(long fiches, std::size_t i) {
    if (i == 0 || fiches <= 0) return static_cast<std::uint32_t>(fiches);
    return static_cast<std::uint32_t>(std::max<long>(1, fiches / 2 + long((i * 7919) % std::max<long>(1, fiches))));
}

int runDemo(const Args& a) {
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
    long campagnes = 0;  // no pooled file unless asked
    if (auto v = a.value("campagnes")) {
        auto n = parseLong(*v, 1, 12);
        if (!n) return usageError("--campagnes attend un nombre de 1 à 12");
        campagnes = *n;
        if (centres == 0) centres = 20;
    }
    const bool replace = a.has("remplacer");

    std::vector<std::string> names{"FIB.DAT"};
    for (long k = 1; k <= centres; ++k) names.push_back("FIB" + std::to_string(k) + ".DAT");
    const int firstYear = kLastCampaign - int(campagnes) + 1;
    std::vector<std::string> pooled;
    for (long k = 0; k < campagnes; ++k) pooled.push_back(campaignFile(firstYear + int(k)));
    if (!replace) {
        for (const auto* list : {&names, &pooled})
            for (const auto& n : *list)
                if (exists(n))
                    return usageError("le fichier " + n + " existe déjà (ajoutez --remplacer pour l'écraser)");
    }

    Progress progress = terminalProgress("demo");
    std::string written;  // what was written, one line a file
    for (std::size_t i = 0; i < names.size(); ++i) {
        keepGoing(progress, std::uint32_t(i), std::uint32_t(names.size() + std::size_t(campagnes)), names[i]);
        const DemoCentre c = i == 0 ? DemoCentre{} : placeOf(long(i));
        const auto records = centreRecords(c, sizeOf(fiches, i), static_cast<std::uint64_t>(graine) * 1000003u + i);
        if (auto e = recordfile::replaceWith(names[i], records)) {
            progress = nullptr;
            std::fputs(written.c_str(), stdout);
            return fileError(e->message());
        }
        written += names[i] + " : centre " + std::to_string(c.centre) + ", " + std::to_string(records.size() - 1) +
                   " fiches\n";
    }

    // One collection per campaign year, of the same centres, sizes varying a little.
    for (long k = 0; k < campagnes; ++k) {
        keepGoing(progress, std::uint32_t(names.size() + std::size_t(k)),
                  std::uint32_t(names.size() + std::size_t(campagnes)), pooled[std::size_t(k)]);
        const int year = firstYear + int(k);
        const int sinceFirst = year - (kLastCampaign - 11);  // trends run over twelve years at most
        std::vector<pool::PooledFibRecord> fibs;
        for (long i = 1; i <= centres; ++i) {
            DemoCentre c = placeOf(i);
            c.year = year;
            // The pooled synthesis compares lipids as stored, so the campaigns
            // use one unit everywhere: what stands out is the care, not the units.
            c.units = DemoCentre{}.units;
            campaignBias(c, i, sinceFirst);
            auto n = sizeOf(fiches, std::size_t(i));
            n = std::max<std::uint32_t>(1, n + std::uint32_t((i * 31 + k * 17) % 9) - 4u);
            if (fibs.size() + n > 65535) break;
            const auto records = centreRecords(
                c, n, static_cast<std::uint64_t>(graine) * 7919u + std::uint64_t(year) * 1009u + std::uint64_t(i));
            for (std::size_t r = 1; r < records.size(); ++r) fibs.push_back(pool::widen(records[r]));
        }
        // Record 0 of the first centre's file, as the collection takes it.
        pool::PooledHeader h = pool::widen(demoRecords(placeOf(1), 0, 1)[0]);
        h.set(pool::pfld::NumCentre, 9999);
        pool::PooledWriter out;
        IoStatus st = out.create("", pooled[std::size_t(k)], h);
        if (!st) st = out.write(fibs.data(), fibs.size());
        if (!st) st = out.finish(h);
        if (st) {
            progress = nullptr;
            std::fputs(written.c_str(), stdout);
            return fileError(st->message());
        }
        written += pooled[std::size_t(k)] + " : campagne " + std::to_string(year) + ", " + std::to_string(centres) +
                   " centres, " + std::to_string(fibs.size()) + " fiches\n";
    }
    // Printed once the progress line is gone, so that the two never share a line.
    progress = nullptr;
    std::fputs(written.c_str(), stdout);
    return kOk;
}

}  // namespace

extern const Command commandDemo{
    .name = "demo",
    .synopsis = "[--fiches N] [--centres K] [--campagnes K] [--graine S] [--remplacer]",
    .summary = "données de démonstration",
    .description =
        "Données de démonstration réalistes : un FIB.DAT identifié et, avec --centres, les\n"
        "fichiers FIB1.DAT ... FIBK.DAT d'une collection nationale.\n",
    .options = {{"fiches", "N", "nombre de fiches de FIB.DAT (défaut : 200)"},
                {"centres", "K", "écrit aussi FIB1.DAT ... FIBK.DAT (1 à 999)"},
                {"campagnes", "K",
                 "écrit aussi les collections de K campagnes (1 à 12), FibFr97.Dat\n"
                 "et les années d'avant"},
                {"graine", "S", "graine du tirage (mêmes données pour la même graine)"},
                {"remplacer", "", "écrase les fichiers existants (jamais sans cette option)"}},
    .example = "fibtool -C /tmp/essai demo --fiches 300 --centres 20",
    .run = runDemo,
};

}  // namespace pelo::cli
