// "Capturar <<", "Aplicar", the zoom buttons, "Cancelar", Esc and the close box, and what the host writes
// into the events' arguments.
#include <gtest/gtest.h>

#include "automation/automation_error.h"
#include "support/failing_converter.h"
#include "support/failing_placement_store.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;
using automation::AutomationError;

const collaborators::Placement* storedPlacement(RecordingHost& host) {
    return host.services().placements().stored(u"Enfoca Polilineas", u"enfoca");
}

TEST(FocusDialogHostWrites, WhatTheHostWritesIsWhatTheDialogGoesOnWithButAnAnnouncementIsNotShown) {
    RecordingHost host;
    host.answersPolylineRequests = false;
    host.onEnfocaPuntito = [](int32_t& Name, int32_t&) { Name = Name == 2 ? 6 : Name; };
    host.onEnfocaPol = [&](int32_t& Name, int32_t& nPtos, DoubleArray& X, auto&, auto&, auto&, auto&, auto&,
                           int32_t& PolN, LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
        if (host.edits().size() > 1) return;
        X(1) = 42;
        Name = 4, nPtos = 8, PolN = 9, capP = 3, NoPoli = 11, colPol = 77;
        nVer = longArray({2, 3, 4});
    };
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                               int32_t& acolpol) {
        if (aPolN == 1) aVertP = longArray({1, 2});  // at the set-up's announcement: not shown
        if (aPolN == 2) aVertP = longArray({7, 8, 9}), acapP = 3, aNoPoli = 12, acolpol = 0x123456;
    };
    host.script([&](ui::Form& form) {
        EXPECT_EQ(polylineShown(form), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1");
        type(form, "txtVert", "2");  // the host moves the focus to point 6
        type(form, "txtNom", "Nuevo");
        form.setLeft(2222);
        host.clearEvents();
        click(form, "cmdAceptar");
        EXPECT_EQ(storedPlacement(host)->left, 2222);
        click(form, "cmdAceptar");  // the fields are not refreshed: point 4 gets them
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form) + " " + shown(form),
                  "polilínea 2 /12 [12 Polilíneas |Polilínea 2|Vértice 3| /3] capa 3 vértice 1 punto 7: P7 "
                  "1007.125 "
                  "2014.500 102.333 C7 capa 3");
        EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 0x123456);
    });
    host.open(0);
    EXPECT_EQ(host.events(),
              (Events{"EnfocaPol(6, 5, 1, [1 2], 1, 3, 255)", "EnfocaPol(4, 8, 9, [2 3 4], 1, 11, 77)",
                      "newPolCambiala(2, [2 3 4], 1, 11, 77)", "newPolCambiala(2, [7 8 9], 3, 12, 1193046)",
                      "EnfocaPuntito(7, 2)", "CancelarEnfoca()"}));
    ASSERT_EQ(host.edits().size(), 2u);
    EXPECT_EQ(host.edits()[0].Nombre.get(6) + host.edits()[0].Nombre.get(2), u"NuevoP2");
    EXPECT_EQ(std::make_pair(host.edits()[1].X(1), host.edits()[1].Nombre.get(4)),
              std::make_pair(42.0, Text(u"Nuevo")));
}

TEST(FocusDialogButtons, CaptureTrapShowsItsBoxAndSkipsTheStepsAfterTheFailingOne) {
    // The error number with its sign position; the store fails after the hand-over, the converter (on the X
    // field) before it.
    const std::tuple<int32_t, bool, std::string> cases[] = {
        {13, false, " 13"}, {-2147221504, false, "-2147221504"}, {70, true, " 70"}};
    for (const auto& [number, storeFails, shownNumber] : cases) {
        RecordingHost host;
        const AutomationError error(number, u"Fallo", u"Orv.Ubicaciones");
        host.script([&](ui::Form& form) {
            if (storeFails) host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(error));
            if (!storeFails) host.services().setConverter(std::make_unique<FailingConverter>(error, u"x?"));
            type(form, "txtNom", "Guardado");
            type(form, "txtX", storeFails ? "5" : "x?");
            click(form, "cmdAceptar");
            EXPECT_EQ(joined(host.boxes()),
                      "Aceptar - Error nº " + shownNumber + ":Fallo | 16 | Orv.Ubicaciones");
            EXPECT_EQ(host.edits().size() + (storedPlacement(host) != nullptr), storeFails ? 1u : 0u);
            // The fields keep what was typed; back at vertex 1 (by typing, which stores nothing here) the
            // dialog shows what the capture stored before the failure.
            EXPECT_EQ(text(form, "txtX"), storeFails ? "5" : "x?");
            host.services().setConverter(nullptr);
            host.services().setPlacementStore(nullptr);
            type(form, "txtVert", "2");
            type(form, "txtVert", "1");
            EXPECT_EQ(text(form, "txtNom") + " " + text(form, "txtX"),
                      storeFails ? "Guardado 5.000" : "Guardado 1001.125");
        });
        host.open(0);
    }
}

TEST(FocusDialogButtons, ApplyStoresWithoutTellingTheHostAndEveryCloseCancelsEvenWhenTheStoreFails) {
    for (const bool storeFails : {false, true}) {
        for (const std::string close : {"cmdCancelar", "Esc", "close box"}) {
            RecordingHost host;
            if (storeFails)
                host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(
                    AutomationError(70, u"Denegado", u"Orv.Ubicaciones")));
            host.script([&](ui::Form& form) {
                host.clearEvents();
                type(form, "txtNom", "Aplicado");
                click(form, "cmdRedibuja");
                EXPECT_TRUE(host.events().empty());
                type(form, "txtVert", "2");
                type(form, "txtVert", "1");
                EXPECT_EQ(text(form, "txtNom"), "Aplicado");
                host.clearEvents();
                close == "Esc"         ? form.userPressesEscape()
                : close == "close box" ? form.userCloses()
                                       : click(form, close);
            });
            host.open(0);
            // "Cancelar" (and Esc, which presses it) unloads, which raises Cancela, then raises it again.
            EXPECT_EQ(joined(host.events()),
                      close == "close box" ? "CancelarEnfoca()" : "CancelarEnfoca(); CancelarEnfoca()");
            EXPECT_EQ(joined(host.boxes()), storeFails ? "Error nº 70: Denegado | 16 | Orv.Ubicaciones" : "");
            EXPECT_EQ(storedPlacement(host) != nullptr, !storeFails);
            EXPECT_EQ(host.edits().size() + host.toolkit().closedForLackOfScript(), 0u);
        }
    }
}

}  // namespace
}  // namespace orv::test
