// The editor's window itself: resizing follows the layout arithmetic at the DPI of the run, the colour button
// opens the system colour dialog, and both dialogs keep their placement across opens (and come back on
// screen).
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/drawing.h"
#include "ui_driver.h"
#include "windows_host.h"

namespace orv::e2e {
namespace {

const std::wstring kEditorCaption = L"Editor de polilíneas:";
const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

void expectNoFailures(UiDriver& driver) {
    for (const auto& failure : driver.finish()) ADD_FAILURE() << failure;
}

// Where the layout puts a control (twips, single precision as the dialog computes them), in client pixels.
RECT expectedPixels(double left, double top, double width, double height, double perTwip) {
    auto f = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    left = f(left), top = f(top), width = f(width), height = f(height);
    return RECT{static_cast<LONG>(std::lround(left * perTwip)), static_cast<LONG>(std::lround(top * perTwip)),
                static_cast<LONG>(std::lround((left + width) * perTwip)),
                static_cast<LONG>(std::lround((top + height) * perTwip))};
}

std::string describe(const RECT& r) {
    std::ostringstream out;
    out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return out.str();
}

void checkClose(UiDriver& ui, const std::string& what, const RECT& actual, const RECT& expected) {
    bool close = std::abs(actual.left - expected.left) <= 1 && std::abs(actual.top - expected.top) <= 1 &&
                 std::abs(actual.right - expected.right) <= 1 &&
                 std::abs(actual.bottom - expected.bottom) <= 1;
    ui.check(close, concat(what, " at ", describe(actual), ", expected ", describe(expected)));
}

TEST(EditorWindowLayout, ResizingStretchesTheTableAndKeepsTheButtonRowAtTheBottom) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    int checkedSizes = 0;
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(kEditorCaption);
        double perTwip = GetDpiForWindow(dialog) / 1440.0;
        for (SIZE size : {SIZE{700, 450}, SIZE{960, 640}, SIZE{560, 380}}) {
            int width = static_cast<int>(size.cx * perTwip * 15),
                height = static_cast<int>(size.cy * perTwip * 15);
            SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            ui.settle(dialog);
            RECT outer, client;
            GetWindowRect(dialog, &outer);
            GetClientRect(dialog, &client);
            double Wi = client.right / perTwip, Hi = client.bottom / perTwip,
                   Wo = (outer.right - outer.left) / perTwip;
            double bw = 1125, bh = 405;
            double buttonTop = Hi - bh * 1.02;
            double cancelLeft = Wo - (bw * 1.02) * 2;
            std::ostringstream where;
            where << " at " << client.right << "x" << client.bottom << " px";
            std::string at = where.str();
            checkClose(ui, "the table" + at, ui.rectIn(ui.child(dialog, L"Orv_Pol_edit.Grid"), dialog),
                       expectedPixels(60, 600, Wi - 60, (Hi - 600) - bh * 1.3, perTwip));
            checkClose(ui, "Capturar <<" + at, ui.rectIn(ui.child(dialog, L"Button", L"Capturar <<"), dialog),
                       expectedPixels(Wi - bw * 1.02, buttonTop, 1125, 405, perTwip));
            checkClose(ui, "Cancelar" + at, ui.rectIn(ui.child(dialog, L"Button", L"Cancelar"), dialog),
                       expectedPixels(cancelLeft, buttonTop, 885, 405, perTwip));
            checkClose(ui, "Aceptar" + at, ui.rectIn(ui.child(dialog, L"Button", L"Aceptar"), dialog),
                       expectedPixels(cancelLeft - bw * 1.02, buttonTop, 885, 405, perTwip));
            ++checkedSizes;
        }
        ui.press(VK_ESCAPE);
    });
    host.open(1);
    expectNoFailures(driver);
    EXPECT_EQ(checkedSizes, 3);
}

TEST(EditorWindowColour, ColourDialogStartsFromTheButtonAndCancelKeepsIt) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    COLORREF initial = static_cast<COLORREF>(test::sampleColour(1)) & 0xFFFFFF;
    COLORREF afterCancel = 0, afterChoice = 0;
    std::wstring caption;
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(kEditorCaption);
        HWND colourButton = ui.child(dialog, L"Button", L" ");
        RECT face;
        GetClientRect(colourButton, &face);
        POINT centre{face.right / 2, face.bottom / 2};
        ui.check(ui.pixelAt(colourButton, centre) == initial, "the button shows the polyline's colour");

        ui.click(colourButton);
        HWND picker = ui.waitForWindow(L"Color capa:");
        caption = ui.text(picker);
        ui.press(VK_ESCAPE);
        ui.waitUntilGone(picker);
        ui.settle(dialog);
        afterCancel = ui.pixelAt(colourButton, centre);

        ui.click(colourButton);
        picker = ui.waitForWindow(L"Color capa:");
        int values[] = {12, 160, 200};
        for (int i = 0; i < 3; ++i) {
            HWND field = GetDlgItem(picker, 706 + i);
            ui.click(field);
            ui.press(VK_HOME);
            ui.press(VK_END, false, true);
            ui.type(std::to_wstring(values[i]));
        }
        ui.click(GetDlgItem(picker, IDOK));
        ui.waitUntilGone(picker);
        ui.settle(dialog);
        ui.pause(200);
        afterChoice = ui.pixelAt(colourButton, centre);
        ui.press(VK_ESCAPE);
    });
    host.open(1);
    expectNoFailures(driver);
    EXPECT_EQ(caption, L"Color capa:");
    EXPECT_EQ(afterCancel, initial);
    EXPECT_EQ(afterChoice, RGB(12, 160, 200));
}

void clearPlacement(const wchar_t* section) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Orv_Pol_edit\\") + section).c_str());
}

void storePlacement(const wchar_t* section, const wchar_t* key, int left, int top, int width, int height) {
    std::wstring path = std::wstring(L"Software\\Orv_Pol_edit\\") + section + L"\\" + key;
    int values[] = {left, top, width, height};
    const wchar_t* names[] = {L"Left", L"Top", L"Width", L"Height"};
    for (int i = 0; i < 4; ++i) {
        DWORD value = static_cast<DWORD>(values[i]);
        RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), names[i], REG_DWORD, &value, sizeof(value));
    }
}

// Opens the dialog, moves it to `to` (screen pixels) unless null, closes it by its close box (the unload
// stores the placement); where it stood when it opened.
RECT openAndMove(int16_t tipo, const POINT* to) {
    WindowsHost host{test::sampleDrawing(10, 5)};
    RECT opened{};
    UiDriver driver([&](UiDriver& ui) {
        HWND dialog = ui.waitForWindow(tipo == 0 ? kFocusCaption : kEditorCaption);
        GetWindowRect(dialog, &opened);
        if (to != nullptr) {
            SetWindowPos(dialog, nullptr, to->x, to->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ui.settle(dialog);
        }
        ui.clickCloseBox(dialog);
        ui.waitUntilGone(dialog);
    });
    host.open(tipo);
    expectNoFailures(driver);
    return opened;
}

// A placement off every screen comes back on screen; after a move, the next opening is where it was closed.
TEST(DialogPlacement, BothDialogsOpenOnScreenAndWhereTheyWereClosed) {
    RECT screen{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    storePlacement(L"Enfoca Polilineas", L"enfoca", 4000000, -300000, 3030, 5355);
    storePlacement(L"Editar Polilíneas", L"EditarPol", -2000000, 3000000, 8700, 5700);
    for (int16_t tipo : {int16_t{0}, int16_t{1}}) {
        POINT to{150 + 40 * tipo, 120 + 30 * tipo};
        RECT opened = openAndMove(tipo, &to);
        EXPECT_GE(opened.left, screen.left) << "dialog " << tipo;
        EXPECT_GE(opened.top, screen.top) << "dialog " << tipo;
        EXPECT_LE(opened.right, screen.right) << "dialog " << tipo;
        EXPECT_LE(opened.bottom, screen.bottom) << "dialog " << tipo;
        RECT reopened = openAndMove(tipo, nullptr);
        EXPECT_NEAR(reopened.left, to.x, 1) << "dialog " << tipo;
        EXPECT_NEAR(reopened.top, to.y, 1) << "dialog " << tipo;
    }
    clearPlacement(L"Enfoca Polilineas");
    clearPlacement(L"Editar Polilíneas");
}

}  // namespace
}  // namespace orv::e2e
