// The focus dialog in real windows: keyboard order, the arrows, typed numbers and names, zoom, capture, Esc
// and the close box, with what the host hears each time.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

// Point behind vertex i of polyline k in the sample drawing of 10 points.
int32_t pointOf(int32_t polyline, int32_t vertex) {
    return 1 + ((polyline - 1) * 3 + vertex - 1) % 10;
}

std::string puntito(int32_t point, int32_t polyline) {
    return concat("EnfocaPuntito(", point, ", ", polyline, ")");
}

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

// The two ">" (or "<") buttons: the polyline's first, the vertex's second.
std::vector<HWND> arrows(UiDriver& ui, HWND dialog, const wchar_t* caption) {
    auto found = ui.byPosition(ui.children(dialog, L"Button", caption));
    if (found.size() != 2) throw std::runtime_error("expected two arrow buttons");
    return found;
}

TEST(FocusDialogWindow, OpensOnCancelarTabFollowsTheKeyboardOrderAndEscClosesIt) {
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
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(dialog);
    });
    // Cancelar, Capturar, the polyline field, its ">" then "<", the vertex "<"; Shift+Tab goes back to ">".
    EXPECT_EQ(visited,
              (std::vector<std::wstring>{L"Cancelar", L"Capturar <<", L"1", L">", L"<", L"<", L"<"}));
    // "Cancelar" unloads the dialog (one Cancela) and raises Cancela once more.
    EXPECT_EQ(events, (Events{"CancelarEnfoca()", "CancelarEnfoca()"}));
}

// Consecutive repeats dropped: a vertex shown by an arrow is announced by the arrow and by the vertex field.
Events withoutRepeats(Events events) {
    events.erase(std::unique(events.begin(), events.end()), events.end());
    return events;
}

TEST(FocusDialogWindow, ArrowsStepVerticesAndPolylines) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    Events events = runFocusDialog(host, [&](UiDriver& ui, HWND dialog) {
        ui.click(arrows(ui, dialog, L">")[1]);
        ui.waitUntil([&] { return host.saw(puntito(pointOf(1, 2), 1)); }, "the next vertex");
        ui.click(arrows(ui, dialog, L"<")[1]);
        ui.waitUntil([&] { return host.saw(puntito(pointOf(1, 1), 1)); }, "the previous vertex");
        ui.click(arrows(ui, dialog, L"<")[1]);
        ui.waitUntil([&] { return host.saw(puntito(pointOf(1, 5), 1)); }, "the wrap to the last vertex");
        ui.click(arrows(ui, dialog, L">")[0]);
        ui.waitUntil([&] { return host.saw(puntito(pointOf(2, 1), 2)); }, "the next polyline");
        ui.settle(dialog);
        ui.press(VK_ESCAPE);
    });
    events = withoutRepeats(events);
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0], puntito(pointOf(1, 2), 1));
    EXPECT_EQ(events[1], puntito(pointOf(1, 1), 1));
    EXPECT_EQ(events[2], puntito(pointOf(1, 5), 1));
    // The next polyline is asked for and set up (newPolCambiala), then its first vertex is shown.
    EXPECT_EQ(events[3].rfind("newPolCambiala(2", 0), 0u) << events[3];
    auto shown = std::find(events.begin() + 4, events.end(), puntito(pointOf(2, 1), 2));
    ASSERT_NE(shown, events.end());
    EXPECT_EQ((shown - 1)->rfind("newPolCambiala(2, [4 5 6 7 8 9]", 0), 0u) << *(shown - 1);
    EXPECT_EQ(events.back(), "CancelarEnfoca()");
}

TEST(FocusDialogWindow, ZoomButtonsTypedVertexAndCaptureOfATypedName) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    Events events = runFocusDialog(host, [&](UiDriver& ui, HWND dialog) {
        ui.click(ui.child(dialog, L"Button", L"+"));
        ui.click(ui.child(dialog, L"Button", L"-"));
        ui.waitUntil([&] { return host.eventCount() >= 2; }, "two zoom requests");
        HWND vertexField = ui.byPosition(ui.children(dialog, L"Edit"))[1];
        ui.click(vertexField);
        ui.press(VK_HOME);
        ui.press(VK_END, false, true);
        ui.type(L"4");
        ui.waitUntil([&] { return host.saw(puntito(pointOf(1, 4), 1)); }, "vertex 4");
        // The name field is the one showing the point's name.
        HWND nameField = ui.child(dialog, L"Edit", L"P4");
        ui.click(nameField);
        ui.press(VK_END);
        ui.type(L"-bis");
        ui.click(ui.child(dialog, L"Button", L"Capturar <<"));
        ui.waitUntil([&] { return host.saw("EnfocaPol(4,"); }, "the capture");
        ui.press(VK_ESCAPE);
    });
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "Zoom(true, 1, 1)");
    EXPECT_EQ(events[1], "Zoom(false, 1, 1)");
    EXPECT_NE(std::find(events.begin(), events.end(), puntito(pointOf(1, 4), 1)), events.end());
    EXPECT_EQ(host.lastNameOf(4), u"P4-bis");
}

TEST(FocusDialogWindow, CloseBoxEndsTheDialogOnce) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    Events events = runFocusDialog(host, [&](UiDriver& ui, HWND dialog) {
        ui.clickCloseBox(dialog);
        ui.waitUntilGone(dialog);
    });
    // The close box unloads the dialog: one Cancela.
    EXPECT_EQ(events, (Events{"CancelarEnfoca()"}));
}

}  // namespace
}  // namespace orv::e2e
