// Both dialogs at the DPI of the run, on a small survey of a plot (boundary stakes, a building, a fence
// line): their pictures for the README (into ORV_SCREENSHOT_DIR when it is set); the editor's resizing
// following the layout arithmetic (the table stretches, the button row stays at the bottom right); and its
// colour button, which opens the system colour dialog and shows the colour chosen.
#include <array>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using DialogsAtTheRunsDpi = RealServer;

// Stakes of the boundary (layer 1), a building's corners, a fence line and a benchmark.
const wchar_t* const kNames[] = {L"E1",  L"E2", L"E3", L"E4", L"E5", L"ED1", L"ED2", L"ED3",
                                 L"ED4", L"V1", L"V2", L"V3", L"V4", L"V5",  L"BM1"};
const double kPlaces[][3] = {
    {435120.412, 4581230.118, 652.31}, {435168.905, 4581236.774, 652.88}, {435175.233, 4581190.052, 651.97},
    {435131.640, 4581181.419, 651.42}, {435112.087, 4581204.660, 651.76}, {435135.250, 4581220.300, 652.40},
    {435155.780, 4581223.110, 652.52}, {435158.010, 4581206.940, 652.10}, {435137.480, 4581204.130, 651.98},
    {435118.300, 4581226.900, 652.20}, {435114.950, 4581214.400, 651.90}, {435113.100, 4581206.800, 651.80},
    {435121.770, 4581190.250, 651.55}, {435129.900, 4581183.600, 651.44}, {435146.000, 4581212.000, 652.205}};
const SHORT kLayers[] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4};

// Polyline 1 of 3 is the boundary, closed on its first stake.
void survey(HostDrawing& d) {
    for (LONG p = 1; p <= LONG(std::size(kNames)); ++p) {
        const double* place = kPlaces[p - 1];
        d.X.at<double>(p) = place[0], d.Y.at<double>(p) = place[1], d.Z.at<double>(p) = place[2];
        d.Nombre.setText(p, kNames[p - 1]);
        d.Código.setText(p, std::array{L"ESTACA", L"ESQ", L"VALLA", L"BASE"}[kLayers[p - 1] - 1]);
        d.CapaPuntos.at<SHORT>(p) = kLayers[p - 1];
    }
    for (LONG k = 1; k <= 4; ++k)
        d.Capas.setText(k, std::array{L"Lindes", L"Edificaci\u00f3n", L"Vallado", L"Bases"}[k - 1]);
    d.VertP.at<LONG>(6) = 1;
}

// The editor resized, each control where the layout puts it (twips, single precision as the dialog
// computes them, in client pixels); then a colour chosen in the system's picker its colour button opens.
void resizeAndPickColour(UiDriver& ui, HWND dialog) {
    const double perTwip = GetDpiForWindow(dialog) / 1440.0;
    for (SIZE size : {SIZE{700, 450}, SIZE{560, 380}}) {
        SetWindowPos(dialog, nullptr, 0, 0, static_cast<int>(size.cx * perTwip * 15),
                     static_cast<int>(size.cy * perTwip * 15), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ui.settle(dialog);
        RECT outer, client;
        GetWindowRect(dialog, &outer);
        GetClientRect(dialog, &client);
        const double Wi = client.right / perTwip, Hi = client.bottom / perTwip,
                     Wo = (outer.right - outer.left) / perTwip;
        auto px = [&](double twips) { return static_cast<LONG>(std::lround(float(twips) * perTwip)); };
        // The grid stretches; Aceptar stays left of Cancelar at the bottom right.
        const double grid[] = {60, 600, Wi, Hi - 405 * 1.3},
                     accept[] = {Wo - 1125 * 1.02 * 3, Hi - 405 * 1.02};
        for (auto [control, left, top, right, bottom] :
             {std::tuple{ui.child(dialog, L"Orv_Pol_edit.Grid"), grid[0], grid[1], grid[2], grid[3]},
              {ui.child(dialog, L"Button", L"Aceptar"), accept[0], accept[1], accept[0] + 885,
               accept[1] + 405}}) {
            RECT at;
            GetWindowRect(control, &at);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
            ui.check(std::abs(at.left - px(left)) <= 1 && std::abs(at.top - px(top)) <= 1 &&
                         std::abs(at.right - px(right)) <= 1 && std::abs(at.bottom - px(bottom)) <= 1,
                     concat(narrow(ui.text(control)), " at ", at.left, ",", at.top, ",", at.right, ",",
                            at.bottom, " in ", client.right, "x", client.bottom, " px"));
        }
    }
    HWND colourButton = ui.child(dialog, L"Button", L" ");
    ui.click(colourButton);
    HWND picker = ui.waitForWindow(L"Color capa:");
    for (int i = 0; i < 3; ++i) {
        ui.click(GetDlgItem(picker, 706 + i));
        ui.press(VK_HOME);
        ui.press(VK_END, false, true);
        ui.type(std::to_wstring(std::array{12, 160, 200}[i]));
    }
    ui.click(GetDlgItem(picker, IDOK));
    ui.waitUntilGone(picker);
    ui.settle(dialog);
    ui.pause(200);
    RECT face;
    GetClientRect(colourButton, &face);
    ui.check(ui.pixelAt(colourButton, POINT{face.right / 2, face.bottom / 2}) == RGB(12, 160, 200),
             "the colour button shows the colour chosen");
}

TEST_F(DialogsAtTheRunsDpi, ScreenshotsOfBothTheEditorsLayoutAndItsColourButton) {
    const wchar_t* folder = _wgetenv(L"ORV_SCREENSHOT_DIR");
    for (SHORT tipo : {0, 1}) {
        HostDrawing drawing(std::size(kNames), 6, 4);
        survey(drawing);
        drawing.Tipo = tipo;
        runWithUser(
            [&](UiDriver& ui) {
                HWND dialog = ui.waitForWindow(tipo ? kEditorCaption : kFocusCaption);
                // A stepped dialog rather than its first state: the second vertex.
                if (tipo == 0) ui.click(ui.byPosition(ui.children(dialog, L"Button", L">")).at(1));
                if (tipo == 1) ui.clickAt(ui.child(dialog, L"Orv_Pol_edit.Grid"), POINT{5, 5});
                if (tipo == 1) ui.press(VK_DOWN), ui.press(VK_RIGHT);
                ui.settle(dialog);
                ui.pause(300);
                if (folder && *folder)
                    ui.screenshot(dialog, std::wstring(folder) + (tipo ? L"\\editor_" : L"\\focus_dialog_") +
                                              std::to_wstring(GetDpiForSystem()) + L"dpi.bmp");
                if (tipo == 1) resizeAndPickColour(ui, dialog);
                ui.press(VK_ESCAPE);
                ui.waitUntilGone(dialog);
            },
            [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });
    }
}

}  // namespace
}  // namespace orv::e2e
