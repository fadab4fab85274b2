// What only the Windows backend can show: our arrays and strings are the platform's own, and the platform's
// failures and a host's arrays are met in order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "automation/array_lock.h"
#include "automation/automation_array.h"
#include "automation/number_locale.h"
#include "automation/win32/oleaut_interop.h"
#include "support/raised_error.h"

namespace orv::automation {
namespace {

using test::raisedError;

struct DestroySafeArray {
    void operator()(SAFEARRAY* array) const noexcept { SafeArrayDestroy(array); }
};
using OwnedSafeArray = std::unique_ptr<SAFEARRAY, DestroySafeArray>;

TEST(OleautBackend, ArraysAndStringsAreThePlatformsOwn) {
    TextArray names(0, 1);
    names.set(1, u"Capa ñ");
    SAFEARRAY* array = toSafeArray(names.raw());
    VARTYPE type = VT_EMPTY;
    ASSERT_EQ(SafeArrayGetVartype(array, &type), S_OK);
    LONG upper = 0;
    ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
    EXPECT_EQ((std::tuple{type, SafeArrayGetDim(array), upper}), (std::tuple{VARTYPE(VT_BSTR), 1u, LONG(1)}));
    BSTR element = static_cast<BSTR*>(array->pvData)[1];
    EXPECT_EQ(std::wstring(element, SysStringLen(element)), L"Capa ñ");
}

TEST(OleautBackend, PlatformFailuresBecomeRunTimeErrors) {
    for (auto [result, number] : {std::pair<HRESULT, int32_t>{E_OUTOFMEMORY, 7},
                                  {DISP_E_BADINDEX, 9},
                                  {DISP_E_ARRAYISLOCKED, 10},
                                  {DISP_E_TYPEMISMATCH, 13},
                                  {DISP_E_OVERFLOW, 6},
                                  {E_INVALIDARG, 5},
                                  {E_FAIL, static_cast<int32_t>(E_FAIL)}})
        EXPECT_EQ(raisedError([&] { raiseForHresult(result); }), number) << std::hex << result;
}

TEST(OleautBackend, AHostsFixedSizeArrayIsError10AndItsCopyIsOurs) {
    SAFEARRAYBOUND bound{3, 1};
    OwnedSafeArray fixed(SafeArrayCreate(VT_R8, 1, &bound));
    ASSERT_TRUE(fixed);
    fixed->fFeatures |= FADF_FIXEDSIZE;
    static_cast<double*>(fixed->pvData)[2] = 2.5;

    DoubleArray member = DoubleArray::adopt(fromSafeArray(fixed.release()));
    EXPECT_EQ(raisedError([&] { member.redimPreserve(1, 5); }), 10);
    EXPECT_EQ(raisedError([&] { member.redim(1, 5); }), 10);
    DoubleArray copy = member;
    copy.redimPreserve(1, 4);
    EXPECT_EQ(copy(3), 2.5);
    EXPECT_EQ(copy(4), 0.0);

    toSafeArray(member.raw())->fFeatures &= ~FADF_FIXEDSIZE;  // the host's to free as it made it
}

TEST(OleautBackend, AnUntypedDescriptorIsToldByItsElements) {
    SAFEARRAY* raw = nullptr;
    ASSERT_EQ(SafeArrayAllocDescriptor(1, &raw), S_OK);
    OwnedSafeArray untyped(raw);
    untyped->cbElements = sizeof(int32_t);
    untyped->rgsabound[0] = SAFEARRAYBOUND{2, 0};
    ASSERT_EQ(SafeArrayAllocData(untyped.get()), S_OK);
    EXPECT_EQ(arrayElementType(fromSafeArray(untyped.get())), ElementType::Long);
    untyped->cbElements = sizeof(double);
    EXPECT_EQ(arrayElementType(fromSafeArray(untyped.get())), ElementType::Double);
    untyped->cbElements = sizeof(int32_t);
}

TEST(OleautBackend, ALockedArrayRefusesTheHostsRedimToo) {
    LongArray member(1, 2);
    ArrayLock lock(member.raw());
    SAFEARRAYBOUND bound{5, 1};
    EXPECT_EQ(SafeArrayRedim(toSafeArray(member.raw()), &bound), DISP_E_ARRAYISLOCKED);
}

TEST(OleautBackend, TheUserLocaleIsTheSystemsSetting) {
    wchar_t separator[4] = {};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4), 0);
    EXPECT_EQ(NumberLocale::user().decimalSeparator, static_cast<char16_t>(separator[0]));
}

}  // namespace
}  // namespace orv::automation
