// The grid keeps every key typed while the table's events run: two cells typed quickly, while a slow host
// handler lets messages run in the middle of the first commit, both reach the table and the host, in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

TEST(GridInput, CellsTypedWhileAHostHandlerLetsMessagesRunAreAllTakenInOrder) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    // A host that centres its view slowly and lets its own messages run meanwhile.
    host.onEnfocaPuntito = [](int32_t&, int32_t&) {
        Sleep(300);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    };
    auto commits = [&] {
        Events events = host.events();
        return std::count_if(events.begin(), events.end(),
                             [](const std::string& e) { return e.rfind("EnfocaPol(", 0) == 0; });
    };
    std::wstring table;
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(L"Editor de polilíneas:");
        ui.waitUntil([&] { return host.eventCount() >= 2; }, "the set-up's events");
        HWND grid = ui.child(dialog, L"Orv_Pol_edit.Grid");
        ui.clickAt(grid, POINT{4, 4});
        ui.press(VK_HOME, true);
        ui.press(VK_RIGHT);  // the name column of row 1
        ui.settle(dialog);
        host.clearEvents();
        ui.type(L"12");
        ui.press(VK_RETURN);
        ui.type(L"34");
        ui.press(VK_RETURN);
        ui.waitUntil([&] { return commits() >= 2; }, "both commits", 15000);
        ui.settle(dialog);
        ui.press('A', true);
        ui.press('C', true);
        ui.settle(dialog);
        table = ui.clipboardText();
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(dialog);
    });
    host.open(1);
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    EXPECT_EQ(commits(), 2);
    EXPECT_EQ(host.lastNameOf(1), u"12");
    EXPECT_EQ(host.lastNameOf(2), u"34");
    std::wistringstream rows(table);
    std::wstring first, second;
    std::getline(rows, first);
    std::getline(rows, second);
    EXPECT_EQ(first.substr(0, 5), L"1\t12\t");
    EXPECT_EQ(second.substr(0, 5), L"2\t34\t");
}

}  // namespace
}  // namespace orv::e2e
