#pragma once
// The centre synthesis: one sequential pass over a record file that counts
// the selected FIBs into the 183 bands, the 264 list lines built from the
// counts, the objectives chart, the class lists of a band and a CSV export.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "eval/Bands.h"
#include "formats/RecordFile.h"

namespace pelo::eval {

struct SynthesisResult {
    BandCounts counts{};
    std::uint32_t evaluated = 0;  // selected FIBs: the denominator of every percentage
    std::uint32_t complete = 0, incomplete = 0, toReview = 0;
    std::uint16_t centre = 0;    // NumCentre of the header
    std::uint16_t nbFiches = 0;  // NbFiches of the header
    int filter = 0;
};

// Counts FIBs 1..NbFiches of the file, annulled ones skipped, selected by the filter.
IoStatus runSynthesis(const std::string& path, int filter, const BandParams& params, SynthesisResult& out);
// The same with ages counted from the year and the units of the file's own
// header, read as the centre menu reads them.
IoStatus runCentreSynthesis(const std::string& path, int filter, std::int32_t year, SynthesisResult& out);

// The FIBs a filter evaluates: "Tous types", "Type 1", "Type 2".
std::string populationName(int filter);

// " SYNTHESE des 40 FIB du Centre 1234"
std::string titleLine(std::uint32_t evaluated, std::uint16_t centre);
// A band line: count and percentage aligned with two spaces per missing digit.
std::string bandLine(std::uint32_t count, std::uint32_t denominator, std::string_view label);
// The 264 lines of the list, line 0 to 263.
std::vector<std::string> synthesisLines(const SynthesisResult& r);

// The percentage of a list line read back: the text from the 17th character on,
// spaces skipped, up to the "%", and the bar height it gives (nearest integer,
// a half to even). False for a line without percentage.
struct LinePercent {
    std::string text;
    int height = 0;
};
bool readLinePercent(std::string_view line, LinePercent& out);

// The objectives chart: 11 rows of 3 cells.
using ObjectivesGrid = std::array<std::array<std::string, 3>, 11>;
// Row 0, column 0 of rows 1..10 and column 1 of rows 1..9: the fixed cells.
void writeObjectiveHeadings(ObjectivesGrid& g);
// Column 2 of rows 1..10 and column 1 of row 10, from a synthesis.
void writeObjectiveResults(const SynthesisResult& r, ObjectivesGrid& g);
inline const char* kNoEvaluation = " Evaluation ?";

// The FIB numbers of each band of a section (lists C1..C12).
struct ClassLists {
    std::array<std::vector<std::uint16_t>, 12> numbers;
    std::uint16_t centre = 0, nbFiches = 0;  // from the header read
};
// Titles of the twelve lists ("   C1 ", "  C2 " ...); " Non " second for a yes/no exam section.
std::array<std::string, 12> classTitles(int section);
IoStatus classLists(const std::string& path, int filter, const BandParams& params, int section, ClassLists& out);
// The same with the year and the units of the file's header.
IoStatus centreClassLists(const std::string& path, int filter, std::int32_t year, int section, ClassLists& out);

// The synthesis as a table for a spreadsheet: UTF-8 with a BOM, ";" between
// fields, CRLF line ends, decimal comma; one row per band.
std::string synthesisCsv(const SynthesisResult& r);
// Writes it to a file; the error names the file without its folder.
IoStatus writeSynthesisCsv(const std::string& path, const SynthesisResult& r);

}  // namespace pelo::eval
