// Mutated files through every reader, with a fixed random draw so that a failure
// comes back the same: every fibtool command that reads a record file, a
// pooled file or a stored synthesis, and the groups of GROUPE.DAT in process.
// Each run must end by itself with an exit code of 0 to 3, print valid UTF-8
// without "nan" or "inf", no percentage above 100, and leave its inputs as
// they were.
//
// usage: mutation_test FIBTOOL [MUTATIONS_PER_READER]
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "exchange/FibTable.h"
#include "formats/RecordFile.h"
#include "pool/Collection.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
#include "pool/VariabilityList.h"
#include "store/Demo.h"

extern char** environ;

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

int failures = 0;

void fail(const std::string& what, const std::string& detail) {
    if (++failures <= 20) std::fprintf(stderr, "ÉCHEC %s : %s\n", what.c_str(), detail.c_str());
}

Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& p, const Bytes& b) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (n < 0 || (n == 1 && c < 0xC2) || (n > 0 && i + std::size_t(n) >= s.size())) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + std::size_t(k)]) & 0xC0) != 0x80) return false;
        i += std::size_t(n) + 1;
    }
    return true;
}

// "nan" or "inf" written as a number: after a blank, a sign or a quote, before
// a blank, a "%" or a quote ("Amput. inf. cheville" is a label).
bool printsNonFinite(const std::string& s) {
    std::string low = s;
    for (char& c : low) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const char* word : {"nan", "inf"}) {
        for (std::size_t p = low.find(word); p != std::string::npos; p = low.find(word, p + 1)) {
            const char before = p == 0 ? ' ' : low[p - 1];
            const char after = p + 3 >= low.size() ? ' ' : low[p + 3];
            if (std::strchr(" \t\n'-+", before) && std::strchr(" \t\n'%i", after)) return true;
        }
    }
    return false;
}

// The largest number written just before a "%", or the second column of
// "centre<TAB>percent" lines (variabilite).
double largestPercent(const std::string& s, bool tabbed) {
    double most = 0;
    for (std::size_t p = s.find('%'); p != std::string::npos; p = s.find('%', p + 1)) {
        std::size_t b = p;
        while (b > 0 && (std::isdigit(static_cast<unsigned char>(s[b - 1])) || s[b - 1] == '.')) --b;
        if (b < p) most = std::max(most, std::atof(s.substr(b, p - b).c_str()));
    }
    if (tabbed) {
        std::size_t line = 0;
        while (line < s.size()) {
            const std::size_t end = s.find('\n', line);
            const std::size_t tab = s.find('\t', line);
            if (tab != std::string::npos && tab < end) most = std::max(most, std::atof(s.c_str() + tab + 1));
            line = end == std::string::npos ? s.size() : end + 1;
        }
    }
    return most;
}

struct Outcome {
    int code = -1;
    std::string out;
};

Outcome runTool(const std::string& tool, const fs::path& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all{tool, "-C", dir.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string outPath = (dir.parent_path() / "stdout").string();
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    Outcome o;
    if (posix_spawn(&pid, tool.c_str(), &fa, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&fa);
        fail("lancement", tool);
        return o;
    }
    posix_spawn_file_actions_destroy(&fa);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) o.code = WEXITSTATUS(status);
    else o.code = 128 + WTERMSIG(status);
    const Bytes b = readFile(outPath);
    o.out.assign(b.begin(), b.end());
    return o;
}

// One mutation of a valid file: bytes flipped or set to values that readers
// trip on, counts changed, the file cut or lengthened.
Bytes mutate(const Bytes& valid, std::mt19937& rng, std::size_t recordSize) {
    Bytes b = valid;
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(rng() % n); };
    const int kind = int(rng() % 8);
    if (b.empty()) b.push_back(0);
    switch (kind) {
    case 0:  // a few random bytes
        for (int i = 0, n = 1 + int(rng() % 8); i < n; ++i) b[pick(b.size())] = static_cast<unsigned char>(rng());
        break;
    case 1: {  // an aligned 4-byte value a reader trips on: NaN, infinities, huge, negative, 0xFFFF
        static const std::uint32_t kValues[] = {0x7FC00000u, 0x7F800000u, 0xFF800000u, 0x7F7FFFFFu,
                                                0xFFFFFFFFu, 0x0000FFFFu, 0x80000000u, 0x00010000u};
        for (int i = 0, n = 1 + int(rng() % 4); i < n; ++i) {
            const std::size_t at = pick(b.size() / 4) * 4;
            const std::uint32_t v = kValues[rng() % std::size(kValues)];
            if (at + 4 <= b.size()) std::memcpy(b.data() + at, &v, 4);
        }
        break;
    }
    case 2:  // cut anywhere
        b.resize(pick(b.size()));
        break;
    case 3:  // cut on a record boundary
        b.resize(pick(b.size() / recordSize + 1) * recordSize);
        break;
    case 4: {  // lengthened by garbage or whole records
        const std::size_t n = rng() % 2 ? 1 + pick(recordSize) : recordSize * (1 + pick(3));
        for (std::size_t i = 0; i < n; ++i) b.push_back(static_cast<unsigned char>(rng()));
        break;
    }
    case 5: {  // header counts (bytes 4..11) set to any value
        for (std::size_t i = 4; i < std::min<std::size_t>(12, b.size()); ++i)
            if (rng() % 2) b[i] = static_cast<unsigned char>(rng());
        break;
    }
    case 6: {  // control characters and Windows-1252 bytes in texts
        for (int i = 0, n = 1 + int(rng() % 10); i < n; ++i)
            b[pick(b.size())] = static_cast<unsigned char>(rng() % 2 ? rng() % 0x20 : 0x80 + rng() % 0x20);
        break;
    }
    default:  // one record copied over another
        if (b.size() >= 2 * recordSize) {
            const std::size_t n = b.size() / recordSize;
            std::memcpy(b.data() + pick(n) * recordSize, valid.data() + pick(n) * recordSize,
                        std::min(recordSize, valid.size() - (valid.size() / recordSize - 1) * recordSize));
        }
        break;
    }
    return b;
}

struct Checker {
    std::string tool;
    fs::path dir;
    int runs = 0;

    // Runs one command on the folder as it is; the files it reads must stay as they are.
    void check(const std::vector<std::string>& args, const std::vector<std::string>& inputs, bool tabbed = false) {
        std::vector<Bytes> before;
        for (const auto& f : inputs) before.push_back(readFile(dir / f));
        const Outcome o = runTool(tool, dir, args);
        ++runs;
        std::string what;
        for (const auto& a : args) what += a + " ";
        if (o.code < 0 || o.code > 3) fail(what, "code " + std::to_string(o.code));
        if (!validUtf8(o.out)) fail(what, "sortie qui n'est pas de l'UTF-8");
        if (printsNonFinite(o.out)) fail(what, "nan ou inf dans la sortie");
        if (const double p = largestPercent(o.out, tabbed); p > 100.0) fail(what, std::to_string(p) + " %");
        for (std::size_t i = 0; i < inputs.size(); ++i)
            if (readFile(dir / inputs[i]) != before[i]) fail(what, inputs[i] + " a changé");
    }
};

Bytes bytesOf(const std::vector<pelo::FibRecord>& records) {
    Bytes b;
    for (const auto& r : records) b.insert(b.end(), r.bytes.begin(), r.bytes.end());
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : mutation_test FIBTOOL [MUTATIONS_PAR_LECTEUR]\n");
        return 2;
    }
    // The checks themselves catch what they are for.
    if (!printsNonFinite("Microalb\tnan\n") || !printsNonFinite("' inf' n'est pas") ||
        printsNonFinite("      Amput. inf. cheville récente") || largestPercent("60000  23346.3%", false) <= 100 ||
        largestPercent("4\t101\n", true) <= 100 || validUtf8("\xC0\x80") || !validUtf8("été")) {
        std::fprintf(stderr, "les vérifications du test sont fausses\n");
        return 1;
    }
    // Under the sanitizers a finding ends fibtool with 86, outside 0..3, whatever exit code it would give.
    for (const char* var : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
        const char* old = std::getenv(var);
        const std::string value = std::string(old ? old : "") + (old && *old ? ":" : "") + "exitcode=86";
        ::setenv(var, value.c_str(), 1);
    }
    const std::string tool = fs::absolute(argv[1]).string();
    const int perReader = argc > 2 ? std::atoi(argv[2]) : 450;
    // In memory when possible: the commands sync what they write, which a disk makes slow.
    std::string tmpl = (fs::is_directory("/dev/shm") ? "/dev/shm/" : "/tmp/") + std::string("pelo-mutation-XXXXXX");
    const fs::path root = ::mkdtemp(tmpl.data());
    const fs::path dir = root / "w";
    fs::create_directory(dir);
    std::mt19937 rng(19971998u);
    Checker c{tool, dir};

    // Valid files: an identified centre, two centre sources, their pooled file,
    // its stored synthesis, and groups.
    pelo::DemoCentre centre;
    centre.centre = 12;
    centre.year = 2026;
    const Bytes record = bytesOf(pelo::demoRecords(centre, 24, 5));
    for (int k = 1; k <= 2; ++k) {
        pelo::DemoCentre src;
        src.centre = static_cast<std::uint16_t>(k * 7);
        src.year = 1997;
        writeFile(dir / ("FIB" + std::to_string(k) + ".DAT"), bytesOf(pelo::demoRecords(src, 15, 100 + k)));
    }
    pelo::pool::CollectionResult cr;
    pelo::pool::PoolSynthesisResult sr;
    if (pelo::pool::collect(dir.string(), "FibFr97.Dat", cr) ||
        pelo::pool::poolSynthesis(dir.string(), "FibFr97.Dat", 1997, sr)) {
        std::fprintf(stderr, "préparation impossible\n");
        return 1;
    }
    const Bytes pooled = readFile(dir / "FibFr97.Dat");
    const Bytes index = readFile(dir / "SYNFr97.ATX"), counters = readFile(dir / "SYNFr97.BTX");
    const Bytes source1 = readFile(dir / "FIB1.DAT");
    // Sources of the importer: the centre's FIBs as CSV (with labels) and as a workbook.
    writeFile(dir / "R.DAT", record);
    pelo::exchange::ExportRequest asCsv, asXlsx;
    asCsv.labels = true;
    asXlsx.format = pelo::exchange::ExportFormat::Xlsx;
    std::size_t exported = 0;
    if (pelo::exchange::exportFile((dir / "R.DAT").string(), (dir / "src.csv").string(), asCsv, exported) ||
        pelo::exchange::exportFile((dir / "R.DAT").string(), (dir / "src.xlsx").string(), asXlsx, exported)) {
        std::fprintf(stderr, "préparation impossible\n");
        return 1;
    }
    const Bytes csvSource = readFile(dir / "src.csv"), xlsxSource = readFile(dir / "src.xlsx");
    pelo::pool::GroupeRecord g1, g2;
    g1.NumGroupe = 1;
    g1.setName("Nord");
    g1.setCentres({7, 14});
    g2.NumGroupe = 2;
    g2.setName("Sud");
    g2.setCentres({14});
    Bytes groups(sizeof g1 * 2);
    std::memcpy(groups.data(), &g1, sizeof g1);
    std::memcpy(groups.data() + sizeof g1, &g2, sizeof g2);

    for (int i = 0; i < perReader; ++i) {
        // Record file: header, one FIB, the checks, the synthesis and the objectives.
        writeFile(dir / "R.DAT", mutate(record, rng, pelo::kRecordSize));
        static const std::vector<std::vector<std::string>> kRecordCommands{
            {"lire", "R.DAT"},
            {"lire", "R.DAT", "--fiche", "3"},
            {"controle", "R.DAT", "--annee", "2026"},
            {"synthese", "R.DAT", "--annee", "2026"},
            {"objectifs", "R.DAT", "--filtre", "1", "--annee", "2026"}};
        c.check(kRecordCommands[std::size_t(i) % kRecordCommands.size()], {"R.DAT"});
        if (i % 5 == 0) c.check({"exporter", "R.DAT", i % 10 ? "R.dta" : "R.csv"}, {"R.DAT"});

        // Sources of the importer, tried without writing (the record file is left as it was).
        if (i % 3 == 0) {
            const bool xlsx = i % 6 == 0;
            writeFile(dir / (xlsx ? "I.xlsx" : "I.csv"), mutate(xlsx ? xlsxSource : csvSource, rng, 64));
            writeFile(dir / "T.DAT", record);
            c.check({"importer", "T.DAT", xlsx ? "I.xlsx" : "I.csv", "--essai", "--annee", "2026"},
                    {"T.DAT", xlsx ? "I.xlsx" : "I.csv"});
        }

        // Pooled file: its synthesis and a selection (only the outputs change).
        writeFile(dir / "P.Dat", mutate(pooled, rng, pelo::pool::kPooledSize));
        if (i % 5 == 2) c.check({"exporter", "P.Dat", "P.sav"}, {"P.Dat"});
        else if (i % 2) c.check({"synthese-pays", "P.Dat"}, {"P.Dat"});
        else c.check({"selection", "P.Dat", "S.Dat", "--variable", "33", "--op", ">", "--valeur", "8"}, {"P.Dat"});

        // A source of the collection in either format.
        writeFile(dir / "FIB1.DAT", mutate(source1, rng, pelo::kRecordSize));
        if (i % 4 == 0) c.check({"collecte", "C.Dat", "--remplacer"}, {"FIB1.DAT", "FIB2.DAT"});

        // The stored synthesis pair: one file or the other mutated, or both.
        const int which = i % 3;
        writeFile(dir / "SYNM.ATX", which == 1 ? index : mutate(index, rng, sizeof(pelo::pool::SynIndex)));
        writeFile(dir / "SYNM.BTX", which == 0 ? counters : mutate(counters, rng, sizeof(pelo::pool::SynCounters)));
        if (i % 2) c.check({"repartition", "SYNM.ATX", "--centre", i % 4 == 1 ? "7" : "14"}, {"SYNM.ATX", "SYNM.BTX"});
        else
            c.check({"variabilite", "SYNM.ATX", "--ligne", std::to_string(3 + i % 260)}, {"SYNM.ATX", "SYNM.BTX"},
                    true);

        // Groups, in process: read, shown as rows, summed beside the country.
        writeFile(dir / "GROUPE.DAT", mutate(groups, rng, sizeof g1));
        std::vector<pelo::pool::GroupeRecord> read;
        if (!pelo::pool::readGroups(dir.string(), read, false)) {
            for (const auto& g : read) {
                const auto row = pelo::pool::rowOf(g);
                if (!validUtf8(row.nom) || !validUtf8(row.centres)) fail("GROUPE.DAT", "nom qui n'est pas de l'UTF-8");
                pelo::pool::GroupSynthesis s;
                if (pelo::pool::groupSynthesis(dir.string(), "SYNFr97.ATX", g, s)) continue;
                pelo::pool::VariabilityInput in;
                in.name = "SYNFr97.ATX";
                in.total = static_cast<std::uint16_t>(s.countryFibs);
                in.country = s.country.counters;
                pelo::pool::ChosenCentre chosen;
                chosen.counts = s.group.counters;
                chosen.denominator = static_cast<std::uint16_t>(s.groupFibs);
                in.centre = chosen;
                std::string all;
                for (const auto& line : pelo::pool::variabilityLines(in)) all += line + "\n";
                if (largestPercent(all, false) > 100.0) fail("groupe " + row.numero, "pourcentage au-dessus de 100");
            }
        }
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    std::printf("%d exécutions de fibtool, %d échecs\n", c.runs, failures);
    return failures == 0 ? 0 : 1;
}
