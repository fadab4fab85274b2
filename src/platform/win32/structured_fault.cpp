#include "platform/win32/structured_fault.h"

#include <windows.h>

#include <malloc.h>

#include "automation/standard_errors.h"

// The trampoline of the architecture (guarded_call.S): 1 when fn returned, 0 after a fault it stopped.
extern "C" int orv_guarded_call(void (*fn)(void*), void* context, orv::platform::StructuredFault* fault);

namespace orv::platform {
namespace {

automation::Text hexText(uint64_t value, int digits) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    automation::Text text = u"0x";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
    return text;
}

}  // namespace

bool callGuarded(void (*fn)(void*), void* context, StructuredFault& fault) noexcept {
    if (orv_guarded_call(fn, context, &fault) != 0) return true;
    // The overflow used up the guard page below the stack; without it the next overflow would end the process
    // with no exception at all.
    if (fault.code == static_cast<uint32_t>(STATUS_STACK_OVERFLOW)) _resetstkoflw();
    return false;
}

automation::AutomationError faultError(const StructuredFault& fault) {
    constexpr int kAddressDigits = 2 * sizeof(void*);
    const automation::Text description =
        automation::standardDescription(automation::error_number::kInternalError) + u" (excepción " +
        hexText(fault.code, 8) + u" en " +
        hexText(reinterpret_cast<uintptr_t>(fault.address), kAddressDigits) + u")";
    return automation::AutomationError(automation::error_number::kInternalError, description,
                                       automation::kComponentSource);
}

}  // namespace orv::platform
