#include "ui/win32/message_fonts.h"

namespace orv::ui::win32 {

namespace {

LOGFONTW messageFont(unsigned dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return metrics.lfMessageFont;
    }
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(GetDpiForSystem()));
    return metrics.lfMessageFont;
}

}  // namespace

MessageFonts::MessageFonts(unsigned dpi) {
    LOGFONTW font = messageFont(dpi);
    normal_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    bold_.reset(CreateFontIndirectW(&font));
}

}  // namespace orv::ui::win32
