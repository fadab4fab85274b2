#include "automation/number_reading.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "automation/standard_errors.h"
#include "support/raised_error.h"

namespace orv::automation {
namespace {

using test::raisedError;

// Blanks anywhere, halves to even, up to the first misfit, only "." as the point, exponents, no leading
// number, hexadecimal and octal of 16 and 32 bits: each text with what the lenient reading gives, or nothing
// where it overflows (error 6); the non-raising reading gives the same.
TEST(WholeNumberReading, ReadsTheLeadingNumberHalvesToEvenAndOverflowsOutside32Bits) {
    using Cases = std::vector<std::pair<const char16_t*, std::optional<int32_t>>>;
    const Cases groups[] = {
        {{u"  1 2\t3\n4 ", 1234}, {u"-\t 7", -7}, {u"1 . 5", 2}, {u"1 e 3", 1000}, {u"2.5", 2}},
        {{u"3.5", 4}, {u"-2.5", -2}, {u"-3.5", -4}, {u"0.5", 0}, {u"2.5000001", 3}},
        {{u"-2147483648.5", INT32_MIN}, {u"2147483647.4", INT32_MAX}, {u"12abc", 12}, {u"1.5.3", 2}},
        {{u"+8", 8}, {u"1e", 1}, {u"1e+", 1}, {u"7,9", 7}, {u"3x1e3", 3}, {u"-2147483648", INT32_MIN}},
        {{u"1e3", 1000}, {u"1E3", 1000}, {u"2.5d2", 250}, {u"25D-1", 2}, {u".5e1", 5}, {u"", 0}},
        {{u"abc", 0}, {u".", 0}, {u"-", 0}, {u"+", 0}, {u" ", 0}, {u"e5", 0}, {u"-.e1", 0}, {u"&", 0}},
        {{u"&X1", 0}, {u"&H", 0}, {u"&Hg", 0}, {u"-&HFF", 0}, {u"&HFF", 255}, {u"&hff", 255}},
        {{u"& H F F", 255}, {u"&H1Fzz", 31}, {u"&H7FFF", 32767}, {u"&HFFFF", -1}, {u"&H8000", -32768}},
        {{u"&H10000", 65536}, {u"&H0000FFFF", -1}, {u"&HFFFFFFFF", -1}, {u"&H80000000", INT32_MIN}},
        {{u"&O17", 15}, {u"&o17", 15}, {u"&O178", 15}, {u"&O177777", -1}, {u"&O37777777777", -1}},
        {{u"&H100000000", {}}, {u"&O40000000000", {}}, {u"2147483648", {}}, {u"1e10", {}}},
        {{u"2147483647.5", {}}, {u"-2147483649", {}}, {u"1e400", {}}, {u"1e-400", 0}},
        {{u"9e99999999999999999999", {}}}};
    for (const Cases& cases : groups)
        for (const auto& [text, expected] : cases) {
            if (expected)
                EXPECT_EQ(readWholeNumber(text), *expected) << toUtf8(text);
            else
                EXPECT_EQ(raisedError([&] { readWholeNumber(text); }), 6) << toUtf8(text);
            EXPECT_EQ(tryReadWholeNumber(Value(Text(text))), expected) << toUtf8(text);
        }
}

TEST(WholeNumberReading, ValuesReadByKindAndRoundToLongHalvesToEven) {
    const std::pair<Value, std::optional<int32_t>> values[] = {
        {Value{}, 0}, {int32_t{-42}, -42}, {2.5, 2}, {Text(u" 4 5"), 45}, {std::nan(""), {}}, {3e9, {}}};
    for (const auto& [value, expected] : values) {
        EXPECT_EQ(tryReadWholeNumber(value), expected);
        if (expected)
            EXPECT_EQ(readWholeNumber(value), *expected);
        else
            EXPECT_EQ(raisedError([&] { readWholeNumber(value); }), 6);
    }
    const std::pair<double, int32_t> rounded[] = {
        {0.5, 0}, {1.5, 2}, {-0.5, 0}, {-1.5, -2}, {2147483647.49, 2147483647}, {-2147483648.5, INT32_MIN}};
    for (const auto& [value, expected] : rounded) EXPECT_EQ(roundToLong(value), expected) << value;
    for (double outside : {-2147483649.0, std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(raisedError([&] { roundToLong(outside); }), 6) << outside;
}

// The whole text with the locale's separator only, blanks around allowed; anything else is a type mismatch
// (13), and a number beyond the doubles overflows (6). The non-raising reading gives nothing for either.
TEST(LocaleNumberReading, ReadsTheWholeTextWithTheLocalesSeparator) {
    const NumberLocale point{u'.'};
    const NumberLocale comma{u','};
    // Text, locale, value read, error raised.
    const std::tuple<const char16_t*, NumberLocale, double, int32_t> cases[] = {
        {u"1.25", point, 1.25, 0},      {u"1,25", comma, 1.25, 0},   {u"-0,5e2", comma, -50.0, 0},
        {u" \t12.5  ", point, 12.5, 0}, {u" 12,5 ", comma, 12.5, 0}, {u"+3", point, 3.0, 0},
        {u".5", point, 0.5, 0},         {u"5.", point, 5.0, 0},      {u"1E3", point, 1000.0, 0},
        {u"0.1", point, 0.1, 0},        {u"1e-400", point, 0.0, 0},  {u"1e400", point, 0, 6}};
    const char16_t* const mismatches[] = {u"",      u"  ", u"abc",  u"12abc", u"1 2", u".",   u"-",
                                          u"1.5.3", u"1e", u"&HFF", u"1d2",   u"\n5", u"1,25"};
    for (const auto& [text, locale, value, error] : cases) {
        if (error)
            EXPECT_EQ(raisedError([&] { readLocaleNumber(text, locale); }), error) << toUtf8(text);
        else
            EXPECT_EQ(readLocaleNumber(text, locale), value) << toUtf8(text);
        EXPECT_EQ(tryReadLocaleNumber(Value(Text(text)), locale), error ? std::nullopt : std::optional(value))
            << toUtf8(text);
    }
    for (const char16_t* text : mismatches) {
        EXPECT_EQ(raisedError([&] { readLocaleNumber(text, point); }), 13) << toUtf8(text);
        EXPECT_EQ(tryReadLocaleNumber(Value(Text(text)), point), std::nullopt) << toUtf8(text);
    }
    EXPECT_EQ(raisedError([&] { readLocaleNumber(u"1.25", comma); }), 13);
    EXPECT_TRUE(std::signbit(readLocaleNumber(u"-0", point)));
}

TEST(LocaleNumberReading, NumericValuesPassBitForBit) {
    const NumberLocale comma{u','};
    for (double d :
         {-0.0, 0.1, 0.1 + 0.2, 1e-310, -1.7976931348623157e308, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(std::bit_cast<uint64_t>(readLocaleNumber(Value{d}, comma)), std::bit_cast<uint64_t>(d));
        EXPECT_EQ(std::bit_cast<uint64_t>(*tryReadLocaleNumber(Value{d}, comma)), std::bit_cast<uint64_t>(d));
    }
    const double nan = std::bit_cast<double>(uint64_t{0x7FF800000000ABCDull});
    EXPECT_TRUE(std::isnan(readLocaleNumber(Value{nan}, comma)));
    EXPECT_EQ(readLocaleNumber(Value{int32_t{-7}}, comma), -7.0);
    EXPECT_EQ(readLocaleNumber(Value{Text(u"2,5")}, comma), 2.5);
    EXPECT_EQ(raisedError([&] { readLocaleNumber(Value{}, comma); }), 13);
    EXPECT_EQ(tryReadLocaleNumber(Value(), comma), std::nullopt);
}

TEST(ValueText, WritesNumbersInShortestFormWithTheLocalesSeparator) {
    const NumberLocale comma{u','};
    const std::pair<Value, Text> written[] = {
        {Value{}, u""}, {Text(u"a.b"), u"a.b"}, {INT32_MIN, u"-2147483648"},
        {0.1, u"0,1"},  {1234.5, u"1234,5"},    {-0.0, u"-0"}};
    for (const auto& [value, text] : written) EXPECT_EQ(valueText(value, comma), text);
    EXPECT_EQ(valueText(Value{1234.5}, NumberLocale{u'.'}), u"1234.5");
    for (double d : {0.1, 1.0 / 3.0, 1e-300, 123456789.123, -2.5e17})
        EXPECT_EQ(readLocaleNumber(valueText(Value{d}, comma), comma), d);
    // The user's settings read back what they write.
    const NumberLocale user = NumberLocale::user();
    EXPECT_EQ(readLocaleNumber(valueText(Value{-1234.0625}, user), user), -1234.0625);
}

}  // namespace
}  // namespace orv::automation
