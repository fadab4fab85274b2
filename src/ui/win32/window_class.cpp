#include "ui/win32/window_class.h"

#include <cwchar>

#include "ui/win32/module_instance.h"

namespace orv::ui::win32 {

WindowClass::WindowClass(const wchar_t* baseName, const void* owner, WNDPROC procedure, UINT style,
                         HBRUSH background) {
    wchar_t suffix[32];
    std::swprintf(suffix, 32, L".%p", owner);
    name_ = std::wstring(baseName) + suffix;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = moduleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name_.c_str();
    registered_ = RegisterClassExW(&windowClass) != 0;
}

WindowClass::~WindowClass() {
    if (registered_) UnregisterClassW(name_.c_str(), moduleInstance());
}

}  // namespace orv::ui::win32
