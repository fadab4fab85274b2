// The real dialogs worked by a user on another thread while the host's call runs: every event reaches two
// sinks by reference, what a sink writes is what the dialog goes on with, and a sink that fails or crashes is
// its own failure (a box from the trapped events, nothing from the others), never the end of the host.
#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

const std::wstring kPoints =
    L"[0 1001.5 1002.5 1003.5 1004.5 1005.5 1006.5], "
    L"[0 2001.25 2002.25 2003.25 2004.25 2005.25 2006.25], [0 10 20 30 40 50 60], "
    L"[ P1 P2 P3 P4 P5 P6], [ C\u00f3d1 C\u00f3d2 C\u00f3d3 C\u00f3d4 C\u00f3d5 C\u00f3d6], [0 2 1 2 1 2 1]";

// The polyline's ">" (or "<") first, the vertex's second.
std::vector<HWND> arrows(UiDriver& ui, HWND dialog) {
    return ui.byPosition(ui.children(dialog, L"Button", L">"));
}

// Early bound: a user's tour of the focus dialog reaches both sinks in order; the polyline sink
// A writes into newPolCambiala is what B and the next events carry (its colour what the swatch shows); the
// host's own data stays as it was.
TEST_F(RealServer, AUsersTourReachesBothSinksAndWhatASinkWritesIsWhatTheDialogContinuesWith) {
    bool written = false;
    first_.hook = [&](DISPID id, DISPPARAMS& parameters, EXCEPINFO*) {
        // Arguments arrive last first: acolpol, aNoPoli, acapP, aVertP, aPolN.
        if (id != DISPID_newPolCambiala || *parameters.rgvarg[4].plVal != 2 || std::exchange(written, true))
            return S_OK;
        SAFEARRAY** vertices = parameters.rgvarg[3].pparray;
        SafeArrayDestroy(*vertices);
        *vertices = SafeArrayCreateVector(VT_I4, 1, 3);
        const LONG replacement[] = {4, 1, 6};
        std::copy(replacement, replacement + 3, static_cast<LONG*>((*vertices)->pvData));
        *parameters.rgvarg[2].piVal = 2;
        *parameters.rgvarg[1].plVal = 9;
        *parameters.rgvarg[0].plVal = 0x00FF00;
        return S_OK;
    };
    Subscription a(object_.get(), &first_), b(object_.get(), &second_);
    HostDrawing drawing;
    const std::wstring before = drawing.fingerprint();
    runWithUser(
        [&](UiDriver& ui) {
            HWND dialog = ui.waitForWindow(kFocusCaption);
            auto step = [&](HWND button, unsigned events) {
                ui.click(button);
                ui.waitUntil([&] { return heard(events); }, concat("event ", events));
            };
            ui.waitUntil([&] { return heard(2); }, "the set-up");
            step(arrows(ui, dialog).at(1), 4);
            step(ui.child(dialog, L"Button", L"Capturar <<"), 5);
            step(arrows(ui, dialog).at(0), 8);
            HWND swatch = ui.child(dialog, L"Button", L" ");
            RECT area;
            GetClientRect(swatch, &area);
            ui.check(ui.pixelAt(swatch, POINT{area.right / 2, area.bottom / 2}) == RGB(0, 255, 0),
                     "the swatch shows the colour sink A wrote");
            ui.click(ui.byPosition(ui.children(dialog, L"Edit"))[1]);
            ui.press(VK_HOME);
            ui.press(VK_END, false, true);
            ui.type(L"3");  // vertex 3 is point 6
            ui.waitUntil([&] { return heard(9); }, "vertex 3");
            ui.click(ui.child(dialog, L"Edit", L"P6"));
            ui.press(VK_END);
            ui.type(L"-bis");
            step(ui.child(dialog, L"Button", L"Capturar <<"), 10);
            ui.press(VK_ESCAPE);
            ui.waitUntil([&] { return heard(12); }, "the close");
        },
        [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });

    // The set-up, ">" on the vertex (announced twice), "Capturar <<", ">" on the polyline (asked
    // for, then set up on what A wrote), the typed vertex, the capture of the typed name and Esc (the
    // unload's Cancela and the button's).
    const std::wstring supplied = L"newPolCambiala(2, [4 1 6], 2, 9, 65280)";
    std::wstring named = kPoints;
    named.replace(named.find(L"P6"), 2, L"P6-bis");
    Log expected =
        toBoth({L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)", L"EnfocaPuntito(3, 1)",
                L"EnfocaPuntito(3, 1)", L"EnfocaPol(3, 4, " + kPoints + L", 1, [2 3 5 6], 1, 3, 255)"});
    expected.push_back(L"A newPolCambiala(2, [2 3 5 6], 1, 3, 255)");
    expected.push_back(L"B " + supplied);
    for (const std::wstring& event : toBoth({supplied, L"EnfocaPuntito(4, 2)", L"EnfocaPuntito(6, 2)",
                                             L"EnfocaPol(6, 3, " + named + L", 2, [4 1 6], 2, 9, 65280)",
                                             L"CancelarEnfoca()", L"CancelarEnfoca()"}))
        expected.push_back(event);
    EXPECT_EQ(log_.entries(), expected);
    EXPECT_EQ(drawing.fingerprint(), before);
}

// Volatile, so that the compiler neither sees the crash coming nor drops it.
int* volatile nowhere = nullptr;

// Late bound, through the names a host asks for. Sink A crashes in newPolCambiala (untrapped: quiet) and in
// EnfocaPuntito (trapped: the fault's box), fails Zoom plainly (quiet) and EnfocaPol with its own error (its
// box); B still hears everything and the dialog goes on to its close.
TEST_F(RealServer, ASinkThatFailsOrCrashesIsItsOwnFailureAndTheDialogGoesOn) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"PasaDatos"), const_cast<LPOLESTR>(L"C\u00f3digo"),
                        const_cast<LPOLESTR>(L"NoPoli")};
    DISPID ids[3] = {};
    ASSERT_EQ(object_->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ((std::vector<DISPID>(ids, ids + 3)), (std::vector<DISPID>{DISPID_PasaDatos, 8, 15}));
    first_.hook = [](DISPID id, DISPPARAMS&, EXCEPINFO* exception) {
        if (id == DISPID_newPolCambiala || id == DISPID_EnfocaPuntito) *nowhere = 1;
        if (id == DISPID_Zoom) return E_FAIL;
        if (id != DISPID_EnfocaPol) return S_OK;
        exception->wCode = 1234;
        exception->bstrDescription = SysAllocString(L"sin datos");
        exception->bstrSource = SysAllocString(L"Anfitri\u00f3n");
        return DISP_E_EXCEPTION;
    };
    Subscription a(object_.get(), &first_), b(object_.get(), &second_);
    HostDrawing drawing;
    const Log boxes = runWithUser(
        [&](UiDriver& ui) {
            ui.answerBoxes(1);
            HWND dialog = ui.waitForWindow(kFocusCaption);
            ui.waitUntil([&] { return heard(2) && IsWindowEnabled(dialog); }, "the set-up");
            ui.click(ui.child(dialog, L"Button", L"+"));
            ui.waitUntil([&] { return heard(3); }, "the zoom");
            ui.click(ui.child(dialog, L"Button", L"Capturar <<"));
            ui.answerBoxes(1);
            ui.waitUntil([&] { return heard(4) && IsWindowEnabled(dialog); }, "the capture");
            ui.press(VK_ESCAPE);
            ui.waitUntil([&] { return heard(6); }, "the close");
        },
        [&] {
            std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
            EXPECT_EQ(invokePasaDatos(*object_.get(), arguments), S_OK);
        });
    ASSERT_EQ(boxes.size(), 2u);
    const std::wstring fault =
        L"Orv_Pol_edit|Enfoca Puntos - Error n\u00ba 51: Error interno (excepci\u00f3n 0xC0000005 en 0x";
    EXPECT_TRUE(boxes[0].starts_with(fault) && boxes[0].ends_with(L")|critical|1")) << narrow(boxes[0]);
    EXPECT_EQ(boxes[1], L"Anfitri\u00f3n|Enfoca Pol - Error n\u00ba 1234: sin datos|critical|1");
    EXPECT_EQ(log_.entries(),
              toBoth({L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)", L"Zoom(true, 1, 1)",
                      L"EnfocaPol(2, 4, " + kPoints + L", 1, [2 3 5 6], 1, 3, 255)", L"CancelarEnfoca()",
                      L"CancelarEnfoca()"}));
}

}  // namespace
}  // namespace orv::e2e
