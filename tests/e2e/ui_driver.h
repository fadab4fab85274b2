#pragma once
// A user at the keyboard and mouse, on a thread of its own, while the test's main thread sits in the dialog's
// modal loop: it finds windows by caption, class and keyboard order, sends real input (SendInput), waits for
// what it expects, and closes whatever is still open when its script ends so that the test can never hang.
#include <windows.h>

#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace orv::e2e {

class UiDriver {
  public:
    using Script = std::function<void(UiDriver&)>;
    explicit UiDriver(Script script);
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // Waits for the script to end; the failures it recorded.
    const std::vector<std::string>& finish();

    // --- Finding windows ---
    HWND waitForWindow(const std::wstring& caption, int timeoutMs = 10000);
    bool waitUntilGone(HWND window, int timeoutMs = 10000);
    // Children whose class starts with classPrefix (case-insensitive), in z-order; with text when not empty.
    std::vector<HWND> children(HWND parent, const std::wstring& classPrefix, const std::wstring& text = L"");
    HWND child(HWND parent, const std::wstring& classPrefix, const std::wstring& text = L"", size_t nth = 0);
    // Top to bottom, then left to right, as they stand on screen.
    std::vector<HWND> byPosition(std::vector<HWND> windows);
    HWND focused(HWND dialog);
    std::wstring text(HWND window);
    // A child's rectangle in its dialog's client area.
    RECT rectIn(HWND child, HWND dialog);

    // --- Input ---
    void clickAt(HWND window, POINT client, bool right = false, bool twice = false);
    void click(HWND window);
    // The close box on the caption bar, where the window manager or Wine draws it.
    void clickCloseBox(HWND window);
    void press(WORD key, bool control = false, bool shift = false);
    void type(const std::wstring& text);
    void pause(int ms);
    // Waits until the condition holds, polling; false (and a failure recorded) on timeout.
    bool waitUntil(const std::function<bool()>& condition, const std::string& what, int timeoutMs = 8000);
    // Waits until the dialog's thread has handled what was sent so far.
    void settle(HWND dialog);

    // --- Checks and evidence ---
    void check(bool condition, const std::string& what);
    std::wstring clipboardText();
    COLORREF pixelAt(HWND window, POINT client);
    // The window as it is on screen, as a BMP file.
    void screenshot(HWND window, const std::wstring& path);
    // A window of the test's own (a host window) that closeEverything leaves alone.
    void leaveOpen(HWND window) { keep_.push_back(window); }
    // Every visible top-level window of this process, closed (message boxes answered, dialogs by their close
    // box).
    void closeEverything();

  private:
    void run(const Script& script);

    std::vector<std::string> failures_;
    std::vector<HWND> keep_;
    std::thread thread_;
};

std::string narrow(const std::wstring& text);

// Text put together through a stream (GCC 12 warns wrongly about chains of string +).
template <class... Parts>
std::string concat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

}  // namespace orv::e2e
