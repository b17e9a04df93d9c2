#include "store/Text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace pelo {

namespace {
// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks an undefined byte.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t cp1252CodePoint(unsigned char b) {
    // A control character would reach a terminal or a list as it is (an
    // escape sequence in a DateFib): shown as "?".
    if (b < 0x20 || b == 0x7F) return '?';
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : char32_t('?');
    return b;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) appendUtf8(out, cp1252CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + len > s.size()) {
            out += '?';
            break;
        }
        bool bad = false;
        for (int k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) {
                bad = true;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (bad) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        // An overlong form (C0 80 for a NUL), a surrogate or a control
        // character is stored as "?", never as the byte it would spell.
        static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp < 0x20 || cp == 0x7F) {
            out += '?';
            continue;
        }
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char found = '?';
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == cp && cp != 0) {
                found = static_cast<char>(0x80 + k);
                break;
            }
        out += found;
    }
    return out;
}

namespace {
bool continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string counted(std::uint64_t n, std::string_view one, std::string_view many) {
    std::string s = std::to_string(n);
    s += ' ';
    s += n > 1 ? many : one;
    return s;
}

std::string csvField(std::string_view s) {
    if (s.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(s);
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string trimSpaces(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) n += !continuesCharacter(c);
    return n;
}

std::string_view utf8Prefix(std::string_view utf8, std::size_t n) {
    std::size_t chars = 0, i = 0;
    for (; i < utf8.size(); ++i) {
        if (continuesCharacter(utf8[i])) continue;
        if (chars == n) break;
        ++chars;
    }
    return utf8.substr(0, i);
}

char cp1252Upper(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    if (b == 0x9A) return static_cast<char>(0x8A);  // š -> Š
    if (b == 0x9C) return static_cast<char>(0x8C);  // œ -> Œ
    if (b == 0x9E) return static_cast<char>(0x8E);  // ž -> Ž
    if (b == 0xFF) return static_cast<char>(0x9F);  // ÿ -> Ÿ
    return c;
}

std::string displayU8(std::uint8_t v) { return v == 255 ? std::string() : std::to_string(v); }
std::string displayI32(std::int32_t v) { return v == -1 ? std::string() : std::to_string(v); }
std::string displayF32(float v) {
    // A value that is not a number (NaN, an infinity) is no measure: shown
    // empty, like the empty value.
    if (v == -1.0f || !std::isfinite(v)) return {};
    // "%4.2f" without the C locale: a French locale set by the toolkit would write a comma.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 2);
    std::string s(buf, res.ptr);
    if (s.size() < 4) s.insert(0, 4 - s.size(), ' ');
    return s;
}

namespace {
// Parses [sign] digits [sep digits] with optional surrounding spaces; returns
// nullopt when the text has another shape.
std::optional<double> parseNumber(std::string_view text, bool allowDecimal, bool* outOfRange) {
    std::string_view s = trimmed(text);
    std::string clean;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean += s[i++];
    std::size_t digits = 0;
    bool sep = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            clean += c;
            ++digits;
        } else if (allowDecimal && !sep && (c == '.' || c == ',')) {
            clean += '.';
            sep = true;
        } else return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    if (!allowDecimal) {
        errno = 0;
        long long v = std::strtoll(clean.c_str(), nullptr, 10);
        if (errno == ERANGE || v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max()) {
            *outOfRange = true;
            return std::nullopt;
        }
        return static_cast<double>(v);
    }
    // from_chars ignores the locale (strtod would stop at the point in French).
    double v = 0;
    const char* first = clean.data() + (clean[0] == '+' ? 1 : 0);
    if (std::from_chars(first, clean.data() + clean.size(), v).ec != std::errc()) {
        *outOfRange = true;
        return std::nullopt;
    }
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) {
        *outOfRange = true;
        return std::nullopt;
    }
    return v;
}

// GCC 12 at -O3 sees an overlapping copy when a character is put before a string (a known false positive).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
std::string quoted(std::string_view t) { return "'" + std::string(t) + "'"; }
#pragma GCC diagnostic pop
}  // namespace

Parsed<std::int32_t> parseIntegerEntry(std::string_view text) {
    if (trimmed(text).empty()) return std::int32_t{-1};
    bool range = false;
    auto v = parseNumber(text, false, &range);
    if (!v) return ConversionError{quoted(text) + " n'est pas une valeur entière correcte"};
    return static_cast<std::int32_t>(*v);
}

Parsed<float> parseDecimalEntry(std::string_view text) {
    if (trimmed(text).empty()) return -1.0f;
    bool range = false;
    auto v = parseNumber(text, true, &range);
    if (!v) return ConversionError{quoted(text) + " n'est pas une valeur en virgule flottante correcte"};
    return static_cast<float>(*v);
}

Parsed<std::uint8_t> parseByteEntry(std::string_view text) {
    if (trimmed(text).empty()) return std::uint8_t{255};
    bool range = false;
    auto v = parseNumber(text, false, &range);
    if (!v || *v < 0 || *v > 254) return ConversionError{quoted(text) + " n'est pas une valeur entière correcte"};
    return static_cast<std::uint8_t>(*v);
}

std::int64_t Percent::tenths() const {
    if (den == 0) return 0;
    // round(1000 * c / d), half up, with integers (non-negative counts).
    const std::int64_t n = num * 10;  // 1000 * c
    std::int64_t q = n / den;
    if (2 * (n % den) >= den) ++q;
    return q;
}

std::string Percent::text() const {
    const std::int64_t q = tenths();
    return std::to_string(q / 10) + "." + std::to_string(q % 10);
}

std::string Percent::alignedText() const {
    const std::int64_t r = rounded();
    return std::string(r < 100 ? (r < 10 ? 4 : 2) : 0, ' ') + text();
}

bool parseTenths(std::string_view text, std::int64_t& tenths) {
    std::int64_t whole = 0, tenth = 0;
    std::size_t k = 0;
    bool digits = false;
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    for (; digit(k); ++k, digits = true) whole = whole * 10 + (text[k] - '0');
    if (k < text.size() && text[k] == '.') {
        ++k;
        if (digit(k)) tenth = text[k++] - '0';
        while (digit(k)) ++k;  // a second decimal (not written by the lists) is dropped
    }
    if (!digits || k != text.size()) return false;
    tenths = whole * 10 + tenth;
    return true;
}

std::int64_t Percent::rounded() const {
    if (den == 0) return 0;
    std::int64_t q = num / den, r = num % den;
    if (2 * r > den || (2 * r == den && (q % 2) != 0)) ++q;
    return q;
}

std::int64_t roundHalfEven(double x) {
    // Clamped before the conversion, which is undefined outside the 64-bit range.
    constexpr double kLimit = 9223372036854775807.0;  // 2^63
    if (std::isnan(x)) return 0;
    if (x >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (x <= -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::nearbyint(x));
}

}  // namespace pelo
