#include "formats/Sink.h"

#include <cerrno>

namespace pelo::formats {

IoStatus Sink::open(const std::string& path, const std::string& label) {
    auto e = writer_.create(path, label);
    // The export is created: a missing file can only be its folder.
    if (e && e->cause == ioCause(ENOENT)) e->cause = "dossier introuvable";
    return e;
}

IoStatus writeExport(const std::string& path, const std::string& label, std::string_view bytes) {
    Sink s;
    if (auto e = s.open(path, label)) return e;
    if (auto e = s.write(bytes)) return e;
    return s.commit();
}

IoStatus writeExport(const std::string& path, std::string_view bytes) {
    return writeExport(path, baseName(path), bytes);
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace pelo::formats
