// The relays: each dialog event reaches the host as the class's event, with the dialog's own variables.
#include <gtest/gtest.h>

#include <new>

#include "automation/standard_errors.h"
#include "support/recording_host.h"
#include "support/test_dialog_factory.h"

namespace orv::test {
namespace {

using automation::AutomationError;

int32_t raisedError(const std::function<void()>& action) {
    try {
        action();
    } catch (const AutomationError& error) {
        return error.number();
    }
    return 0;
}

class RelayTest : public ::testing::TestWithParam<int16_t> {
  protected:
    // Runs the script in a dialog of the kind under test.
    void run(DialogScript script) {
        Tipo() == 0 ? dialogs.onNextFocus(std::move(script)) : dialogs.onNextEditor(std::move(script));
        host.open(Tipo());
    }
    int16_t Tipo() const { return GetParam(); }

    TestDialogFactory dialogs;
    RecordingHost host{sampleDrawing(/*points=*/10, /*vertices=*/5), &dialogs};
};

TEST_P(RelayTest, EveryEventReachesTheHostInOrderWithTheDialogsOwnVariables) {
    std::vector<const void*> received;
    host.onNewPolCambiala = [&](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& acolpol) {
        received.insert(received.end(), {&aPolN, &aVertP, &acapP, &aNoPoli, &acolpol});
    };
    host.onEnfocaPuntito = [&](int32_t& Name, int32_t& polM) {
        received.insert(received.end(), {&Name, &polM});
    };
    host.onZoom = [&](VariantBool& amplia, int32_t& punto, int32_t& polM) {
        received.insert(received.end(), {&amplia, &punto, &polM});
    };
    host.onEnfocaPol = [&](int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                           TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                           LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
        received.insert(received.end(), {&Name, &nPtos, &X, &Y, &Z, &Nombre, &Código, &CapaPuntos, &PolN,
                                         &nVer, &capP, &NoPoli, &colPol});
    };
    std::vector<const void*> own;
    run([&](TestDialog& d) {
        d.raiseNewPolCambia();
        d.raiseRetornaPunto(3);
        d.raiseZoomR(true, 3);
        d.raiseRetornaOpcion(3);
        d.raiseCancela();
        d.raiseCancela();
        own = {&d.PolN,   &d.VertP,      &d.capP,   &d.NoPoli, &d.colPol, &d.PtoAct, &d.PolN,  &d.amplia,
               &d.punto,  &d.PolN,       &d.PtoAct, &d.nPtos,  &d.X,      &d.Y,      &d.Z,     &d.Nombre,
               &d.Código, &d.CapaPuntos, &d.PolN,   &d.VertP,  &d.capP,   &d.NoPoli, &d.colPol};
    });
    EXPECT_EQ(received, own);
    EXPECT_EQ(host.events(), (Events{"newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(3, 1)",
                                     "Zoom(true, 3, 1)", "EnfocaPol(3, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                                     "CancelarEnfoca()", "CancelarEnfoca()"}));
    EXPECT_TRUE(host.boxes().empty());
}

TEST_P(RelayTest, WhatTheHostWritesIsWhatTheDialogContinuesWith) {
    // The host answers a request for polyline 2 by replacing the vertex list with a longer one.
    host.onEnfocaPol = [](int32_t& Name, int32_t&, DoubleArray& X, DoubleArray&, DoubleArray&,
                          TextArray& Nombre, TextArray&, IntegerArray&, int32_t&, LongArray& nVer, int16_t&,
                          int32_t&, int32_t& colPol) {
        Name = 8;
        X(3) = -1.5;
        Nombre.set(3, u"renombrado");
        nVer.redimPreserve(1, 2);
        colPol = 0x123456;
    };
    run([](TestDialog& d) {
        d.PolN = 2;
        d.raiseNewPolCambia();
        EXPECT_EQ(elements(d.VertP), (std::vector<int32_t>{4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(d.capP, 2);
        EXPECT_EQ(d.NoPoli, 3);
        EXPECT_EQ(d.colPol, sampleColour(2));

        d.raiseRetornaOpcion(4);
        EXPECT_EQ(d.PtoAct, 8);
        EXPECT_EQ(d.X(3), -1.5);
        EXPECT_EQ(d.Nombre.get(3), u"renombrado");
        EXPECT_EQ(elements(d.VertP), (std::vector<int32_t>{4, 5}));
        EXPECT_EQ(d.colPol, 0x123456);
    });
    EXPECT_EQ(host.events(), (Events{"newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
                                     "EnfocaPol(4, 10, 2, [4 5 6 7 8 9], 2, 3, 65280)"}));
}

TEST_P(RelayTest, OnlyTheEditorKeepsAPointNumberOfZeroFromTheHost) {
    run([](TestDialog& d) {
        d.raiseRetornaPunto(0);
        d.raiseRetornaPunto(6);
    });
    if (Tipo() == 0)
        EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(0, 1)", "EnfocaPuntito(6, 1)"}));
    else
        EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(6, 1)"}));
}

TEST_P(RelayTest, AFailingHostHandlerOfThePointOrTheEditedDataIsReportedAndTheDialogGoesOn) {
    host.onEnfocaPuntito = [](int32_t&, int32_t&) { throw AutomationError(91, u"Sin objeto", u"HostApp"); };
    host.onEnfocaPol = [](auto&&...) { throw std::bad_alloc(); };
    run([](TestDialog& d) {
        EXPECT_EQ(raisedError([&] { d.raiseRetornaPunto(2); }), 0);
        EXPECT_EQ(raisedError([&] { d.raiseRetornaOpcion(2); }), 0);
        d.raiseCancela();
    });
    EXPECT_EQ(host.boxes(), (Events{"Enfoca Puntos - Error nº 91: Sin objeto | 16 | HostApp",
                                    "Enfoca Pol - Error nº 7: Memoria insuficiente | 16 | Orv_Pol_edit"}));
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(2, 1)", "EnfocaPol(2, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                                     "CancelarEnfoca()"}));
}

TEST_P(RelayTest, FailuresOfTheOtherHostHandlersReachTheDialog) {
    host.onZoom = [](VariantBool&, int32_t&, int32_t&) { automation::raiseStandardError(11); };
    host.onCancelarEnfoca = [] { automation::raiseStandardError(5); };
    host.onNewPolCambiala = [](auto&&...) { automation::raiseStandardError(9); };
    run([](TestDialog& d) {
        EXPECT_EQ(raisedError([&] { d.raiseZoomR(true, 1); }), 11);
        EXPECT_EQ(raisedError([&] { d.raiseCancela(); }), 5);
        EXPECT_EQ(raisedError([&] { d.raiseNewPolCambia(); }), 9);
    });
    EXPECT_TRUE(host.boxes().empty());
    EXPECT_EQ(host.events().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, RelayTest, ::testing::Values(int16_t{0}, int16_t{1}),
                         [](const auto& info) { return info.param == 0 ? "Focus" : "Editor"; });

}  // namespace
}  // namespace orv::test
