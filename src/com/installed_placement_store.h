#pragma once
// The installation's FormPlacementStore, by member name, handed the form as an automation object. Its
// failures are the caller's errors: once found, it is never replaced by the component's own store
// mid-session.
#include <windows.h>

#include <functional>
#include <memory>

#include "collaborators/form_placement_store.h"
#include "com/dispatch_object.h"

namespace orv::com {

class InstalledPlacementStore final : public collaborators::FormPlacementStore {
  public:
    using WindowOf = std::function<HWND(const ui::Form&)>;
    InstalledPlacementStore(std::unique_ptr<DispatchObject> installed, WindowOf windowOf)
        : installed_(std::move(installed)), windowOf_(std::move(windowOf)) {}

    void RestorePlacementAndSize(ui::Form& form, const collaborators::Text& section,
                                 const collaborators::Text& key, int32_t left, int32_t top, int32_t width,
                                 int32_t height) override;
    void RestorePlacement(ui::Form& form, const collaborators::Text& section,
                          const collaborators::Text& key) override;
    void StorePlacement(ui::Form& form, const collaborators::Text& section,
                        const collaborators::Text& key) override;

  private:
    // Calls the member with (form, section, key, extra...) all by reference.
    void call(const wchar_t* member, ui::Form& form, const collaborators::Text& section,
              const collaborators::Text& key, std::span<int32_t> extra);

    std::unique_ptr<DispatchObject> installed_;
    WindowOf windowOf_;
};

}  // namespace orv::com
