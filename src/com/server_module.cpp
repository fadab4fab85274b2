#include "com/server_module.h"

#include <oleauto.h>

#include <vector>

#include "automation/standard_errors.h"
#include "com/com_error.h"

namespace orv::com {

std::wstring ServerModule::path() const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(module_, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) automation::raiseStandardError(automation::error_number::kInvalidCall);
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

ComPtr<ITypeInfo> ServerModule::typeInfo(REFGUID guid) {
    std::lock_guard lock(mutex_);
    if (!typeLib_) {
        HRESULT hr = LoadTypeLibEx(path().c_str(), REGKIND_NONE, typeLib_.put());
        if (FAILED(hr)) throw automation::standardError(automation::error_number::kInvalidCall);
    }
    ComPtr<ITypeInfo> info;
    if (FAILED(typeLib_->GetTypeInfoOfGuid(guid, info.put())))
        throw automation::standardError(automation::error_number::kInvalidCall);
    return info;
}

ModuleEnvironment& ServerModule::environment() {
    std::lock_guard lock(mutex_);
    if (!environment_) environment_ = makeModuleEnvironment();
    return *environment_;
}

dialog::DialogServices& ServerModule::services() {
    return *environment().services;
}

dialog::DialogFactory* ServerModule::dialogFactory() {
    return environment().dialogs.get();
}

}  // namespace orv::com
