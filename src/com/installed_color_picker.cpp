#include "com/installed_color_picker.h"

#include "automation/standard_errors.h"
#include "com/com_handles.h"
#include "com/variant_arguments.h"

namespace orv::com {
namespace {

// The writable properties of the object's interface in declared order, without Title and InitialColor.
std::vector<std::wstring> settingNames(IDispatch* object) {
    std::vector<std::wstring> names;
    ComPtr<ITypeInfo> info;
    if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) || !info) return names;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return names;
    WORD functions = attributes->cFuncs;
    const bool coclass = attributes->typekind == TKIND_COCLASS;
    info->ReleaseTypeAttr(attributes);
    // Some objects describe themselves by their class: its first interface is the one they implement.
    if (coclass) {
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> implemented;
        if (FAILED(info->GetRefTypeOfImplType(0, &reference)) ||
            FAILED(info->GetRefTypeInfo(reference, implemented.put())) ||
            FAILED(implemented->GetTypeAttr(&attributes)))
            return names;
        functions = attributes->cFuncs;
        implemented->ReleaseTypeAttr(attributes);
        info = implemented;
    }
    for (WORD i = 0; i < functions && names.size() < 3; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        const bool writable =
            function->invkind == INVOKE_PROPERTYPUT || function->invkind == INVOKE_PROPERTYPUTREF;
        const MEMBERID id = function->memid;
        info->ReleaseFuncDesc(function);
        if (!writable) continue;
        UniqueBstr name;
        if (FAILED(info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr))) continue;
        const std::wstring text = name.str();
        if (text != L"Title" && text != L"InitialColor") names.push_back(text);
    }
    return names;
}

}  // namespace

InstalledColorPicker::InstalledColorPicker(std::unique_ptr<DispatchObject> installed)
    : installed_(std::move(installed)), settings_(settingNames(installed_->object())) {}

void InstalledColorPicker::putText(const wchar_t* member, const collaborators::Text& text) {
    UniqueBstr value(text);
    installed_->put(member, byValue(value.get()));
}

void InstalledColorPicker::Title(const collaborators::Text& title) {
    putText(L"Title", title);
}

void InstalledColorPicker::InitialColor(const collaborators::Text& decimalDigits) {
    putText(L"InitialColor", decimalDigits);
}

void InstalledColorPicker::setting(size_t index, int32_t value) {
    if (index >= settings_.size()) return;
    installed_->put(settings_[index].c_str(), byValue(value));
}

int32_t InstalledColorPicker::ChosenColor() {
    UniqueVariant result;
    installed_->get(L"ChosenColor", result.get());
    if (FAILED(VariantChangeType(result.get(), result.get(), 0, VT_I4)))
        automation::raiseStandardError(automation::error_number::kTypeMismatch);
    return result->lVal;
}

void InstalledColorPicker::ShowPicker() {
    installed_->method(L"ShowPicker", {});
}

}  // namespace orv::com
