#pragma once
// A table of typed columns as the statisticians receive it: each column has
// its name, its French label, its unit, and for a coded column the French
// label of each code. The tabular writers (CSV, xlsx, dta, sav) and the
// codebook all read this one shape, so the same export gives the same
// columns in every format.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace pelo::formats {

enum class ColumnType : std::uint8_t {
    Integer,  // whole numbers
    Real,     // decimal numbers
    Text,     // texts (UTF-8)
    Date,     // a day: number of days since 1970-01-01, its stored text beside it
};

struct ValueLabel {
    double code;
    std::string label;
};

struct Column {
    std::string name;   // variable name (a record field's name)
    std::string label;  // French label: « HbA1c (%) »
    ColumnType type = ColumnType::Integer;
    std::string unit;                // unit, empty when none
    std::string codeSet;             // name of the value labels shared by several columns ("ouinon"), empty when none
    std::vector<ValueLabel> codes;   // the codes and their labels
    std::string missing;             // what the stored file holds for "not filled in" ("255", "-1")
    std::vector<double> numbers;     // Integer, Real, Date: one per row, NaN for a missing value
    std::vector<std::string> texts;  // Text, Date: one per row ("" for a missing text)

    // The label of a code; nullptr when the code has none.
    const std::string* labelOf(double code) const {
        for (const ValueLabel& v : codes)
            if (v.code == code) return &v.label;
        return nullptr;
    }
    bool isNumeric() const { return type != ColumnType::Text; }
};

inline constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
inline bool isMissing(double v) { return std::isnan(v); }

struct Table {
    std::vector<Column> columns;
    std::size_t rows = 0;
};

// Days since 1970-01-01 of a valid "dd/mm/yyyy" (years 1 to 9999); NaN otherwise.
double dayNumber(int day, int month, int year);
double dayNumberOf(const std::string& ddmmyyyy);
// Back: the civil date of a day number.
void civilOf(std::int64_t days, int& day, int& month, int& year);

// The shortest decimal text that reads back as the same double ("7.5", "1987", "0.1").
std::string shortestText(double v);
// The decimal that a stored single stands for, as a double: 6.2f becomes 6.2, not 6.19999980926.
double decimalOfSingle(float v);

}  // namespace pelo::formats
