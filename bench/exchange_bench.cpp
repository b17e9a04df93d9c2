// The FIBs of a full record file (65,535) exported in every format, and
// 65,535 rows imported (read, converted, checked as a save checks them,
// appended); targets 1 s an export, 2 s the import.
#include <cstdio>
#include <filesystem>

#include "BenchSupport.h"

#include "exchange/FibImport.h"
#include "exchange/FibTable.h"

namespace {

namespace fs = std::filesystem;
using namespace pelo;

const std::string& source() {
    static const std::string path = bench::makeDemoFile("pelo-bench-export.DAT");
    return path;
}
std::string out(const char* name) { return (fs::temp_directory_path() / name).string(); }

void exportAs(benchmark::State& state, exchange::ExportFormat f, const char* name) {
    exchange::ExportRequest r;
    r.format = f;
    for (auto _ : state) {
        std::size_t rows = 0;
        if (auto e = exchange::exportFile(source(), out(name), r, rows)) state.SkipWithError(e->message().c_str());
        benchmark::DoNotOptimize(rows);
    }
}
void BM_ExportCsv(benchmark::State& s) { exportAs(s, exchange::ExportFormat::Csv, "pelo-bench.csv"); }
void BM_ExportXlsx(benchmark::State& s) { exportAs(s, exchange::ExportFormat::Xlsx, "pelo-bench.xlsx"); }
void BM_ExportDta(benchmark::State& s) { exportAs(s, exchange::ExportFormat::Dta, "pelo-bench.dta"); }
void BM_ExportSav(benchmark::State& s) { exportAs(s, exchange::ExportFormat::Sav, "pelo-bench.sav"); }
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportDta)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportSav)->Unit(benchmark::kMillisecond)->Iterations(3);

// 65,535 rows of CSV into an empty file of the same centre: read, planned, stored (duplicates kept).
void BM_ImportCsv(benchmark::State& state) {
    const std::string csv = out("pelo-bench-import.csv");
    std::size_t rows = 0;
    exchange::ExportRequest all;  // the annulled FIBs too: 65,535 rows
    all.fibs.annulled = true;
    exchange::exportFile(source(), csv, all, rows);
    CentreHeader h;
    recordfile::readHeader(source(), h);
    h.setNbFiches(0);
    const std::string target = out("pelo-bench-import.DAT");
    for (auto _ : state) {
        state.PauseTiming();
        recordfile::replaceWith(target, {h});
        state.ResumeTiming();
        formats::CsvData d;
        exchange::ImportPlan plan;
        std::uint16_t first = 0;
        IoStatus e = exchange::readSource(csv, d);
        exchange::ImportOptions keep;
        keep.keepDuplicates = true;
        if (!e) e = exchange::planImport(target, d, keep, plan);
        if (!e) e = exchange::storeImport(target, plan, first);
        if (e) state.SkipWithError(e->message().c_str());
        benchmark::DoNotOptimize(first);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
