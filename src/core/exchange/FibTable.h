#pragma once
// The FIBs of a centre file or of a pooled file as a table for the
// statisticians, and back: one column per field of the record in record
// order (the constant word, the reserved fields and the pads left out), its
// French label, its unit and the French labels of its codes; an empty value
// is a missing value. The importer reads cells back into fields by the same
// descriptions, so that an export read back gives the same FIBs.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/PooledFile.h"
#include "formats/Table.h"
#include "store/FibRecord.h"
#include "store/Progress.h"

namespace pelo::exchange {

// The families of codes of the byte fields.
enum class Codes : std::uint8_t {
    None,        // a count or a number
    OuiNon,      // 1 oui, 2 non
    Coche,       // 1 oui (a single box)
    AvantApres,  // 1 avant, 2 après, 3 avant et après
    Evenement,   // 1 Oui < 12 mois, 2 Oui ancien, 3 both, 4 non
    Sexe,        // 1 M, 2 F
    Type,        // 1 Type 1, 2 Type 2, 3 Autre
    Contact,     // 1 Consultation, 2 Hospitalisation
    Motif,       // 1 Surveillance ... 7 Autre
    Etat,        // 0 complète, 1 incomplète, 2 à réviser, 255 annulée
    Structure,   // the structures of care 1..5
};

// One exported field.
struct FieldExport {
    const FieldInfo* field;  // in the centre record's layout
    const char* label;       // French label without its unit
    Codes codes;
    int unitRow;       // row of the centre's units grid for a laboratory value, -1 otherwise
    const char* unit;  // a fixed unit ("%", "kg"), "" when none
    int lo, hi;        // accepted range of a count or a number in a byte (import); 0, 0 when none
};
// The exported fields in record order.
std::span<const FieldExport> exportedFields();
// The field exported under a column name; nullptr when none.
const FieldExport* exportedField(std::string_view name);
// The codes and French labels of a family.
std::vector<formats::ValueLabel> codeLabels(Codes c);

struct ExportOptions {
    bool annulled = false;  // keep the annulled FIBs
};

// The kind of record file a header starts: a centre file (248-byte records)
// or a pooled file (252 bytes, centre 9999 in its header); nothing for a file of neither kind.
enum class FileKind { Centre, Pooled };
std::optional<FileKind> fileKindOf(const std::string& path, std::string* error);

// The FIBs of a file as a table. Progress is told every 1024 FIBs.
IoStatus tableOfFile(const std::string& path, const ExportOptions& o, formats::Table& out,
                     const Progress& progress = {});
// The same from records in memory; units: the centre's header, nothing for a pooled file.
formats::Table tableOf(std::span<const FibRecord> fibs, const CentreHeader* header, const ExportOptions& o);
formats::Table tableOf(std::span<const pool::PooledFibRecord> fibs, const ExportOptions& o);

enum class ExportFormat { Csv, Xlsx, Dta, Sav };
std::optional<ExportFormat> exportFormatNamed(std::string_view name);

struct ExportRequest {
    ExportFormat format = ExportFormat::Csv;
    bool labels = false;         // --libelles (CSV, xlsx)
    bool international = false;  // --dialecte international (CSV and codebook)
    ExportOptions fibs;
};
// The table and its codebook beside it (SORTIE-dictionnaire.csv). rows: the
// number of FIBs written. Progress runs once from 0 to 1000 over the reading
// and the writing.
IoStatus exportFile(const std::string& source, const std::string& dest, const ExportRequest& r, std::size_t& rows,
                    const Progress& progress = {});
IoStatus writeTable(const std::string& dest, const formats::Table& t, const ExportRequest& r,
                    const Progress& progress = {});

}  // namespace pelo::exchange
