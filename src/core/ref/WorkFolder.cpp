#include "ref/WorkFolder.h"

#include <filesystem>
#include <system_error>

#include "ref/StoredSynthesis.h"
#include "store/RecordIo.h"

namespace pelo::ref {

std::string WorkFolder::pathOf(const std::string& name) const { return recordio::inFolder(folder_, name); }

std::string WorkFolder::shown() const {
    namespace fs = std::filesystem;
    const fs::path given(folder_);
    if (given.is_absolute()) return folder_;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec) return folder_.empty() ? "." : folder_;
    if (folder_.empty()) return here.string();
    std::string whole = (here / given).lexically_normal().string();
    if (whole.size() > 1 && whole.back() == '/') whole.pop_back();
    return whole;
}

std::string WorkFolder::shownPathOf(const std::string& name) const { return recordio::inFolder(shown(), name); }

std::string WorkFolder::errorText(const IoError& e) const { return errorText(e.message()); }

std::string WorkFolder::errorText(const std::string& messages) const {
    return messages + "\nDossier de travail : " + shown();
}

std::vector<std::string> WorkFolder::storedSyntheses() const { return storedSynthesesIn(folder_); }

IoStatus WorkFolder::openStored(const std::string& name, StoredSynthesis& out) const {
    return readStored(folder_, name, out);
}

}  // namespace pelo::ref
