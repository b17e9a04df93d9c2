// Sealed copies at the record file's bound: 65,535 FIBs sealed for the
// coordinator and opened again in memory, and the passphrase's key
// derivation (Argon2id, interactive limits) apart, which sets its own pace.
#include <benchmark/benchmark.h>
#include <sodium.h>

#include <cstdlib>
#include <cstring>

#include "formats/Seal.h"
#include "store/Demo.h"

namespace {

using namespace pelo;

const std::vector<std::uint8_t>& content() {
    static const std::vector<std::uint8_t> bytes = [] {
        DemoCentre centre;
        centre.centre = 12;
        centre.year = 1997;
        const auto records = demoRecords(centre, 65535, 11);
        std::vector<std::uint8_t> b(records.size() * kRecordSize);
        for (std::size_t i = 0; i < records.size(); ++i)
            std::memcpy(b.data() + i * kRecordSize, records[i].bytes.data(), kRecordSize);
        return b;
    }();
    return bytes;
}

// A key pair as the coordinator's, without its file (the derivation is measured apart).
const seal::SecretKey& key() {
    static const seal::SecretKey k = [] {
        if (sodium_init() < 0) std::abort();
        seal::SecretKey s;
        s.secret = seal::Secret(crypto_box_SECRETKEYBYTES);
        crypto_box_keypair(s.pub.bytes.data(), s.secret.data());
        return s;
    }();
    return k;
}

const std::vector<std::uint8_t>& sealed() {
    static const std::vector<std::uint8_t> env = [] {
        std::vector<std::uint8_t> out;
        (void)seal::sealForCoordinator(content(), "01/06/1997", key().pub, "FIB12.DAT.chiffre", out);
        return out;
    }();
    return env;
}

void BM_SealForCoordinator(benchmark::State& state) {
    (void)content();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        (void)seal::sealForCoordinator(content(), "01/06/1997", key().pub, "FIB12.DAT.chiffre", out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SealForCoordinator)->Unit(benchmark::kMillisecond);

void BM_OpenWithKey(benchmark::State& state) {
    (void)sealed();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        if (seal::openEnvelope(sealed(), "FIB12.DAT.chiffre", &key(), nullptr, out)) state.SkipWithError("refusé");
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_OpenWithKey)->Unit(benchmark::kMillisecond);

// Sealing under a passphrase: one derivation plus the same stream.
void BM_SealWithPassphrase(benchmark::State& state) {
    (void)content();
    const auto pass = seal::Secret::fromText("phrase de la clé USB");
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        (void)seal::sealWithPassphrase(content(), "01/06/1997", pass, seal::interactiveLimits(), "F", out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SealWithPassphrase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
