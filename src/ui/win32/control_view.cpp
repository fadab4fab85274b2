#include "ui/win32/control_view.h"

#include "ui/win32/form_window.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

ControlView::ControlView(FormWindow& owner, Control& model) : owner_(owner), model_(model) {}

void ControlView::create(const wchar_t* className, DWORD style, DWORD exStyle, const Text& text,
                         void* parameter) {
    RECT at = placement();
    window_.reset(CreateWindowExW(exStyle, className, wide(text), WS_CHILD | WS_CLIPSIBLINGS | style, at.left,
                                  at.top, at.right - at.left, at.bottom - at.top, owner_.hwnd(), nullptr,
                                  moduleInstance(), parameter));
    applyFont();
    applyVisibility();
    EnableWindow(hwnd(), model_.enabled());
    owner_.setToolTip(hwnd(), model_.toolTip());
}

void ControlView::update(Property property) {
    switch (property) {
        case Property::Bounds:
            owner_.placeWithContents(model_);
            break;
        case Property::Visible:
            owner_.showWithContents(model_);
            break;
        case Property::Enabled:
            EnableWindow(hwnd(), model_.enabled());
            break;
        case Property::Font:
            applyFont();
            place();
            break;
        case Property::ToolTip:
            owner_.setToolTip(hwnd(), model_.toolTip());
            break;
        default:
            break;
    }
}

void ControlView::dpiChanged() {
    applyFont();
}

RECT ControlView::placement() const {
    return owner_.pixelRect(model_);
}

bool ControlView::wantsKey(const MSG& message) const {
    LRESULT code =
        SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    return (code & DLGC_WANTALLKEYS) != 0 || (message.wParam == VK_TAB && (code & DLGC_WANTTAB) != 0);
}

void ControlView::focusFromKeyboard() {
    SetFocus(hwnd());
}

void ControlView::place() {
    RECT at = placement();
    SetWindowPos(hwnd(), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlView::applyVisibility() {
    ShowWindow(hwnd(), owner_.effectivelyVisible(model_) ? SW_SHOWNA : SW_HIDE);
}

void ControlView::applyFont() {
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font(model_.bold())), TRUE);
}

}  // namespace orv::ui::win32
