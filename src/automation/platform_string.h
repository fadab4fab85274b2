#pragma once
// Length-prefixed UTF-16 strings: oleaut32's BSTR on Windows, a layer of our own with the same behaviour
// elsewhere. A null RawString is the empty string.
#include <cstdint>

#include "automation/text.h"

namespace orv::automation {

using RawString = char16_t*;  // BSTR on Windows (wchar_t is 16 bits there)

RawString stringAllocate(TextView text);  // error 7 when memory runs out
void stringFree(RawString string) noexcept;
uint32_t stringLength(const char16_t* string) noexcept;  // in UTF-16 units; 0 for null
inline TextView stringView(const char16_t* string) noexcept {
    return string ? TextView(string, stringLength(string)) : TextView();
}

}  // namespace orv::automation
