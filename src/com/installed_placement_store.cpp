#include "com/installed_placement_store.h"

#include <vector>

#include "com/com_handles.h"
#include "com/form_automation.h"
#include "com/variant_arguments.h"

namespace orv::com {
namespace {

// Ends the form object's service when the call is over, whoever still holds it.
class FormLease {
  public:
    FormLease(ui::Form& form, HWND window) : object_(new FormAutomation(form, window)) {}
    FormLease(const FormLease&) = delete;
    FormLease& operator=(const FormLease&) = delete;
    ~FormLease() {
        object_->detach();
        object_->Release();
    }
    IDispatch* object() const { return object_; }

  private:
    FormAutomation* object_;
};

}  // namespace

void InstalledPlacementStore::call(const wchar_t* member, ui::Form& form, const collaborators::Text& section,
                                   const collaborators::Text& key, std::span<int32_t> extra) {
    FormLease lease(form, windowOf_ ? windowOf_(form) : nullptr);
    IDispatch* formObject = lease.object();
    UniqueBstr sectionText(section), keyText(key);
    BSTR sectionValue = sectionText.get(), keyValue = keyText.get();
    // The store may replace the strings it is handed by reference, failing or not: they are its to free then.
    struct Reclaim {
        UniqueBstr& text;
        BSTR& value;
        ~Reclaim() {
            if (value != text.get()) text.release(), *text.put() = value;
        }
    } reclaimSection{sectionText, sectionValue}, reclaimKey{keyText, keyValue};
    std::vector<VARIANTARG> arguments = {byRef(formObject), byRef(sectionValue), byRef(keyValue)};
    for (int32_t& value : extra) arguments.push_back(byRef(value));
    installed_->method(member, arguments);
}

void InstalledPlacementStore::RestorePlacementAndSize(ui::Form& form, const collaborators::Text& section,
                                                      const collaborators::Text& key, int32_t left,
                                                      int32_t top, int32_t width, int32_t height) {
    int32_t extra[] = {left, top, width, height};
    call(L"RestorePlacementAndSize", form, section, key, extra);
}

void InstalledPlacementStore::RestorePlacement(ui::Form& form, const collaborators::Text& section,
                                               const collaborators::Text& key) {
    call(L"RestorePlacement", form, section, key, {});
}

void InstalledPlacementStore::StorePlacement(ui::Form& form, const collaborators::Text& section,
                                             const collaborators::Text& key) {
    call(L"StorePlacement", form, section, key, {});
}

}  // namespace orv::com
