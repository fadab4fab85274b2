// The editor in real windows: the vertex grid driven from the keyboard and the mouse (moving, typing into
// cells, Esc, copy and paste of a block of rows, adding and removing rows) and the toolbar, with what the
// host hears each time.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kEditorCaption = L"Editor de polilíneas:";

int32_t pointOf(int32_t polyline, int32_t vertex) {
    return 1 + ((polyline - 1) * 3 + vertex - 1) % 10;
}

std::string puntito(int32_t point) {
    return concat("EnfocaPuntito(", point, ", 1)");
}

size_t count(const Events& events, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(events.begin(), events.end(),
                                             [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
}

struct Editor {
    HWND dialog;
    HWND grid;
};

Events runEditor(WindowsHost& host, const std::function<void(UiDriver&, Editor)>& script) {
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(kEditorCaption);
        ui.waitUntil([&] { return host.eventCount() >= 2; }, "the set-up's events");
        HWND grid = ui.child(dialog, L"Orv_Pol_edit.Grid");
        // A click on the header row gives the grid the focus without moving its cursor.
        ui.clickAt(grid, POINT{4, 4});
        ui.press(VK_HOME, true);
        ui.settle(dialog);
        host.clearEvents();
        script(ui, Editor{dialog, grid});
    });
    host.open(1);
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
    return host.events();
}

// The whole table as the grid copies it (Ctrl+A, Ctrl+C): one line per row, columns 1 to 7.
std::vector<std::wstring> tableLines(UiDriver& ui, Editor editor) {
    ui.press('A', true);
    ui.press('C', true);
    ui.settle(editor.dialog);
    std::wstring text = ui.clipboardText();
    std::vector<std::wstring> lines;
    std::wstringstream in(text);
    for (std::wstring line; std::getline(in, line);) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The toolbar, the arrow keys moving the cursor with the host following, typing into a cell (Enter commits,
// Esc drops the edit, an unchanged cell commits nothing) and Esc closing the editor.
TEST(EditorWindow, ToolbarArrowKeysAndTypingIntoCells) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    std::vector<std::wstring> before, after;
    Events zooms, moves;
    Events events = runEditor(host, [&](UiDriver& ui, Editor editor) {
        HWND bar = ui.children(editor.dialog, L"ToolbarWindow32").at(0);
        for (WPARAM button : {0, 1}) {
            RECT r{};
            SendMessageW(bar, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&r));
            ui.clickAt(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        }
        ui.waitUntil([&] { return host.eventCount() >= 2; }, "two zoom requests");
        zooms = host.events();
        ui.clickAt(editor.grid, POINT{4, 4});
        before = tableLines(ui, editor);
        ui.press(VK_HOME, true);
        ui.settle(editor.dialog);
        host.clearEvents();
        ui.press(VK_DOWN);
        ui.press(VK_DOWN);
        ui.press(VK_UP);
        ui.press(VK_END, true);
        ui.waitUntil([&] { return host.eventCount() >= 4; }, "four row changes");
        moves = host.events();
        ui.press(VK_HOME, true);
        ui.press(VK_RIGHT);
        ui.type(L"Esquina");
        ui.press(VK_RETURN);
        ui.waitUntil([&] { return host.saw("EnfocaPol("); }, "the committed name");
        ui.type(L"Nada");
        ui.press(VK_ESCAPE);
        ui.press(VK_F2);
        ui.press(VK_RETURN);
        after = tableLines(ui, editor);
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(editor.dialog);
    });
    EXPECT_EQ(zooms, (Events{"Zoom(true, 1, 1)", "Zoom(false, 1, 1)"}));
    ASSERT_EQ(before.size(), 5u);
    EXPECT_EQ(before[0], L"1\tP1\t1001.125\t2002.5\t100.33333333333333\tC1\tCapa 1");
    EXPECT_EQ(before[4], L"5\tP5\t1005.125\t2010.5\t101.66666666666667\tC5\tCapa 1");
    EXPECT_EQ(moves, (Events{puntito(pointOf(1, 2)), puntito(pointOf(1, 3)), puntito(pointOf(1, 2)),
                             puntito(pointOf(1, 5))}));
    EXPECT_EQ(host.lastNameOf(1), u"Esquina");
    // One commit (the typed name); Esc dropped "Nada"; F2 and Enter on an unchanged cell commit nothing.
    EXPECT_EQ(count(events, "EnfocaPol("), 1u);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0].substr(0, 10), L"1\tEsquina\t");
    EXPECT_EQ(after[1].substr(0, 5), L"2\tP2\t");
    EXPECT_EQ(events.back(), "CancelarEnfoca()");
}

// Copy and paste of a block of rows (one commit per row; past the last row it adds rows), Insert and
// Ctrl+Supr.
TEST(EditorWindow, PastesBlocksOfRowsInsertsAndRemovesRows) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    std::vector<std::wstring> before, after, added, inserted, removed;
    Events pasted;
    runEditor(host, [&](UiDriver& ui, Editor editor) {
        before = tableLines(ui, editor);
        ui.press(VK_HOME, true);
        ui.press(VK_DOWN, false, true);
        ui.press(VK_END, false, true);
        ui.press('C', true);
        ui.press(VK_DOWN);
        ui.press(VK_DOWN);
        ui.press(VK_DOWN);
        ui.settle(editor.dialog);
        host.clearEvents();
        ui.press('V', true);
        ui.waitUntil([&] { return count(host.events(), "EnfocaPol(") >= 2; }, "two row commits");
        ui.settle(editor.dialog);
        pasted = host.events();
        after = tableLines(ui, editor);
        ui.press(VK_HOME, true);
        ui.press(VK_DOWN, false, true);
        ui.press(VK_END, false, true);
        ui.press('C', true);
        ui.press(VK_END, true);
        ui.press(VK_HOME);
        ui.press('V', true);
        ui.settle(editor.dialog);
        added = tableLines(ui, editor);
        ui.press(VK_HOME, true);
        ui.press(VK_INSERT);
        ui.settle(editor.dialog);
        inserted = tableLines(ui, editor);
        ui.press(VK_HOME, true);
        ui.press(VK_DOWN);
        ui.press(VK_DELETE, true);
        ui.settle(editor.dialog);
        removed = tableLines(ui, editor);
        ui.press(VK_ESCAPE);
    });
    ASSERT_EQ(before.size(), 5u);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[3], before[0]);
    EXPECT_EQ(after[4], before[1]);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(count(pasted, "EnfocaPol("), 2u);
    ASSERT_EQ(added.size(), 6u);
    EXPECT_EQ(added[4].substr(0, 5), L"1\tP1\t");
    EXPECT_EQ(added[5].substr(0, 5), L"2\tP2\t");
    ASSERT_EQ(inserted.size(), 7u);
    EXPECT_EQ(inserted[0].substr(0, 5), L"1\tP1\t");
    EXPECT_EQ(inserted[1], L"\t\t\t\t\t\t");
    EXPECT_EQ(inserted[2].substr(0, 5), L"2\tP2\t");
    ASSERT_EQ(removed.size(), 6u);
    EXPECT_EQ(removed[1].substr(0, 5), L"2\tP2\t");
}

}  // namespace
}  // namespace orv::e2e
