#pragma once
// The FIB number typed or scrolled to in the chooser of the record menu.

#include <cstdint>
#include <string_view>

namespace pelo {

// The number in `text` (digits, surrounding spaces allowed) when it is a FIB
// of the file, 1 to `count`; 0 otherwise.
std::uint16_t chosenFibNumber(std::string_view text, std::uint16_t count);

}  // namespace pelo
