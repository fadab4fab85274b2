#pragma once
// The toolkit that renders forms into real windows on the calling (user-interface) thread.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/form_window.h"
#include "ui/win32/modal_scope.h"
#include "ui/win32/visual_styles.h"
#include "ui/win32/window_class.h"

namespace orv::ui::win32 {

class Win32Toolkit : public Toolkit {
  public:
    Win32Toolkit();
    ~Win32Toolkit() override;

    void load(Form& form) override;
    void showModal(Form& form) override;
    void hide(Form& form) override;
    void unload(Form& form) override;
    void yield() override;
    void yieldPerRow() override;
    void yieldWhenDue() override { yieldPerRow(); }
    int32_t messageBox(const Text& text, int32_t style, const Text& title) override;
    Text applicationTitle() const override;
    std::optional<automation::AutomationError> runGuarded(const std::function<void()>& handler) override;

    // The window of a loaded form, or null.
    FormWindow* windowOf(const Form& form) const;
    const wchar_t* formClassName() const { return formClass_.name(); }
    const wchar_t* gridClassName() const { return gridClass_.name(); }
    const VisualStyles& visualStyles() const { return styles_; }

  private:
    // Dialog keys first, then the usual translation and dispatch.
    void dispatch(MSG& message);
    void endModal(const Form& form);
    FormWindow* windowOf(HWND window) const;

    VisualStyles styles_;
    WindowClass formClass_;
    WindowClass gridClass_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    // Unloaded forms' window objects: kept until no handler of theirs can be running.
    std::vector<std::unique_ptr<FormWindow>> unloaded_;
    struct Modal {
        const Form* form;
        ModalScope* scope;
    };
    std::vector<Modal> modal_;
    static constexpr ULONGLONG kYieldInterval = 10;
    ULONGLONG lastLook_ = 0;
};

}  // namespace orv::ui::win32
