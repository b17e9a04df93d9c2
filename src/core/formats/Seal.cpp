#include "formats/Seal.h"

#include <sodium.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

#include "store/RecordIo.h"

namespace pelo::seal {

namespace {

constexpr std::size_t kRecord = 248;
constexpr char kEnvelopeMagic[8] = {'P', 'E', 'L', 'O', 'C', 'H', 'I', 'F'};
constexpr char kPublicMagic[8] = {'P', 'E', 'L', 'O', 'C', 'L', 'E', 'P'};
constexpr char kSecretMagic[8] = {'P', 'E', 'L', 'O', 'C', 'L', 'E', 'S'};
constexpr std::uint8_t kKeyFileVersion = 1;

// Envelope header offsets.
constexpr std::size_t kOffVersion = 8, kOffLock = 9, kOffCentre = 10, kOffFibs = 12, kOffDate = 14, kOffSlot = 24,
                      kOffStream = 120;
constexpr std::size_t kDateSize = 10;
constexpr std::size_t kFingerprintBytes = 8;
constexpr std::size_t kSealedKeyBytes = crypto_box_SEALBYTES + crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr std::size_t kCheckBytes = 16;
constexpr std::size_t kA = crypto_secretstream_xchacha20poly1305_ABYTES;
static_assert(kOffStream + crypto_secretstream_xchacha20poly1305_HEADERBYTES == kEnvelopeHeaderSize);
static_assert(kFingerprintBytes + kSealedKeyBytes <= kOffStream - kOffSlot);
static_assert(crypto_pwhash_SALTBYTES + 16 + kCheckBytes <= kOffStream - kOffSlot);

// Secret key file: magic, version, 7 zero bytes, public key, salt, opslimit,
// memlimit, nonce, then the secret key encrypted (XChaCha20-Poly1305) with
// every byte before the nonce as additional data.
constexpr std::size_t kKeyOffPub = 16, kKeyOffSalt = 48, kKeyOffOps = 64, kKeyOffMem = 72, kKeyOffNonce = 80,
                      kKeyOffCipher = 104;
constexpr std::size_t kSecretFileSize =
    kKeyOffCipher + crypto_box_SECRETKEYBYTES + crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::size_t kPublicFileSize = 16 + crypto_box_PUBLICKEYBYTES;

// Limits a file may ask for: above the library's moderate cost a file is
// taken as damaged, not as a reason to spend a gigabyte.
bool limitsAccepted(std::uint64_t ops, std::uint64_t mem) {
    return ops >= crypto_pwhash_OPSLIMIT_MIN && ops <= crypto_pwhash_OPSLIMIT_SENSITIVE &&
           mem >= crypto_pwhash_MEMLIMIT_MIN && mem <= crypto_pwhash_MEMLIMIT_MODERATE;
}

IoError failure(const std::string& label, const std::string& what) {
    return IoError{label, label + " : " + what, true};
}

IoStatus ready(const std::string& label) {
    if (sodium_init() < 0) return failure(label, "la bibliothèque de chiffrement n'a pas pu démarrer.");
    return {};
}

void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
std::uint16_t getU16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
void putU64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
std::uint64_t getU64(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// Derives a 32-byte key from a passphrase.
IoStatus derive(const Secret& passphrase, const std::uint8_t* salt, std::uint64_t ops, std::uint64_t mem, Secret& key,
                const std::string& label) {
    key = Secret(32);
    if (crypto_pwhash(key.data(), key.size(), reinterpret_cast<const char*>(passphrase.data()), passphrase.size(), salt,
                      ops, std::size_t(mem), crypto_pwhash_ALG_ARGON2ID13) != 0)
        return failure(label, "mémoire insuffisante pour dériver la clé de la phrase secrète.");
    return {};
}

// A key check stored beside the salt: tells a wrong passphrase from an altered file.
void keyCheck(const Secret& key, std::uint8_t* out) {
    static const unsigned char kWhat[] = "PELORAMIX verification de cle";
    crypto_generichash(out, kCheckBytes, kWhat, sizeof kWhat - 1, key.data(), key.size());
}

std::string hexGroups(const std::uint8_t* p, std::size_t n) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && i % 2 == 0) s += '-';
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

void fingerprintBytes(const PublicKey& key, std::uint8_t* out) {
    crypto_generichash(out, kFingerprintBytes, key.bytes.data(), key.bytes.size(), nullptr, 0);
}

// The record file a content must be: whole records, as many as its header counts plus one.
bool contentShape(const std::uint8_t* p, std::size_t n, std::uint16_t& centre, std::uint16_t& fibs) {
    if (n < kRecord || n % kRecord != 0) return false;
    centre = getU16(p + 2);
    fibs = getU16(p + 4);
    return n / kRecord == std::size_t(fibs) + 1;
}

std::vector<std::uint8_t> header(Lock lock, std::uint16_t centre, std::uint16_t fibs, const std::string& date) {
    std::vector<std::uint8_t> h(kEnvelopeHeaderSize, 0);
    std::memcpy(h.data(), kEnvelopeMagic, 8);
    h[kOffVersion] = kEnvelopeVersion;
    h[kOffLock] = std::uint8_t(lock);
    putU16(h.data() + kOffCentre, centre);
    putU16(h.data() + kOffFibs, fibs);
    std::memcpy(h.data() + kOffDate, date.data(), std::min(date.size(), kDateSize));
    return h;
}

// The stream: header bytes (given, their stream part written here), then the content in chunks.
void writeStream(std::vector<std::uint8_t>& out, const Secret& key, const std::vector<std::uint8_t>& content) {
    crypto_secretstream_xchacha20poly1305_state st;
    crypto_secretstream_xchacha20poly1305_init_push(&st, out.data() + kOffStream, key.data());
    const std::size_t chunks = (content.size() + kChunkSize - 1) / kChunkSize;
    out.resize(kEnvelopeHeaderSize + content.size() + chunks * kA);
    std::size_t in = 0, at = kEnvelopeHeaderSize;
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::size_t n = std::min(kChunkSize, content.size() - in);
        const unsigned char tag = c + 1 == chunks ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : 0;
        crypto_secretstream_xchacha20poly1305_push(&st, out.data() + at, nullptr, content.data() + in, n, out.data(),
                                                   kEnvelopeHeaderSize, tag);
        in += n;
        at += n + kA;
    }
    sodium_memzero(&st, sizeof st);
}

IoStatus checkedContent(const std::vector<std::uint8_t>& content, const std::string& label, std::uint16_t& centre,
                        std::uint16_t& fibs) {
    if (!contentShape(content.data(), content.size(), centre, fibs))
        return failure(label, "ce n'est pas un fichier de fiches entier (en-tête et fiches).");
    return {};
}

}  // namespace

// ---- Secret

Secret::Secret(std::size_t n) : n_(n) {
    if (n == 0) return;
    if (sodium_init() < 0) throw std::bad_alloc();
    p_ = static_cast<unsigned char*>(sodium_malloc(n));
    if (!p_) throw std::bad_alloc();
}
Secret::~Secret() {
    if (p_) sodium_free(p_);
}
Secret::Secret(Secret&& o) noexcept : p_(o.p_), n_(o.n_) {
    o.p_ = nullptr;
    o.n_ = 0;
}
Secret& Secret::operator=(Secret&& o) noexcept {
    if (this != &o) {
        if (p_) sodium_free(p_);
        p_ = o.p_;
        n_ = o.n_;
        o.p_ = nullptr;
        o.n_ = 0;
    }
    return *this;
}
Secret Secret::fromText(std::string_view text) {
    Secret s(text.size());
    if (!text.empty()) std::memcpy(s.data(), text.data(), text.size());
    return s;
}

void wipe(std::string& s) {
    if (!s.empty()) sodium_memzero(s.data(), s.size());
    s.clear();
}

void wipe(std::vector<std::uint8_t>& bytes) {
    if (!bytes.empty()) sodium_memzero(bytes.data(), bytes.size());
    bytes.clear();
}

KdfLimits interactiveLimits() { return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE}; }
KdfLimits minimumLimits() { return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN}; }

std::string fingerprint(const PublicKey& key) {
    if (sodium_init() < 0) return {};
    std::uint8_t f[kFingerprintBytes];
    fingerprintBytes(key, f);
    return hexGroups(f, kFingerprintBytes);
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
    return buf;
}

// ---- Key pair

IoStatus createKeyPair(const std::string& folder, const Secret& passphrase, const KdfLimits& limits, PublicKey* out) {
    const std::string pubPath = recordio::inFolder(folder, kPublicKeyName);
    const std::string secPath = recordio::inFolder(folder, kSecretKeyName);
    if (auto e = ready(secPath)) return e;
    for (const auto* p : {&pubPath, &secPath}) {
        recordio::File f(*p, *p, recordio::File::Mode::Read);
        if (f.isOpen() || f.openErrno() != ENOENT)
            return failure(*p,
                           "le fichier existe déjà : une clé de coordination n'est jamais remplacée (les fichiers "
                           "chiffrés pour elle ne s'ouvriraient plus).");
    }
    if (passphrase.empty()) return failure(secPath, "la phrase secrète est vide.");
    PublicKey pub;
    Secret sk(crypto_box_SECRETKEYBYTES);
    crypto_box_keypair(pub.bytes.data(), sk.data());

    std::vector<std::uint8_t> sec(kSecretFileSize, 0);
    std::memcpy(sec.data(), kSecretMagic, 8);
    sec[8] = kKeyFileVersion;
    std::memcpy(sec.data() + kKeyOffPub, pub.bytes.data(), pub.bytes.size());
    randombytes_buf(sec.data() + kKeyOffSalt, crypto_pwhash_SALTBYTES);
    putU64(sec.data() + kKeyOffOps, limits.ops);
    putU64(sec.data() + kKeyOffMem, limits.mem);
    randombytes_buf(sec.data() + kKeyOffNonce, crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
    Secret kek;
    if (auto e = derive(passphrase, sec.data() + kKeyOffSalt, limits.ops, limits.mem, kek, secPath)) return e;
    crypto_aead_xchacha20poly1305_ietf_encrypt(sec.data() + kKeyOffCipher, nullptr, sk.data(), sk.size(), sec.data(),
                                               kKeyOffNonce, nullptr, sec.data() + kKeyOffNonce, kek.data());

    const std::vector<std::uint8_t> pubFile = publicKeyBytes(pub);

    // The secret key first: a public key without its secret would seal files nobody opens.
    if (auto e = recordio::replaceWhole(secPath, secPath, sec.data(), sec.size())) return e;
    if (auto e = recordio::replaceWhole(pubPath, pubPath, pubFile.data(), pubFile.size())) return e;
    if (out) *out = pub;
    return {};
}

std::vector<std::uint8_t> publicKeyBytes(const PublicKey& key) {
    std::vector<std::uint8_t> bytes(kPublicFileSize, 0);
    std::memcpy(bytes.data(), kPublicMagic, 8);
    bytes[8] = kKeyFileVersion;
    std::memcpy(bytes.data() + 16, key.bytes.data(), key.bytes.size());
    return bytes;
}

IoStatus parsePublicKey(const std::vector<std::uint8_t>& bytes, const std::string& label, PublicKey& out) {
    if (bytes.size() != kPublicFileSize || std::memcmp(bytes.data(), kPublicMagic, 8) != 0)
        return failure(label, "ce n'est pas une clé publique de coordination de PELORAMIX.");
    if (bytes[8] != kKeyFileVersion) return failure(label, "version de clé " + std::to_string(bytes[8]) + " inconnue.");
    std::memcpy(out.bytes.data(), bytes.data() + 16, out.bytes.size());
    return {};
}

IoStatus readPublicKey(const std::string& path, PublicKey& out) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(path, path, bytes, 4096)) return e;
    return parsePublicKey(bytes, path, out);
}

IoStatus parseSecretKey(const std::vector<std::uint8_t>& bytes, const std::string& label, const Secret& passphrase,
                        SecretKey& out) {
    if (auto e = ready(label)) return e;
    if (bytes.size() != kSecretFileSize || std::memcmp(bytes.data(), kSecretMagic, 8) != 0)
        return failure(label, "ce n'est pas une clé secrète de coordination de PELORAMIX.");
    if (bytes[8] != kKeyFileVersion) return failure(label, "version de clé " + std::to_string(bytes[8]) + " inconnue.");
    const std::uint64_t ops = getU64(bytes.data() + kKeyOffOps), mem = getU64(bytes.data() + kKeyOffMem);
    if (!limitsAccepted(ops, mem)) return failure(label, "fichier altéré (paramètres de dérivation incorrects).");
    Secret kek;
    if (auto e = derive(passphrase, bytes.data() + kKeyOffSalt, ops, mem, kek, label)) return e;
    SecretKey key;
    key.secret = Secret(crypto_box_SECRETKEYBYTES);
    unsigned long long n = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(key.secret.data(), &n, nullptr, bytes.data() + kKeyOffCipher,
                                                   kSecretFileSize - kKeyOffCipher, bytes.data(), kKeyOffNonce,
                                                   bytes.data() + kKeyOffNonce, kek.data()) != 0)
        return failure(label, "phrase secrète incorrecte (ou fichier de clé altéré).");
    std::memcpy(key.pub.bytes.data(), bytes.data() + kKeyOffPub, key.pub.bytes.size());
    out = std::move(key);
    return {};
}

IoStatus openSecretKey(const std::string& path, const Secret& passphrase, SecretKey& out) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(path, path, bytes, 4096)) return e;
    return parseSecretKey(bytes, path, passphrase, out);
}

// ---- Envelopes

IoStatus sealForCoordinator(const std::vector<std::uint8_t>& content, const std::string& date, const PublicKey& key,
                            const std::string& label, std::vector<std::uint8_t>& out) {
    if (auto e = ready(label)) return e;
    std::uint16_t centre = 0, fibs = 0;
    if (auto e = checkedContent(content, label, centre, fibs)) return e;
    std::vector<std::uint8_t> env = header(Lock::Coordinator, centre, fibs, date);
    Secret k(crypto_secretstream_xchacha20poly1305_KEYBYTES);
    crypto_secretstream_xchacha20poly1305_keygen(k.data());
    fingerprintBytes(key, env.data() + kOffSlot);
    crypto_box_seal(env.data() + kOffSlot + kFingerprintBytes, k.data(), k.size(), key.bytes.data());
    writeStream(env, k, content);
    out = std::move(env);
    return {};
}

IoStatus sealWithPassphrase(const std::vector<std::uint8_t>& content, const std::string& date, const Secret& passphrase,
                            const KdfLimits& limits, const std::string& label, std::vector<std::uint8_t>& out) {
    if (auto e = ready(label)) return e;
    if (passphrase.empty()) return failure(label, "la phrase secrète est vide.");
    std::uint16_t centre = 0, fibs = 0;
    if (auto e = checkedContent(content, label, centre, fibs)) return e;
    std::vector<std::uint8_t> env = header(Lock::Passphrase, centre, fibs, date);
    std::uint8_t* slot = env.data() + kOffSlot;
    randombytes_buf(slot, crypto_pwhash_SALTBYTES);
    putU64(slot + 16, limits.ops);
    putU64(slot + 24, limits.mem);
    Secret k;
    if (auto e = derive(passphrase, slot, limits.ops, limits.mem, k, label)) return e;
    keyCheck(k, slot + 32);
    writeStream(env, k, content);
    out = std::move(env);
    return {};
}

IoStatus readEnvelopeInfo(const std::vector<std::uint8_t>& bytes, const std::string& label, EnvelopeInfo& out) {
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kEnvelopeMagic, 8) != 0)
        return failure(label, "ce n'est pas un fichier chiffré de PELORAMIX.");
    if (bytes.size() < kEnvelopeHeaderSize) return failure(label, "fichier tronqué.");
    EnvelopeInfo info;
    info.version = bytes[kOffVersion];
    if (info.version != kEnvelopeVersion)
        return failure(label, "version de chiffrement " + std::to_string(info.version) + " inconnue.");
    const std::uint8_t lock = bytes[kOffLock];
    if (lock != std::uint8_t(Lock::Coordinator) && lock != std::uint8_t(Lock::Passphrase))
        return failure(label, "fichier altéré (en-tête incorrect).");
    info.lock = Lock(lock);
    info.centre = getU16(bytes.data() + kOffCentre);
    info.fibs = getU16(bytes.data() + kOffFibs);
    for (std::size_t i = 0; i < kDateSize; ++i) {
        const char c = char(bytes[kOffDate + i]);
        info.date += (c >= '0' && c <= '9') || c == '/' ? c : '?';
    }
    if (info.lock == Lock::Coordinator) info.recipient = hexGroups(bytes.data() + kOffSlot, kFingerprintBytes);
    out = std::move(info);
    return {};
}

IoStatus openEnvelope(const std::vector<std::uint8_t>& bytes, const std::string& label, const SecretKey* key,
                      const Secret* passphrase, std::vector<std::uint8_t>& content, EnvelopeInfo* infoOut) {
    content.clear();
    if (auto e = ready(label)) return e;
    EnvelopeInfo info;
    if (auto e = readEnvelopeInfo(bytes, label, info)) return e;
    // The size the header announces: a shorter file was cut, any other size altered.
    const std::size_t plain = (std::size_t(info.fibs) + 1) * kRecord;
    const std::size_t chunks = (plain + kChunkSize - 1) / kChunkSize;
    const std::size_t expected = kEnvelopeHeaderSize + plain + chunks * kA;
    if (bytes.size() < expected) return failure(label, "fichier tronqué.");
    if (bytes.size() > expected) return failure(label, "fichier altéré (données en trop).");

    const std::uint8_t* slot = bytes.data() + kOffSlot;
    Secret k;
    if (info.lock == Lock::Coordinator) {
        if (!key) return failure(label, "chiffré pour le coordinateur : il s'ouvre avec la clé de coordination.");
        std::uint8_t mine[kFingerprintBytes];
        fingerprintBytes(key->pub, mine);
        if (std::memcmp(mine, slot, kFingerprintBytes) != 0)
            return failure(label, "chiffré pour une autre clé de coordination (empreinte " + info.recipient +
                                      ", celle-ci : " + fingerprint(key->pub) + ").");
        k = Secret(crypto_secretstream_xchacha20poly1305_KEYBYTES);
        if (crypto_box_seal_open(k.data(), slot + kFingerprintBytes, kSealedKeyBytes, key->pub.bytes.data(),
                                 key->secret.data()) != 0)
            return failure(label, "fichier altéré (la clé du contenu ne s'ouvre pas).");
    } else {
        if (!passphrase) return failure(label, "chiffré sous une phrase secrète : il s'ouvre avec elle.");
        const std::uint64_t ops = getU64(slot + 16), mem = getU64(slot + 24);
        if (!limitsAccepted(ops, mem)) return failure(label, "fichier altéré (paramètres de dérivation incorrects).");
        if (auto e = derive(*passphrase, slot, ops, mem, k, label)) return e;
        std::uint8_t check[kCheckBytes];
        keyCheck(k, check);
        if (sodium_memcmp(check, slot + 32, kCheckBytes) != 0) return failure(label, "phrase secrète incorrecte.");
    }

    crypto_secretstream_xchacha20poly1305_state st;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&st, bytes.data() + kOffStream, k.data()) != 0)
        return failure(label, "fichier altéré (en-tête du contenu incorrect).");
    std::vector<std::uint8_t> out(plain);
    std::size_t at = kEnvelopeHeaderSize, done = 0;
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::size_t n = std::min(kChunkSize, plain - done);
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&st, out.data() + done, nullptr, &tag, bytes.data() + at, n + kA,
                                                       bytes.data(), kEnvelopeHeaderSize) != 0) {
            sodium_memzero(&st, sizeof st);
            sodium_memzero(out.data(), out.size());
            return failure(label, "fichier altéré : son contenu ne correspond plus à ce qui a été chiffré.");
        }
        const bool last = c + 1 == chunks;
        if (last != (tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL)) {
            sodium_memzero(&st, sizeof st);
            sodium_memzero(out.data(), out.size());
            return failure(label, last ? "fichier tronqué." : "fichier altéré (fin prématurée).");
        }
        at += n + kA;
        done += n;
    }
    sodium_memzero(&st, sizeof st);
    std::uint16_t centre = 0, fibs = 0;
    if (!contentShape(out.data(), out.size(), centre, fibs) || fibs != info.fibs)
        return failure(label, "le nombre de fiches de l'enveloppe diffère de celui de ses fiches.");
    if (centre != info.centre)
        return failure(label, "l'enveloppe porte le centre " + std::to_string(info.centre) +
                                  " mais ses fiches sont celles du centre " + std::to_string(centre) + ".");
    content = std::move(out);
    if (infoOut) *infoOut = std::move(info);
    return {};
}

}  // namespace pelo::seal
