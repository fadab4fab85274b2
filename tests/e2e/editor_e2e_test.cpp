// The editor's grid and toolbar from the keyboard and the mouse, with what the host hears each time: the zoom
// buttons, the arrow keys, typing into cells (quickly, while a slow host handler lets messages run in the
// middle of a commit: no key is lost or reordered; Esc drops an edit; an unchanged cell commits nothing),
// copy and paste of a block of rows (one commit per row; past the last row it adds rows), Insert and
// Ctrl+Supr.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <sstream>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using EditorWindow = RealServer;

// The whole table as the grid copies it (Ctrl+A, Ctrl+C): one line per row, columns 1 to 7.
std::vector<std::wstring> tableLines(UiDriver& ui, HWND dialog) {
    ui.press('A', true);
    ui.press('C', true);
    ui.settle(dialog);
    std::vector<std::wstring> lines;
    std::wstringstream in(ui.clipboardText());
    for (std::wstring line; std::getline(in, line);) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The first two columns of each row: point and name.
std::wstring heads(const std::vector<std::wstring>& lines) {
    std::wstring out;
    for (const std::wstring& line : lines) {
        const std::size_t second = line.find(L'\t', line.find(L'\t') + 1);
        out += line.substr(0, second) + L"|";
    }
    return out;
}

HWND activeWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndActive;
}

TEST_F(EditorWindow, ToolbarKeysTypedCellsPasteInsertRemoveAndANestedDialogReachTheHostInOrder) {
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
    std::atomic<bool> slowHost = false, nest = false;
    HostDrawing drawing, nested;
    const std::wstring untouched = nested.fingerprint();
    HRESULT inner = E_FAIL;
    first_.hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id != DISPID_EnfocaPuntito) return S_OK;
        if (nest.exchange(false)) {
            std::vector<VARIANTARG> arguments = nested.byReferenceArguments();
            inner = invokePasaDatos(*object_.get(), arguments);
        }
        if (!slowHost) return S_OK;
        // A host that centres its view slowly and lets its own messages run meanwhile.
        Sleep(300);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return S_OK;
    };
    drawing.Tipo = 1;
    Log setUp, zooms, moves, typed, nesting;
    bool hostDisabled = false, editorDisabled = false, editorBack = false;
    std::vector<std::wstring> before, edited, pasted, added, inserted, removed;
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
            before = tableLines(ui, dialog);
            ui.press(VK_HOME, true);
            ui.settle(dialog);
            log_.clear();
            for (WORD key : {VK_DOWN, VK_DOWN, VK_UP}) ui.press(key);
            ui.press(VK_END, true);
            ui.waitUntil([&] { return log_.size() >= 4; }, "four row changes");
            moves = log_.entries();

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
            edited = tableLines(ui, dialog);
            typed = log_.entries();

            // Rows 1 and 2 copied onto rows 3 and 4, then onto row 4 and a new row 5.
            for (int onto : {0, 1}) {
                ui.press(VK_HOME, true);
                ui.press(VK_DOWN, false, true);
                ui.press(VK_END, false, true);
                ui.press('C', true);
                ui.press(VK_END, true);
                ui.press(VK_HOME);
                if (onto == 0) ui.press(VK_UP);
                ui.settle(dialog);
                log_.clear();
                ui.press('V', true);
                ui.settle(dialog);
                (onto == 0 ? pasted : added) = tableLines(ui, dialog);
                if (onto == 0) pasteCommits = log_.count(L"A EnfocaPol(");
            }
            ui.press(VK_HOME, true);
            ui.press(VK_INSERT);
            ui.settle(dialog);
            inserted = tableLines(ui, dialog);
            ui.press(VK_HOME, true);
            ui.press(VK_DOWN);
            ui.press(VK_DELETE, true);
            ui.settle(dialog);
            removed = tableLines(ui, dialog);
            log_.clear();
            nest = true;
            ui.press(VK_UP);
            HWND focus = ui.waitForWindow(kFocusCaption);
            editorDisabled = !IsWindowEnabled(dialog);
            ui.press(VK_ESCAPE);
            ui.waitUntilGone(focus);
            ui.settle(dialog);
            editorBack = IsWindowEnabled(dialog) && activeWindowOf(dialog) == dialog;
            ui.press(VK_ESCAPE);
            ui.waitUntilGone(dialog);
        },
        [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });

    const std::wstring first = L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)";
    EXPECT_EQ(setUp, (Log{L"B " + first, L"A " + first, L"A EnfocaPuntito(2, 1)"}));
    EXPECT_EQ(zooms, (Log{L"A Zoom(true, 2, 1)", L"A Zoom(false, 2, 1)"}));
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(before[0], L"2\tP2\t1002.5\t2002.25\t20\tC\u00f3d2\tEjes");
    EXPECT_EQ(moves, (Log{L"A EnfocaPuntito(3, 1)", L"A EnfocaPuntito(5, 1)", L"A EnfocaPuntito(3, 1)",
                          L"A EnfocaPuntito(6, 1)"}));
    // Each commit (the typed name handed over) is followed by the row's point again and the move down; Esc
    // dropped "Nada"; F2 and Enter on an unchanged cell commit nothing and move down.
    Log shortTyped;
    for (const std::wstring& event : typed) shortTyped.push_back(event.substr(0, event.find(L", [")));
    EXPECT_EQ(shortTyped, (Log{L"A EnfocaPol(2, 6", L"A EnfocaPuntito(2, 1)", L"A EnfocaPuntito(3, 1)",
                               L"A EnfocaPol(3, 6", L"A EnfocaPuntito(3, 1)", L"A EnfocaPuntito(5, 1)",
                               L"A EnfocaPuntito(6, 1)"}));
    EXPECT_NE(typed.at(3).find(L"[ P1 12 34 P4 P5 P6]"), std::wstring::npos) << narrow(typed.at(3));
    EXPECT_EQ(heads(edited), L"2\t12|3\t34|5\tP5|6\tP6|");
    EXPECT_EQ(pasteCommits, 2u);
    EXPECT_EQ(heads(pasted), L"2\t12|3\t34|2\t12|3\t34|");
    EXPECT_EQ(heads(added), L"2\t12|3\t34|2\t12|2\t12|3\t34|");
    EXPECT_EQ(heads(inserted), L"2\t12|\t|3\t34|2\t12|2\t12|3\t34|");
    EXPECT_EQ(heads(removed), L"2\t12|3\t34|2\t12|2\t12|3\t34|");
    // The move up (after the row's commit), the nested focus dialog's set-up and Esc, then the editor's Esc.
    const Log events = log_.entries();
    ASSERT_GE(events.size(), 6u);
    EXPECT_EQ(Log(events.end() - 6, events.end()),
              (Log{L"A EnfocaPuntito(2, 1)", L"A " + first, L"A EnfocaPuntito(2, 1)", L"A CancelarEnfoca()",
                   L"A CancelarEnfoca()", L"A CancelarEnfoca()"}));
    EXPECT_EQ(inner, S_OK);
    EXPECT_EQ(nested.fingerprint(), untouched);
    EXPECT_TRUE(hostDisabled && editorDisabled && editorBack);
    EXPECT_TRUE(IsWindowEnabled(hostWindow) && GetActiveWindow() == hostWindow);
    DestroyWindow(hostWindow);
}

}  // namespace
}  // namespace orv::e2e
