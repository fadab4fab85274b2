#include "tour_user.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "drawing_file.h"

namespace orv::host {

namespace {

struct CaptionSearch {
    const std::wstring& caption;
    HWND found = nullptr;
};

BOOL CALLBACK findCaption(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<CaptionSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || search.caption != text) return TRUE;
    search.found = window;
    return FALSE;
}

struct ChildSearch {
    HWND parent;
    const std::wstring &type, &text;
    std::vector<HWND> found;
};

BOOL CALLBACK findChild(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ChildSearch*>(context);
    wchar_t type[128] = {}, text[256] = {};
    GetClassNameW(window, type, 128);
    GetWindowTextW(window, text, 256);
    if (_wcsnicmp(type, search.type.c_str(), search.type.size()) == 0 && IsWindowVisible(window) &&
        (search.text.empty() || search.text == text))
        search.found.push_back(window);
    return TRUE;
}

}  // namespace

HWND TourUser::waitForWindow(const std::wstring& caption, int timeoutMs) {
    CaptionSearch search{caption};
    const bool found = waitUntil(
        [&] {
            EnumWindows(&findCaption, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    if (!found) throw std::runtime_error("no window \"" + narrow(caption) + "\"");
    settle(search.found);
    return search.found;
}

bool TourUser::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(20);
    }
    return true;
}

bool TourUser::waitUntilGone(HWND window) {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

void TourUser::settle(HWND window) {
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        Sleep(40);
    }
}

std::vector<HWND> TourUser::children(HWND parent, const std::wstring& type, const std::wstring& text) {
    ChildSearch search{parent, type, text, {}};
    EnumChildWindows(parent, &findChild, reinterpret_cast<LPARAM>(&search));
    auto corner = [](HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return std::pair{rect.left, rect.top};
    };
    std::sort(search.found.begin(), search.found.end(),
              [&](HWND a, HWND b) { return corner(a) < corner(b); });
    return search.found;
}

std::wstring TourUser::text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

void TourUser::clickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    const double width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input[3] = {};
    for (INPUT& i : input) i.type = INPUT_MOUSE;
    input[0].mi.dx = static_cast<LONG>(client.x * 65535.0 / width);
    input[0].mi.dy = static_cast<LONG>(client.y * 65535.0 / height);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(30);
    SendInput(2, &input[1], sizeof(INPUT));
    Sleep(80);
}

void TourUser::click(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    clickAt(window, POINT{rect.right / 2, rect.bottom / 2});
}

void TourUser::press(WORD key, bool control) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags =
            (up ? KEYEVENTF_KEYUP : 0) |
            (vk == VK_HOME || vk == VK_END || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN
                 ? KEYEVENTF_EXTENDEDKEY
                 : 0);
        inputs.push_back(input);
    };
    if (control) add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (control) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(60);
}

void TourUser::type(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = c;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(15);
    }
    Sleep(60);
}

}  // namespace orv::host
