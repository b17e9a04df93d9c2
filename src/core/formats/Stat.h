#pragma once
// The statistics packages' own formats, written by ReadStat: Stata (dta,
// format 118, Stata 14 and later) and SPSS (sav). Every variable carries its
// French label, every coded variable its value labels, a date is a date of
// the package, a missing value is the system-missing value.

#include <string>

#include "formats/Sink.h"
#include "formats/Table.h"

namespace pelo::formats {

enum class StatFormat { Dta, Sav };

IoStatus writeStat(const std::string& path, const std::string& label, const Table& t, StatFormat f);

}  // namespace pelo::formats
