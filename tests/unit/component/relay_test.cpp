// The relays: each dialog event reaches the host as the class's event, with the dialog's own variables, and a
// PasaDatos made from inside a host handler sets the reference of its own kind.
#include <gtest/gtest.h>

#include <new>
#include <tuple>

#include "automation/standard_errors.h"
#include "support/raised_error.h"
#include "support/recording_host.h"
#include "support/test_dialog_factory.h"

namespace orv::test {
namespace {

using automation::AutomationError;

class RelayTest : public ::testing::TestWithParam<int16_t> {
  protected:
    // Runs the script in the next dialog of the kind under test.
    void onNext(DialogScript script) {
        Tipo() == 0 ? dialogs.onNextFocus(std::move(script)) : dialogs.onNextEditor(std::move(script));
    }
    void run(DialogScript script) {
        onNext(std::move(script));
        host.open(Tipo());
    }
    int16_t Tipo() const { return GetParam(); }

    TestDialogFactory dialogs;
    RecordingHost host{sampleDrawing(), &dialogs};
};

TEST_P(RelayTest, EveryEventReachesTheHostInOrderWithTheDialogsOwnVariablesAndTheHostsWritesStay) {
    std::vector<const void*> received;
    const auto note = [&](auto&... arguments) { (received.push_back(&arguments), ...); };
    host.onNewPolCambiala = note;
    host.onEnfocaPuntito = note;
    host.onZoom = note;
    host.onEnfocaPol = [&](int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                           TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                           LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
        note(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, nVer, capP, NoPoli, colPol);
        Name = 8;
        X(3) = -1.5;
        Nombre.set(3, u"renombrado");
        nVer.redimPreserve(1, 2);
    };
    run([&](TestDialog& d) {
        d.PolN = 2;
        d.raiseNewPolCambia();  // the host answers with polyline 2
        EXPECT_EQ(describe(d.VertP) + " " + std::to_string(d.capP) + " " + std::to_string(d.colPol),
                  "[4 5 6 7 8 9] 2 65280");
        d.raiseRetornaPunto(0);
        d.raiseRetornaPunto(3);
        d.raiseZoomR(true, 3);
        d.raiseRetornaOpcion(3);
        EXPECT_EQ(std::make_tuple(d.PtoAct, d.X(3), d.Nombre.get(3), describe(d.VertP)),
                  std::make_tuple(8, -1.5, Text(u"renombrado"), std::string("[4 5]")));
        d.raiseCancela();
        d.raiseCancela();
        std::vector<const void*> own{&d.PolN, &d.VertP,  &d.capP,  &d.NoPoli, &d.colPol, &d.PtoAct,
                                     &d.PolN, &d.amplia, &d.punto, &d.PolN,   &d.PtoAct, &d.nPtos,
                                     &d.X,    &d.Y,      &d.Z,     &d.Nombre, &d.Código, &d.CapaPuntos,
                                     &d.PolN, &d.VertP,  &d.capP,  &d.NoPoli, &d.colPol};
        if (Tipo() == 0) own.insert(own.begin() + 5, {&d.PtoAct, &d.PolN});  // the focus dialog's point 0
        EXPECT_EQ(received, own);
    });
    // Only the editor keeps a point number of 0 from the host.
    Events expected{
        "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",       "EnfocaPuntito(3, 2)", "Zoom(true, 3, 2)",
        "EnfocaPol(3, 10, 2, [4 5 6 7 8 9], 2, 3, 65280)", "CancelarEnfoca()",    "CancelarEnfoca()"};
    if (Tipo() == 0) expected.insert(expected.begin() + 1, "EnfocaPuntito(0, 2)");
    EXPECT_EQ(host.events(), expected);
    EXPECT_TRUE(host.boxes().empty());
}

TEST_P(RelayTest, OnlyTheHostsFailuresAtThePointAndTheEditedDataAreTrappedAndTheDialogGoesOn) {
    host.onEnfocaPuntito = [](int32_t&, int32_t&) { throw AutomationError(91, u"Sin objeto", u"HostApp"); };
    host.onEnfocaPol = [](auto&&...) { throw std::bad_alloc(); };
    host.onZoom = [](VariantBool&, int32_t&, int32_t&) { automation::raiseStandardError(11); };
    host.onCancelarEnfoca = [] { automation::raiseStandardError(5); };
    host.onNewPolCambiala = [](auto&&...) { automation::raiseStandardError(9); };
    run([](TestDialog& d) {
        EXPECT_EQ(raisedError([&] { d.raiseRetornaPunto(2); }), 0);
        EXPECT_EQ(raisedError([&] { d.raiseRetornaOpcion(2); }), 0);
        EXPECT_EQ(raisedError([&] { d.raiseZoomR(true, 1); }), 11);
        EXPECT_EQ(raisedError([&] { d.raiseCancela(); }), 5);
        EXPECT_EQ(raisedError([&] { d.raiseNewPolCambia(); }), 9);
    });
    EXPECT_EQ(host.boxes(), (Events{"Enfoca Puntos - Error nº 91: Sin objeto | 16 | HostApp",
                                    "Enfoca Pol - Error nº 7: Memoria insuficiente | 16 | Orv_Pol_edit"}));
    EXPECT_EQ(host.events().size(), 5u);
}

TEST_P(RelayTest, ANestedDialogOfTheOtherKindIsRelayedBesideTheFirst) {
    TestDialog* outer = nullptr;
    host.onEnfocaPuntito = [&](int32_t& Name, int32_t&) {
        if (Name == 3) host.open(Tipo() == 0 ? 1 : 0);
    };
    onNext([&](TestDialog& d) {
        outer = &d;
        d.raiseRetornaPunto(3);
        d.raiseCancela();
    });
    const DialogScript inner = [&](TestDialog& nested) {
        nested.raiseRetornaPunto(5);
        outer->raiseZoomR(true, 2);  // the dialog underneath is still heard
        EXPECT_EQ(dialogs.alive(), 2);
        nested.raiseCancela();
    };
    Tipo() == 0 ? dialogs.onNextEditor(inner) : dialogs.onNextFocus(inner);
    host.open(Tipo());
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(3, 1)", "EnfocaPuntito(5, 1)", "Zoom(true, 2, 1)",
                                     "CancelarEnfoca()", "CancelarEnfoca()"}));
    EXPECT_EQ(dialogs.alive() + host.component().dialogOpen(), 0);
}

TEST_P(RelayTest, ANestedDialogOfTheSameKindReplacesTheOlderWhichReachesNobodyFromThen) {
    TestDialog* older = nullptr;
    host.onEnfocaPuntito = [&](int32_t& Name, int32_t&) {
        if (Name == 2) host.open(Tipo());
    };
    onNext([&](TestDialog& d) {
        older = &d;
        d.raiseRetornaPunto(2);
        // Back from the nested call: the newer dialog is gone, this one is still alive but unheard.
        EXPECT_EQ(dialogs.alive() + host.component().dialogOpen(), 2);
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
    host.open(Tipo());
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(2, 1)", "EnfocaPuntito(8, 1)", "CancelarEnfoca()"}));
    EXPECT_EQ(dialogs.alive() + host.component().dialogOpen(), 0);

    // A nested call that fails leaves its dialog in the reference, and the older one stays unheard.
    host.clearEvents();
    host.onEnfocaPuntito = nullptr;
    host.onCancelarEnfoca = [&] { host.open(Tipo()); };
    onNext([&](TestDialog& d) {
        d.raiseCancela();
        d.raiseRetornaPunto(3);
    });
    onNext([&](TestDialog&) { throw AutomationError(9, u"x", u"y"); });
    host.open(Tipo());
    EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()"}));
    EXPECT_EQ(host.boxes(), (Events{"Enfoca Pollilinea - Error nº 9: x | 16 | y"}));
    EXPECT_EQ(dialogs.alive(), 0);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, RelayTest, ::testing::Values(int16_t{0}, int16_t{1}),
                         [](const auto& info) { return info.param == 0 ? "Focus" : "Editor"; });

}  // namespace
}  // namespace orv::test
