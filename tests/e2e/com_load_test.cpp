// Many open/close cycles of both dialogs in one process, early- and late-bound in turn, each on an object of
// its own: the module can unload after every cycle, and handles, USER and GDI objects and private memory do
// not grow beyond noise. ORV_LOAD_CYCLES sets the cycles per dialog (a thousand for the full run).
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "two_sink_server.h"

namespace orv::e2e {
namespace {

struct Resources {
    DWORD handles = 0, user = 0, gdi = 0;
    SIZE_T privateBytes = 0;
};

BOOL CALLBACK countOwnWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

// Where the platform keeps no count (Wine gives 0), the highest slot that a batch of fresh objects reaches
// stands for it: objects that leak keep their slots, and the batch has to go higher each time.
template <class Create, class Destroy>
DWORD highestSlot(Create create, Destroy destroy, uintptr_t mask) {
    std::vector<HANDLE> batch;
    for (int i = 0; i < 256; ++i) batch.push_back(create());
    uintptr_t highest = 0;
    for (HANDLE handle : batch) {
        highest = std::max(highest, reinterpret_cast<uintptr_t>(handle) & mask);
        destroy(handle);
    }
    return static_cast<DWORD>(highest);
}

Resources measure() {
    Resources r;
    GetProcessHandleCount(GetCurrentProcess(), &r.handles);
    if (r.handles == 0)
        r.handles = highestSlot([] { return CreateEventW(nullptr, FALSE, FALSE, nullptr); }, CloseHandle,
                                ~uintptr_t(0)) /
                    4;
    r.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (r.gdi == 0)
        r.gdi = highestSlot([] { return HANDLE(CreateSolidBrush(RGB(1, 2, 3))); },
                            [](HANDLE brush) { DeleteObject(HGDIOBJ(brush)); }, 0xFFFF);
    r.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // Where the platform keeps no count of USER objects (Wine), the process's windows stand for them.
    if (r.user == 0) EnumWindows(countOwnWindow, reinterpret_cast<LPARAM>(&r.user));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    r.privateBytes = memory.PrivateUsage    ? memory.PrivateUsage
                     : memory.PagefileUsage ? memory.PagefileUsage
                                            : memory.WorkingSetSize;
    return r;
}

struct CaptionSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND window, LPARAM context) {
    auto& s = *reinterpret_cast<CaptionSearch*>(context);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (std::wstring(text) == s.caption) s.found = window;
    return !s.found;
}

// The dialog of this thread with that caption (another process may show one of its own).
HWND ownDialog(const wchar_t* caption) {
    CaptionSearch search{caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int cyclesPerDialog() {
    const char* set = std::getenv("ORV_LOAD_CYCLES");
    return set ? std::atoi(set) : 6;
}

class ManyDialogs : public TwoSinkServer {
  protected:
    // One cycle: a new object, a subscription, the dialog opened and closed by its close box as soon as it is
    // shown (posted while the set-up raises its first event), everything released.
    void cycle(SHORT tipo, bool lateBound) {
        ComPtr<_C_Enf_Pol> object;
        ASSERT_EQ(server_->factory()->CreateInstance(nullptr, IID__C_Enf_Pol, object.putVoid()), S_OK);
        first_->hook = [tipo](DISPID id, DISPPARAMS&, EXCEPINFO*) {
            if (id == DISPID_newPolCambiala)
                PostMessageW(ownDialog(tipo ? L"Editor de polil\u00edneas:" : L"Enfoca y edita Polilineas"),
                             WM_CLOSE, 0, 0);
            return S_OK;
        };
        {
            Subscription a(object.get(), first_);
            HostDrawing drawing;
            drawing.Tipo = tipo;
            if (lateBound) {
                std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
                DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
                ASSERT_EQ(object->Invoke(DISPID_PasaDatos, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr,
                                         nullptr, nullptr),
                          S_OK);
            } else {
                ASSERT_EQ(drawing.pasaDatos(*object.get()), S_OK);
            }
        }
        object.reset();
        ASSERT_FALSE(log_.empty());
        ASSERT_EQ(log_.back(), L"A CancelarEnfoca()") << "the dialog closed";
        log_.clear();
        ASSERT_EQ(server_->canUnloadNow(), S_OK);
    }
};

TEST_F(ManyDialogs, OpenAndCloseEachDialogManyTimesWithoutGrowth) {
    const int cycles = cyclesPerDialog();
    // The first cycles load what stays loaded (type library, fonts, classes, caches).
    for (int i = 0; i < 4; ++i) ASSERT_NO_FATAL_FAILURE(cycle(static_cast<SHORT>(i % 2), i / 2 % 2));
    const Resources before = measure();
    const ULONGLONG started = GetTickCount64();
    for (int i = 0; i < 2 * cycles; ++i) ASSERT_NO_FATAL_FAILURE(cycle(static_cast<SHORT>(i % 2), i / 2 % 2));
    const Resources after = measure();
    std::printf("%llu ms per cycle\n", (GetTickCount64() - started) / std::max(1, 2 * cycles));
    std::printf(
        "%d cycles per dialog: handles %lu -> %lu, USER %lu -> %lu, GDI %lu -> %lu, private %zu KB -> %zu "
        "KB\n",
        cycles, before.handles, after.handles, before.user, after.user, before.gdi, after.gdi,
        static_cast<size_t>(before.privateBytes / 1024), static_cast<size_t>(after.privateBytes / 1024));
    EXPECT_LE(after.handles, before.handles + 16);
    EXPECT_LE(after.user, before.user + 4);
    EXPECT_LE(after.gdi, before.gdi + 16);
    EXPECT_LE(after.privateBytes, before.privateBytes + 4 * 1024 * 1024);
}

}  // namespace
}  // namespace orv::e2e
