#include "ui/win32/combo_box_view.h"

#include "ui/win32/form_window.h"
#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

namespace {
constexpr int kVisibleItems = 10;
}

ComboBoxView::ComboBoxView(FormWindow& owner, ComboBox& model) : ControlView(owner, model), combo_(model) {
    create(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, Text{});
    fillList();
    showSelection();
    showText();
}

RECT ComboBoxView::placement() const {
    RECT at = ControlView::placement();
    int item = hwnd() != nullptr ? static_cast<int>(SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0))
                                 : owner().scale().scaled(16);
    at.bottom += item * kVisibleItems + owner().scale().scaled(4);
    return at;
}

void ComboBoxView::fillList() {
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const Text& item : combo_.items()) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
    }
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ComboBoxView::showSelection() {
    auto shown = static_cast<int32_t>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    if (shown != combo_.listIndex())
        SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.listIndex()), 0);
}

void ComboBoxView::showText() {
    if (windowText(hwnd()) != combo_.text()) SetWindowTextW(hwnd(), wide(combo_.text()));
}

void ComboBoxView::update(Property property) {
    switch (property) {
        case Property::List:
            fillList();
            showSelection();
            showText();
            break;
        case Property::ListIndex:
            showSelection();
            showText();
            break;
        case Property::Text:
            showText();
            break;
        default:
            ControlView::update(property);
            break;
    }
}

void ComboBoxView::command(WORD code, WORD) {
    if (code == CBN_EDITCHANGE) {
        combo_.userTypes(windowText(hwnd()));
    } else if (code == CBN_SELCHANGE) {
        auto position = static_cast<int32_t>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
        if (position >= 0 && position != combo_.listIndex()) combo_.userSelects(position);
    }
}

bool ComboBoxView::wantsKey(const MSG& message) const {
    if (SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0) return message.wParam != VK_TAB;
    return ControlView::wantsKey(message);
}

void ComboBoxView::focusFromKeyboard() {
    SetFocus(hwnd());
    SendMessageW(hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

}  // namespace orv::ui::win32
