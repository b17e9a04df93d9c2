#pragma once
// Sealed copies of a centre's record file: encrypted and tamper-evident, for
// the copy that leaves the centre on a USB key and for the file sent to the
// national coordinator. Everything cryptographic is libsodium's:
//
// - the coordinator's key pair is an X25519 box key pair; its public key is
//   handed to the centres (coordination.pub), its secret key is kept
//   encrypted under a passphrase (coordination.cle: Argon2id, then
//   XChaCha20-Poly1305 with the file's header as additional data);
// - an envelope carries a random content key, either sealed to the
//   coordinator's public key (crypto_box_seal) or derived from a passphrase
//   (Argon2id), and the record file under crypto_secretstream (XChaCha20-
//   Poly1305), every chunk authenticated with the envelope's header as
//   additional data; the last chunk carries the final tag, so a file cut
//   short is told from a whole one.
//
// Envelope (little-endian), 144 bytes of header, then the stream:
//   0  "PELOCHIF"   8  version (1)   9  lock (1 coordinator, 2 passphrase)
//   10 centre u16   12 FIBs u16      14 date "dd/mm/yyyy"
//   24 the key slot, 96 bytes:
//      coordinator: fingerprint of the key (8), sealed content key (80), 0 (8)
//      passphrase:  salt (16), opslimit u64, memlimit u64, key check (16), 0 (48)
//   120 the stream's header (24), then chunks of at most 65536 bytes + 17.
// The content is the record file exactly as the backup writes it: records 0
// to n, n the count of its header, whose centre and count the envelope's
// header repeats.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/IoError.h"

namespace pelo::seal {

inline constexpr const char* kPublicKeyName = "coordination.pub";
inline constexpr const char* kSecretKeyName = "coordination.cle";
inline constexpr std::string_view kSealedSuffix = ".chiffre";
inline constexpr std::uint8_t kEnvelopeVersion = 1;
inline constexpr std::size_t kEnvelopeHeaderSize = 144;
inline constexpr std::size_t kChunkSize = 65536;

// Bytes held in guarded, locked memory (sodium_malloc: kept out of swap,
// wiped when freed): passphrases and secret keys.
class Secret {
public:
    Secret() = default;
    explicit Secret(std::size_t n);
    ~Secret();
    Secret(Secret&& o) noexcept;
    Secret& operator=(Secret&& o) noexcept;
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    // A copy of text; the caller wipes its own.
    static Secret fromText(std::string_view text);
    unsigned char* data() { return p_; }
    const unsigned char* data() const { return p_; }
    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }

private:
    unsigned char* p_ = nullptr;
    std::size_t n_ = 0;
};

// Wipes the characters of a string that held a secret, then empties it.
void wipe(std::string& s);
// Wipes the bytes of a record file opened in memory, then empties the vector.
void wipe(std::vector<std::uint8_t>& bytes);

// Cost of a passphrase's key derivation (Argon2id).
struct KdfLimits {
    std::uint64_t ops = 0;
    std::uint64_t mem = 0;
};
// The library's interactive limits: what the program and fibtool use.
KdfLimits interactiveLimits();
// The library's minimum: for the tests, which derive many keys.
KdfLimits minimumLimits();

struct PublicKey {
    std::array<std::uint8_t, 32> bytes{};
};
// "3F2A-91C0-7B5E-0D44": 8 bytes of the BLAKE2b hash of the key, short
// enough to be read out on the telephone.
std::string fingerprint(const PublicKey& key);

struct SecretKey {
    PublicKey pub;
    Secret secret;  // 32 bytes
};

// Creates coordination.pub and coordination.cle in folder. Neither is ever
// replaced: the files sealed for a campaign open only with its key.
IoStatus createKeyPair(const std::string& folder, const Secret& passphrase, const KdfLimits& limits,
                       PublicKey* out = nullptr);
IoStatus readPublicKey(const std::string& path, PublicKey& out);
// The secret key, opened with its passphrase.
IoStatus openSecretKey(const std::string& path, const Secret& passphrase, SecretKey& out);

// The bytes of coordination.pub for a key.
std::vector<std::uint8_t> publicKeyBytes(const PublicKey& key);
// The file formats, on bytes in memory; errors name the file by label.
IoStatus parsePublicKey(const std::vector<std::uint8_t>& bytes, const std::string& label, PublicKey& out);
IoStatus parseSecretKey(const std::vector<std::uint8_t>& bytes, const std::string& label, const Secret& passphrase,
                        SecretKey& out);

enum class Lock : std::uint8_t { Coordinator = 1, Passphrase = 2 };

struct EnvelopeInfo {
    std::uint8_t version = 0;
    Lock lock = Lock::Coordinator;
    std::uint16_t centre = 0;
    std::uint16_t fibs = 0;
    std::string date;       // "dd/mm/yyyy"
    std::string recipient;  // fingerprint of the coordinator's key (Coordinator)
};

// Today's local date, "dd/mm/yyyy".
std::string today();

// Seals a record file's bytes (records 0 to n). The content must be such a
// file: whole 248-byte records, as many as its header counts plus one.
IoStatus sealForCoordinator(const std::vector<std::uint8_t>& content, const std::string& date, const PublicKey& key,
                            const std::string& label, std::vector<std::uint8_t>& out);
IoStatus sealWithPassphrase(const std::vector<std::uint8_t>& content, const std::string& date, const Secret& passphrase,
                            const KdfLimits& limits, const std::string& label, std::vector<std::uint8_t>& out);

// The envelope's header, read without a key (its authenticity is only known
// once the envelope is opened).
IoStatus readEnvelopeInfo(const std::vector<std::uint8_t>& bytes, const std::string& label, EnvelopeInfo& out);
// Opens an envelope in memory with the key of its lock (the other may be
// null). On any failure content is left empty: a wrong key or passphrase, an
// altered or truncated file, a centre or count that differs from the records'
// header.
IoStatus openEnvelope(const std::vector<std::uint8_t>& bytes, const std::string& label, const SecretKey* key,
                      const Secret* passphrase, std::vector<std::uint8_t>& content, EnvelopeInfo* info = nullptr);

}  // namespace pelo::seal
