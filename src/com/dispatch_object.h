#pragma once
// A class of the installation driven late-bound, by member name, as its contract names the members.
#include <oaidl.h>

#include <map>
#include <memory>
#include <span>
#include <string>

#include "com/com_ptr.h"

namespace orv::com {

class DispatchObject {
  public:
    // A new instance of the class, or null when it is not registered or cannot be made.
    static std::unique_ptr<DispatchObject> create(const CLSID& clsid) noexcept;
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    // Calls a member with the arguments in their declared order (first argument first). A failure is thrown
    // as an AutomationError.
    void call(const wchar_t* member, WORD kind, std::span<VARIANTARG> arguments, VARIANT* result);
    void method(const wchar_t* member, std::span<VARIANTARG> arguments, VARIANT* result = nullptr) {
        call(member, DISPATCH_METHOD, arguments, result);
    }
    void put(const wchar_t* member, VARIANTARG value);
    void get(const wchar_t* member, VARIANT* result) { call(member, DISPATCH_PROPERTYGET, {}, result); }

    IDispatch* object() const noexcept { return object_.get(); }

  private:
    DISPID idOf(const wchar_t* member);

    ComPtr<IDispatch> object_;
    std::map<std::wstring, DISPID> ids_;
};

}  // namespace orv::com
