// A sealed file (FIBn.DAT.chiffre) through the envelope reader, with the
// coordinator's key: whatever the bytes, a refusal or a record file whose
// header matches the envelope's.
#include <sodium.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "formats/Seal.h"

namespace {
const pelo::seal::SecretKey& key() {
    static const pelo::seal::SecretKey k = [] {
        if (sodium_init() < 0) std::abort();
        pelo::seal::SecretKey s;
        s.secret = pelo::seal::Secret(crypto_box_SECRETKEYBYTES);
        // A fixed key, so that the starting file the fuzz script seals opens here.
        unsigned char fixed[crypto_box_SEEDBYTES] = {7};
        crypto_box_seed_keypair(s.pub.bytes.data(), s.secret.data(), fixed);
        return s;
    }();
    return k;
}
}  // namespace

// PELO_FUZZ_KEY_OUT=path: writes the target's public key as coordination.pub
// there and stops, so that a valid envelope for it can start the corpus.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* out = std::getenv("PELO_FUZZ_KEY_OUT")) {
        const auto bytes = pelo::seal::publicKeyBytes(key().pub);
        std::ofstream(out, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    const std::vector<std::uint8_t> bytes(data, data + size);
    seal::EnvelopeInfo info;
    if (seal::readEnvelopeInfo(bytes, "FIB1.DAT.chiffre", info)) return 0;
    std::vector<std::uint8_t> content;
    if (seal::openEnvelope(bytes, "FIB1.DAT.chiffre", &key(), nullptr, content, &info)) {
        if (!content.empty()) std::abort();
        return 0;
    }
    std::uint16_t centre = 0;
    std::memcpy(&centre, content.data() + 2, 2);
    if (content.size() != (std::size_t(info.fibs) + 1) * 248 || centre != info.centre) std::abort();
    return 0;
}
