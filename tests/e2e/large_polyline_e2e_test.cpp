// How the editor behaves on a very long polyline under real windows: opening, scrolling and committing an
// edit are timed and printed (ORV_BENCH_VERTICES sets the length; run_ui.sh uses a million).
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using LargePolyline = RealServer;

TEST_F(LargePolyline, OpensScrollsAndCommitsAnEdit) {
    const char* set = std::getenv("ORV_BENCH_VERTICES");
    const int32_t n = set && std::atoi(set) > 1 ? std::atoi(set) : 20000;
    Subscription a(object_.get(), &first_);
    HostDrawing drawing(n, n);
    drawing.Tipo = 1;
    auto start = std::chrono::steady_clock::now();
    // Milliseconds since the last lap, which starts the next.
    auto lap = [&] {
        const auto now = std::chrono::steady_clock::now();
        return std::chrono::duration<double, std::milli>(now - std::exchange(start, now)).count();
    };
    double open = 0, toEnd = 0, pages = 0, commit = 0, close = 0;
    runWithUser(
        [&](UiDriver& ui) {
            HWND dialog = ui.waitForWindow(kEditorCaption, 120000);
            open = lap();
            ui.clickAt(ui.child(dialog, L"Orv_Pol_edit.Grid"), POINT{4, 4});
            ui.settle(dialog);
            log_.clear();
            lap();
            ui.press(VK_END, true);
            ui.waitUntil([&] { return log_.count(L"A EnfocaPuntito(" + std::to_wstring(n) + L", 1)"); },
                         "the last row", 60000);
            ui.settle(dialog);
            toEnd = lap();
            for (int i = 0; i < 10; ++i) ui.press(VK_PRIOR);
            ui.waitUntil([&] { return log_.size() >= 11; }, "ten pages up", 60000);
            ui.settle(dialog);
            pages = lap();
            ui.press(VK_HOME);
            ui.press(VK_RIGHT);
            ui.type(L"Nuevo");
            lap();
            ui.press(VK_RETURN);
            ui.waitUntil([&] { return log_.count(L"A EnfocaPol("); }, "the committed edit", 120000);
            ui.settle(dialog);
            commit = lap();
            ui.press(VK_ESCAPE);
            ui.waitUntilGone(dialog, 60000);
            close = lap();
        },
        [&] {
            start = std::chrono::steady_clock::now();
            EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
        });
    std::printf(
        "[ MEASURE  ] editor on %d vertices: open %.0f ms (PasaDatos to a painted window), Ctrl+End %.0f ms, "
        "10 x PgUp %.0f ms, commit of one cell %.0f ms (Enter to the host's EnfocaPol), close %.0f ms\n",
        n, open, toEnd, pages, commit, close);
}

}  // namespace
}  // namespace orv::e2e
