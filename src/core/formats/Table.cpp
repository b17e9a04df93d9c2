#include "formats/Table.h"

#include <charconv>
#include <cstdlib>

namespace pelo::formats {

namespace {
// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}
bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
}  // namespace

double dayNumber(int day, int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return kMissing;
    const int last = kDays[month - 1] + (month == 2 && leap(year) ? 1 : 0);
    if (day > last) return kMissing;
    return static_cast<double>(daysFromCivil(year, unsigned(month), unsigned(day)));
}

double dayNumberOf(const std::string& t) {
    if (t.size() != 10 || t[2] != '/' || t[5] != '/') return kMissing;
    int v[3] = {};
    const std::size_t at[3] = {0, 3, 6}, len[3] = {2, 2, 4};
    for (int i = 0; i < 3; ++i) {
        const char* b = t.data() + at[i];
        for (std::size_t k = 0; k < len[i]; ++k)
            if (b[k] < '0' || b[k] > '9') return kMissing;
        std::from_chars(b, b + len[i], v[i]);
    }
    return dayNumber(v[0], v[1], v[2]);
}

void civilOf(std::int64_t z, int& day, int& month, int& year) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

std::string shortestText(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

double decimalOfSingle(float v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf - 1, v);
    *r.ptr = '\0';
    return std::strtod(buf, nullptr);
}

}  // namespace pelo::formats
