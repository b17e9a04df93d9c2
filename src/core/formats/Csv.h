#pragma once
// CSV, the spreadsheet's plain format, both ways.
// Written in one of two dialects: the French one of the program's other
// exports (UTF-8 with BOM, « ; », CRLF, decimal comma), which a French
// spreadsheet opens as it is, or the international one (UTF-8 without BOM,
// « , », LF, decimal point) for R and Python.
// Read as a spreadsheet may have saved it: UTF-8 with or without BOM or
// Windows-1252; « ; », « , » or tab; quoted fields, CRLF or LF.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Sink.h"
#include "formats/Table.h"

namespace pelo::formats {

enum class Dialect { French, International };

struct CsvOptions {
    Dialect dialect = Dialect::French;
    bool labels = false;  // the labels of the codes instead of the codes
};

// One field, quoted (inner quotes doubled) when it holds the separator, a quote or a line break.
std::string csvCell(std::string_view text, char separator);
// A number as the dialect writes it (empty for a missing value).
std::string csvNumber(double v, Dialect d);

// The table as CSV: the names on the first line, one line per row. A date
// is its stored text; a code with --libelles its label (the code when it has none).
IoStatus writeCsv(Sink& sink, const Table& t, const CsvOptions& o);
IoStatus writeCsv(const std::string& path, const std::string& label, const Table& t, const CsvOptions& o);

// The codebook of a table: one line per column with its name, label, type,
// unit, codes and their labels, and its missing value.
Table codebookOf(const Table& t);
// "fiches.xlsx" -> "fiches-dictionnaire.csv".
std::string codebookPath(const std::string& exportPath);

// A CSV read whole: its header and its records, each with the line of the file it starts on.
struct CsvData {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::size_t> lines;  // line of each row (the header is line 1)
    char separator = ';';
    bool cp1252 = false;  // read as Windows-1252
};
// Parses bytes; on failure returns the French reason ("guillemet non fermé à la ligne 12").
std::string parseCsv(std::string_view bytes, CsvData& out);

// Whether bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);

}  // namespace pelo::formats
