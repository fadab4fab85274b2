#include "ui/win32/command_button_view.h"

#include "ui/win32/unique_handle.h"
#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

namespace {

// A colour value with the top bit set names a system colour, as the platform's controls take it.
COLORREF colorOf(int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    if ((bits & 0x80000000u) != 0) return GetSysColor(static_cast<int>(bits & 0xFFu));
    return bits & 0x00FFFFFFu;
}

}  // namespace

CommandButtonView::CommandButtonView(FormWindow& owner, CommandButton& model)
    : ControlView(owner, model), button_(model) {
    create(L"BUTTON", WS_TABSTOP | (button_.graphical() ? BS_OWNERDRAW : BS_PUSHBUTTON), 0,
           button_.caption());
}

void CommandButtonView::update(Property property) {
    switch (property) {
        case Property::Caption:
            SetWindowTextW(hwnd(), wide(button_.caption()));
            break;
        case Property::BackColor:
            InvalidateRect(hwnd(), nullptr, TRUE);
            break;
        default:
            ControlView::update(property);
            break;
    }
}

void CommandButtonView::command(WORD code, WORD) {
    if (code == BN_CLICKED) button_.click();
}

bool CommandButtonView::drawItem(const DRAWITEMSTRUCT& item) {
    RECT face = item.rcItem;
    UniqueGdiObject brush(CreateSolidBrush(colorOf(button_.backColor())));
    FillRect(item.hDC, &face, static_cast<HBRUSH>(brush.get()));
    bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &face, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

}  // namespace orv::ui::win32
