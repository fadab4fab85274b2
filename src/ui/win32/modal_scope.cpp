#include "ui/win32/modal_scope.h"

namespace orv::ui::win32 {

ModalScope::ModalScope(HWND dialog) : dialog_(dialog), previousActive_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
}

BOOL CALLBACK ModalScope::collect(HWND window, LPARAM context) noexcept {
    auto& self = *reinterpret_cast<ModalScope*>(context);
    // The dialog's own popups (its tooltips) stay as they are.
    if (window == self.dialog_ || GetWindow(window, GW_OWNER) == self.dialog_) return TRUE;
    if (IsWindowVisible(window) && IsWindowEnabled(window)) self.disabled_.push_back(window);
    return TRUE;
}

void ModalScope::end() {
    if (ended_) return;
    ended_ = true;
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    if (previousActive_ != nullptr && previousActive_ != dialog_ && IsWindow(previousActive_)) {
        SetActiveWindow(previousActive_);
    }
}

}  // namespace orv::ui::win32
