#pragma once
// The laboratory units of a centre, in one place: the seven rows of the units
// grid (in the order of the header's unit slots and of CentreSession::UnitCodes),
// the codes a centre chooses (3 international, 4 g/l, 5 mg/dl), the labels of
// every code, the factors that bring a stored value to mmol/l and the
// cholesterol limit of the risk profile. Entry pages, printout, synthesis,
// class lists and risk rules all read them here.
//
// The header keeps the codes as singles 3.0 / 4.0 / 5.0 in the slots where a
// FIB holds the value itself; -1.0 in the first slot = units never chosen.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "store/FibRecord.h"

namespace pelo {

// Unit code positions in a centre's unit codes.
enum UnitIndex { kUnitGly = 0, kUnitCreat, kUnitMicroalb, kUnitProteinurie, kUnitChol, kUnitHdl, kUnitTrig };

namespace units {

inline constexpr int kRows = 7;  // Glycémie ... Triglycérides
inline constexpr std::uint16_t kDefault = 3;
using Codes = std::array<std::uint16_t, kRows>;

// The units grid, texts as the grids show them, with their leading space.
std::string rowName(int row);         // row 0..6: " Glycémie" ...
std::string text(int row, int code);  // " mmol/l"; empty when the row offers no unit for that code
// True when the row offers a unit for that code.
bool offered(int row, int code);

// The label printed beside a laboratory value on the entry pages and on the
// printout: the row's unit for the code, and the international unit for a
// code the row does not offer (creatinine in mg/dl, an unknown code).
// label(kUnitGly, 4) == "g/l", label(kUnitChol, 5) == "mg/dl",
// label(kUnitCreat, 5) == "µmol/l".
std::string label(int row, int code);

// Codes as a run loads them from a header. When the first slot holds exactly
// -1.0 the units were never chosen and every code is 3. Otherwise each code is
// the nearest integer of its slot, a half to even, kept to 16 bits as stored
// (a -1.0 slot gives 65535, a code that converts nothing). The slots of the
// record given are then set back to -1.0, so that the buffer becomes the
// template of an empty FIB.
Codes load(CentreHeader& header);
// The same codes, the header left as it is.
Codes fromHeader(const CentreHeader& header);
// Writes seven codes into the header's slots as singles (3 -> 3.0).
void store(CentreHeader& header, const Codes& codes);
// The codes to offer as "in effect" when the units are asked: a code that its
// row does not offer (0 at the start of a run) becomes the default 3, so that
// leaving the units dialog without saving never stores a unit that does not exist.
Codes orDefault(const Codes& codes);

// Factor that brings a stored lipid value to mmol/l: 2.58 (cholesterol, HDL)
// or 1.14 (triglycerides) from g/l, a hundredth of it from mg/dl, 1 for the
// international unit and any unknown code.
double toMmol(int row, std::uint16_t code);

// Limit of "CHOLESTEROL > 6.5  mmol/l" in the centre's unit: 6.5 mmol/l,
// 2.6 g/l, 260 mg/dl; none for another code.
std::optional<double> cholesterolRiskLimit(std::uint16_t code);

}  // namespace units
}  // namespace pelo
