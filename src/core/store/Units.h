#pragma once
// The laboratory units of a centre: the seven rows of the units grid, in the
// order of the header's unit slots and of RunState::UnitCodes.

namespace pelo {

// Unit code positions in a centre's unit codes.
enum UnitIndex { kUnitGly = 0, kUnitCreat, kUnitMicroalb, kUnitProteinurie, kUnitChol, kUnitHdl, kUnitTrig };

}  // namespace pelo
