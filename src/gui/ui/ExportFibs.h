#pragma once
// The screens' export of FIBs for the statisticians and import of sheets:
// the file picked, the work done by the core with its progress shown, the
// outcome told in one box.

#include <QString>
#include <string>

namespace pelo {

class Form;

// Every FIB of a record or pooled file (annulled ones left out) to a file
// picked by the user; its format from its extension (csv by default), its
// codebook beside it.
void exportFibsFrom(Form& form, const std::string& source, const QString& suggested);

// Sheets of a CSV or xlsx picked by the user appended to the record file:
// the counts and the refusals shown and asked before anything is written,
// the report beside the source. The number of FIBs of the file afterwards, or
// -1 when nothing was stored.
int importFibsInto(Form& form, const std::string& recordFile);

}  // namespace pelo
