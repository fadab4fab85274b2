#include "com/dispatch_object.h"

#include <algorithm>
#include <vector>

#include "com/com_error.h"

namespace orv::com {

std::unique_ptr<DispatchObject> DispatchObject::create(const CLSID& clsid) noexcept try {
    ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                object.putVoid())))
        return nullptr;
    return std::make_unique<DispatchObject>(std::move(object));
} catch (...) {
    return nullptr;
}

DISPID DispatchObject::idOf(const wchar_t* member) {
    auto known = ids_.find(member);
    if (known != ids_.end()) return known->second;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        EXCEPINFO none = {};
        throw errorFromFailedCall(hr, none);
    }
    ids_.emplace(member, id);
    return id;
}

void DispatchObject::call(const wchar_t* member, WORD kind, std::span<VARIANTARG> arguments,
                          VARIANT* result) {
    const DISPID id = idOf(member);
    std::vector<VARIANTARG> reversed(arguments.rbegin(), arguments.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    EXCEPINFO info = {};
    UINT argumentError = 0;
    const HRESULT hr =
        object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, &info, &argumentError);
    if (FAILED(hr)) throw errorFromFailedCall(hr, info);
}

void DispatchObject::put(const wchar_t* member, VARIANTARG value) {
    call(member, DISPATCH_PROPERTYPUT, std::span<VARIANTARG>(&value, 1), nullptr);
}

}  // namespace orv::com
