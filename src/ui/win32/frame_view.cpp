#include "ui/win32/frame_view.h"

#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

FrameView::FrameView(FormWindow& owner, Frame& model) : ControlView(owner, model), frame_(model) {
    create(L"BUTTON", BS_GROUPBOX, 0, frame_.caption());
    SetWindowSubclass(hwnd(), &FrameView::procedure, 1, 0);
}

FrameView::~FrameView() {
    if (hwnd() != nullptr) RemoveWindowSubclass(hwnd(), &FrameView::procedure, 1);
}

void FrameView::forgetWindow() {
    if (hwnd() != nullptr) RemoveWindowSubclass(hwnd(), &FrameView::procedure, 1);
    ControlView::forgetWindow();
}

LRESULT CALLBACK FrameView::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR) noexcept {
    if (message == WM_ERASEBKGND) {
        RECT inside;
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void FrameView::update(Property property) {
    if (property == Property::Caption) {
        SetWindowTextW(hwnd(), wide(frame_.caption()));
        InvalidateRect(hwnd(), nullptr, TRUE);
        return;
    }
    ControlView::update(property);
}

}  // namespace orv::ui::win32
