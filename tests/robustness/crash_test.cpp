// Replacements killed at random moments: a child process replaces a record
// file and rewrites a stored synthesis in a loop, alternating two contents,
// and is killed by SIGKILL after a random delay, 200 times. After each kill
// the record file is whole, old or new, and the synthesis pair gives the
// figures of one run or is refused as incoherent: never figures of two runs.
// A replacement after the kills leaves no temporary file behind.
//
// usage: crash_test [KILLS]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "formats/RecordFile.h"
#include "pool/PoolFiles.h"
#include "pool/PoolSynthesis.h"
#include "ref/StoredSynthesis.h"
#include "store/Demo.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A pooled file of n FIBs spread over five centres from firstCentre on.
Bytes pooledOf(int n, std::uint64_t draw, int firstCentre) {
    pelo::DemoCentre d;
    d.year = 1997;
    const auto recs = pelo::demoRecords(d, std::uint32_t(n), draw);
    Bytes b;
    for (std::size_t k = 0; k < recs.size(); ++k) {
        pelo::pool::PooledFibRecord p = pelo::pool::widen(recs[k]);
        if (k == 0) p.setNbFiches(n);
        else p.set(pelo::pool::pfld::NumCentre, std::int32_t(firstCentre + int(k % 5)));
        b.insert(b.end(), p.bytes.begin(), p.bytes.end());
    }
    return b;
}

struct Pair {
    pelo::pool::SynIndex index;
    std::vector<pelo::pool::SynCounters> records;
    bool operator==(const Pair& o) const { return index == o.index && records == o.records; }
};

// The child: replaces both files, then the synthesis of one content or the other, forever.
[[noreturn]] void replaceForever(const std::vector<Bytes>& records, const std::vector<Bytes>& pools) {
    for (std::size_t i = 0;; ++i) {
        const Bytes& r = records[i % 2];
        pelo::recordio::replaceWhole("FIB.DAT", "FIB.DAT", r.data(), r.size());
        const Bytes& p = pools[i % 2];
        pelo::recordio::replaceWhole("FibX.Dat", "FibX.Dat", p.data(), p.size());
        pelo::pool::PoolSynthesisResult res;
        pelo::pool::poolSynthesis("", "FibX.Dat", 1997, res);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
    // In memory when possible: the commands sync what they write, which a disk makes slow.
    std::string tmpl = (fs::is_directory("/dev/shm") ? "/dev/shm/" : "/tmp/") + std::string("pelo-crash-XXXXXX");
    const fs::path dir = ::mkdtemp(tmpl.data());
    fs::current_path(dir);

    // Two contents of each file; the two syntheses have the same totals and
    // the same shape but other centres: only the centre that each counter
    // record carries tells the index of one beside the counters of the other.
    std::vector<Bytes> records;
    for (int n : {30, 45}) {
        const auto recs = pelo::demoRecords(pelo::DemoCentre{}, std::uint32_t(n), std::uint64_t(n));
        Bytes b;
        for (const auto& r : recs) b.insert(b.end(), r.bytes.begin(), r.bytes.end());
        records.push_back(b);
    }
    const std::vector<Bytes> pools{pooledOf(40, 1, 1), pooledOf(40, 2, 2)};
    std::vector<Pair> expected;
    for (const Bytes& p : pools) {
        pelo::recordio::replaceWhole("FibX.Dat", "FibX.Dat", p.data(), p.size());
        pelo::pool::PoolSynthesisResult res;
        Pair e;
        if (pelo::pool::poolSynthesis("", "FibX.Dat", 1997, res) ||
            pelo::pool::readSynthesisPair("", "SYNX.ATX", "SYNX.BTX", e.index, e.records)) {
            std::fprintf(stderr, "préparation impossible\n");
            return 1;
        }
        expected.push_back(e);
    }
    pelo::recordio::replaceWhole("FIB.DAT", "FIB.DAT", records[0].data(), records[0].size());

    std::mt19937 rng(2026u);
    int failures = 0, incoherent = 0;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = ::fork();
        if (child == 0) replaceForever(records, pools);
        std::this_thread::sleep_for(std::chrono::microseconds(200 + rng() % 6000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const Bytes now = readFile("FIB.DAT");
        if (now != records[0] && now != records[1]) {
            ++failures;
            std::fprintf(stderr, "ÉCHEC arrêt %d : FIB.DAT ni ancien ni nouveau (%zu octets)\n", k, now.size());
        }
        Pair p;
        if (auto e = pelo::pool::readSynthesisPair("", "SYNX.ATX", "SYNX.BTX", p.index, p.records)) {
            if (e->cause.find("synthèse incohérente") != std::string::npos) {
                ++incoherent;  // killed between the two renames: refused, no figure shown
            } else {
                ++failures;
                std::fprintf(stderr, "ÉCHEC arrêt %d : %s\n", k, e->message().c_str());
            }
        } else if (!(p == expected[0]) && !(p == expected[1])) {
            ++failures;
            std::fprintf(stderr, "ÉCHEC arrêt %d : synthèse acceptée qui n'est celle d'aucun passage\n", k);
        }
    }
    // The next replacement of each of the three files removes what the killed runs left. A leftover whose
    // killed writer's number belongs to a live process is rightly kept (other tests start
    // hundreds of processes), as one a live writer may be filling; that process may end between
    // the clean-up and the look, so a leftover counts as a fault only when it outlives three
    // clean-ups in a row.
    std::vector<std::string> left;
    for (int round = 0; round < 3; ++round) {
        pelo::recordio::replaceWhole("FIB.DAT", "FIB.DAT", records[0].data(), records[0].size());
        pelo::recordio::replaceWhole("FibX.Dat", "FibX.Dat", pools[0].data(), pools[0].size());
        pelo::pool::PoolSynthesisResult res;
        pelo::pool::poolSynthesis("", "FibX.Dat", 1997, res);
        left.clear();
        for (const auto& e : fs::directory_iterator(dir))
            if (const std::string f = e.path().filename().string(); f.rfind(".~", 0) == 0) {
                const std::size_t end = f.rfind(".tmp"), dot = f.rfind('.', end - 1);
                const long pid = end != std::string::npos && dot != std::string::npos
                                     ? std::strtol(f.substr(dot + 1, end - dot - 1).c_str(), nullptr, 10)
                                     : 0;
                if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0) continue;
                left.push_back(f);
            }
        if (left.empty()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (const std::string& f : left) {
        ++failures;
        std::fprintf(stderr, "ÉCHEC fichier temporaire resté : %s\n", f.c_str());
    }
    fs::current_path("/");
    std::error_code ec;
    fs::remove_all(dir, ec);
    std::printf("%d arrêts, %d synthèses refusées comme incohérentes, %d échecs\n", kills, incoherent, failures);
    return failures == 0 ? 0 : 1;
}
