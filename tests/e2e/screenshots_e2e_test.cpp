// Pictures of both dialogs as a user sees them, at the DPI of the run, for the README (ORV_SCREENSHOT_DIR
// names the folder; without it nothing is written).
#include <gtest/gtest.h>

#include <cstdlib>

#include "survey_drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

std::wstring screenshotPath(const std::wstring& name) {
    const wchar_t* folder = _wgetenv(L"ORV_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == 0) return {};
    return std::wstring(folder) + L"\\" + name + L"_" + std::to_wstring(GetDpiForSystem()) + L"dpi.bmp";
}

TEST(DialogScreenshots, FocusDialogAndEditorOnASurvey) {
    for (int16_t tipo : {int16_t{0}, int16_t{1}}) {
        WindowsHost host{surveyDrawing()};
        UiDriver driver([&](UiDriver& ui) {
            HWND dialog =
                ui.waitForWindow(tipo == 0 ? L"Enfoca y edita Polilineas" : L"Editor de polilíneas:");
            if (tipo == 0) {
                // The second vertex, so that the picture shows a stepped dialog rather than its first state.
                auto arrows = ui.byPosition(ui.children(dialog, L"Button", L">"));
                ui.check(arrows.size() == 2, "two \">\" buttons");
                if (arrows.size() == 2) ui.click(arrows[1]);
            } else {
                HWND grid = ui.child(dialog, L"Orv_Pol_edit.Grid");
                ui.clickAt(grid, POINT{5, 5});
                ui.press(VK_DOWN);
                ui.press(VK_RIGHT);
            }
            ui.settle(dialog);
            ui.pause(300);
            std::wstring path = screenshotPath(tipo == 0 ? L"focus_dialog" : L"editor");
            if (!path.empty()) ui.screenshot(dialog, path);
            ui.press(VK_ESCAPE);
            ui.waitUntilGone(dialog);
        });
        host.open(tipo);
        for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    }
}

}  // namespace
}  // namespace orv::e2e
