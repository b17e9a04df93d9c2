#pragma once
// The printed FIB: one page in 300-dpi device units, both entry pages
// together. A block per section, a label in the left margin and values in
// four columns; only what was answered is printed.

#include <array>
#include <cstdint>
#include <string>

#include "print/Surface.h"
#include "store/FibRecord.h"

namespace pelo {

// The unit labels shown beside five laboratory values on entry page 1.
struct FibUnitLabels {
    std::string glycemie = "mmol/l";
    std::string creatinine = "µmol/l";  // µmol/l
    std::string cholesterol = "mmol/l";
    std::string hdl = "mmol/l";
    std::string triglycerides = "mmol/l";
};

// The labels for the run's unit codes (Glycémie, Créatinine, Microalb.,
// Protéinurie, Cholestérol, HDL, Triglycérides): code 4 is g/l (creatinine
// mg/l), code 5 mg/dl, anything else the international unit.
FibUnitLabels unitLabelsFor(const std::array<std::uint16_t, 7>& unitCodes);

// Laboratory value with two decimals, at least 4 characters ("6.50", "0.00").
std::string printedLabValue(float v);
// Proteinuria with three decimals ("0.150").
std::string printedProteinuria(float v);

// Words of a before/after code: "Avant", "Après", "Avant et Après"; "" otherwise.
std::string treatmentWord(std::uint8_t code);

// Document title naming the PDF written when no printer exists: "FIB 12-0034".
std::string fibPrintTitle(const FibRecord& fib);

// The rules across the page, from x 100 to 2200.
inline constexpr std::array<int, 9> kFibRuleHeights{420, 670, 970, 1320, 1470, 1970, 2370, 2520, 2870};

// The page for a FIB, the date shown on entry page 1 and the unit labels.
PrintDocument fibPrintLayout(const FibRecord& fib, const std::string& dateText, const FibUnitLabels& units);

}  // namespace pelo
