// The automation values the host hands over: arrays (bounds, copies, the variable seen by reference, locks),
// texts, and the numbers read from them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "automation/array_lock.h"
#include "automation/automation_array.h"
#include "automation/number_reading.h"
#include "automation/standard_errors.h"
#include "support/drawing.h"
#include "support/raised_error.h"

namespace orv::automation {
namespace {

using test::describe;
using test::longArray;
using test::raisedError;

std::vector<Text> texts(const TextArray& array) {
    std::vector<Text> result;
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i) result.push_back(array.get(i));
    return result;
}

TEST(AutomationArray, NeverDimensionedEmptyOrOutsideTheBoundsIsError9) {
    LongArray never;
    TextArray neverText;
    EXPECT_FALSE(never.dimensioned() || never.contains(0) || LongArray(never).dimensioned());
    EXPECT_EQ(never.count(), 0u);
    for (auto touch : std::initializer_list<std::function<void()>>{
             [&] { never.lbound(); }, [&] { never.ubound(); }, [&] { never(0); }, [&] { never(1) = 5; },
             [&] { neverText.get(1); }, [&] { neverText.set(1, u"x"); }, [] { LongArray(5, 3); }})
        EXPECT_EQ(raisedError(touch), 9);

    const LongArray empty(1, 0);
    const LongArray copy = empty;
    for (const LongArray* array : {&empty, &copy}) {
        EXPECT_TRUE(array->dimensioned());
        EXPECT_EQ(array->count() * 100 + array->lbound() * 10 + array->ubound(), 10u);
        EXPECT_EQ(raisedError([&] { (*array)(1); }), 9);
    }

    DoubleArray xs(-2, 3);
    EXPECT_EQ(xs.count(), 6u);
    xs(-2) = 1.5;
    xs(3) = -4.25;
    EXPECT_EQ(xs(-2) + xs(3) + xs(0), 1.5 - 4.25);
    for (int64_t outside : {int64_t{-3}, int64_t{4}, int64_t{INT32_MAX} + 1, int64_t{INT32_MIN} - 1})
        EXPECT_EQ(raisedError([&] { xs(outside); }), 9) << outside;
    IntegerArray codes(1, 2);
    codes(2) = -32768;
    EXPECT_EQ(codes(2), -32768);
    EXPECT_EQ(raisedError([&] { codes(0); }), 9);
}

TEST(AutomationArray, RedimDropsTheContentsAndRedimPreserveKeepsWhatFitsByPosition) {
    LongArray a = longArray({7, 8, 9});
    a.redimPreserve(1, 5);
    EXPECT_EQ(describe(a), "[7 8 9 0 0]");
    a.redimPreserve(1, 2);
    EXPECT_EQ(describe(a), "[7 8]");
    a.redimPreserve(0, 1);  // a new lower bound keeps the elements in place, not under their old subscripts
    EXPECT_EQ(describe(a), "0:[7 8]");
    a.redim(0, 2);
    EXPECT_EQ(describe(a), "0:[0 0 0]");
    a.erase();
    EXPECT_FALSE(a.dimensioned());
    a.redimPreserve(1, 2);
    EXPECT_EQ(describe(a), "[0 0]");

    TextArray names(1, 3);
    names.set(1, u"uno");
    names.set(3, u"tres");
    names.redimPreserve(1, 4);
    EXPECT_EQ(texts(names), (std::vector<Text>{u"uno", u"", u"tres", u""}));
    names.redimPreserve(1, 1);  // "tres" is freed here: the sanitized build reports a leak otherwise
    EXPECT_EQ(texts(names), (std::vector<Text>{u"uno"}));
}

TEST(AutomationArray, WholeCopiesAreDeepAndByReferenceTheCallerHoldsWhatTheHandlerLeft) {
    LongArray original = longArray({1, 2, 3});
    LongArray copy = original;
    copy(1) = 100;
    copy.redimPreserve(1, 4);
    EXPECT_EQ(describe(original), "[1 2 3]");
    TextArray names(0, 1);
    names.set(0, u"Código");
    TextArray assigned;
    assigned = names;
    names.set(0, u"otro");
    EXPECT_EQ(assigned.get(0), u"Código");
    EXPECT_NE(assigned.view(0).data(), names.view(0).data());
    copy = LongArray();  // assigning a never-dimensioned array empties the variable
    EXPECT_FALSE(copy.dimensioned());

    // What a handler receiving the variable by reference does, as the events hand the dialogs' members.
    RawArray* const before = original.raw();
    original(2) = 22;
    EXPECT_EQ(original.raw(), before);  // element writes stay in the same array
    const auto handler = [](LongArray& vertices) { vertices = longArray({10, 20}, 0); };
    handler(original);
    EXPECT_EQ(describe(original), "0:[10 20]");
    // What a COM sink does with a VT_BYREF | VT_ARRAY argument: destroy what is there and leave its own.
    RawArray** variable = original.address();
    arrayDestroy(*variable);
    *variable = arrayCreate(ElementType::Long, 5, 2);
    static_cast<int32_t*>(arrayData(*variable))[1] = 77;
    EXPECT_EQ(describe(original), "5:[0 77]");
    arrayDestroy(std::exchange(*variable, nullptr));  // and a sink may erase it
    EXPECT_FALSE(original.dimensioned());
}

TEST(AutomationArray, AnArrayOfAnotherTypeIsError13AndALockedOneKeepsItsBoundsWithError10) {
    DoubleArray xs;
    *xs.address() = arrayCreate(ElementType::Long, 1, 2);
    for (auto touch : std::initializer_list<std::function<void()>>{
             [&] { xs.lbound(); }, [&] { xs(1); }, [&] { xs.redimPreserve(1, 3); },
             [] { TextArray::adopt(arrayCreate(ElementType::Integer, 0, 1)); }})
        EXPECT_EQ(raisedError(touch), 13);
    EXPECT_FALSE(xs.contains(1));
    xs.redim(1, 1);  // a fresh dimension replaces it whatever it was
    EXPECT_EQ(xs(1), 0.0);
    IntegerArray adopted = IntegerArray::adopt(arrayCreate(ElementType::Integer, 0, 1));
    RawArray* raw = adopted.release();
    EXPECT_FALSE(adopted.dimensioned());
    arrayDestroy(raw);

    LongArray member = longArray({1, 2, 3});
    {
        ArrayLock lock(member.raw());
        EXPECT_FALSE(arrayResizable(member.raw()));
        member(1) = 11;  // elements stay writable
        for (auto resize : std::initializer_list<std::function<void()>>{
                 [&] { member.redim(1, 5); }, [&] { member.redimPreserve(1, 5); }, [&] { member.erase(); },
                 [&] { member = longArray({4}); }})
            EXPECT_EQ(raisedError(resize), 10);
        EXPECT_EQ(describe(member), "[11 2 3]");
    }
    member.redimPreserve(1, 4);
    EXPECT_EQ(describe(member), "[11 2 3 0]");
}

TEST(AutomationText, ArraysAndPlatformStringsKeepAnyUtf16AndUtf8ConvertsBothWays) {
    const Text withNul(u"a\0b", 3);
    TextArray names(1, 3);
    names.set(1, withNul);
    names.set(2, u"Polilíneas ñ € 𝄞");
    EXPECT_EQ(texts(names), (std::vector<Text>{withNul, u"Polilíneas ñ € 𝄞", u""}));
    EXPECT_EQ(names.view(3).size(), 0u);  // a never-set element is the null string, read as empty

    const Text text(u"x\0ñ𝄞", 5);
    RawString raw = stringAllocate(text);
    EXPECT_EQ(stringView(raw), text);
    uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const char*>(raw) - sizeof prefix, sizeof prefix);
    EXPECT_EQ(prefix, 10u);  // bytes, as the platform counts them
    EXPECT_EQ(raw[5], u'\0');
    stringFree(raw);
    RawString empty = stringAllocate(u"");
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(stringLength(empty) + stringLength(nullptr) + stringView(nullptr).size(), 0u);
    stringFree(empty);
    stringFree(nullptr);

    // Bad bytes, overlong and truncated sequences read as U+FFFD.
    const std::pair<std::string, Text> utf8[] = {
        {"Código ñ € 𝄞", u"Código ñ € 𝄞"}, {std::string("a\0b", 3), Text(u"a\0b", 3)},
        {"a\xFF!", u"a\uFFFD!"},           {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xE2\x82", u"\uFFFD\uFFFD"},     {"\xEF\xBF\xBF\xF0\x90\x80\x80", u"\uFFFF\U00010000"}};
    for (const auto& [bytes, utf16] : utf8) EXPECT_EQ(fromUtf8(bytes), utf16);
    EXPECT_EQ(toUtf8(u"Código ñ € 𝄞"), "Código ñ € 𝄞");
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(decimalText(-45) + u" " + decimalText(INT64_MIN) + u" " + decimalText(INT64_MAX),
              u"-45 -9223372036854775808 9223372036854775807");
}

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
    const NumberLocale point{u'.'}, comma{u','};
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
