#pragma once
// Sub-collections: a criterion on one of 40 variables of the pooled record,
// and the copy of the matching FIBs of a pooled file into a new file of the
// same format.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pool/PoolFiles.h"

namespace pelo::pool {

// list: a byte compared with a value code; small: a byte compared as a number;
// integer: a signed 32-bit value; real: a 4-byte float.
enum class VarKind : std::uint8_t { List, Small, Integer, Real };

struct QueryVariable {
    const char* label;     // the item of the variables' list
    std::uint16_t offset;  // byte in the pooled record
    VarKind kind;
    std::vector<const char*> values;  // a list variable's values, code = position + 1
};
inline constexpr int kQueryVariableCount = 40;
const std::array<QueryVariable, kQueryVariableCount>& queryVariables();

// Operators: 1 "Sauf" (every value but), 2 " =", 3 " >", 4 " <". Relation: 0 none, 1 ET, 2 OU.
enum QueryOperator : std::uint16_t { kSauf = 1, kEqual = 2, kGreater = 3, kLess = 4 };
enum QueryRelation : std::uint16_t { kNoRelation = 0, kAnd = 1, kOr = 2 };

struct Criterion {
    std::uint16_t variable = 0;  // 1..40; 0 = none chosen, which selects nothing
    std::uint16_t op1 = kEqual;
    std::int32_t value1 = 0;
    float real1 = 0;
    std::uint16_t relation = kNoRelation;
    std::uint16_t op2 = kEqual;
    std::int32_t value2 = 0;
    float real2 = 0;

    // The reset of the dialog before each showing; the variable stays.
    void resetValues() {
        op1 = op2 = kEqual;
        value1 = value2 = 0;
        real1 = real2 = 0;
        relation = kNoRelation;
    }
};

// Whether a FIB meets the criterion. A FIB without an answer for the variable
// never does.
bool matches(const Criterion& c, const PooledFibRecord& r);

// A typed value: a decimal number, point or comma, spaces around allowed; its
// single and the single rounded to the nearest integer (a half to even).
// Nothing when the text is not a number (or too large for a 32-bit integer).
struct QueryValue {
    float real;
    std::int32_t rounded;
};
std::optional<QueryValue> parseQueryValue(std::string_view text);
inline const char* kBadQueryValue = "Valeur numérique incorrecte";

// "12 fiches sélectionnées"
std::string selectionMessage(std::uint32_t count);

// Copies the FIBs of the pooled file that meet the criterion into a new file
// (replaced whole if it exists): its header a copy of the pooled one with the
// count of FIBs selected. The sub-collection may not bear the pooled file's
// own name (plain IoError).
// Progress counts the FIBs read; cancelling leaves outName as it was.
IoStatus selectSubCollection(const std::string& folder, const std::string& poolName, const std::string& outName,
                             const Criterion& c, std::uint32_t& count, const Progress& progress = {});

}  // namespace pelo::pool
