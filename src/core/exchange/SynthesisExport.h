#pragma once
// A stored synthesis for the spreadsheet and the statistics packages:
// - wide: one row per centre (the country first), the campaign in a column,
//   one column per band line with its percentage and one with its denominator;
// - benchmark: one row per (centre, band line) with the funnel limits and
//   the position, without the title line of the screen's CSV, the codebook
//   explaining the position codes.
// Both written by writeTable (exchange/FibTable.h) with their codebook.

#include "formats/Table.h"
#include "ref/Benchmark.h"
#include "ref/StoredSynthesis.h"

namespace pelo::exchange {

formats::Table wideSynthesisTable(const ref::Benchmark& b);
formats::Table benchmarkTable(const ref::Benchmark& b);

}  // namespace pelo::exchange
