#pragma once
// What the importer does with a source once read: every row planned into a
// small record file (every cell converted and checked) and the report of the
// refusals written as text; nothing stored.
#include "FuzzFolder.h"
#include "exchange/FibImport.h"
#include "formats/Csv.h"
#include "formats/RecordFile.h"

namespace pelo::fuzz {

inline void planImport(const formats::CsvData& d) {
    static const std::string target = [] {
        const std::string p = folder() + "/FIB.DAT";
        recordfile::createIfMissing(p);
        return p;
    }();
    exchange::ImportPlan plan;
    exchange::ImportOptions o;
    o.currentYear = 2026;
    (void)exchange::planImport(target, d, o, plan);
    (void)exchange::importReportCsv(plan);
}

}  // namespace pelo::fuzz
