#pragma once
// Sealed copies as files: a centre's record file sealed for the coordinator
// or under a passphrase ("FIB12.DAT.chiffre"), opened again in memory only,
// or written back as a plain file when asked. Every file written replaces its
// old one atomically (temporary, sync, rename) and is private; a failure
// writes nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/RecordFile.h"
#include "formats/Seal.h"

namespace pelo::seal {

// "FIB12.DAT.chiffre"
std::string sealedName(const std::string& plainName);
// path without its ".chiffre"; empty when it has none (or nothing else).
std::string plainPathOf(const std::string& sealedPath);

// The bytes of a whole record file (records 0 to n, n from its header),
// checked as the readers of record files check it.
IoStatus recordFileBytes(const std::string& path, std::vector<std::uint8_t>& out);

struct SealedWritten {
    std::string path;  // the file written
    std::uint16_t centre = 0;
    std::uint16_t fibs = 0;
};

// The coordinator's public key at source, checked, copied into folder as
// coordination.pub (where the centre's sending finds it).
IoStatus importPublicKey(const std::string& source, const std::string& folder, PublicKey& out);

// The record file sealed with the coordinator's public key as
// FIBn.DAT.chiffre in folder (n its header's centre, which must be 1 to 9999).
IoStatus sendToCoordinator(const std::string& recordFile, const PublicKey& key, const std::string& folder,
                           SealedWritten* out = nullptr);
// The record file sealed under a passphrase as dest.
IoStatus sealFileTo(const std::string& recordFile, const std::string& dest, const Secret& passphrase,
                    const KdfLimits& limits, SealedWritten* out = nullptr);

// Records 0 to n (header first) sealed under a passphrase as dest.
IoStatus sealRecordsTo(const std::vector<FibRecord>& records, const std::string& dest, const Secret& passphrase,
                       const KdfLimits& limits);

// A sealed file opened in memory: its records (header first).
IoStatus openSealedFile(const std::string& path, const SecretKey* key, const Secret* passphrase,
                        std::vector<std::uint8_t>& content, EnvelopeInfo* info = nullptr);
IoStatus openSealedRecords(const std::string& path, const Secret& passphrase, std::vector<FibRecord>& records);

// A sealed file written back as its plain file (path without ".chiffre");
// an existing one only with replace.
IoStatus unsealFile(const std::string& sealedPath, const Secret& passphrase, bool replace,
                    SealedWritten* out = nullptr);

}  // namespace pelo::seal
