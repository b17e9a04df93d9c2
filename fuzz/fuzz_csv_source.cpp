// A CSV source of the importer: parsed in every dialect, then planned into a
// small record file, nothing written.
#include "FuzzImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelo::formats::CsvData d;
    if (pelo::formats::parseCsv(std::string_view(reinterpret_cast<const char*>(data), size), d).empty())
        pelo::fuzz::planImport(d);
    return 0;
}
