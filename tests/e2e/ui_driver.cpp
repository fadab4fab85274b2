#include "ui_driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>

namespace orv::e2e {

std::string narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

namespace {

struct Search {
    std::wstring caption;
    HWND found = nullptr;
};

bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::wstring classOf(HWND window) {
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

bool ourVisible(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() && IsWindowVisible(window);
}

BOOL CALLBACK findCaption(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (!ourVisible(window)) return TRUE;
    wchar_t text[512];
    GetWindowTextW(window, text, 512);
    if (search.caption != text) return TRUE;
    search.found = window;
    return FALSE;
}

struct ChildQuery {
    HWND parent;
    std::wstring prefix, text;
    std::vector<HWND> found;
};

BOOL CALLBACK findChild(HWND window, LPARAM context) {
    auto& query = *reinterpret_cast<ChildQuery*>(context);
    if (GetParent(window) != query.parent) return TRUE;
    if (!startsWithNoCase(classOf(window), query.prefix)) return TRUE;
    if (!query.text.empty()) {
        wchar_t caption[512];
        GetWindowTextW(window, caption, 512);
        if (query.text != caption) return TRUE;
    }
    query.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK findTopLevel(HWND window, LPARAM context) {
    if (ourVisible(window) && GetWindow(window, GW_OWNER) == nullptr)
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

BOOL CALLBACK findOwnedDialog(HWND window, LPARAM context) {
    if (ourVisible(window) && GetWindow(window, GW_OWNER) != nullptr &&
        (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

UiDriver::UiDriver(Script script) : thread_([this, script = std::move(script)] { run(script); }) {}

UiDriver::~UiDriver() {
    if (thread_.joinable()) thread_.join();
}

const std::vector<std::string>& UiDriver::finish() {
    if (thread_.joinable()) thread_.join();
    return failures_;
}

void UiDriver::run(const Script& script) {
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    try {
        script(*this);
    } catch (const std::exception& error) {
        failures_.push_back(std::string("driver script stopped: ") + error.what());
    }
    closeEverything();
}

HWND UiDriver::waitForWindow(const std::wstring& caption, int timeoutMs) {
    Search search{caption};
    auto found = [&] {
        search.found = nullptr;
        EnumWindows(&findCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    if (!waitUntil(found, "a window captioned \"" + narrow(caption) + "\"", timeoutMs)) {
        throw std::runtime_error("no window \"" + narrow(caption) + "\"");
    }
    // Let it finish showing and painting before anyone types into it.
    settle(search.found);
    return search.found;
}

bool UiDriver::waitUntilGone(HWND window, int timeoutMs) {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "the window to close",
                     timeoutMs);
}

std::vector<HWND> UiDriver::children(HWND parent, const std::wstring& classPrefix, const std::wstring& text) {
    ChildQuery query{parent, classPrefix, text, {}};
    EnumChildWindows(parent, &findChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND UiDriver::child(HWND parent, const std::wstring& classPrefix, const std::wstring& text, size_t nth) {
    auto found = children(parent, classPrefix, text);
    if (nth >= found.size()) {
        throw std::runtime_error("no control " + narrow(classPrefix) + " \"" + narrow(text) + "\" #" +
                                 std::to_string(nth));
    }
    return found[nth];
}

std::vector<HWND> UiDriver::byPosition(std::vector<HWND> windows) {
    auto corner = [](HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return std::pair{rect.top, rect.left};
    };
    std::sort(windows.begin(), windows.end(), [&](HWND a, HWND b) { return corner(a) < corner(b); });
    return windows;
}

HWND UiDriver::focused(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

std::wstring UiDriver::text(HWND window) {
    wchar_t buffer[1024];
    int length = GetWindowTextW(window, buffer, 1024);
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

RECT UiDriver::rectIn(HWND child, HWND dialog) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void UiDriver::clickAt(HWND window, POINT client, bool right, bool twice) {
    ClientToScreen(window, &client);
    double width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>(client.x * 65535.0 / width);
    move.mi.dy = static_cast<LONG>(client.y * 65535.0 / height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
    pause(30);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT buttons[2] = {};
        buttons[0].type = buttons[1].type = INPUT_MOUSE;
        buttons[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        buttons[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        SendInput(2, buttons, sizeof(INPUT));
        pause(20);
    }
    pause(60);
}

void UiDriver::click(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    clickAt(window, POINT{rect.right / 2, rect.bottom / 2});
}

void UiDriver::clickCloseBox(HWND window) {
    // Found as the system finds it: the point of the caption bar that hit-tests as the close box.
    RECT frame;
    GetWindowRect(window, &frame);
    for (int y = frame.top + 2; y < frame.top + 40; y += 2) {
        for (int x = frame.right - 2; x > frame.right - 80; x -= 2) {
            LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit != HTCLOSE) continue;
            POINT at{x - 2, y + 2};
            ScreenToClient(window, &at);
            clickAt(window, at);
            return;
        }
    }
    failures_.push_back("no close box on the caption");
}

void UiDriver::press(WORD key, bool control, bool shift) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (vk == VK_INSERT || vk == VK_DELETE || vk == VK_HOME || vk == VK_END || vk == VK_PRIOR ||
            vk == VK_NEXT || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) {
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        }
        inputs.push_back(input);
    };
    if (control) add(VK_CONTROL, false);
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    if (control) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    pause(60);
}

void UiDriver::type(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = c;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        pause(15);
    }
    pause(60);
}

void UiDriver::pause(int ms) {
    Sleep(static_cast<DWORD>(ms));
}

bool UiDriver::waitUntil(const std::function<bool()>& condition, const std::string& what, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        pause(20);
    }
    if (condition()) return true;
    failures_.push_back("timed out waiting for " + what);
    return false;
}

void UiDriver::settle(HWND dialog) {
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        pause(40);
    }
}

void UiDriver::check(bool condition, const std::string& what) {
    if (!condition) failures_.push_back(what);
}

std::wstring UiDriver::clipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) pause(20);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* source = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = source;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

COLORREF UiDriver::pixelAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return color;
}

void UiDriver::screenshot(HWND window, const std::wstring& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + stride * static_cast<DWORD>(height);
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        fwrite(&header, sizeof(header), 1, file);
        fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file);
        fwrite(bits, stride, static_cast<size_t>(height), file);
        fclose(file);
    } else {
        failures_.push_back("cannot write " + narrow(path));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void UiDriver::closeEverything() {
    for (int round = 0; round < 100; ++round) {
        std::vector<HWND> open;
        EnumWindows(&findTopLevel, reinterpret_cast<LPARAM>(&open));
        // Owned windows (message boxes, the colour dialog) first: their owners are disabled until they go.
        std::vector<HWND> owned;
        EnumWindows(&findOwnedDialog, reinterpret_cast<LPARAM>(&owned));
        std::erase_if(
            open, [&](HWND window) { return std::find(keep_.begin(), keep_.end(), window) != keep_.end(); });
        if (open.empty() && owned.empty()) return;
        for (HWND window : owned.empty() ? open : owned) PostMessageW(window, WM_CLOSE, 0, 0);
        pause(100);
    }
    failures_.push_back("windows were still open at the end");
}

}  // namespace orv::e2e
