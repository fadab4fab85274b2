#pragma once
// The arguments of our IDispatch calls (events to sinks, members of installed classes), built in one place. A
// by-reference argument points at the caller's own variable, so what the callee writes there, or the array it
// redimensions or replaces, is what the caller continues with. None of them owns what it points at.
#include <oleauto.h>
#include <windows.h>

#include <cstdint>

#include "automation/automation_array.h"
#include "automation/variant_bool.h"

namespace orv::com {

namespace detail {
inline VARIANTARG argumentOf(VARTYPE type) {
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = type;
    return argument;
}
}  // namespace detail

inline VARIANTARG byRef(int32_t& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_I4);
    argument.plVal = reinterpret_cast<LONG*>(&value);
    return argument;
}

inline VARIANTARG byRef(int16_t& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_I2);
    argument.piVal = &value;
    return argument;
}

inline VARIANTARG byRef(double& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_R8);
    argument.pdblVal = &value;
    return argument;
}

inline VARIANTARG byRef(BSTR& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_BSTR);
    argument.pbstrVal = &value;
    return argument;
}

inline VARIANTARG byRef(IDispatch*& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_DISPATCH);
    argument.ppdispVal = &value;
    return argument;
}

// A separate name: VariantBool is the same type as a 16-bit integer.
inline VARIANTARG byRefBool(automation::VariantBool& value) {
    VARIANTARG argument = detail::argumentOf(VT_BYREF | VT_BOOL);
    argument.pboolVal = &value;
    return argument;
}

template <class T>
VARIANTARG byRef(automation::Array<T>& array) {
    VARIANTARG argument =
        detail::argumentOf(VT_BYREF | VT_ARRAY | static_cast<VARTYPE>(automation::Array<T>::kType));
    argument.pparray = reinterpret_cast<SAFEARRAY**>(array.address());
    return argument;
}

inline VARIANTARG byValue(BSTR value) {
    VARIANTARG argument = detail::argumentOf(VT_BSTR);
    argument.bstrVal = value;
    return argument;
}

inline VARIANTARG byValue(int32_t value) {
    VARIANTARG argument = detail::argumentOf(VT_I4);
    argument.lVal = value;
    return argument;
}

}  // namespace orv::com
