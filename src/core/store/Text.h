#pragma once
// Texts of the record boundary and of the entry fields: Windows-1252 <-> UTF-8,
// the display of numeric fields, the reading back of typed entries, and the
// exact percentages of the lists.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace pelo {

// Windows-1252 byte to UTF-8 and back; a character with no Windows-1252 form
// becomes '?', and so do control characters (below 0x20 and DEL) both ways and
// malformed or overlong UTF-8 (never a NUL byte).
std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view utf8);
// Upper case of one Windows-1252 character (accented letters included).
char cp1252Upper(char c);

// The text without its leading and trailing spaces.
std::string trimSpaces(std::string_view text);
// A field of a CSV file separated by ';': as it is, or quoted (inner quotes doubled) when it holds a
// separator, a quote or a line break.
std::string csvField(std::string_view text);
// "0 fiche", "1 fiche", "2 fiches": French takes the singular up to 1.
std::string counted(std::uint64_t n, std::string_view one, std::string_view many);

// Number of characters of a UTF-8 text (the bytes that do not continue a character).
std::size_t utf8Length(std::string_view utf8);
// The first n characters of a UTF-8 text.
std::string_view utf8Prefix(std::string_view utf8, std::size_t n);

// Display of a numeric field: empty text for the empty value.
std::string displayU8(std::uint8_t v);
std::string displayI32(std::int32_t v);
std::string displayF32(float v);  // "%4.2f": 7.5 -> "7.50"; exactly -1.0, NaN, infinities -> ""

// Reading back a typed entry. An empty (or blank) text gives the empty value.
struct ConversionError {
    std::string message;  // "'<texte>' n'est pas une valeur entière correcte"
};
template <class T> using Parsed = std::variant<T, ConversionError>;

Parsed<std::int32_t> parseIntegerEntry(std::string_view text);
Parsed<float> parseDecimalEntry(std::string_view text);
// A byte-sized entry (a count 0..254); larger values or negatives are a conversion error.
Parsed<std::uint8_t> parseByteEntry(std::string_view text);

template <class T> bool ok(const Parsed<T>& p) { return std::holds_alternative<T>(p); }

// Exact percentage 100 * c / d as a rational number.
struct Percent {
    std::int64_t num;  // 100 * c
    std::int64_t den;  // d (0 means 0 %)
    // One-decimal value in tenths, a half going up (0 for a denominator of 0).
    std::int64_t tenths() const;
    // One-decimal text, a half going up, at least 3 characters ("0.0", "6.3", "100.0").
    std::string text() const;
    // The text after two spaces per missing digit of the rounded value below
    // 100, as the lists align it ("    6.3", "  12.5", "100.0").
    std::string alignedText() const;
    // Nearest integer, a half going to the even integer.
    std::int64_t rounded() const;
    double value() const { return den == 0 ? 0.0 : double(num) / double(den); }
};
inline Percent percentOf(std::int64_t c, std::int64_t d) { return Percent{100 * c, d}; }

// A percentage written by a list, read back in tenths: digits, then
// optionally a point and one digit (further digits dropped). False for
// anything else.
bool parseTenths(std::string_view text, std::int64_t& tenths);

// Nearest integer of x, a half going to the even integer; clamped to the
// 64-bit range, NaN giving 0.
std::int64_t roundHalfEven(double x);
// A stored single that is a measure at all (not NaN, not an infinity): the
// others are shown empty and counted in no band, not even "missing".
inline bool isMeasure(float v) { return std::isfinite(v); }

// Comparison of a stored single with a decimal bound, in single precision.
inline bool lessThan(float v, double bound) { return v < static_cast<float>(bound); }
inline bool greaterThan(float v, double bound) { return v > static_cast<float>(bound); }
inline float toSingle(double v) { return static_cast<float>(v); }

}  // namespace pelo
