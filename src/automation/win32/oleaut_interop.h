#pragma once
// The automation types of the portable core are the platform's own on Windows: these are the only casts
// between the two spellings, for the backend and the COM edge.
#include <windows.h>
// oleauto.h needs the base types of windows.h first.
#include <oleauto.h>

#include "automation/platform_array.h"
#include "automation/platform_string.h"

namespace orv::automation {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "BSTR holds UTF-16 units");
static_assert(static_cast<VARTYPE>(ElementType::Integer) == VT_I2 &&
              static_cast<VARTYPE>(ElementType::Long) == VT_I4 &&
              static_cast<VARTYPE>(ElementType::Double) == VT_R8 &&
              static_cast<VARTYPE>(ElementType::String) == VT_BSTR);

inline SAFEARRAY* toSafeArray(RawArray* array) noexcept {
    return reinterpret_cast<SAFEARRAY*>(array);
}
inline const SAFEARRAY* toSafeArray(const RawArray* array) noexcept {
    return reinterpret_cast<const SAFEARRAY*>(array);
}
inline RawArray* fromSafeArray(SAFEARRAY* array) noexcept {
    return reinterpret_cast<RawArray*>(array);
}
inline SAFEARRAY** toSafeArrayAddress(RawArray** variable) noexcept {
    return reinterpret_cast<SAFEARRAY**>(variable);
}

inline BSTR toBstr(RawString string) noexcept {
    return reinterpret_cast<BSTR>(string);
}
inline RawString fromBstr(BSTR string) noexcept {
    return reinterpret_cast<RawString>(string);
}

// The run-time error the platform reports for a failed automation call: E_OUTOFMEMORY is 7, DISP_E_BADINDEX
// 9, DISP_E_ARRAYISLOCKED 10, and so on; an HRESULT without a run-time error number keeps its own value.
[[noreturn]] void raiseForHresult(HRESULT result);

}  // namespace orv::automation
