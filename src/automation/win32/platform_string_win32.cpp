#include "automation/platform_string.h"

#include "automation/standard_errors.h"
#include "automation/win32/oleaut_interop.h"

namespace orv::automation {

RawString stringAllocate(TextView text) {
    // The platform keeps the byte count in 32 bits.
    if (text.size() >= 0x7FFFFFFFu / sizeof(OLECHAR)) raiseStandardError(error_number::kOutOfMemory);
    BSTR string =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (!string) raiseStandardError(error_number::kOutOfMemory);
    return fromBstr(string);
}

void stringFree(RawString string) noexcept {
    SysFreeString(toBstr(string));
}

uint32_t stringLength(const char16_t* string) noexcept {
    return SysStringLen(toBstr(const_cast<char16_t*>(string)));
}

}  // namespace orv::automation
