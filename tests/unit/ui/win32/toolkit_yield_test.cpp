// A yield at a fixed point of a handler lets what is pending run, however soon it follows another yield.
#include <gtest/gtest.h>

#include "ui/win32/win32_toolkit.h"

namespace orv::ui::win32 {
namespace {

TEST(Win32ToolkitYield, EveryYieldRunsWhatIsPendingEvenRightAfterAnother) {
    Win32Toolkit toolkit;
    for (int i = 0; i < 3; ++i) {
        PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
        toolkit.yield();
        MSG left;
        EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "yield " << i;
    }
}

}  // namespace
}  // namespace orv::ui::win32
