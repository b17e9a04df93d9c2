#include "store/Units.h"

#include <cmath>
#include <string_view>

#include "store/Text.h"

namespace pelo::units {

namespace {
constexpr std::string_view kRowNames[kRows] = {" Glycémie",    " Créatinine", " Microalbuminurie", " Protéinurie",
                                               " Cholestérol", " HDL",        " Triglycérides"};
// Units of codes 3, 4 and 5 per row; empty where the row offers none.
constexpr std::string_view kTexts[kRows][3] = {
    {" mmol/l", " g/l", " mg/dl"},
    {" µmol/l", " mg/l", ""},
    {" mg/j", "", ""},
    {" g/j", "", ""},
    {" mmol/l", " g/l", " mg/dl"},
    {" mmol/l", " g/l", " mg/dl"},
    {" mmol/l", " g/l", " mg/dl"},
};
// Factors to mmol/l of the lipids from g/l and from mg/dl (written out: 1.14 / 100
// is not the double nearest 0.0114); 0 where the row converts nothing.
constexpr double kGramsToMmol[kRows] = {0, 0, 0, 0, 2.58, 2.58, 1.14};
constexpr double kMgDlToMmol[kRows] = {0, 0, 0, 0, 0.0258, 0.0258, 0.0114};
}  // namespace

std::string rowName(int row) {
    if (row < 0 || row >= kRows) return {};
    return std::string(kRowNames[row]);
}

std::string text(int row, int code) {
    if (row < 0 || row >= kRows || code < 3 || code > 5) return {};
    return std::string(kTexts[row][code - 3]);
}

bool offered(int row, int code) { return !text(row, code).empty(); }

std::string label(int row, int code) {
    const std::string t = offered(row, code) ? text(row, code) : text(row, kDefault);
    return t.empty() ? t : t.substr(1);
}

Codes load(CentreHeader& header) {
    Codes codes{};
    if (header.get(kUnitSlots[0]) == -1.0f) {
        codes.fill(kDefault);
    } else {
        for (int i = 0; i < kRows; ++i) {
            const float v = header.get(kUnitSlots[i]);
            // A slot that is not a number at all converts nothing, like any other unknown code.
            const std::int64_t n = std::isfinite(v) ? roundHalfEven(v) : 0;
            codes[i] = static_cast<std::uint16_t>(n & 0xFFFF);
        }
        for (auto slot : kUnitSlots) header.set(slot, kEmptyF32);
    }
    return codes;
}

Codes fromHeader(const CentreHeader& header) {
    CentreHeader copy = header;
    return load(copy);
}

void store(CentreHeader& header, const Codes& codes) {
    for (int i = 0; i < kRows; ++i) header.set(kUnitSlots[i], static_cast<float>(codes[i]));
}

Codes orDefault(const Codes& codes) {
    auto out = codes;
    for (int i = 0; i < kRows; ++i)
        if (!offered(i, out[i])) out[i] = kDefault;
    return out;
}

double toMmol(int row, std::uint16_t code) {
    if (row < 0 || row >= kRows || kGramsToMmol[row] == 0) return 1.0;
    if (code == 4) return kGramsToMmol[row];
    if (code == 5) return kMgDlToMmol[row];
    return 1.0;
}

std::optional<double> cholesterolRiskLimit(std::uint16_t code) {
    switch (code) {
    case 3: return 6.5;
    case 4: return 2.6;
    case 5: return 260;
    default: return std::nullopt;
    }
}

}  // namespace pelo::units
