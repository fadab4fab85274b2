// A host whose event handler crashes (writes through a null pointer) inside the real Orv_Pol_edit.dll: the
// fault is the sink's failure, not the end of the host's process. A trapped relay shows its box, an untrapped
// one goes on quietly, the dialog stays usable, and the module can unload afterwards.
#include <gtest/gtest.h>

#include "two_sink_server.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

// What both sinks hear of the set-up, "+" and Esc, whoever crashed on the way.
const Log kTour = {L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)",
                   L"B newPolCambiala(1, [2 3 5 6], 1, 3, 255)",
                   L"A EnfocaPuntito(2, 1)",
                   L"B EnfocaPuntito(2, 1)",
                   L"A Zoom(true, 1, 1)",
                   L"B Zoom(true, 1, 1)",
                   L"A CancelarEnfoca()",
                   L"B CancelarEnfoca()",
                   L"A CancelarEnfoca()",
                   L"B CancelarEnfoca()"};

// Volatile, so that the compiler neither sees the crash coming nor drops it.
int* volatile nowhere = nullptr;

HRESULT crash() {
    *nowhere = 1;
    return S_OK;
}

class FaultingSink : public TwoSinkServer {
  protected:
    void SetUp() override {
        TwoSinkServer::SetUp();
        if (HasFatalFailure()) return;
        ComPtr<IClassFactory> factory = server_->factory();
        ASSERT_TRUE(factory);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID__C_Enf_Pol, object_.putVoid()), S_OK);
    }

    // The host's call, while the user works the dialog: "+" steps to the next vertex (the dialog goes on
    // after the crash), then Esc closes it.
    void stepOnceAndClose() {
        UiDriver driver([&](UiDriver& ui) {
            HWND dialog = ui.waitForWindow(kFocusCaption);
            ui.waitUntil([&] { return second_->calls() >= 2 && IsWindowEnabled(dialog); },
                         "the set-up's events");
            ui.click(ui.child(dialog, L"Button", L"+"));
            ui.waitUntil([&] { return second_->calls() >= 3; }, "the zoom");
            ui.press(VK_ESCAPE);
        });
        HostDrawing drawing;
        EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
        for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
    }
};

// newPolCambiala is untrapped: its crash goes by quietly. EnfocaPuntito is trapped: its crash shows the
// relay's box once. Either way the other sink still hears the event and the dialog goes on.
TEST_F(FaultingSink, ACrashInAnEventIsTheSinksFailureAndTheDialogGoesOn) {
    bool crashed = false;
    first_->hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id == DISPID_newPolCambiala) return crash();
        if (id != DISPID_EnfocaPuntito || crashed) return S_OK;
        crashed = true;
        return crash();
    };
    Subscription a(object_.get(), first_), b(object_.get(), second_);
    MessageBoxWatcher watcher;

    stepOnceAndClose();

    const Log boxes = watcher.waitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring expected =
        L"Orv_Pol_edit|Enfoca Puntos - Error n\u00ba 51: Error interno (excepci\u00f3n 0xC0000005 en 0x";
    EXPECT_EQ(boxes[0].substr(0, expected.size()), expected) << narrow(boxes[0]);
    EXPECT_TRUE(boxes[0].ends_with(L")|critical|1")) << narrow(boxes[0]);
    EXPECT_EQ(log_, kTour);
}

}  // namespace
}  // namespace orv::e2e
