// Both dialogs at the DPI of the run, on a small survey of a plot (boundary stakes, a building, a fence
// line): their pictures for the README (into ORV_SCREENSHOT_DIR when it is set); the editor's resizing
// following the layout arithmetic (the table stretches, the button row stays at the bottom right); and its
// colour button, which opens the system colour dialog, keeps the colour on Cancel and shows the one chosen.
#include <array>
#include <cmath>
#include <cstdlib>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using DialogsAtTheRunsDpi = RealServer;

// Where the layout puts a control (twips, single precision as the dialog computes them), in client pixels.
RECT expectedPixels(double left, double top, double width, double height, double perTwip) {
    auto single = [](double twips) { return static_cast<double>(static_cast<float>(twips)); };
    auto px = [&](double twips) { return static_cast<LONG>(std::lround(twips * perTwip)); };
    left = single(left), top = single(top), width = single(width), height = single(height);
    return RECT{px(left), px(top), px(left + width), px(top + height)};
}

std::string describe(const RECT& r) {
    return concat("(", r.left, ", ", r.top, ", ", r.right, ", ", r.bottom, ")");
}

struct SurveyPoint {
    const wchar_t* name;
    double x, y, z;
    const wchar_t* code;
    SHORT layer;
};

constexpr SurveyPoint kSurvey[] = {
    {L"E1", 435120.412, 4581230.118, 652.31, L"ESTACA", 1},
    {L"E2", 435168.905, 4581236.774, 652.88, L"ESTACA", 1},
    {L"E3", 435175.233, 4581190.052, 651.97, L"ESTACA", 1},
    {L"E4", 435131.640, 4581181.419, 651.42, L"ESTACA", 1},
    {L"E5", 435112.087, 4581204.660, 651.76, L"ESTACA", 1},
    {L"ED1", 435135.250, 4581220.300, 652.40, L"ESQ", 2},
    {L"ED2", 435155.780, 4581223.110, 652.52, L"ESQ", 2},
    {L"ED3", 435158.010, 4581206.940, 652.10, L"ESQ", 2},
    {L"ED4", 435137.480, 4581204.130, 651.98, L"ESQ", 2},
    {L"V1", 435118.300, 4581226.900, 652.20, L"VALLA", 3},
    {L"V2", 435114.950, 4581214.400, 651.90, L"VALLA", 3},
    {L"V3", 435113.100, 4581206.800, 651.80, L"VALLA", 3},
    {L"V4", 435121.770, 4581190.250, 651.55, L"VALLA", 3},
    {L"V5", 435129.900, 4581183.600, 651.44, L"VALLA", 3},
    {L"BM1", 435146.000, 4581212.000, 652.205, L"BASE", 4},
};

// Polyline 1 of 3 is the boundary, closed on its first stake.
void survey(HostDrawing& d) {
    for (LONG p = 1; p <= LONG(std::size(kSurvey)); ++p) {
        const SurveyPoint& point = kSurvey[p - 1];
        d.X.at<double>(p) = point.x, d.Y.at<double>(p) = point.y, d.Z.at<double>(p) = point.z;
        d.Nombre.setText(p, point.name);
        d.Código.setText(p, point.code);
        d.CapaPuntos.at<SHORT>(p) = point.layer;
    }
    for (LONG k = 1; k <= 4; ++k)
        d.Capas.setText(k, std::array{L"Lindes", L"Edificaci\u00f3n", L"Vallado", L"Bases"}[k - 1]);
    d.VertP.at<LONG>(6) = 1;
}

// The editor resized to three sizes, each control where the layout puts it; then its colour button's picker
// cancelled and used: the colours the button shows after each.
void resizeAndPickColour(UiDriver& ui, HWND dialog, COLORREF& afterCancel, COLORREF& afterChoice) {
    const double perTwip = GetDpiForWindow(dialog) / 1440.0;
    for (SIZE size : {SIZE{700, 450}, SIZE{960, 640}, SIZE{560, 380}}) {
        SetWindowPos(dialog, nullptr, 0, 0, static_cast<int>(size.cx * perTwip * 15),
                     static_cast<int>(size.cy * perTwip * 15), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ui.settle(dialog);
        RECT outer, client;
        GetWindowRect(dialog, &outer);
        GetClientRect(dialog, &client);
        const double Wi = client.right / perTwip, Hi = client.bottom / perTwip,
                     Wo = (outer.right - outer.left) / perTwip, bw = 1125, bh = 405;
        const double buttonTop = Hi - bh * 1.02, cancelLeft = Wo - (bw * 1.02) * 2;
        const struct {
            HWND control;
            RECT expected;
        } controls[] = {
            {ui.child(dialog, L"Orv_Pol_edit.Grid"),
             expectedPixels(60, 600, Wi - 60, (Hi - 600) - bh * 1.3, perTwip)},
            {ui.child(dialog, L"Button", L"Capturar <<"),
             expectedPixels(Wi - bw * 1.02, buttonTop, 1125, 405, perTwip)},
            {ui.child(dialog, L"Button", L"Cancelar"),
             expectedPixels(cancelLeft, buttonTop, 885, 405, perTwip)},
            {ui.child(dialog, L"Button", L"Aceptar"),
             expectedPixels(cancelLeft - bw * 1.02, buttonTop, 885, 405, perTwip)},
        };
        for (const auto& [control, expected] : controls) {
            const RECT actual = ui.rectIn(control, dialog);
            ui.check(std::abs(actual.left - expected.left) <= 1 && std::abs(actual.top - expected.top) <= 1 &&
                         std::abs(actual.right - expected.right) <= 1 &&
                         std::abs(actual.bottom - expected.bottom) <= 1,
                     concat(narrow(ui.text(control)), " at ", describe(actual), ", expected ",
                            describe(expected), " in ", client.right, "x", client.bottom, " px"));
        }
    }
    HWND colourButton = ui.child(dialog, L"Button", L" ");
    RECT face;
    GetClientRect(colourButton, &face);
    const POINT centre{face.right / 2, face.bottom / 2};
    ui.check(ui.pixelAt(colourButton, centre) == RGB(255, 0, 0), "the button shows the polyline's colour");
    for (bool choose : {false, true}) {
        ui.click(colourButton);
        HWND picker = ui.waitForWindow(L"Color capa:");
        for (int i = 0; choose && i < 3; ++i) {
            ui.click(GetDlgItem(picker, 706 + i));
            ui.press(VK_HOME);
            ui.press(VK_END, false, true);
            ui.type(std::to_wstring(std::array{12, 160, 200}[i]));
        }
        choose ? ui.click(GetDlgItem(picker, IDOK)) : ui.press(VK_ESCAPE);
        ui.waitUntilGone(picker);
        ui.settle(dialog);
        ui.pause(200);
        (choose ? afterChoice : afterCancel) = ui.pixelAt(colourButton, centre);
    }
}

TEST_F(DialogsAtTheRunsDpi, ScreenshotsOfBothTheEditorsLayoutAndItsColourButton) {
    const wchar_t* folder = _wgetenv(L"ORV_SCREENSHOT_DIR");
    COLORREF afterCancel = 0, afterChoice = 0;
    for (SHORT tipo : {0, 1}) {
        HostDrawing drawing(std::size(kSurvey), 6, 4);
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
                if (tipo == 1) resizeAndPickColour(ui, dialog, afterCancel, afterChoice);
                ui.press(VK_ESCAPE);
                ui.waitUntilGone(dialog);
            },
            [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });
    }
    EXPECT_EQ(afterCancel, RGB(255, 0, 0));
    EXPECT_EQ(afterChoice, RGB(12, 160, 200));
}

}  // namespace
}  // namespace orv::e2e
