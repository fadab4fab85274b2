// A host's user-interface thread: a single-threaded apartment that sees the screen in physical pixels, as the
// dialogs' windows do.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
