#pragma once
// A user at the keyboard and mouse, on a thread of its own, while the test's main thread sits in the dialog's
// modal loop: it finds windows by caption and class, sends real input (SendInput), waits for what it expects,
// reads and answers message boxes, and closes whatever is still open when its script ends so that the test
// can never hang.
#include <windows.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace orv::e2e {

class UiDriver {
  public:
    using Script = std::function<void(UiDriver&)>;
    explicit UiDriver(Script script);
    ~UiDriver() { finish(); }
    // Waits for the script to end.
    void finish() {
        if (thread_.joinable()) thread_.join();
    }

    HWND waitForWindow(const std::wstring& caption, int timeoutMs = 10000);
    bool waitUntilGone(HWND window, int timeoutMs = 10000);
    // Direct children whose class starts with `kind` (any case), with that text when one is given.
    std::vector<HWND> children(HWND parent, const std::wstring& kind, const std::wstring& text = L"");
    HWND child(HWND parent, const std::wstring& kind, const std::wstring& text = L"");
    // Top to bottom, then left to right, as they stand on screen.
    std::vector<HWND> byPosition(std::vector<HWND> windows);
    std::wstring text(HWND window);

    void clickAt(HWND window, POINT client);
    void click(HWND window);
    void press(WORD key, bool control = false, bool shift = false);
    void type(const std::wstring& text);
    void pause(int ms) { Sleep(static_cast<DWORD>(ms)); }
    // Polls the condition; false (and a failure recorded) on timeout.
    bool waitUntil(const std::function<bool()>& condition, const std::string& what, int timeoutMs = 8000);
    // Waits until the dialog's thread has handled what was sent so far.
    void settle(HWND dialog);
    // Answers message boxes with OK until `count` more have been seen or the time runs out.
    void answerBoxes(std::size_t count, int timeoutMs = 10000);

    void check(bool condition, const std::string& what);
    std::wstring clipboardText();
    COLORREF pixelAt(HWND window, POINT client);
    // The window as it is on screen, as a BMP file.
    void screenshot(HWND window, const std::wstring& path);
    // A window of the test's own that is not closed at the end.
    void leaveOpen(HWND window) { keep_ = window; }

    // Every box answered, also those closed at the end: "title|text|critical or other|buttons".
    std::vector<std::wstring> boxes;
    std::vector<std::string> failures;

  private:
    std::size_t answerOpenBoxes();
    void closeEverything();

    std::set<HWND> answered_;
    HWND keep_ = nullptr;
    std::thread thread_;
};

// The host's call on this thread while the user works the dialog it opens; the user's failures are the
// test's. Returns the boxes the user answered (read once the script has ended: no lock needed).
std::vector<std::wstring> runWithUser(const UiDriver::Script& user, const std::function<void()>& call);

std::string narrow(const std::wstring& text);

// Text put together through a stream (GCC 12 warns wrongly about chains of string +).
template <class... Parts>
std::string concat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

}  // namespace orv::e2e
