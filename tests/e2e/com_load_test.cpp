// Many open/close cycles of both dialogs in one process, early- and late-bound in turn, each on an object of
// its own: the module can unload after every cycle, and handles, windows, GDI objects and private memory do
// not grow beyond noise. ORV_LOAD_CYCLES sets the cycles per dialog (a thousand for the full run).
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "com_test_host.h"

namespace orv::e2e {
namespace {

BOOL CALLBACK countOwnWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    *reinterpret_cast<unsigned long*>(count) += process == GetCurrentProcessId();
    return TRUE;
}

// Handle slot, GDI slot, windows of the process, private kilobytes. The platform's counts of handles and GDI
// objects are 0 under Wine: the highest slot a batch of fresh objects reaches stands for them (leaked objects
// keep their slots, so the batch has to go higher each time).
std::array<unsigned long, 4> measure() {
    std::array<unsigned long, 4> r{};
    std::vector<HANDLE> events(256);
    std::vector<HBRUSH> brushes(256);
    for (HANDLE& e : events) e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    for (HANDLE e : events)
        r[0] = std::max(r[0], static_cast<unsigned long>(uintptr_t(e) & 0xFFFFFF) / 4), CloseHandle(e);
    for (HBRUSH b : brushes)
        r[1] = std::max(r[1], static_cast<unsigned long>(uintptr_t(b) & 0xFFFF)), DeleteObject(b);
    EnumWindows(countOwnWindow, reinterpret_cast<LPARAM>(&r[2]));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    r[3] =
        static_cast<unsigned long>((memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1024);
    return r;
}

using ManyDialogs = RealServer;

TEST_F(ManyDialogs, OpenAndCloseEachDialogManyTimesWithoutGrowth) {
    const char* set = std::getenv("ORV_LOAD_CYCLES");
    const int cycles = set ? std::atoi(set) : 6;
    object_.reset();
    // One cycle: a new object, a subscription, the dialog opened and closed as soon as it is set up (posted
    // while the set-up raises its first event), everything released.
    auto cycle = [&](int i) {
        const SHORT tipo = static_cast<SHORT>(i % 2);
        ComPtr<_C_Enf_Pol> object;
        ASSERT_EQ(server_->factory()->CreateInstance(nullptr, IID__C_Enf_Pol, object.putVoid()), S_OK);
        first_.hook = [tipo](DISPID id, DISPPARAMS&, EXCEPINFO*) {
            if (id == DISPID_newPolCambiala)
                PostMessageW(FindWindowW(nullptr, (tipo ? kEditorCaption : kFocusCaption).c_str()), WM_CLOSE,
                             0, 0);
            return S_OK;
        };
        {
            Subscription a(object.get(), &first_);
            HostDrawing drawing;
            drawing.Tipo = tipo;
            std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
            ASSERT_EQ(
                i / 2 % 2 ? invokePasaDatos(*object.get(), arguments) : drawing.pasaDatos(*object.get()),
                S_OK);
        }
        object.reset();
        ASSERT_EQ(log_.entries().back(), L"A CancelarEnfoca()") << "the dialog closed";
        log_.clear();
        ASSERT_EQ(server_->call("DllCanUnloadNow"), S_OK);
    };
    // The first cycles load what stays loaded (type library, fonts, classes, caches).
    for (int i = 0; i < 4; ++i) ASSERT_NO_FATAL_FAILURE(cycle(i));
    const auto before = measure();
    const ULONGLONG started = GetTickCount64();
    for (int i = 0; i < 2 * cycles; ++i) ASSERT_NO_FATAL_FAILURE(cycle(i));
    const auto after = measure();
    std::printf(
        "%d cycles per dialog, %llu ms per cycle: handles %lu -> %lu, GDI %lu -> %lu, windows %lu -> %lu, "
        "private %lu KB -> %lu KB\n",
        cycles, (GetTickCount64() - started) / std::max(1, 2 * cycles), before[0], after[0], before[1],
        after[1], before[2], after[2], before[3], after[3]);
    const unsigned long noise[] = {16, 16, 4, 4 * 1024};
    for (size_t i = 0; i < 4; ++i) EXPECT_LE(after[i], before[i] + noise[i]) << "measure " << i;
}

}  // namespace
}  // namespace orv::e2e
