#pragma once
// The run's working folder, shared by the country screens, the reference
// screens and their printouts: how it is shown and how an error names it.

#include <QDir>
#include <QString>

#include "store/IoError.h"
#include "ui/RunState.h"

namespace pelo::ui {

// The folder as the user sees it: the current folder while none was chosen.
inline QString workFolderShown(const RunState& s) {
    return QDir::toNativeSeparators(s.PoolFolder.empty() ? QDir::currentPath() : QString::fromStdString(s.PoolFolder));
}

// A file error with the folder it was looked for in: a bare "fichier
// introuvable" leaves the user guessing where.
inline QString errorInFolder(const IoError& e, const RunState& s) {
    return QString::fromStdString(e.message()) + QString::fromUtf8("\nDossier de travail : ") + workFolderShown(s);
}

}  // namespace pelo::ui
