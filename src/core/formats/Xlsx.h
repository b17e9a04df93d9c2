#pragma once
// xlsx, the spreadsheet's own format, written by libxlsxwriter: one sheet,
// the header row frozen, numbers as numbers, dates as dates, a missing value
// as an empty cell. The workbook is built in a private temporary folder,
// then goes to its destination through the export sink.

#include <string>

#include "formats/Csv.h"
#include "formats/Sink.h"
#include "formats/Table.h"
#include "store/Progress.h"

namespace pelo::formats {

// labels: the labels of the codes instead of the codes (text cells).
// Progress is told every 1024 rows, then once more before the workbook is
// compressed (the longest step, which tells nothing); cancelled, nothing is written.
IoStatus writeXlsx(const std::string& path, const std::string& label, const Table& t, bool labels,
                   const Progress& progress = {});

// The first sheet of a workbook as rows of texts, read with libzip and expat:
// the first non-empty row is the header; a number is its shortest decimal
// text ("7.5", "35796" for a date, which the reader of the column converts);
// lines are the sheet's row numbers. The French reason on failure.
std::string parseXlsx(std::string_view bytes, CsvData& out);

}  // namespace pelo::formats
