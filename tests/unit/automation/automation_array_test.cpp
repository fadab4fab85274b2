#include "automation/automation_array.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "automation/array_lock.h"
#include "support/raised_error.h"

namespace orv::automation {
namespace {

using test::raisedError;

template <class T>
std::vector<T> elements(const Array<T>& array) {
    std::vector<T> result;
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i) result.push_back(array(i));
    return result;
}

std::vector<Text> elements(const TextArray& array) {
    std::vector<Text> result;
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i) result.push_back(array.get(i));
    return result;
}

LongArray longs(int32_t lower, std::vector<int32_t> values) {
    LongArray array(lower, lower + static_cast<int32_t>(values.size()) - 1);
    for (size_t i = 0; i < values.size(); ++i) array(lower + static_cast<int64_t>(i)) = values[i];
    return array;
}

TEST(AutomationArray, NeverDimensionedOrEmptyHasNoElementsAndEverySubscriptIsError9) {
    LongArray never;
    TextArray neverText;
    EXPECT_FALSE(never.dimensioned());
    EXPECT_EQ(never.count(), 0u);
    EXPECT_FALSE(never.contains(0));
    EXPECT_EQ(raisedError([&] { never.lbound(); }), 9);
    EXPECT_EQ(raisedError([&] { never.ubound(); }), 9);
    EXPECT_EQ(raisedError([&] { never(0); }), 9);
    EXPECT_EQ(raisedError([&] { never(1) = 5; }), 9);
    EXPECT_EQ(raisedError([&] { neverText.get(1); }), 9);
    EXPECT_EQ(raisedError([&] { neverText.set(1, u"x"); }), 9);
    EXPECT_FALSE(LongArray(never).dimensioned());

    LongArray empty(1, 0);
    const LongArray copy = empty;
    for (const LongArray* array : std::initializer_list<const LongArray*>{&empty, &copy}) {
        EXPECT_TRUE(array->dimensioned());
        EXPECT_EQ(array->count(), 0u);
        EXPECT_EQ(array->lbound(), 1);
        EXPECT_EQ(array->ubound(), 0);
        EXPECT_EQ(raisedError([&] { (*array)(1); }), 9);
    }
    EXPECT_EQ(raisedError([&] { LongArray(5, 3); }), 9);
}

TEST(AutomationArray, SubscriptsOutsideTheBoundsAreError9) {
    DoubleArray xs(-2, 3);
    EXPECT_EQ(xs.lbound(), -2);
    EXPECT_EQ(xs.ubound(), 3);
    EXPECT_EQ(xs.count(), 6u);
    EXPECT_EQ(elements(xs), std::vector<double>(6, 0.0));
    xs(-2) = 1.5;
    xs(3) = -4.25;
    EXPECT_EQ(xs(-2), 1.5);
    EXPECT_EQ(xs(3), -4.25);
    for (int64_t outside :
         std::initializer_list<int64_t>{-3, 4, int64_t{INT32_MAX} + 1, int64_t{INT32_MIN} - 1})
        EXPECT_EQ(raisedError([&] { xs(outside); }), 9) << outside;
    IntegerArray codes(1, 2);
    codes(2) = -32768;
    EXPECT_EQ(codes(2), -32768);
    EXPECT_EQ(raisedError([&] { codes(0); }), 9);
}

TEST(AutomationArray, RedimDropsTheContentsAndRedimPreserveKeepsWhatFitsByPosition) {
    LongArray a = longs(1, {7, 8, 9});
    a.redimPreserve(1, 5);
    EXPECT_EQ(elements(a), (std::vector<int32_t>{7, 8, 9, 0, 0}));
    a.redimPreserve(1, 2);
    EXPECT_EQ(elements(a), (std::vector<int32_t>{7, 8}));
    a.redimPreserve(0, 1);  // a new lower bound keeps the elements in place, not under their old subscripts
    EXPECT_EQ(elements(a), (std::vector<int32_t>{7, 8}));
    EXPECT_EQ(a(0), 7);
    a.redim(0, 2);
    EXPECT_EQ(elements(a), (std::vector<int32_t>{0, 0, 0}));
    a.erase();
    EXPECT_FALSE(a.dimensioned());
    a.redimPreserve(1, 2);
    EXPECT_EQ(elements(a), (std::vector<int32_t>{0, 0}));

    TextArray names(1, 3);
    names.set(1, u"uno");
    names.set(3, u"tres");
    names.redimPreserve(1, 4);
    EXPECT_EQ(elements(names), (std::vector<Text>{u"uno", u"", u"tres", u""}));
    names.redimPreserve(1, 1);  // "tres" is freed here: the sanitized build reports a leak otherwise
    EXPECT_EQ(elements(names), (std::vector<Text>{u"uno"}));
}

TEST(AutomationArray, WholeCopiesAreDeep) {
    LongArray original = longs(1, {1, 2, 3});
    LongArray copy = original;
    copy(1) = 100;
    copy.redimPreserve(1, 4);
    EXPECT_EQ(elements(original), (std::vector<int32_t>{1, 2, 3}));

    TextArray names(0, 1);
    names.set(0, u"Código");
    TextArray assigned;
    assigned = names;
    names.set(0, u"otro");
    EXPECT_EQ(assigned.get(0), u"Código");
    EXPECT_NE(assigned.view(0).data(), names.view(0).data());
    EXPECT_EQ(assigned.lbound(), 0);

    LongArray target = longs(5, {9});
    target = LongArray();  // assigning a never-dimensioned array empties the variable
    EXPECT_FALSE(target.dimensioned());
}

// A handler receiving the variable by reference, as the events hand the dialogs' members.
void hostRedims(LongArray& vertices) {
    vertices.redim(1, 4);
}
void hostReplaces(LongArray& vertices) {
    vertices = longs(0, {10, 20});
}

TEST(AutomationArray, ByReferenceTheCallerHoldsWhatTheHandlerLeft) {
    LongArray member = longs(1, {1, 2, 3});
    RawArray* const before = member.raw();
    member(2) = 22;
    EXPECT_EQ(member.raw(), before);  // element writes stay in the same array

    hostRedims(member);
    EXPECT_EQ(member.ubound(), 4);
    hostReplaces(member);
    EXPECT_EQ(member.lbound(), 0);
    EXPECT_EQ(elements(member), (std::vector<int32_t>{10, 20}));
}

TEST(AutomationArray, AddressLetsAnotherLayerReplaceTheArray) {
    LongArray member = longs(1, {1, 2, 3});
    RawArray** variable = member.address();
    // What a COM sink does with a VT_BYREF | VT_ARRAY argument: destroy what is there and leave its own.
    arrayDestroy(*variable);
    *variable = arrayCreate(ElementType::Long, 5, 2);
    static_cast<int32_t*>(arrayData(*variable))[1] = 77;
    EXPECT_EQ(member.lbound(), 5);
    EXPECT_EQ(member(6), 77);
    arrayDestroy(std::exchange(*variable, nullptr));  // and a sink may erase it
    EXPECT_FALSE(member.dimensioned());
    EXPECT_EQ(raisedError([&] { member(5); }), 9);
}

TEST(AutomationArray, AnArrayOfAnotherTypeInTheVariableIsError13) {
    DoubleArray xs;
    *xs.address() = arrayCreate(ElementType::Long, 1, 2);
    EXPECT_EQ(raisedError([&] { xs.lbound(); }), 13);
    EXPECT_EQ(raisedError([&] { xs(1); }), 13);
    EXPECT_EQ(raisedError([&] { xs.redimPreserve(1, 3); }), 13);
    EXPECT_FALSE(xs.contains(1));
    xs.redim(1, 1);  // a fresh dimension replaces it whatever it was
    EXPECT_EQ(xs(1), 0.0);

    EXPECT_EQ(raisedError([] { TextArray::adopt(arrayCreate(ElementType::Integer, 0, 1)); }), 13);
    IntegerArray adopted = IntegerArray::adopt(arrayCreate(ElementType::Integer, 0, 1));
    RawArray* raw = adopted.release();
    EXPECT_FALSE(adopted.dimensioned());
    arrayDestroy(raw);
}

TEST(AutomationArray, ALockedArrayKeepsItsBoundsWithError10) {
    LongArray member = longs(1, {1, 2, 3});
    {
        ArrayLock lock(member.raw());
        EXPECT_FALSE(arrayResizable(member.raw()));
        member(1) = 11;  // elements stay writable
        EXPECT_EQ(raisedError([&] { member.redim(1, 5); }), 10);
        EXPECT_EQ(raisedError([&] { member.redimPreserve(1, 5); }), 10);
        EXPECT_EQ(raisedError([&] { member.erase(); }), 10);
        EXPECT_EQ(raisedError([&] { member = longs(1, {4}); }), 10);
        EXPECT_EQ(elements(member), (std::vector<int32_t>{11, 2, 3}));
    }
    member.redimPreserve(1, 4);
    EXPECT_EQ(elements(member), (std::vector<int32_t>{11, 2, 3, 0}));
}

TEST(AutomationArray, TextElementsKeepAnyUtf16) {
    const Text withNul(u"a\0b", 3);
    const Text nonAscii = u"Polilíneas ñ € 𝄞";
    TextArray names(1, 3);
    names.set(1, withNul);
    names.set(2, nonAscii);
    EXPECT_EQ(names.get(1), withNul);
    EXPECT_EQ(names.get(2), nonAscii);
    EXPECT_EQ(names.get(3), u"");  // a never-set element is the null string, read as empty
    EXPECT_EQ(names.view(3).size(), 0u);
    names.set(2, u"");
    EXPECT_EQ(names.get(2), u"");
}

TEST(PlatformString, IsLengthPrefixedAndNulTerminated) {
    const Text text(u"x\0ñ𝄞", 5);
    RawString raw = stringAllocate(text);
    EXPECT_EQ(stringLength(raw), 5u);
    EXPECT_EQ(stringView(raw), text);
    uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const char*>(raw) - sizeof prefix, sizeof prefix);
    EXPECT_EQ(prefix, 10u);  // bytes, as the platform counts them
    EXPECT_EQ(raw[5], u'\0');
    stringFree(raw);

    RawString empty = stringAllocate(u"");
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(stringLength(empty), 0u);
    stringFree(empty);
    EXPECT_EQ(stringLength(nullptr), 0u);
    EXPECT_EQ(stringView(nullptr), u"");
    stringFree(nullptr);
}

TEST(Text, ConvertsBetweenUtf8AndUtf16AndWritesDecimals) {
    const std::string utf8 = "Código ñ € 𝄞";
    EXPECT_EQ(fromUtf8(utf8), u"Código ñ € 𝄞");
    EXPECT_EQ(toUtf8(fromUtf8(utf8)), utf8);
    EXPECT_EQ(fromUtf8(std::string_view("a\0b", 3)), Text(u"a\0b", 3));
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(fromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(decimalText(-45), u"-45");
    EXPECT_EQ(decimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(decimalText(INT64_MAX), u"9223372036854775807");
}

}  // namespace
}  // namespace orv::automation
