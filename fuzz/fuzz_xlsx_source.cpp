// An xlsx source of the importer: the zip package, its shared strings, its
// first sheet; then planned into a small record file, nothing written.
#include "FuzzImport.h"
#include "formats/Xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelo::formats::CsvData d;
    if (pelo::formats::parseXlsx(std::string_view(reinterpret_cast<const char*>(data), size), d).empty())
        pelo::fuzz::planImport(d);
    return 0;
}
