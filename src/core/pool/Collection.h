#pragma once
// The collection of a country's FIBs: FIB1.DAT ... FIB999.DAT of the working
// folder, in increasing order, gathered into one pooled file. A source file is
// either a pooled file (252-byte records) or a centre's own record file
// (248-byte records, the backup's "FIB" + centre + ".DAT"), whose records are
// widened on the way. A FIB is pooled when its NumCentre is above 0.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pool/PoolFiles.h"

namespace pelo::pool {

inline constexpr int kLastSourceFile = 999;
inline constexpr std::uint32_t kMaxPooledFibs = 65535;

enum class SourceFormat { Pooled, Centre, Unknown };
// The format of a source file from its size and the word at bytes 2-3 of its
// first record: a centre file holds its centre number there, a pooled file
// the high half of CodeFixe (0).
SourceFormat sourceFormat(std::uint64_t size, std::uint16_t word2);

struct CollectionResult {
    std::uint32_t centres = 0;          // source files taken
    std::uint32_t fibs = 0;             // FIBs pooled
    std::vector<std::string> warnings;  // source files left aside, one text each
    std::vector<std::string> sealed;    // sources taken from their sealed copy (FIBn.DAT)
    std::size_t duplicates = 0;         // FIBs found in two source files (see the manifest)
    std::vector<std::string> notes;     // what else the user is told: duplicates, the manifest not written
};

// Reads the sealed copy of a source ("FIB3.DAT.chiffre") whole into bytes, in
// memory, in place of the plain file: false when there is none. An error it
// sets stops the collection (pool/SealedSources.h).
using SealedSourceOpener = std::function<bool(const std::string& folder, const std::string& name,
                                              std::vector<std::uint8_t>& bytes, IoStatus& error)>;

// "3 centres, 120 fiches", and when source files were left aside
// ", 1 fichier laissé de côté"
std::string collectionMessage(const CollectionResult& r);

// True for FIB1.DAT ... FIB999.DAT, the names of the sources.
bool isSourceName(const std::string& name);

// Builds the pooled file `poolName` in the folder; an existing file of that
// name is replaced only once the new one is whole. Nothing is replaced when
// no source file is found, when the FIBs would exceed 65535, or when the name
// is one of the sources' (a plain IoError says why). Progress counts the 999
// source names, the file at hand named; cancelling replaces nothing.
// Beside it, the manifest of the sources (pool/Manifest.h).
IoStatus collect(const std::string& folder, const std::string& poolName, CollectionResult& out,
                 const Progress& progress = {}, const SealedSourceOpener& sealed = {});

}  // namespace pelo::pool
