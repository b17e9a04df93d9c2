#pragma once
// The collection's sealed sources: FIBn.DAT.chiffre, sealed by a centre for
// the coordinator, taken in place of FIBn.DAT and opened in memory only.

#include <string>

#include "formats/Seal.h"
#include "pool/Collection.h"

namespace pelo::pool {

// The opener for collect(). With the coordinator's key each sealed source is
// opened (any failure stops the collection, naming the file); without it, a
// sealed source stops the collection asking for the key. A centre present
// both plain and sealed stops it too: which of the two counts is the
// coordinator's choice, not the program's.
SealedSourceOpener sealedSources(const seal::SecretKey* key);

// Whether the folder holds a sealed source (the key is asked for only then).
bool hasSealedSources(const std::string& folder);

}  // namespace pelo::pool
