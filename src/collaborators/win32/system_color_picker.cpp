#include "collaborators/win32/system_color_picker.h"

#include <commdlg.h>

#include <optional>

#include "ui/win32/visual_styles.h"
#include "ui/win32/wide_text.h"

namespace orv::collaborators::win32 {

namespace {

UINT_PTR CALLBACK captionHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        const auto& request = *reinterpret_cast<const CHOOSECOLORW*>(lParam);
        const auto& title = *reinterpret_cast<const Text*>(request.lCustData);
        if (!title.empty()) SetWindowTextW(dialog, ui::win32::wide(title));
    }
    return 0;
}

}  // namespace

void SystemColorPicker::InitialColor(const Text& decimalDigits) {
    // Decimal digits with an optional sign, as the editor writes a colour value; anything else starts from
    // black.
    int64_t value = 0;
    size_t i = 0;
    bool negative = i < decimalDigits.size() && decimalDigits[i] == u'-';
    if (negative) ++i;
    for (; i < decimalDigits.size() && decimalDigits[i] >= u'0' && decimalDigits[i] <= u'9'; ++i) {
        value = value * 10 + (decimalDigits[i] - u'0');
        if (value > 0xFFFFFFFFll) break;
    }
    initial_ = static_cast<int32_t>(static_cast<uint32_t>(negative ? -value : value));
    chosen_ = initial_;
}

void SystemColorPicker::ShowPicker() {
    std::optional<ui::win32::VisualStyles::Scope> styles;
    if (styles_ != nullptr) styles.emplace(styles_->context());
    ui::win32::DpiAwarenessScope dpi;
    CHOOSECOLORW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = GetActiveWindow();
    request.rgbResult = static_cast<COLORREF>(initial_) & 0x00FFFFFFu;
    request.lpCustColors = custom_;
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    request.lCustData = reinterpret_cast<LPARAM>(&title_);
    request.lpfnHook = &captionHook;
    chosen_ = initial_;
    if (ChooseColorW(&request)) chosen_ = static_cast<int32_t>(request.rgbResult);
}

}  // namespace orv::collaborators::win32
