#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "collaborators/plain_number_converter.h"

namespace orv::collaborators {
namespace {

using automation::NumberLocale;

TEST(PlainNumberConverterWriting, FixedDecimalsCorrectlyRoundedNoGrouping) {
    PlainNumberConverter point;
    EXPECT_EQ(point.NumberToText(1234567.8915, 3, 0), u"1234567.891");  // the double lies below ...8915
    EXPECT_EQ(point.NumberToText(2.5, 0, 0), u"2");
    EXPECT_EQ(point.NumberToText(3.5, 0, 0), u"4");
    EXPECT_EQ(point.NumberToText(-12.3456, 2, 0), u"-12.35");
    EXPECT_EQ(point.NumberToText(0, 3, 0), u"0.000");
    EXPECT_EQ(point.NumberToText(-0.0004, 3, 0), u"0.000");
    EXPECT_EQ(point.NumberToText(-0.0, 2, 0), u"0.00");
    EXPECT_EQ(point.NumberToText(1e15, 3, 0), u"1000000000000000.000");
    EXPECT_EQ(point.NumberToText(7, -2, 0), u"7");
    EXPECT_EQ(point.NumberToText(7, 3, 5), u"7.000");  // the second number selects nothing

    PlainNumberConverter comma{NumberLocale{u','}};
    EXPECT_EQ(comma.NumberToText(-4071.9, 3, 0), u"-4071,900");
}

TEST(PlainNumberConverterReading, LeadingNumberWithEitherSeparatorAndNoFailure) {
    PlainNumberConverter comma{NumberLocale{u','}};
    EXPECT_EQ(comma.TextToNumber(u"12,5"), 12.5);
    EXPECT_EQ(comma.TextToNumber(u"12.5"), 12.5);
    EXPECT_EQ(comma.TextToNumber(u" - 1 234,5 "), -1234.5);
    EXPECT_EQ(comma.TextToNumber(u"1,5,3"), 1.5);
    EXPECT_EQ(comma.TextToNumber(u"1.5,3"), 1.5);
    EXPECT_EQ(comma.TextToNumber(u"+3e2m"), 300);
    EXPECT_EQ(comma.TextToNumber(u"3e"), 3);
    EXPECT_EQ(comma.TextToNumber(u"3e+x"), 3);
    EXPECT_EQ(comma.TextToNumber(u"\t7\r\n"), 7);
    EXPECT_EQ(comma.TextToNumber(u",25"), 0.25);
    EXPECT_EQ(comma.TextToNumber(u"12abc"), 12);
    for (const char16_t* nothing : {u"", u"   ", u"abc", u"-", u",", u"e5", u"inf", u"nan", u"--1"})
        EXPECT_EQ(comma.TextToNumber(nothing), 0) << automation::toUtf8(nothing);
    EXPECT_FALSE(std::signbit(comma.TextToNumber(u"-0,000")));
    EXPECT_EQ(comma.TextToNumber(u"1e400"), HUGE_VAL);
    EXPECT_EQ(comma.TextToNumber(u"-123e999"), -HUGE_VAL);
    EXPECT_EQ(comma.TextToNumber(u"0,0001e-400"), 0);
    EXPECT_EQ(comma.TextToNumber(u"1e-320"), 1e-320);
}

// What NumberToText wrote reads back as the nearest double, which writes again as the same text and lies
// within half a unit of the last decimal of the value written.
void expectRoundTrip(PlainNumberConverter& converter, double value, int16_t decimals) {
    const automation::Text text = converter.NumberToText(value, decimals, 0);
    const double back = converter.TextToNumber(text);
    ASSERT_EQ(converter.NumberToText(back, decimals, 0), text) << value << " with " << decimals;
    const double half = 0.5 * std::pow(10.0, -decimals);
    ASSERT_LE(std::fabs(back - value), half + std::fabs(value) * 1e-15) << value << " with " << decimals;
}

TEST(PlainNumberConverterRoundTrip, ManyValuesAtTheDecimalsWritten) {
    PlainNumberConverter point;
    PlainNumberConverter comma{NumberLocale{u','}};
    const double fixed[] = {0,        1,       -1,
                            0.5,      -0.5,    0.0005,
                            -0.0005,  0.0625,  123.4565,
                            1e15,     -1e15,   1e15 + 0.125,
                            9.999e15, 1e17,    4503599627370495.5,
                            1e-300,   -1e-300, 5e-324,
                            1e300,    -1e300,  4071.9,
                            3358.5,   2e-3,    1.7976931348623157e308};
    for (double value : fixed)
        for (int16_t decimals : {0, 1, 2, 3, 6, 12}) {
            expectRoundTrip(point, value, decimals);
            expectRoundTrip(comma, value, decimals);
        }

    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> coordinates(-1e7, 1e7);
    std::uniform_int_distribution<int> exponents(-30, 30);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        expectRoundTrip(comma, coordinates(random), 3);
        expectRoundTrip(point, coordinates(random), 2);
        expectRoundTrip(comma, coordinates(random) * std::pow(10.0, exponents(random)), int16_t(i % 8));
        uint64_t raw = bits(random);
        double any;
        std::memcpy(&any, &raw, sizeof any);
        if (std::isfinite(any)) expectRoundTrip(point, any, 3);
    }
}

}  // namespace
}  // namespace orv::collaborators
