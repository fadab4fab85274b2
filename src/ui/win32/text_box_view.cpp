#include "ui/win32/text_box_view.h"

#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

TextBoxView::TextBoxView(FormWindow& owner, TextBox& model) : ControlView(owner, model), textBox_(model) {
    writing_ = true;
    create(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, textBox_.text());
    writing_ = false;
}

void TextBoxView::update(Property property) {
    if (property == Property::Text) {
        // The handler of the user's own typing may write the same text back: keep the caret where it is then.
        if (windowText(hwnd()) == textBox_.text()) return;
        writing_ = true;
        SetWindowTextW(hwnd(), wide(textBox_.text()));
        writing_ = false;
        return;
    }
    ControlView::update(property);
}

void TextBoxView::command(WORD code, WORD) {
    if (code == EN_CHANGE && !writing_) textBox_.userTypes(windowText(hwnd()));
}

void TextBoxView::focusFromKeyboard() {
    SetFocus(hwnd());
    SendMessageW(hwnd(), EM_SETSEL, 0, -1);
}

}  // namespace orv::ui::win32
