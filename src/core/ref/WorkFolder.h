#pragma once
// The folder where the country's files are read and written: the stored
// syntheses, the pooled files, GROUPE.DAT and what the reference screens
// print or export. The one place that knows that no folder chosen means the
// current folder, so that no screen builds a path or a message by itself.

#include <string>
#include <vector>

#include "store/IoError.h"

namespace pelo::ref {

struct StoredSynthesis;

class WorkFolder {
public:
    // The current folder.
    WorkFolder() = default;
    // A folder chosen by the user; "" is the current folder.
    explicit WorkFolder(std::string folder) : folder_(std::move(folder)) {}

    // The folder as the core's file functions take it ("" the current folder).
    const std::string& folder() const { return folder_; }
    bool isCurrent() const { return folder_.empty(); }

    // A file of the folder: the name alone in the current folder.
    std::string pathOf(const std::string& name) const;
    // The folder as the user sees it: the current folder resolved now, a
    // relative one made absolute.
    std::string shown() const;
    // A file of the folder by its whole path (what a message names).
    std::string shownPathOf(const std::string& name) const;
    // A file error with the folder it was looked for in: a bare "fichier
    // introuvable" leaves the user guessing where.
    std::string errorText(const IoError& e) const;
    // The same for messages already made (several files missing).
    std::string errorText(const std::string& messages) const;

    // The stored syntheses of the folder and the reading of one of them.
    std::vector<std::string> storedSyntheses() const;
    IoStatus openStored(const std::string& name, StoredSynthesis& out) const;

    bool operator==(const WorkFolder&) const = default;

private:
    std::string folder_;
};

}  // namespace pelo::ref
