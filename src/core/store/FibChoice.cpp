#include "store/FibChoice.h"

namespace pelo {

std::uint16_t chosenFibNumber(std::string_view text, std::uint16_t count) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b == e || e - b > 5) return 0;
    std::uint32_t n = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        n = n * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    return (n >= 1 && n <= count) ? static_cast<std::uint16_t>(n) : 0;
}

}  // namespace pelo
