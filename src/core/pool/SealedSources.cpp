#include "pool/SealedSources.h"

#include "formats/SealedCopy.h"
#include "pool/PoolFiles.h"

namespace pelo::pool {

SealedSourceOpener sealedSources(const seal::SecretKey* key) {
    return
        [key](const std::string& folder, const std::string& name, std::vector<std::uint8_t>& bytes, IoStatus& error) {
            const std::string sealedName = seal::sealedName(name);
            if (!fileExists(folder, sealedName)) return false;
            if (fileExists(folder, name)) {
                error = IoError{sealedName,
                                "Collection impossible : le centre de " + name + " est présent deux fois, en clair (" +
                                    name + ") et chiffré (" + sealedName + "). Retirez l'un des deux.",
                                true};
                return false;
            }
            if (!key) {
                error = IoError{sealedName,
                                "Collection impossible : " + sealedName +
                                    " est chiffré pour le coordinateur ; la clé de coordination (" +
                                    seal::kSecretKeyName + ") est nécessaire pour l'ouvrir.",
                                true};
                return false;
            }
            std::vector<std::uint8_t> content;
            if (auto e = seal::openSealedFile(inFolder(folder, sealedName), key, nullptr, content)) {
                e->cause = "Collection impossible : " + e->cause;
                error = e;
                return false;
            }
            seal::wipe(bytes);
            bytes = std::move(content);
            return true;
        };
}

bool hasSealedSources(const std::string& folder) {
    for (int n = 1; n <= kLastSourceFile; ++n)
        if (fileExists(folder, seal::sealedName("FIB" + std::to_string(n) + ".DAT"))) return true;
    return false;
}

}  // namespace pelo::pool
