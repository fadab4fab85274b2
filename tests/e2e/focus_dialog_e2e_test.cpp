// The focus dialog in real windows: keyboard order, typed numbers and names, Esc, with what the host hears.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

// Runs the script against the focus dialog opened on the sample drawing; the host's events after the set-up.
Events runFocusDialog(WindowsHost& host, const std::function<void(UiDriver&, HWND)>& script) {
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(kFocusCaption);
        ui.waitUntil([&] { return host.eventCount() >= 2; }, "the set-up's events");
        host.clearEvents();
        script(ui, dialog);
    });
    host.open(0);
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    return host.events();
}

// The arrows, zoom buttons and capture by mouse are the COM suite's tour; here the keyboard and typing.
TEST(FocusDialogWindow, TabFollowsTheKeyboardOrderTypedFieldsReachTheHostAndEscCloses) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    std::vector<std::wstring> visited;
    const Events events = runFocusDialog(host, [&](UiDriver& ui, HWND dialog) {
        for (int i = 0; i < 5; ++i) {
            visited.push_back(ui.text(ui.focused(dialog)));
            ui.press(VK_TAB);
        }
        visited.push_back(ui.text(ui.focused(dialog)));
        ui.press(VK_TAB, false, true);
        visited.push_back(ui.text(ui.focused(dialog)));
        HWND vertexField = ui.byPosition(ui.children(dialog, L"Edit"))[1];
        ui.click(vertexField);
        ui.press(VK_HOME);
        ui.press(VK_END, false, true);
        ui.type(L"4");
        ui.waitUntil([&] { return host.saw("EnfocaPuntito(4, 1)"); }, "vertex 4");
        // The name field is the one showing the point's name.
        ui.click(ui.child(dialog, L"Edit", L"P4"));
        ui.press(VK_END);
        ui.type(L"-bis");
        ui.click(ui.child(dialog, L"Button", L"Capturar <<"));
        ui.waitUntil([&] { return host.saw("EnfocaPol(4,"); }, "the capture");
        host.clearEvents();
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(dialog);
    });
    // Cancelar, Capturar, the polyline field, its ">" then "<", the vertex "<"; Shift+Tab goes back to ">".
    EXPECT_EQ(visited,
              (std::vector<std::wstring>{L"Cancelar", L"Capturar <<", L"1", L">", L"<", L"<", L"<"}));
    EXPECT_EQ(host.lastNameOf(4), u"P4-bis");
    // Esc presses "Cancelar": it unloads the dialog (one Cancela) and raises Cancela once more.
    EXPECT_EQ(events, (Events{"CancelarEnfoca()", "CancelarEnfoca()"}));
}

}  // namespace
}  // namespace orv::e2e
