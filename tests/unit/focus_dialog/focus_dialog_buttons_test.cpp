// "Capturar <<", "Aplicar", the zoom buttons, "Cancelar", Esc and the close box.
#include <gtest/gtest.h>

#include "automation/automation_error.h"
#include "support/drawing.h"
#include "support/failing_converter.h"
#include "support/failing_placement_store.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;
using automation::AutomationError;

const collaborators::Placement* storedPlacement(RecordingHost& host) {
    return host.services().placements().stored(u"Enfoca Polilineas", u"enfoca");
}

TEST(FocusDialogButtons, CaptureHandsOverTheVertexCountAndStoresThePlacementAndTheNextCarriesTheHostsWrites) {
    RecordingHost host;
    host.onEnfocaPol = [&](int32_t& Name, int32_t& nPtos, DoubleArray& X, auto&, auto&, auto&, auto&, auto&,
                           int32_t& PolN, LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
        if (host.edits().size() > 1) return;
        X(1) = 42;
        Name = 4, nPtos = 8, PolN = 9, capP = 3, NoPoli = 11, colPol = 77;
        nVer = longArray({3, 4});
    };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Nuevo");
        form.setLeft(2222);
        host.clearEvents();
        click(form, "cmdAceptar");
        EXPECT_EQ(storedPlacement(host)->left, 2222);
        click(form, "cmdAceptar");
    });
    host.open(0);
    // The fields are not refreshed: the second capture stores point 2's fields into point 4, and the polyline
    // layer list (still layer 1) over the host's capP.
    EXPECT_EQ(host.events(), (Events{"EnfocaPol(2, 5, 1, [1 2 3 4 5], 1, 3, 255)",
                                     "EnfocaPol(4, 8, 9, [3 4], 1, 11, 77)", "CancelarEnfoca()"}));
    ASSERT_EQ(host.edits().size(), 2u);
    EXPECT_EQ(host.edits()[0].Nombre.get(2), u"Nuevo");
    EXPECT_EQ(host.edits()[1].X(1), 42);
    EXPECT_EQ(host.edits()[1].Nombre.get(4), u"Nuevo");
}

TEST(FocusDialogButtons, CaptureTrapShowsItsBoxAndSkipsTheStepsAfterTheFailingOne) {
    struct Case {
        AutomationError error;
        bool storeFails;  // else the converter fails on the X field
        std::string box;
        size_t edits;
    };
    const Case cases[] = {
        {AutomationError(13, u"No coinciden los tipos", u"Conversor"), false,
         "Aceptar - Error nº  13:No coinciden los tipos | 16 | Conversor", 0},
        {AutomationError(-2147221504, u"Fallo", u"Orv.Conversor"), false,
         "Aceptar - Error nº -2147221504:Fallo | 16 | Orv.Conversor", 0},
        {AutomationError(70, u"Permiso denegado", u"Orv.Ubicaciones"), true,
         "Aceptar - Error nº  70:Permiso denegado | 16 | Orv.Ubicaciones", 1},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            if (c.storeFails)
                host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(c.error));
            if (!c.storeFails)
                host.services().setConverter(std::make_unique<FailingConverter>(c.error, u"x?"));
            type(form, "txtNom", "Guardado");
            type(form, "txtX", c.storeFails ? "5" : "x?");
            click(form, "cmdAceptar");
            EXPECT_EQ(host.boxes(), (std::vector<std::string>{c.box}));
            EXPECT_EQ(host.edits().size(), c.edits);
            EXPECT_EQ(storedPlacement(host), nullptr);
            // The fields keep what was typed; back at vertex 1 (by typing, which stores nothing here) the
            // dialog shows what the capture stored before the failure.
            EXPECT_EQ(text(form, "txtX"), c.storeFails ? "5" : "x?");
            host.services().setConverter(nullptr);
            host.services().setPlacementStore(nullptr);
            type(form, "txtVert", "2");
            type(form, "txtVert", "1");
            EXPECT_EQ(text(form, "txtNom") + " " + text(form, "txtX"),
                      c.storeFails ? "Guardado 5.000" : "Guardado 1001.125");
        });
        host.open(0);
    }
}

TEST(FocusDialogButtons, ApplyStoresWithoutTellingTheHostAndEveryCloseCancels) {
    enum Close { kCancelar, kEscape, kCloseBox };
    for (const Close close : {kCancelar, kEscape, kCloseBox}) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            host.clearEvents();
            type(form, "txtNom", "Aplicado");
            click(form, "cmdRedibuja");
            EXPECT_TRUE(host.events().empty());
            type(form, "txtVert", "2");
            type(form, "txtVert", "1");
            EXPECT_EQ(text(form, "txtNom"), "Aplicado");
            host.clearEvents();
            if (close == kCancelar) click(form, "cmdCancelar");
            if (close == kEscape) form.userPressesEscape();
            if (close == kCloseBox) form.userCloses();
        });
        host.open(0);
        // "Cancelar" (and Esc, which presses it) unloads, whose handler raises Cancela, then raises it again.
        EXPECT_EQ(host.events(), close == kCloseBox ? Events{"CancelarEnfoca()"}
                                                    : (Events{"CancelarEnfoca()", "CancelarEnfoca()"}));
        EXPECT_TRUE(host.edits().empty());
        EXPECT_NE(storedPlacement(host), nullptr);
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
    }
}

TEST(FocusDialogButtons, ZoomSendsTheVertexNumberAndThePolyline) {
    DrawingShape shape;
    shape.polylines = 8;
    shape.selected = 7;
    RecordingHost host{sampleDrawing(shape)};
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "3");
        host.clearEvents();
        click(form, "cmdZm", 0);
        click(form, "cmdZm", 1);
        EXPECT_EQ(host.events(), (Events{"Zoom(true, 3, 7)", "Zoom(false, 3, 7)"}));
    });
    host.open(0);
}

}  // namespace
}  // namespace orv::test
