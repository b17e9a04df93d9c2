#pragma once
// Sheets imported from a centre's own records: a CSV (either dialect of the
// export, or as a spreadsheet saves it) or an xlsx, with the columns of the
// export by name in any order. Each row becomes a FIB of the file's centre,
// numbered after the last one, its state set by the checks of a save, its
// header-derived fields copied from the header as a new sheet gets them.
// A row that cannot be stored is refused with its line, column, value and
// reason; a row equal to a FIB of the file or to an earlier row on the
// patient's identifying fields is a duplicate, left out unless kept.
// Planning reads and checks everything and writes nothing; storing appends
// the planned FIBs in one write under the file's lock.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/Csv.h"
#include "store/FibRecord.h"
#include "store/IoError.h"
#include "store/Progress.h"

namespace pelo::exchange {

struct Refusal {
    std::size_t line;    // line of the source (its row number in a workbook)
    std::string column;  // the column's name
    std::string value;   // the cell as read
    std::string reason;  // in French
};

struct Duplicate {
    std::size_t line;
    std::string of;  // "la fiche 12" or "la ligne 5"
};

struct ImportOptions {
    bool keepDuplicates = false;  // --doublons
    int currentYear = 0;          // the year of the checks (0: this year)
};

struct ImportPlan {
    std::vector<FibRecord> fibs;  // to store, in source order (NumFib set on storing)
    std::vector<std::size_t> lines;
    std::size_t complete = 0, incomplete = 0, toReview = 0;
    std::vector<Refusal> refusals;  // every refused cell
    std::size_t refusedRows = 0;
    std::vector<Duplicate> duplicates;
    std::size_t rows = 0;  // rows read
};

// The source read into rows of texts: CSV or xlsx, told apart by their bytes.
// On failure the French reason naming the source.
IoStatus readSource(const std::string& path, formats::CsvData& out);

// The plan of an import of rows into the record file at recordPath (its
// header and FIBs read, nothing written). An unknown column is an error naming it.
IoStatus planImport(const std::string& recordPath, const formats::CsvData& source, const ImportOptions& o,
                    ImportPlan& out, const Progress& progress = {});

// Appends the plan's FIBs (see recordfile::appendFibs); first: the number of the first.
IoStatus storeImport(const std::string& recordPath, const ImportPlan& plan, std::uint16_t& first);

// The report: one line per refusal and per duplicate, CSV in the program's
// dialect (Ligne;Colonne;Valeur;Motif).
std::string importReportCsv(const ImportPlan& plan);

// "120 fiches à enregistrer (100 complètes, 15 incomplètes, 5 à réviser), 3 refusées, 2 doublons"
std::string importSummary(const ImportPlan& plan, bool keepDuplicates);

}  // namespace pelo::exchange
