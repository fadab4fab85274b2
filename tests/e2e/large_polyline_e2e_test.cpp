// How the editor behaves on a very long polyline under real windows: opening, scrolling and committing an
// edit are timed and printed (ORV_BENCH_VERTICES sets the length; run_ui.sh uses a million).
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int32_t benchVertices() {
    const char* text = std::getenv("ORV_BENCH_VERTICES");
    return text != nullptr && std::atoi(text) > 1 ? std::atoi(text) : 20000;
}

using LargePolyline = RealServer;

TEST_F(LargePolyline, OpensScrollsAndCommitsAnEdit) {
    const int32_t n = benchVertices();
    Subscription a(object_.get(), &first_);
    HostDrawing drawing(n, n);
    drawing.Tipo = 1;
    Clock::time_point opening;
    double open = 0, toEnd = 0, pages = 0, commit = 0, close = 0;
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(L"Editor de polilíneas:", 120000);
        open = millisecondsSince(opening);
        HWND grid = ui.child(dialog, L"Orv_Pol_edit.Grid");
        ui.clickAt(grid, POINT{4, 4});
        ui.settle(dialog);
        log_.clear();

        auto start = Clock::now();
        ui.press(VK_END, true);
        ui.waitUntil([&] { return log_.count(L"A EnfocaPuntito(" + std::to_wstring(n) + L", 1)"); },
                     "the last row", 60000);
        ui.settle(dialog);
        toEnd = millisecondsSince(start);

        start = Clock::now();
        for (int i = 0; i < 10; ++i) ui.press(VK_PRIOR);
        ui.waitUntil([&] { return log_.size() >= 11; }, "ten pages up", 60000);
        ui.settle(dialog);
        pages = millisecondsSince(start);

        ui.press(VK_HOME);
        ui.press(VK_RIGHT);
        ui.type(L"Nuevo");
        start = Clock::now();
        ui.press(VK_RETURN);
        ui.waitUntil([&] { return log_.count(L"A EnfocaPol("); }, "the committed edit", 120000);
        ui.settle(dialog);
        commit = millisecondsSince(start);

        start = Clock::now();
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(dialog, 60000);
        close = millisecondsSince(start);
    });
    opening = Clock::now();
    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    std::printf(
        "[ MEASURE  ] editor on %d vertices: open %.0f ms (PasaDatos to a painted window), Ctrl+End %.0f ms, "
        "10 x PgUp %.0f ms, commit of one cell %.0f ms (Enter to the host's EnfocaPol), close %.0f ms\n",
        n, open, toEnd, pages, commit, close);
}

}  // namespace
}  // namespace orv::e2e
