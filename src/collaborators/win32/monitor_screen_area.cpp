#include "collaborators/win32/monitor_screen_area.h"

#include <windows.h>

#include <shellscalingapi.h>

#include "ui/win32/visual_styles.h"

namespace orv::collaborators::win32 {

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM context) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    UINT dpiX = 96, dpiY = 96;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) dpiX = dpiY = GetDpiForSystem();
    double perPixel = 1440.0 / dpiX;
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<ScreenRect>*>(context)->push_back(
        ScreenRect{work.left * perPixel, work.top * perPixel, (work.right - work.left) * perPixel,
                   (work.bottom - work.top) * perPixel});
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> MonitorScreenArea::workAreas() const {
    ui::win32::DpiAwarenessScope physicalPixels;
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace orv::collaborators::win32
