// An xlsx source of the importer: the zip package, its shared strings, its
// first sheet; then planned into a small record file, nothing written.
#include "FuzzFolder.h"
#include "exchange/FibImport.h"
#include "formats/RecordFile.h"
#include "formats/Xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    static const std::string target = [] {
        const std::string p = fuzz::folder() + "/FIB.DAT";
        recordfile::createIfMissing(p);
        return p;
    }();
    formats::CsvData d;
    if (!formats::parseXlsx(std::string_view(reinterpret_cast<const char*>(data), size), d).empty()) return 0;
    exchange::ImportPlan plan;
    exchange::ImportOptions o;
    o.currentYear = 2026;
    (void)exchange::planImport(target, d, o, plan);
    return 0;
}
