// The automation arrays the host hands over: bounds, copies, the variable seen by reference, locks, texts.
#include "automation/automation_array.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "automation/array_lock.h"
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

}  // namespace
}  // namespace orv::automation
