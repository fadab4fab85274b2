#include "ui/win32/label_view.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/win32/form_window.h"
#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

LabelView::LabelView(FormWindow& owner, Label& model) : ControlView(owner, model), label_(model) {
    create(L"STATIC", SS_OWNERDRAW, 0, label_.caption());
    // Measured again now that the window and its font exist.
    place();
}

void LabelView::dpiChanged() {
    ControlView::dpiChanged();
    place();
}

void LabelView::update(Property property) {
    if (property == Property::Caption) {
        SetWindowTextW(hwnd(), wide(label_.caption()));
        place();
        InvalidateRect(hwnd(), nullptr, TRUE);
        return;
    }
    ControlView::update(property);
}

bool LabelView::drawItem(const DRAWITEMSTRUCT& item) {
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(IsWindowEnabled(hwnd()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    HGDIOBJ previous = SelectObject(item.hDC, owner().font(label_.bold()));
    const Text& caption = label_.caption();
    DrawTextW(item.hDC, wide(caption), static_cast<int>(caption.size()), &box, DT_LEFT | DT_WORDBREAK);
    SelectObject(item.hDC, previous);
    return true;
}

RECT LabelView::placement() const {
    RECT at = ControlView::placement();
    if (hwnd() == nullptr) return at;
    HDC dc = GetDC(hwnd());
    HGDIOBJ previous = SelectObject(dc, owner().font(label_.bold()));
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide(label_.caption()), static_cast<int>(label_.caption().size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(hwnd(), dc);
    if (extent.cx <= at.right - at.left) return at;
    LONG limit;
    if (const Control* container = label_.parent()) {
        limit = owner().pixelRect(*container).right - owner().scale().scaled(4);
    } else {
        RECT client;
        GetClientRect(owner().hwnd(), &client);
        limit = client.right;
    }
    at.right = std::max(at.right, std::min<LONG>(at.left + extent.cx, limit));
    return at;
}

}  // namespace orv::ui::win32
