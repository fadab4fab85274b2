#include "automation/number_reading.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "automation/standard_errors.h"

namespace orv::automation {
namespace {

int32_t errorOf(auto&& action) {
    try {
        action();
    } catch (const AutomationError& error) {
        return error.number();
    }
    return 0;
}

TEST(WholeNumberReading, IgnoresBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(readWholeNumber(u"  1 2\t3\n4 "), 1234);
    EXPECT_EQ(readWholeNumber(u"-\t 7"), -7);
    EXPECT_EQ(readWholeNumber(u"1 . 5"), 2);
    EXPECT_EQ(readWholeNumber(u"1 e 3"), 1000);
    EXPECT_EQ(readWholeNumber(u"& H F F"), 255);
}

TEST(WholeNumberReading, RoundsHalvesToEven) {
    EXPECT_EQ(readWholeNumber(u"2.5"), 2);
    EXPECT_EQ(readWholeNumber(u"3.5"), 4);
    EXPECT_EQ(readWholeNumber(u"-2.5"), -2);
    EXPECT_EQ(readWholeNumber(u"-3.5"), -4);
    EXPECT_EQ(readWholeNumber(u"0.5"), 0);
    EXPECT_EQ(readWholeNumber(u"2.5000001"), 3);
    EXPECT_EQ(readWholeNumber(u"-2147483648.5"), -2147483648);
    EXPECT_EQ(readWholeNumber(u"2147483647.4"), 2147483647);
}

TEST(WholeNumberReading, ReadsTheLeadingNumberAndStopsAtTheFirstMisfit) {
    EXPECT_EQ(readWholeNumber(u"12abc"), 12);
    EXPECT_EQ(readWholeNumber(u"1.5.3"), 2);
    EXPECT_EQ(readWholeNumber(u"7,9"), 7);  // "." is the only decimal point whatever the locale
    EXPECT_EQ(readWholeNumber(u"+8"), 8);
    EXPECT_EQ(readWholeNumber(u"1e"), 1);
    EXPECT_EQ(readWholeNumber(u"1e+"), 1);
    EXPECT_EQ(readWholeNumber(u"3x1e3"), 3);
}

TEST(WholeNumberReading, TextWithoutALeadingNumberReadsAsZero) {
    for (const char16_t* text :
         {u"", u"abc", u".", u"-", u"+", u" ", u"e5", u"-.e1", u"&", u"&X1", u"&H", u"&Hg", u"-&HFF"})
        EXPECT_EQ(readWholeNumber(text), 0) << toUtf8(text);
}

TEST(WholeNumberReading, ReadsExponentsWithEOrD) {
    EXPECT_EQ(readWholeNumber(u"1e3"), 1000);
    EXPECT_EQ(readWholeNumber(u"1E3"), 1000);
    EXPECT_EQ(readWholeNumber(u"2.5d2"), 250);
    EXPECT_EQ(readWholeNumber(u"25D-1"), 2);
    EXPECT_EQ(readWholeNumber(u"1e-400"), 0);
    EXPECT_EQ(readWholeNumber(u".5e1"), 5);
}

TEST(WholeNumberReading, ReadsHexAndOctalAsSixteenOrThirtyTwoBitValues) {
    EXPECT_EQ(readWholeNumber(u"&HFF"), 255);
    EXPECT_EQ(readWholeNumber(u"&hff"), 255);
    EXPECT_EQ(readWholeNumber(u"&O17"), 15);
    EXPECT_EQ(readWholeNumber(u"&o17"), 15);
    EXPECT_EQ(readWholeNumber(u"&O178"), 15);
    EXPECT_EQ(readWholeNumber(u"&HFFFF"), -1);
    EXPECT_EQ(readWholeNumber(u"&H8000"), -32768);
    EXPECT_EQ(readWholeNumber(u"&H7FFF"), 32767);
    EXPECT_EQ(readWholeNumber(u"&H10000"), 65536);
    EXPECT_EQ(readWholeNumber(u"&H0000FFFF"), -1);
    EXPECT_EQ(readWholeNumber(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(readWholeNumber(u"&H80000000"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(readWholeNumber(u"&O177777"), -1);
    EXPECT_EQ(readWholeNumber(u"&O37777777777"), -1);
    EXPECT_EQ(readWholeNumber(u"&H1Fzz"), 31);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"&H100000000"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"&O40000000000"); }), 6);
}

TEST(WholeNumberReading, OutsideThe32BitRangeIsOverflow) {
    EXPECT_EQ(errorOf([] { readWholeNumber(u"2147483648"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"2147483647.5"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"-2147483649"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"1e10"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"1e400"); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(u"9e99999999999999999999"); }), 6);
    EXPECT_EQ(readWholeNumber(u"-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(WholeNumberReading, ValuesReadByKind) {
    EXPECT_EQ(readWholeNumber(Value{}), 0);
    EXPECT_EQ(readWholeNumber(Value{int32_t{-42}}), -42);
    EXPECT_EQ(readWholeNumber(Value{2.5}), 2);
    EXPECT_EQ(readWholeNumber(Value{Text(u" 4 5")}), 45);
    EXPECT_EQ(errorOf([] { readWholeNumber(Value{std::nan("")}); }), 6);
    EXPECT_EQ(errorOf([] { readWholeNumber(Value{3e9}); }), 6);
}

TEST(LocaleNumberReading, UsesTheLocalesSeparatorOnly) {
    const NumberLocale point{u'.'};
    const NumberLocale comma{u','};
    EXPECT_EQ(readLocaleNumber(u"1.25", point), 1.25);
    EXPECT_EQ(readLocaleNumber(u"1,25", comma), 1.25);
    EXPECT_EQ(readLocaleNumber(u"-0,5e2", comma), -50.0);
    EXPECT_EQ(errorOf([&] { readLocaleNumber(u"1,25", point); }), 13);
    EXPECT_EQ(errorOf([&] { readLocaleNumber(u"1.25", comma); }), 13);
}

TEST(LocaleNumberReading, ReadsTheWholeTextWithBlanksAround) {
    const NumberLocale point{u'.'};
    EXPECT_EQ(readLocaleNumber(u" \t12.5  ", point), 12.5);
    EXPECT_EQ(readLocaleNumber(u"+3", point), 3.0);
    EXPECT_EQ(readLocaleNumber(u".5", point), 0.5);
    EXPECT_EQ(readLocaleNumber(u"5.", point), 5.0);
    EXPECT_EQ(readLocaleNumber(u"1E3", point), 1000.0);
    EXPECT_EQ(readLocaleNumber(u"0.1", point), 0.1);
    EXPECT_EQ(readLocaleNumber(u"1e-400", point), 0.0);
    EXPECT_TRUE(std::signbit(readLocaleNumber(u"-0", point)));
    for (const char16_t* text :
         {u"", u"  ", u"abc", u"12abc", u"1 2", u".", u"-", u"1.5.3", u"1e", u"&HFF", u"1d2", u"\n5"})
        EXPECT_EQ(errorOf([&] { readLocaleNumber(text, point); }), 13) << toUtf8(text);
    EXPECT_EQ(errorOf([&] { readLocaleNumber(u"1e400", point); }), 6);
}

TEST(LocaleNumberReading, NumericValuesPassBitForBit) {
    const NumberLocale comma{u','};
    for (double d : {-0.0, 0.1, 1e-310, -1.7976931348623157e308, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(std::bit_cast<uint64_t>(readLocaleNumber(Value{d}, comma)), std::bit_cast<uint64_t>(d));
    }
    const double nan = std::bit_cast<double>(uint64_t{0x7FF800000000ABCDull});
    EXPECT_TRUE(std::isnan(readLocaleNumber(Value{nan}, comma)));
    EXPECT_EQ(readLocaleNumber(Value{int32_t{-7}}, comma), -7.0);
    EXPECT_EQ(readLocaleNumber(Value{Text(u"2,5")}, comma), 2.5);
    EXPECT_EQ(errorOf([&] { readLocaleNumber(Value{}, comma); }), 13);
}

TEST(LocaleNumberReading, TheUsersSettingsReadBackWhatTheyWrite) {
    const NumberLocale user = NumberLocale::user();
    EXPECT_EQ(readLocaleNumber(valueText(Value{-1234.0625}, user), user), -1234.0625);
}

TEST(ValueText, WritesNumbersInShortestFormWithTheLocalesSeparator) {
    const NumberLocale comma{u','};
    EXPECT_EQ(valueText(Value{}, comma), u"");
    EXPECT_EQ(valueText(Value{Text(u"a.b")}, comma), u"a.b");
    EXPECT_EQ(valueText(Value{int32_t{-2147483647 - 1}}, comma), u"-2147483648");
    EXPECT_EQ(valueText(Value{0.1}, comma), u"0,1");
    EXPECT_EQ(valueText(Value{1234.5}, NumberLocale{u'.'}), u"1234.5");
    EXPECT_EQ(valueText(Value{-0.0}, comma), u"-0");
    for (double d : {0.1, 1.0 / 3.0, 1e-300, 123456789.123, -2.5e17}) {
        EXPECT_EQ(readLocaleNumber(valueText(Value{d}, comma), comma), d);
    }
}

TEST(RoundToLong, HalvesToEvenAndOverflowsOutsideTheRange) {
    EXPECT_EQ(roundToLong(0.5), 0);
    EXPECT_EQ(roundToLong(1.5), 2);
    EXPECT_EQ(roundToLong(-0.5), 0);
    EXPECT_EQ(roundToLong(-1.5), -2);
    EXPECT_EQ(roundToLong(2147483647.49), 2147483647);
    EXPECT_EQ(roundToLong(-2147483648.5), -2147483648);
    EXPECT_EQ(errorOf([] { roundToLong(-2147483649.0); }), 6);
    EXPECT_EQ(errorOf([] { roundToLong(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(errorOf([] { roundToLong(std::nan("")); }), 6);
}

}  // namespace
}  // namespace orv::automation
