#pragma once
// The one way an export reaches the disk: written under a temporary name in
// the destination's folder, synced, then renamed over the destination, so
// that an interrupted or failed export leaves the file that was there whole
// and a reader never sees half a file. The permissions are those of every
// file the program writes (recordio::AtomicWriter).

#include <cstddef>
#include <string>
#include <string_view>

#include "store/RecordIo.h"

namespace pelo::formats {

class Sink {
public:
    // path: where the export goes; label: how errors name it (the name the user typed).
    IoStatus open(const std::string& path, const std::string& label);
    IoStatus write(const void* data, std::size_t n) { return writer_.write(data, n); }
    IoStatus write(std::string_view text) { return writer_.write(text.data(), text.size()); }
    // Synced and put in place; until then the destination is untouched.
    IoStatus commit() { return writer_.commit(); }
    void abandon() { writer_.abandon(); }
    const std::string& label() const { return writer_.label(); }

private:
    recordio::AtomicWriter writer_;
};

// A whole export of the given bytes.
IoStatus writeExport(const std::string& path, const std::string& label, std::string_view bytes);
// Same, the file named by the last component of its path.
IoStatus writeExport(const std::string& path, std::string_view bytes);

// The last component of a path ("/tmp/a/b.csv" -> "b.csv").
std::string baseName(const std::string& path);

}  // namespace pelo::formats
