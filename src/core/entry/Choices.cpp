#include "entry/Choices.h"

namespace pelo::choices {

std::uint8_t complicationValue(const RowTicks& t) {
    if (t[No]) return 4;
    if (t[Recent] && t[Old]) return 3;
    if (t[Recent]) return 1;
    if (t[Old]) return 2;
    return 255;
}

RowState complicationClick(bool exclusive, RowTicks t, Box clicked) {
    if (t[clicked]) {
        if (exclusive) {
            for (int b = 0; b < 3; ++b)
                if (b != clicked) t[b] = false;
        } else if (clicked == No) {
            t[Recent] = t[Old] = false;
        } else {
            t[No] = false;
        }
    }
    return {t, complicationValue(t)};
}

RowTicks complicationTicks(std::uint8_t v) {
    switch (v) {
    case 1: return {true, false, false};
    case 2: return {false, true, false};
    case 3: return {true, true, false};
    case 4: return {false, false, true};
    default: return {false, false, false};
    }
}

}  // namespace pelo::choices
