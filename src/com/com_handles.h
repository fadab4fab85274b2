#pragma once
// Owning wrappers for the platform handles of the COM edge; each release call appears once, here.
// windows.h first, in a block of its own: oleauto.h needs its types.
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <utility>

#include "automation/text.h"

namespace orv::com {

class UniqueBstr {
  public:
    UniqueBstr() noexcept = default;
    explicit UniqueBstr(const std::wstring& text)
        : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    // Our UTF-16 text and a BSTR hold the same code units.
    explicit UniqueBstr(automation::TextView text)
        : b_(SysAllocStringLen(reinterpret_cast<const wchar_t*>(text.data()),
                               static_cast<UINT>(text.size()))) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    ~UniqueBstr() { SysFreeString(b_); }

    BSTR* put() noexcept {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    BSTR get() const noexcept { return b_; }
    BSTR release() noexcept { return std::exchange(b_, nullptr); }
    std::wstring str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

  private:
    BSTR b_ = nullptr;
};

// A BSTR we do not own, as our text (empty for a null BSTR, which stands for "").
inline automation::Text textOf(BSTR text) {
    return text ? automation::Text(text, text + SysStringLen(text)) : automation::Text();
}

class UniqueVariant {
  public:
    UniqueVariant() noexcept { VariantInit(&v_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&v_); }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARIANT* operator->() noexcept { return &v_; }

  private:
    VARIANT v_;
};

class UniqueHkey {
  public:
    UniqueHkey() noexcept = default;
    UniqueHkey(const UniqueHkey&) = delete;
    UniqueHkey& operator=(const UniqueHkey&) = delete;
    UniqueHkey(UniqueHkey&& other) noexcept : k_(std::exchange(other.k_, nullptr)) {}
    UniqueHkey& operator=(UniqueHkey&& other) noexcept {
        std::swap(k_, other.k_);
        return *this;
    }
    ~UniqueHkey() {
        if (k_) RegCloseKey(k_);
    }

    HKEY* put() noexcept {
        if (HKEY old = std::exchange(k_, nullptr)) RegCloseKey(old);
        return &k_;
    }
    HKEY get() const noexcept { return k_; }
    explicit operator bool() const noexcept { return k_ != nullptr; }

  private:
    HKEY k_ = nullptr;
};

}  // namespace orv::com
