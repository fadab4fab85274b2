#pragma once
// A host's array seen as an automation Array for the length of one call, without a copy. The host keeps the
// SAFEARRAY: the borrow never frees, resizes or replaces it, and gives it up before it ends.
#include <oaidl.h>
#include <oleauto.h>

#include "automation/automation_array.h"
#include "automation/standard_errors.h"

namespace orv::com {

template <class T>
class BorrowedArray {
  public:
    // An array of another element type or shape is a type mismatch (error 13); the host's array is left
    // alone.
    explicit BorrowedArray(SAFEARRAY* array) {
        if (array) {
            VARTYPE type = VT_EMPTY;
            if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) ||
                type != static_cast<VARTYPE>(automation::Array<T>::kType))
                automation::raiseStandardError(automation::error_number::kTypeMismatch);
        }
        array_ = automation::Array<T>::adopt(reinterpret_cast<automation::RawArray*>(array));
    }
    BorrowedArray(const BorrowedArray&) = delete;
    BorrowedArray& operator=(const BorrowedArray&) = delete;
    ~BorrowedArray() { array_.release(); }

    automation::Array<T>& get() noexcept { return array_; }

  private:
    automation::Array<T> array_;
};

}  // namespace orv::com
