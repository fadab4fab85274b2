#include "com/host_form.h"

#include <oleidl.h>

#include <memory>

#include "com/com_handles.h"

namespace orv::com {

bool HostForm::isForm() const {
    if (ComPtr<IOleWindow> window = object_.query<IOleWindow>(IID_IOleWindow)) {
        HWND handle = nullptr;
        if (SUCCEEDED(window->GetWindow(&handle))) return true;
    }
    LPOLESTR name = const_cast<LPOLESTR>(L"hWnd");
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS none = {};
    UniqueVariant result;
    return SUCCEEDED(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                     result.get(), nullptr, nullptr));
}

automation::ObjectRef hostObjectOf(IDispatch* object) {
    if (!object) return nullptr;
    return std::make_shared<HostForm>(object);
}

}  // namespace orv::com
