// The arrays are oleaut32's SAFEARRAYs; this file only translates calls and failures.
#include <memory>

#include "automation/platform_array.h"
#include "automation/standard_errors.h"
#include "automation/win32/oleaut_interop.h"

namespace orv::automation {

namespace {

struct DestroySafeArray {
    void operator()(SAFEARRAY* array) const noexcept { SafeArrayDestroy(array); }
};
using OwnedSafeArray = std::unique_ptr<SAFEARRAY, DestroySafeArray>;

void check(HRESULT result) {
    if (FAILED(result)) raiseForHresult(result);
}

SAFEARRAY* mutableArray(const RawArray* array) noexcept {
    return const_cast<SAFEARRAY*>(toSafeArray(array));  // the query functions take no const
}

OwnedSafeArray create(VARTYPE type, int32_t lower, uint32_t count) {
    SAFEARRAYBOUND bound{count, lower};
    OwnedSafeArray array(SafeArrayCreate(type, 1, &bound));
    if (!array) raiseStandardError(error_number::kOutOfMemory);
    return array;
}

}  // namespace

RawArray* arrayCreate(ElementType type, int32_t lower, uint32_t count) {
    return fromSafeArray(create(static_cast<VARTYPE>(type), lower, count).release());
}

void arrayDestroy(RawArray* array) noexcept {
    // A locked array refuses (DISP_E_ARRAYISLOCKED) and stays as it is: its holder still points into it.
    if (array) SafeArrayDestroy(toSafeArray(array));
}

RawArray* arrayCopy(const RawArray* array) {
    if (!array) return nullptr;
    SAFEARRAY* source = mutableArray(array);
    if (SafeArrayGetDim(source) != 1) {
        SAFEARRAY* copy = nullptr;
        check(SafeArrayCopy(source, &copy));
        return fromSafeArray(copy);
    }
    // A fresh array rather than SafeArrayCopy, which would carry a host's fixed-size and static flags into a
    // copy that is ours to redimension and free.
    OwnedSafeArray copy =
        create(static_cast<VARTYPE>(arrayElementType(array)), arrayLower(array), arrayCount(array));
    check(SafeArrayCopyData(source, copy.get()));
    return fromSafeArray(copy.release());
}

void arrayRedimPreserve(RawArray* array, int32_t lower, uint32_t count) {
    if (!arrayResizable(array)) raiseStandardError(error_number::kArrayLocked);
    SAFEARRAYBOUND bound{count, lower};
    check(SafeArrayRedim(toSafeArray(array), &bound));
}

bool arrayResizable(const RawArray* array) noexcept {
    const SAFEARRAY* safeArray = toSafeArray(array);
    return safeArray && safeArray->cLocks == 0 && !(safeArray->fFeatures & FADF_FIXEDSIZE);
}

void arrayLock(RawArray* array) {
    if (FAILED(SafeArrayLock(toSafeArray(array)))) raiseStandardError(error_number::kArrayLocked);
}

void arrayUnlock(RawArray* array) noexcept {
    SafeArrayUnlock(toSafeArray(array));
}

ElementType arrayElementType(const RawArray* array) noexcept {
    SAFEARRAY* safeArray = mutableArray(array);
    VARTYPE type = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(safeArray, &type))) return static_cast<ElementType>(type);
    // A descriptor a host built by hand may carry no type: tell ours apart by their flags and element size.
    if (safeArray->fFeatures & FADF_BSTR) return ElementType::String;
    if (safeArray->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT | FADF_RECORD))
        return static_cast<ElementType>(VT_EMPTY);
    switch (safeArray->cbElements) {
        case sizeof(int16_t):
            return ElementType::Integer;
        case sizeof(int32_t):
            return ElementType::Long;
        case sizeof(double):
            return ElementType::Double;
        default:
            return static_cast<ElementType>(VT_EMPTY);
    }
}

uint32_t arrayDimensions(const RawArray* array) noexcept {
    return SafeArrayGetDim(mutableArray(array));
}

int32_t arrayLower(const RawArray* array) noexcept {
    LONG lower = 0;
    SafeArrayGetLBound(mutableArray(array), 1, &lower);
    return lower;
}

uint32_t arrayCount(const RawArray* array) noexcept {
    return toSafeArray(array)->rgsabound[0].cElements;
}

void* arrayData(RawArray* array) noexcept {
    return array ? toSafeArray(array)->pvData : nullptr;
}
const void* arrayData(const RawArray* array) noexcept {
    return array ? toSafeArray(array)->pvData : nullptr;
}

}  // namespace orv::automation
