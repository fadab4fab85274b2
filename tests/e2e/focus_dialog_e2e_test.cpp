#include <gtest/gtest.h>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

// Point behind vertex i of polyline k in the sample drawing.
[[maybe_unused]] int32_t pointOf(int32_t polyline, int32_t vertex, int32_t points = 10) {
    return 1 + ((polyline - 1) * 3 + vertex - 1) % points;
}

void expectNoFailures(UiDriver& driver) {
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
}

TEST(FocusDialogWindow, OpensOnCancelarAndEscCloses) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(kFocusCaption);
        HWND cancel = ui.child(dialog, L"Button", L"Cancelar");
        ui.check(ui.focused(dialog) == cancel, "the focus starts on Cancelar");
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(dialog);
    });
    host.open(0);
    expectNoFailures(driver);
    auto events = host.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "newPolCambiala(1, [1 2 3 4 5], 1, 3, " + std::to_string(test::sampleColour(1)) + ")");
    EXPECT_EQ(events.at(1), "EnfocaPuntito(1, 1)");
    EXPECT_EQ(events.back(), "CancelarEnfoca()");
}

}  // namespace
}  // namespace orv::e2e
