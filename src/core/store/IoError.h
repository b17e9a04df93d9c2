#pragma once
// The failure of a file action: the file and the French cause. Kept apart
// from the record files so that whoever only shows the error needs no more.

#include <optional>
#include <string>

namespace pelo {

struct IoError {
    std::string file;
    std::string cause;
    bool plain = false;  // the cause is the whole message ("Fichier plein")
    // "Erreur d'entrée/sortie sur FIB.DAT : fichier introuvable"
    std::string message() const;
};

// Empty on success.
using IoStatus = std::optional<IoError>;

}  // namespace pelo
