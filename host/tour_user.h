#pragma once
// The tour's user: finds this process's windows by caption and class and works them with real mouse and
// keyboard input (SendInput), from a thread of its own while the host's thread runs its message loops.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace orv::host {

class TourUser {
  public:
    HWND waitForWindow(const std::wstring& caption, int timeoutMs = 15000);
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
    bool waitUntilGone(HWND window);
    // Lets the window's thread handle what was sent so far.
    void settle(HWND window);

    // Children of `parent` whose class starts with `type`, with the given text when not empty, left to right
    // and then top to bottom.
    std::vector<HWND> children(HWND parent, const std::wstring& type, const std::wstring& text = L"");
    std::wstring text(HWND window);

    void clickAt(HWND window, POINT client);
    void click(HWND window);
    void press(WORD key, bool control = false);
    void type(const std::wstring& text);
};

}  // namespace orv::host
