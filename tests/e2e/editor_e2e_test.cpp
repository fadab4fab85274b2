// The editor's grid and toolbar from the keyboard and the mouse, with what the host hears each time: the zoom
// buttons, the arrow keys, typing into cells (quickly, while a slow host handler lets messages run in the
// middle of a commit: no key is lost or reordered; Esc drops an edit; an unchanged cell commits nothing),
// copy and paste of a block of rows (one commit per row); the host's window is disabled while it runs.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <sstream>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using EditorWindow = RealServer;

// The first two columns (point and name) of each row, as the grid copies the whole table (Ctrl+A, Ctrl+C).
std::wstring heads(UiDriver& ui, HWND dialog) {
    ui.press('A', true);
    ui.press('C', true);
    ui.settle(dialog);
    std::wstring out;
    std::wstringstream in(ui.clipboardText());
    for (std::wstring line; std::getline(in, line);)
        out += line.substr(0, line.find(L'\t', line.find(L'\t') + 1)) + L"|";
    return out;
}

TEST_F(EditorWindow, ToolbarTypedCellsAndPasteReachTheHostInOrder) {
    HWND hostWindow = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300,
                                      200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(hostWindow);
    ComPtr<IConnectionPoint> point;
    object_.query<IConnectionPointContainer>(IID_IConnectionPointContainer)
        ->FindConnectionPoint(DIID___C_Enf_Pol, point.put());
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&second_, &cookie), S_OK);
    second_.hook = [&](DISPID, DISPPARAMS&, EXCEPINFO*) { return point->Unadvise(cookie); };
    Subscription a(object_.get(), &first_);
    std::atomic<bool> slowHost = false;
    HostDrawing drawing;
    first_.hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id != DISPID_EnfocaPuntito || !slowHost) return S_OK;
        // A host that centres its view slowly and lets its own messages run meanwhile.
        Sleep(300);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return S_OK;
    };
    drawing.Tipo = 1;
    Log setUp, zooms, typed;
    bool hostDisabled = false;
    std::wstring before, edited, pasted;
    std::size_t pasteCommits = 0;
    runWithUser(
        [&](UiDriver& ui) {
            ui.leaveOpen(hostWindow);
            HWND dialog = ui.waitForWindow(kEditorCaption);
            ui.waitUntil([&] { return first_.calls() >= 2; }, "the set-up");
            setUp = log_.entries();
            hostDisabled = !IsWindowEnabled(hostWindow);
            HWND grid = ui.child(dialog, L"Orv_Pol_edit.Grid");
            HWND bar = ui.child(dialog, L"ToolbarWindow32");
            log_.clear();
            for (WPARAM button : {0, 1}) {
                RECT r{};
                SendMessageW(bar, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&r));
                ui.clickAt(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            }
            ui.waitUntil([&] { return log_.size() >= 2; }, "two zoom requests");
            zooms = log_.entries();
            // A click on the header row gives the grid the focus without moving its cursor.
            ui.clickAt(grid, POINT{4, 4});
            before = heads(ui, dialog);
            ui.press(VK_HOME, true);
            ui.press(VK_RIGHT);  // the name column of row 1
            ui.settle(dialog);
            log_.clear();
            slowHost = true;
            ui.type(L"12");
            ui.press(VK_RETURN);
            ui.type(L"34");
            ui.press(VK_RETURN);
            ui.waitUntil([&] { return log_.count(L"A EnfocaPol(") >= 2; }, "both commits", 15000);
            ui.settle(dialog);
            slowHost = false;
            ui.type(L"Nada");
            ui.press(VK_ESCAPE);
            ui.press(VK_F2);
            ui.press(VK_RETURN);
            edited = heads(ui, dialog);
            typed = log_.entries();

            // Rows 1 and 2 copied onto rows 3 and 4.
            ui.press(VK_HOME, true);
            ui.press(VK_DOWN, false, true);
            ui.press(VK_END, false, true);
            ui.press('C', true);
            ui.press(VK_END, true);
            ui.press(VK_HOME);
            ui.press(VK_UP);
            ui.settle(dialog);
            log_.clear();
            ui.press('V', true);
            ui.settle(dialog);
            pasted = heads(ui, dialog);
            pasteCommits = log_.count(L"A EnfocaPol(");
            log_.clear();
            ui.press(VK_ESCAPE);
            ui.waitUntilGone(dialog);
        },
        [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });

    const std::wstring first = L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)";
    EXPECT_EQ(setUp, (Log{L"B " + first, L"A " + first, L"A EnfocaPuntito(2, 1)"}));
    EXPECT_EQ(zooms, (Log{L"A Zoom(true, 2, 1)", L"A Zoom(false, 2, 1)"}));
    EXPECT_EQ(before, L"2\tP2|3\tP3|5\tP5|6\tP6|");
    // Each commit (the typed name handed over) is followed by the row's point again and the move down; Esc
    // dropped "Nada"; F2 and Enter on an unchanged cell commit nothing and move down.
    Log shortTyped;
    for (const std::wstring& event : typed) shortTyped.push_back(event.substr(0, event.find(L", [")));
    EXPECT_EQ(shortTyped, (Log{L"A EnfocaPol(2, 6", L"A EnfocaPuntito(2, 1)", L"A EnfocaPuntito(3, 1)",
                               L"A EnfocaPol(3, 6", L"A EnfocaPuntito(3, 1)", L"A EnfocaPuntito(5, 1)",
                               L"A EnfocaPuntito(6, 1)"}));
    EXPECT_NE(typed.at(3).find(L"[ P1 12 34 P4 P5 P6]"), std::wstring::npos) << narrow(typed.at(3));
    EXPECT_EQ(edited, L"2\t12|3\t34|5\tP5|6\tP6|");
    EXPECT_EQ(pasteCommits, 2u);
    EXPECT_EQ(pasted, L"2\t12|3\t34|2\t12|3\t34|");
    EXPECT_EQ(log_.entries(), Log{L"A CancelarEnfoca()"}) << "Esc closes the editor";
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(IsWindowEnabled(hostWindow) && GetActiveWindow() == hostWindow);
    DestroyWindow(hostWindow);
}

}  // namespace
}  // namespace orv::e2e
