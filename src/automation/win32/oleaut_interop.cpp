#include "automation/win32/oleaut_interop.h"

#include "automation/standard_errors.h"

namespace orv::automation {

void raiseForHresult(HRESULT result) {
    switch (result) {
        case E_INVALIDARG:
            raiseStandardError(error_number::kInvalidCall);
        case DISP_E_OVERFLOW:
            raiseStandardError(error_number::kOverflow);
        case E_OUTOFMEMORY:
            raiseStandardError(error_number::kOutOfMemory);
        case DISP_E_BADINDEX:
            raiseStandardError(error_number::kSubscriptOutOfRange);
        case DISP_E_ARRAYISLOCKED:
            raiseStandardError(error_number::kArrayLocked);
        case DISP_E_DIVBYZERO:
            raiseStandardError(error_number::kDivisionByZero);
        case DISP_E_TYPEMISMATCH:
            raiseStandardError(error_number::kTypeMismatch);
        default:
            raiseStandardError(static_cast<int32_t>(result));
    }
}

}  // namespace orv::automation
