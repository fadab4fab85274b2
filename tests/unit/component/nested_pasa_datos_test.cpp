// A PasaDatos made from inside a host handler while a dialog is open.
#include <gtest/gtest.h>

#include "support/recording_host.h"
#include "support/test_dialog_factory.h"

namespace orv::test {
namespace {

struct NestedPasaDatosTest : ::testing::Test {
    TestDialogFactory dialogs;
    RecordingHost host{sampleDrawing(/*points=*/10, /*vertices=*/5), &dialogs};
};

TEST_F(NestedPasaDatosTest, ADialogOfTheOtherKindIsRelayedBesideTheFirst) {
    TestDialog* focus = nullptr;
    host.onEnfocaPuntito = [&](int32_t& Name, int32_t&) {
        if (Name == 3) host.open(1);
    };
    dialogs.onNextFocus([&](TestDialog& d) {
        focus = &d;
        d.raiseRetornaPunto(3);
        d.raiseCancela();
    });
    dialogs.onNextEditor([&](TestDialog& editor) {
        editor.raiseRetornaPunto(5);
        focus->raiseZoomR(true, 2);  // the dialog underneath is still heard
        EXPECT_EQ(dialogs.alive(), 2);
        editor.raiseCancela();
    });
    host.open(0);
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(3, 1)", "EnfocaPuntito(5, 1)", "Zoom(true, 2, 1)",
                                     "CancelarEnfoca()", "CancelarEnfoca()"}));
    EXPECT_EQ(dialogs.alive(), 0);
    EXPECT_FALSE(host.component().dialogOpen());
}

class SameKindTest : public NestedPasaDatosTest, public ::testing::WithParamInterface<int16_t> {
  protected:
    void onNext(DialogScript script) {
        GetParam() == 0 ? dialogs.onNextFocus(std::move(script)) : dialogs.onNextEditor(std::move(script));
    }
};

TEST_P(SameKindTest, TheNewerDialogReplacesTheOlderWhichReachesNobodyFromThen) {
    TestDialog* older = nullptr;
    host.onEnfocaPuntito = [&](int32_t& Name, int32_t&) {
        if (Name == 2) host.open(GetParam());
    };
    onNext([&](TestDialog& d) {
        older = &d;
        d.raiseRetornaPunto(2);
        // Back from the nested call: the newer dialog is gone, this one is still alive but unheard.
        EXPECT_EQ(dialogs.alive(), 1);
        EXPECT_TRUE(host.component().dialogOpen());
        d.raiseRetornaPunto(4);
        d.raiseNewPolCambia();
        d.raiseRetornaOpcion(4);
        d.raiseZoomR(false, 1);
        d.raiseCancela();
    });
    onNext([&](TestDialog& newer) {
        older->raiseRetornaPunto(7);
        older->raiseCancela();
        newer.raiseRetornaPunto(8);
        newer.raiseCancela();
    });
    host.open(GetParam());
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(2, 1)", "EnfocaPuntito(8, 1)", "CancelarEnfoca()"}));
    EXPECT_EQ(dialogs.alive(), 0);
    EXPECT_FALSE(host.component().dialogOpen());
}

TEST_P(SameKindTest, AFailedNestedCallLeavesItsDialogInTheReferenceAndTheOlderStillUnheard) {
    TestDialog* older = nullptr;
    host.onCancelarEnfoca = [&] { host.open(GetParam()); };
    onNext([&](TestDialog& d) {
        older = &d;
        d.raiseCancela();
        d.raiseRetornaPunto(3);
    });
    onNext([&](TestDialog&) { throw automation::AutomationError(9, u"x", u"y"); });
    host.open(GetParam());
    EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()"}));
    EXPECT_EQ(host.boxes(), (Events{"Enfoca Pollilinea - Error nº 9: x | 16 | y"}));
    // The outer call emptied the reference when its dialog closed.
    EXPECT_EQ(dialogs.alive(), 0);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, SameKindTest, ::testing::Values(int16_t{0}, int16_t{1}),
                         [](const auto& info) { return info.param == 0 ? "Focus" : "Editor"; });

}  // namespace
}  // namespace orv::test
