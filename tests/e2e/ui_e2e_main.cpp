// The end-to-end tests see the screen in physical pixels, as the dialogs' windows do.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
