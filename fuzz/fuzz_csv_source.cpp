// A CSV source of the importer: parsed in every dialect, then planned into a
// small record file (every cell converted and checked), nothing written.
#include "FuzzFolder.h"
#include "exchange/FibImport.h"
#include "formats/Csv.h"
#include "formats/RecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelo;
    static const std::string target = [] {
        const std::string p = fuzz::folder() + "/FIB.DAT";
        recordfile::createIfMissing(p);
        return p;
    }();
    formats::CsvData d;
    if (!formats::parseCsv(std::string_view(reinterpret_cast<const char*>(data), size), d).empty()) return 0;
    exchange::ImportPlan plan;
    exchange::ImportOptions o;
    o.currentYear = 2026;
    (void)exchange::planImport(target, d, o, plan);
    (void)exchange::importReportCsv(plan);
    return 0;
}
