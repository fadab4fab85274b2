#include "ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <fstream>

namespace orv::e2e {

std::string narrow(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::vector<std::wstring> runWithUser(const UiDriver::Script& user, const std::function<void()>& call) {
    UiDriver driver(user);
    call();
    driver.finish();
    for (const std::string& failure : driver.failures) ADD_FAILURE() << failure;
    return driver.boxes;
}

namespace {

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Visible top-level windows of this process.
BOOL CALLBACK collectTopLevel(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> topLevel() {
    std::vector<HWND> found;
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

UiDriver::UiDriver(Script script)
    : thread_([this, script = std::move(script)] {
          SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
          try {
              script(*this);
          } catch (const std::exception& error) {
              failures.push_back(std::string("driver script stopped: ") + error.what());
          }
          closeEverything();
      }) {}

HWND UiDriver::waitForWindow(const std::wstring& caption, int timeoutMs) {
    HWND found = nullptr;
    auto shown = [&] {
        for (HWND window : topLevel())
            if (text(window) == caption) found = window;
        return found != nullptr;
    };
    if (!waitUntil(shown, "a window captioned \"" + narrow(caption) + "\"", timeoutMs))
        throw std::runtime_error("no window \"" + narrow(caption) + "\"");
    // Let it finish showing and painting before anyone types into it.
    settle(found);
    return found;
}

bool UiDriver::waitUntilGone(HWND window, int timeoutMs) {
    // The user answers any box that stands in the way (they stay on record).
    return waitUntil([&] { return answerOpenBoxes(), !IsWindow(window) || !IsWindowVisible(window); },
                     "the window to close", timeoutMs);
}

std::vector<HWND> UiDriver::children(HWND parent, const std::wstring& kind, const std::wstring& text) {
    std::vector<HWND> found;
    for (HWND at = nullptr; (at = FindWindowExW(parent, at, nullptr, nullptr));)
        if (_wcsnicmp(classOf(at).c_str(), kind.c_str(), kind.size()) == 0 &&
            (text.empty() || this->text(at) == text))
            found.push_back(at);
    return found;
}

HWND UiDriver::child(HWND parent, const std::wstring& kind, const std::wstring& text) {
    const std::vector<HWND> found = children(parent, kind, text);
    if (found.empty()) throw std::runtime_error("no control " + narrow(kind) + " \"" + narrow(text) + "\"");
    return found[0];
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

std::wstring UiDriver::text(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

void UiDriver::clickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = static_cast<LONG>(client.x * 65535.0 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    inputs[0].mi.dy = static_cast<LONG>(client.y * 65535.0 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, inputs, sizeof(INPUT));
    pause(30);
    SendInput(2, inputs + 1, sizeof(INPUT));
    pause(80);
}

void UiDriver::click(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    clickAt(window, POINT{rect.right / 2, rect.bottom / 2});
}

void UiDriver::press(WORD key, bool control, bool shift) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
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

bool UiDriver::waitUntil(const std::function<bool()>& condition, const std::string& what, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (; !condition(); pause(20))
        if (std::chrono::steady_clock::now() > deadline)
            return check(false, "timed out waiting for " + what), false;
    return true;
}

void UiDriver::settle(HWND dialog) {
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        pause(40);
    }
}

std::size_t UiDriver::answerOpenBoxes() {
    std::size_t count = 0;
    for (HWND box : topLevel()) {
        if (classOf(box) != L"#32770" || !answered_.insert(box).second) continue;
        std::wstring message;
        bool critical = false;
        int buttons = 0;
        for (HWND at = nullptr; (at = FindWindowExW(box, at, nullptr, nullptr));) {
            const std::wstring kind = classOf(at);
            buttons += _wcsicmp(kind.c_str(), L"Button") == 0;
            if (_wcsicmp(kind.c_str(), L"Static") != 0) continue;
            if ((GetWindowLongW(at, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                critical = HICON(SendMessageW(at, STM_GETICON, 0, 0)) == LoadIconW(nullptr, IDI_HAND);
            else if (text(at).size() > message.size())
                message = text(at);
        }
        boxes.push_back(text(box) + L"|" + message + (critical ? L"|critical|" : L"|other|") +
                        std::to_wstring(buttons));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ++count;
    }
    return count;
}

void UiDriver::answerBoxes(std::size_t count, int timeoutMs) {
    std::size_t seen = 0;
    waitUntil([&] { return (seen += answerOpenBoxes()) >= count; }, concat(count, " boxes"), timeoutMs);
}

void UiDriver::check(bool condition, const std::string& what) {
    if (!condition) failures.push_back(what);
}

std::wstring UiDriver::clipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) pause(20);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

COLORREF UiDriver::pixelAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return color;
}

void UiDriver::screenshot(HWND window, const std::wstring& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    const DWORD size = static_cast<DWORD>((width * 3 + 3) & ~3) * static_cast<DWORD>(height);
    // The file header, then the bitmap's, then the rows bottom up.
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, headers + size, 0, 0, headers};
    BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string bytes(size, '\0');
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, height, bytes.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file)
        .write(reinterpret_cast<const char*>(&info), sizeof info);
    check(bool(out.write(bytes.data(), size)), "cannot write " + narrow(path));
}

// Owned windows (boxes, the colour dialog) first: their owners are disabled until they go. Done when three
// scans in a row find nothing (a closing dialog may still raise a box).
void UiDriver::closeEverything() {
    int quiet = 0;
    for (int round = 0; round < 100 && quiet < 3; ++round) {
        answerOpenBoxes();
        // Captioned owned windows first, then the unowned ones (not tooltips and the like).
        std::vector<HWND> owned = topLevel(), open = owned;
        std::erase_if(owned, [](HWND w) {
            return !GetWindow(w, GW_OWNER) || (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION) != WS_CAPTION;
        });
        std::erase_if(open, [&](HWND w) { return GetWindow(w, GW_OWNER) || w == keep_; });
        if (!owned.empty()) open = owned;
        quiet = open.empty() ? quiet + 1 : 0;
        for (HWND window : open) PostMessageW(window, WM_CLOSE, 0, 0);
        pause(100);
    }
    if (quiet < 3) failures.push_back("windows were still open at the end");
}

}  // namespace orv::e2e
