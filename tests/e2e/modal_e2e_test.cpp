// Modal shows as a host sees them: its own window is disabled while a dialog is up and active again
// afterwards, and a dialog opened from a host handler while another one is up nests inside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";
const std::wstring kEditorCaption = L"Editor de polilíneas:";

HWND activeWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndActive;
}

TEST(ModalShow, TheHostIsDisabledWhileADialogIsUpAndADialogOpenedFromAHandlerNestsInsideTheOpenOne) {
    HWND hostWindow = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300,
                                      200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hostWindow, nullptr);
    SetActiveWindow(hostWindow);
    WindowsHost host{test::sampleDrawing(10, 5)};
    std::atomic<bool> armed = false, nested = false;
    host.onEnfocaPuntito = [&](int32_t&, int32_t&) {
        if (!armed || nested) return;
        nested = true;
        host.open(0);
    };
    bool hostDisabled = false, editorDisabled = false, editorBack = false;
    UiDriver driver([&](UiDriver& ui) {
        ui.leaveOpen(hostWindow);
        HWND editor = ui.waitForWindow(kEditorCaption);
        hostDisabled = !IsWindowEnabled(hostWindow);
        HWND grid = ui.child(editor, L"Orv_Pol_edit.Grid");
        ui.clickAt(grid, POINT{4, 4});
        ui.settle(editor);
        armed = true;
        ui.press(VK_DOWN);
        HWND focus = ui.waitForWindow(kFocusCaption);
        editorDisabled = !IsWindowEnabled(editor);
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(focus);
        ui.settle(editor);
        editorBack = IsWindowEnabled(editor) && activeWindowOf(editor) == editor;
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(editor);
    });
    host.open(1);
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(nested);
    EXPECT_TRUE(editorDisabled);
    EXPECT_TRUE(editorBack);
    EXPECT_TRUE(IsWindowEnabled(hostWindow));
    EXPECT_EQ(GetActiveWindow(), hostWindow);
    DestroyWindow(hostWindow);
    Events events = host.events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "CancelarEnfoca()"), 3)
        << ::testing::PrintToString(events);
}

}  // namespace
}  // namespace orv::e2e
