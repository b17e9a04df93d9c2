#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "print/Background.h"
#include "store/FibRecord.h"
#include "store/Text.h"
#include "store/Units.h"

using namespace pelo;

TEST(Display, EmptyValuesShowNothing) {
    EXPECT_EQ(displayU8(255), "");
    EXPECT_EQ(displayU8(0), "0");
    EXPECT_EQ(displayI32(-1), "");
    EXPECT_EQ(displayI32(-2), "-2");
    EXPECT_EQ(displayF32(-1.0f), "");
    EXPECT_EQ(displayF32(-0.99f), "-0.99");   // compared with -1.0 exactly
    EXPECT_EQ(displayF32(-0.999f), "-1.00");  // not empty either
    EXPECT_EQ(displayF32(7.5f), "7.50");
    EXPECT_EQ(displayF32(0.0f), "0.00");
    EXPECT_EQ(displayF32(123.456f), "123.46");
}

TEST(Entries, IntegerEntries) {
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry("")), -1);
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry("   ")), -1);
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry(" 1950 ")), 1950);
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry("-12")), -12);
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry("+7")), 7);
    EXPECT_EQ(std::get<std::int32_t>(parseIntegerEntry("2147483647")), 2147483647);
    EXPECT_EQ(std::get<ConversionError>(parseIntegerEntry("12a")).message,
              "'12a' n'est pas une valeur entière correcte");
    for (auto bad : {"1.5", "-", "2147483648", "1 2", "abc", "0x10"}) EXPECT_FALSE(ok(parseIntegerEntry(bad))) << bad;
}

TEST(Entries, DecimalEntries) {
    EXPECT_EQ(std::get<float>(parseDecimalEntry("")), -1.0f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry("7,5")), 7.5f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry(" 7.5 ")), 7.5f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry("12")), 12.0f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry(".5")), 0.5f);
    EXPECT_EQ(std::get<ConversionError>(parseDecimalEntry("1,2,3")).message,
              "'1,2,3' n'est pas une valeur en virgule flottante correcte");
    for (auto bad : {"1e5", "abc", ".", "1.2.3", "nan", "inf"}) EXPECT_FALSE(ok(parseDecimalEntry(bad))) << bad;
}

TEST(Percent, OneDecimalHalfUp) {
    EXPECT_EQ(percentOf(1, 16).text(), "6.3");  // 6.25
    EXPECT_EQ(percentOf(0, 16).text(), "0.0");
    EXPECT_EQ(percentOf(16, 16).text(), "100.0");
    EXPECT_EQ(percentOf(1, 3).text(), "33.3");
    EXPECT_EQ(percentOf(2, 3).text(), "66.7");
    EXPECT_EQ(percentOf(5, 0).text(), "0.0");
    EXPECT_EQ(percentOf(1, 8).text(), "12.5");
    EXPECT_EQ(percentOf(1, 80).text(), "1.3");  // 1.25
}

TEST(Percent, IntegerHalfToEven) {
    EXPECT_EQ(percentOf(1, 8).rounded(), 12);     // 12.5
    EXPECT_EQ(percentOf(67, 200).rounded(), 34);  // 33.5
    EXPECT_EQ(percentOf(1, 3).rounded(), 33);
    EXPECT_EQ(percentOf(5, 0).rounded(), 0);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
}

TEST(SinglePrecision, BoundTypedExactlyPasses) {
    const float typed = std::get<float>(parseDecimalEntry("1.8"));
    EXPECT_FALSE(lessThan(typed, 1.8));
    EXPECT_FALSE(greaterThan(typed, 1.8));
    const float gly = std::get<float>(parseDecimalEntry("0,7"));
    EXPECT_FALSE(lessThan(gly, 0.7));
}

TEST(Cp1252, RoundTripsFrenchLetters) {
    const std::string utf8 = "éÉèàçœŒ€";
    const std::string raw = utf8ToCp1252(utf8);
    EXPECT_EQ(raw, std::string("\xE9\xC9\xE8\xE0\xE7\x9C\x8C\x80"));
    EXPECT_EQ(cp1252ToUtf8(raw), utf8);
    EXPECT_EQ(utf8ToCp1252("日"), "?");
    EXPECT_EQ(utf8ToCp1252(std::string("\xC3", 1)), "?");  // cut sequence
}

TEST(Initiale, StoredUpperCaseInWindows1252) {
    FibRecord r;
    r.setInitiale("é");
    EXPECT_EQ(r.bytes[16], 0xC9);
    EXPECT_EQ(r.initiale(), "É");
    r.setInitiale("m");
    EXPECT_EQ(r.initiale(), "M");
    r.setInitiale("");
    EXPECT_EQ(r.bytes[16], 0);
    EXPECT_EQ(r.initiale(), "");
}

TEST(Background, GradientLinesForA480PixelScreen) {
    auto lines = backgroundGradient(480);
    ASSERT_EQ(lines.size(), 416u);
    EXPECT_EQ(lines.front().y, 65);
    EXPECT_EQ(lines.back().y, 480);
    EXPECT_EQ(lines[300].color, (Rgb{0, 150, 105}));
    EXPECT_EQ(lines[0].color, (Rgb{0, 0, 255}));
    auto big = backgroundGradient(1080);  // 933.75 -> 934 lines + 1, top 146.25 -> 146
    EXPECT_EQ(big.size(), 935u);
    EXPECT_EQ(big.front().y, 146);
    DrawList d;
    drawBackground(d, 640, 480);
    EXPECT_EQ(d.items.size(), 2u * 416);
    EXPECT_EQ(d.items[1], (DrawItem{DrawItem::Line, 0, 65, 640, 65, {}, {}, {}}));
}

TEST(Entries, DecimalEntriesSignsAndOverflow) {
    EXPECT_EQ(std::get<float>(parseDecimalEntry("+1.5")), 1.5f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry("-,5")), -0.5f);
    EXPECT_EQ(std::get<float>(parseDecimalEntry("5.")), 5.0f);
    EXPECT_FALSE(ok(parseDecimalEntry(std::string(400, '9'))));
    EXPECT_EQ(displayF32(0.125f), "0.12");  // the exact binary value rounds half to even
}

TEST(Utf8Length, CountsCharactersNotBytes) {
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Length("Durée"), 5u);
    EXPECT_EQ(utf8Length("àéîõü€"), 6u);
    EXPECT_EQ(utf8Prefix("Répartition", 2), "Ré");
    EXPECT_EQ(utf8Prefix("éé", 5), "éé");
    EXPECT_EQ(utf8Prefix("abc", 0), "");
}

TEST(CsvField, QuotedOnlyWhenItHoldsASeparatorAQuoteOrALineBreak) {
    EXPECT_EQ(csvField("Hb <6.5"), "Hb <6.5");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("a;b"), "\"a;b\"");
    EXPECT_EQ(csvField("dit \"oui\""), "\"dit \"\"oui\"\"\"");
    EXPECT_EQ(csvField("deux\r\nlignes"), "\"deux\r\nlignes\"");
    EXPECT_EQ(csvField("fin\n"), "\"fin\n\"");
}

TEST(PercentText, AlignedTextAndTenthsReadBack) {
    EXPECT_EQ(percentOf(1, 16).alignedText(), "    6.3");
    EXPECT_EQ(percentOf(1, 8).alignedText(), "  12.5");
    EXPECT_EQ(percentOf(199, 200).alignedText(), "99.5");  // 99.5 rounds to the even 100: no room
    EXPECT_EQ(percentOf(2, 2).alignedText(), "100.0");
    EXPECT_EQ(percentOf(5, 0).alignedText(), "    0.0");
    EXPECT_EQ(percentOf(1, 16).tenths(), 63);
    std::int64_t t = -1;
    EXPECT_TRUE(parseTenths("12.5", t));
    EXPECT_EQ(t, 125);
    EXPECT_TRUE(parseTenths("7", t));
    EXPECT_EQ(t, 70);
    EXPECT_TRUE(parseTenths("3.14", t));
    EXPECT_EQ(t, 31);
    t = -1;
    EXPECT_FALSE(parseTenths("", t));
    EXPECT_FALSE(parseTenths(".5", t));
    EXPECT_FALSE(parseTenths("1..", t));
    EXPECT_FALSE(parseTenths("1.x", t));
    EXPECT_EQ(t, -1);
}

TEST(TrimSpaces, BothEndsOnlySpaces) {
    EXPECT_EQ(trimSpaces("  Groupe A  "), "Groupe A");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces(""), "");
    EXPECT_EQ(trimSpaces("\tx "), "\tx");  // only spaces are trimmed
}

TEST(HostileValues, ControlCharactersAndOverlongFormsBecomeQuestionMarks) {
    // Stored bytes: an escape sequence in a DateFib reaches no terminal.
    EXPECT_EQ(cp1252ToUtf8("\x1b[2J01/\x07"), "?[2J01/?");
    EXPECT_EQ(cp1252ToUtf8("\x7f"), "?");
    // Typed text: controls, an overlong NUL (C0 80), an overlong "/" and a surrogate.
    EXPECT_EQ(utf8ToCp1252("a\nb\tc"), "a?b?c");
    EXPECT_EQ(utf8ToCp1252("\xC0\x80"), "?");
    EXPECT_EQ(utf8ToCp1252("\xE0\x80\xAF"), "?");
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "?");
    EXPECT_EQ(utf8ToCp1252("\xC3\xA9"), "\xE9");  // é still stored as itself
    FibRecord r = headerTemplate();
    r.setDate(std::string("\xC0\x80", 2) + "1/02/2026");
    EXPECT_EQ(r.date(), "?1/02/2026");
}

TEST(HostileValues, NonFiniteSinglesAreShownEmptyAndHugeValuesClamped) {
    EXPECT_EQ(displayF32(std::numeric_limits<float>::quiet_NaN()), "");
    EXPECT_EQ(displayF32(std::numeric_limits<float>::infinity()), "");
    EXPECT_EQ(displayF32(-std::numeric_limits<float>::infinity()), "");
    EXPECT_GT(displayF32(3e38f).size(), 30u);  // a finite value, however large, is shown
    EXPECT_EQ(roundHalfEven(3e38), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundHalfEven(-3e38), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    // A unit slot of 3e38 is an unknown code: values used as stored.
    CentreHeader h = headerTemplate();
    h.set(fld::UniteGlycemie, 3.0f);
    h.set(fld::UniteCholesterol, 3e38f);
    EXPECT_EQ(units::fromHeader(h)[4], 65535);
}
