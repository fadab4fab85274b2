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
    // An array of another element type or shape is not borrowed: the borrow stays empty and fits() says
    // so, for the caller to report as a type mismatch (error 13). The host's array is left alone.
    explicit BorrowedArray(SAFEARRAY* array) {
        if (array) {
            VARTYPE type = VT_EMPTY;
            fits_ = SafeArrayGetDim(array) == 1 && SUCCEEDED(SafeArrayGetVartype(array, &type)) &&
                    type == static_cast<VARTYPE>(automation::Array<T>::kType);
        }
        if (fits_) array_ = automation::Array<T>::adopt(reinterpret_cast<automation::RawArray*>(array));
    }
    BorrowedArray(const BorrowedArray&) = delete;
    BorrowedArray& operator=(const BorrowedArray&) = delete;
    ~BorrowedArray() { array_.release(); }

    automation::Array<T>& get() noexcept { return array_; }
    bool fits() const noexcept { return fits_; }

  private:
    automation::Array<T> array_;
    bool fits_ = true;
};

}  // namespace orv::com
