#pragma once
// Our UTF-16 text and the wide strings of the Windows API are the same code units.
#include <windows.h>

#include "automation/text.h"

namespace orv::ui::win32 {

inline const wchar_t* wide(const automation::Text& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline automation::Text windowText(HWND window) {
    automation::Text text(static_cast<size_t>(GetWindowTextLengthW(window)), u'\0');
    if (!text.empty()) {
        int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                    static_cast<int>(text.size() + 1));
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    }
    return text;
}

}  // namespace orv::ui::win32
