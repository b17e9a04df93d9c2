#pragma once
// The variability window's printed list.

#include <string>
#include <vector>

#include "print/Surface.h"

namespace pelo::pool {

// The printed list: line 0 and line 1 heading every sheet, lines 2..last in
// two columns of 51, 102 lines a sheet. Nothing but the heading when last < 2.
PrintDocument variabilityPrintout(const std::vector<std::string>& lines, int last);

}  // namespace pelo::pool
