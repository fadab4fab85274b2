#include "ui/win32/frame_view.h"

#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

FrameView::FrameView(FormWindow& owner, Frame& model) : ControlView(owner, model), frame_(model) {
    create(L"BUTTON", BS_GROUPBOX, 0, frame_.caption());
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
