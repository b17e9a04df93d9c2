#include "formats/SealedCopy.h"

#include <cerrno>
#include <cstring>

namespace pelo::seal {

namespace {

// Sealed files are at most a full record file and its stream's tags.
constexpr std::uint64_t kMaxSealedBytes = kEnvelopeHeaderSize + recordio::kMaxRecords * kRecordSize +
                                          (recordio::kMaxRecords * kRecordSize / kChunkSize + 1) * 17;

std::vector<FibRecord> toRecords(const std::vector<std::uint8_t>& bytes) {
    std::vector<FibRecord> records(bytes.size() / kRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::memcpy(records[i].bytes.data(), bytes.data() + i * kRecordSize, kRecordSize);
    return records;
}

bool exists(const std::string& path) {
    recordio::File f(path, path, recordio::File::Mode::Read);
    return f.isOpen() || f.openErrno() != ENOENT;
}

}  // namespace

std::string sealedName(const std::string& plainName) { return plainName + std::string(kSealedSuffix); }

std::string plainPathOf(const std::string& sealedPath) {
    const std::size_t n = kSealedSuffix.size();
    if (sealedPath.size() <= n || sealedPath.compare(sealedPath.size() - n, n, kSealedSuffix) != 0) return {};
    std::string plain = sealedPath.substr(0, sealedPath.size() - n);
    if (plain.back() == '/') return {};
    return plain;
}

IoStatus recordFileBytes(const std::string& path, std::vector<std::uint8_t>& out) {
    CentreHeader header;
    std::vector<FibRecord> fibs;
    if (auto e = readAllFibs(path, header, fibs)) return e;
    std::vector<std::uint8_t> bytes((fibs.size() + 1) * kRecordSize);
    std::memcpy(bytes.data(), header.bytes.data(), kRecordSize);
    for (std::size_t i = 0; i < fibs.size(); ++i)
        std::memcpy(bytes.data() + (i + 1) * kRecordSize, fibs[i].bytes.data(), kRecordSize);
    out = std::move(bytes);
    return {};
}

IoStatus importPublicKey(const std::string& source, const std::string& folder, PublicKey& out) {
    PublicKey key;
    if (auto e = readPublicKey(source, key)) return e;
    const std::string dest = recordio::inFolder(folder, kPublicKeyName);
    PublicKey there;
    if (readPublicKey(dest, there) || there.bytes != key.bytes) {
        std::vector<std::uint8_t> bytes;
        if (auto e = recordio::readWhole(source, source, bytes, 4096)) return e;
        if (auto e = recordio::replaceWhole(dest, dest, bytes.data(), bytes.size())) return e;
    }
    out = key;
    return {};
}

IoStatus sendToCoordinator(const std::string& recordFile, const PublicKey& key, const std::string& folder,
                           SealedWritten* out) {
    std::vector<std::uint8_t> content;
    if (auto e = recordFileBytes(recordFile, content)) return e;
    SealedWritten w;
    std::memcpy(&w.centre, content.data() + 2, 2);
    std::memcpy(&w.fibs, content.data() + 4, 2);
    if (w.centre == 0 || w.centre > 9999)
        return IoError{recordFile,
                       recordFile + " : le centre n'est pas identifié (numéro " + std::to_string(w.centre) +
                           ") : identifiez-le d'abord (SAISIE).",
                       true};
    w.path = recordio::inFolder(folder, sealedName("FIB" + std::to_string(w.centre) + ".DAT"));
    std::vector<std::uint8_t> env;
    if (auto e = sealForCoordinator(content, today(), key, w.path, env)) return e;
    if (auto e = recordio::replaceWhole(w.path, w.path, env.data(), env.size())) return e;
    if (out) *out = std::move(w);
    return {};
}

IoStatus sealFileTo(const std::string& recordFile, const std::string& dest, const Secret& passphrase,
                    const KdfLimits& limits, SealedWritten* out) {
    std::vector<std::uint8_t> content;
    if (auto e = recordFileBytes(recordFile, content)) return e;
    SealedWritten w;
    std::memcpy(&w.centre, content.data() + 2, 2);
    std::memcpy(&w.fibs, content.data() + 4, 2);
    w.path = dest;
    std::vector<std::uint8_t> env;
    if (auto e = sealWithPassphrase(content, today(), passphrase, limits, dest, env)) return e;
    wipe(content);
    if (auto e = recordio::replaceWhole(dest, dest, env.data(), env.size())) return e;
    if (out) *out = std::move(w);
    return {};
}

IoStatus sealRecordsTo(const std::vector<FibRecord>& records, const std::string& dest, const Secret& passphrase,
                       const KdfLimits& limits) {
    std::vector<std::uint8_t> content(records.size() * kRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::memcpy(content.data() + i * kRecordSize, records[i].bytes.data(), kRecordSize);
    std::vector<std::uint8_t> env;
    auto e = sealWithPassphrase(content, today(), passphrase, limits, dest, env);
    wipe(content);
    if (e) return e;
    return recordio::replaceWhole(dest, dest, env.data(), env.size());
}

IoStatus openSealedFile(const std::string& path, const SecretKey* key, const Secret* passphrase,
                        std::vector<std::uint8_t>& content, EnvelopeInfo* info) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(path, path, bytes, kMaxSealedBytes)) return e;
    return openEnvelope(bytes, path, key, passphrase, content, info);
}

IoStatus openSealedRecords(const std::string& path, const Secret& passphrase, std::vector<FibRecord>& records) {
    std::vector<std::uint8_t> content;
    if (auto e = openSealedFile(path, nullptr, &passphrase, content)) return e;
    records = toRecords(content);
    wipe(content);
    return {};
}

IoStatus unsealFile(const std::string& sealedPath, const Secret& passphrase, bool replace, SealedWritten* out) {
    const std::string plain = plainPathOf(sealedPath);
    if (plain.empty())
        return IoError{sealedPath, sealedPath + " : le nom d'un fichier chiffré se termine par .chiffre.", true};
    if (!replace && exists(plain)) return IoError{plain, plain + " existe déjà : il n'est pas remplacé.", true};
    std::vector<FibRecord> records;
    if (auto e = openSealedRecords(sealedPath, passphrase, records)) return e;
    if (auto e = recordfile::replaceWith(plain, records)) return e;
    SealedWritten w;
    w.path = plain;
    w.centre = records.front().get(fld::NumCentre);
    w.fibs = records.front().nbFiches();
    if (out) *out = std::move(w);
    return {};
}

}  // namespace pelo::seal
