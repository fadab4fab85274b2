#pragma once
// One-dimensional SAFEARRAYs as the component takes them: an owner for the arrays the host hands over, and
// readers for the arrays that arrive in events (which belong to the component).
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <utility>

namespace orv::host {

class SafeArray {
  public:
    SafeArray() = default;
    SafeArray(VARTYPE type, LONG lower, LONG upper)
        : array_(SafeArrayCreateVector(type, lower, static_cast<ULONG>(upper - lower + 1))) {}
    // Takes over an array someone else created.
    explicit SafeArray(SAFEARRAY* adopted) noexcept : array_(adopted) {}
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;
    SafeArray(SafeArray&& other) noexcept : array_(std::exchange(other.array_, nullptr)) {}
    ~SafeArray() {
        if (array_) SafeArrayDestroy(array_);
    }

    SAFEARRAY** address() noexcept { return &array_; }
    SAFEARRAY* get() const noexcept { return array_; }
    SAFEARRAY* release() noexcept { return std::exchange(array_, nullptr); }

  private:
    SAFEARRAY* array_ = nullptr;
};

// The bounds and elements of an array we may read but do not own.
struct ArrayView {
    SAFEARRAY* array = nullptr;
    LONG lower = 0, upper = -1;

    explicit ArrayView(SAFEARRAY* a) : array(a) {
        if (array && SafeArrayGetDim(array) == 1) {
            SafeArrayGetLBound(array, 1, &lower);
            SafeArrayGetUBound(array, 1, &upper);
        } else {
            array = nullptr;
        }
    }
    bool has(LONG index) const { return array && index >= lower && index <= upper; }
    template <class T>
    T& at(LONG index) const {
        return static_cast<T*>(array->pvData)[index - lower];
    }
    std::wstring text(LONG index) const {
        BSTR value = at<BSTR>(index);
        return value ? std::wstring(value, SysStringLen(value)) : std::wstring();
    }
};

inline void setText(SAFEARRAY* array, LONG lower, LONG index, const std::wstring& text) {
    static_cast<BSTR*>(array->pvData)[index - lower] =
        SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

}  // namespace orv::host
