// "Capturar <<", "Aplicar", the zoom buttons, "Cancelar" and the close box.
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

constexpr char16_t kSection[] = u"Enfoca Polilineas";
constexpr char16_t kKey[] = u"enfoca";

std::string handBack(int32_t name, int32_t count, int32_t polyline, const std::string& vertices,
                     int16_t layer, int32_t polylines, int32_t colour) {
    return "EnfocaPol(" + std::to_string(name) + ", " + std::to_string(count) + ", " +
           std::to_string(polyline) + ", " + vertices + ", " + std::to_string(layer) + ", " +
           std::to_string(polylines) + ", " + std::to_string(colour) + ")";
}

TEST(FocusDialogButtons, CaptureHandsTheEditsOverWithTheVertexCountAndStoresThePlacement) {
    RecordingHost host;
    Events events;
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Nuevo");
        form.setLeft(2222);
        host.clearEvents();
        click(form, "cmdAceptar");
        events = host.events();
    });
    host.open(0);
    EXPECT_EQ(events, (Events{handBack(2, 5, 1, "[1 2 3 4 5]", 1, 3, sampleColour(1))}));
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].Nombre.get(2), u"Nuevo");
    ASSERT_NE(host.services().placements().stored(kSection, kKey), nullptr);
    EXPECT_EQ(host.services().placements().stored(kSection, kKey)->left, 2222);
}

TEST(FocusDialogButtons, CaptureTrapShowsTheBoxAndSkipsTheStepsAfterTheFailingOne) {
    RecordingHost host;
    host.services().setConverter(std::make_unique<FailingConverter>(
        automation::AutomationError(13, u"No coinciden los tipos", u"Conversor"), u"x?"));
    host.script([&](ui::Form& form) {
        type(form, "txtNom", "Guardado");
        type(form, "txtX", "x?");
        click(form, "cmdAceptar");
        EXPECT_EQ(text(form, "txtNom") + " " + text(form, "txtX"), "Guardado x?");
        EXPECT_EQ(host.services().placements().stored(kSection, kKey), nullptr);
        // Back at vertex 1 (by typing, which stores nothing here), the dialog shows what the capture stored.
        host.services().setConverter(nullptr);
        type(form, "txtVert", "2");
        type(form, "txtVert", "1");
        EXPECT_EQ(shown(form), "vértice 1 punto 1: Guardado 1001.125 2002.500 100.333 C1 capa 1");
    });
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{"Aceptar - Error nº  13:No coinciden los tipos | 16 | Conversor"}));
    EXPECT_TRUE(host.edits().empty());
}

TEST(FocusDialogButtons, CaptureTrapWritesNegativeNumbersWithTheirSignAndCoversTheStoreAfterTheHandBack) {
    RecordingHost host;
    host.services().setConverter(std::make_unique<FailingConverter>(
        automation::AutomationError(-2147221504, u"Fallo", u"Orv.Conversor"), u"1001.125"));
    host.script([&](ui::Form& form) {
        click(form, "cmdAceptar");
        host.services().setConverter(nullptr);
        host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(
            automation::AutomationError(70, u"Permiso denegado", u"Orv.Ubicaciones")));
        host.clearEvents();
        click(form, "cmdAceptar");
        host.services().setPlacementStore(nullptr);
    });
    host.open(0);
    EXPECT_EQ(host.events().front(), handBack(1, 5, 1, "[1 2 3 4 5]", 1, 3, sampleColour(1)));
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{"Aceptar - Error nº -2147221504:Fallo | 16 | Orv.Conversor",
                                        "Aceptar - Error nº  70:Permiso denegado | 16 | Orv.Ubicaciones"}));
}

TEST(FocusDialogButtons, SecondCaptureCarriesWhatTheHostWroteDuringTheFirst) {
    RecordingHost host;
    bool first = true;
    host.onEnfocaPol = [&](int32_t& Name, int32_t& nPtos, DoubleArray& X, auto&, auto&, auto&, auto&, auto&,
                           int32_t& PolN, LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
        if (!first) return;
        first = false;
        X(1) = 42;
        Name = 4;
        nPtos = 8;
        PolN = 9;
        nVer = longArray({3, 4});
        capP = 3;
        NoPoli = 11;
        colPol = 77;
    };
    host.script([](ui::Form& form) {
        click(form, "cmdAceptar");
        click(form, "cmdAceptar");
    });
    host.open(0);
    ASSERT_EQ(host.edits().size(), 2u);
    // The fields were not refreshed: the second capture stores point 1's fields into point 4, and the
    // polyline layer list (still layer 1) over the host's capP.
    EXPECT_EQ(host.events()[3], handBack(4, 8, 9, "[3 4]", 1, 11, 77));
    EXPECT_EQ(host.edits()[1].X(1), 42);
    EXPECT_EQ(host.edits()[1].Nombre.get(4), u"P1");
}

TEST(FocusDialogButtons, ApplyStoresWithoutTellingTheHostAndCancelThenCancelsTwice) {
    RecordingHost host;
    std::string shownAfterApply;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        type(form, "txtNom", "Aplicado");
        click(form, "cmdRedibuja");
        EXPECT_TRUE(host.events().empty());
        type(form, "txtVert", "2");
        type(form, "txtVert", "1");
        shownAfterApply = text(form, "txtNom");
        host.clearEvents();
        click(form, "cmdCancelar");
    });
    host.open(0);
    EXPECT_EQ(shownAfterApply, "Aplicado");
    EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()", "CancelarEnfoca()"}));
    EXPECT_TRUE(host.edits().empty());
    EXPECT_NE(host.services().placements().stored(kSection, kKey), nullptr);
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
}

TEST(FocusDialogButtons, CloseBoxCancelsOnceAndStoresThePlacementAndEscPressesCancelar) {
    for (const bool escape : {false, true}) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            host.clearEvents();
            escape ? form.userPressesEscape() : form.userCloses();
        });
        host.open(0);
        // "Cancelar" raises Cancela and unloads, whose handler raises it again.
        EXPECT_EQ(host.events(),
                  escape ? (Events{"CancelarEnfoca()", "CancelarEnfoca()"}) : (Events{"CancelarEnfoca()"}));
        EXPECT_NE(host.services().placements().stored(kSection, kKey), nullptr);
    }
}

TEST(FocusDialogButtons, ZoomSendsTheVertexNumberAndThePolyline) {
    DrawingShape shape;
    shape.polylines = 8;
    shape.selected = 7;
    RecordingHost host{sampleDrawing(shape)};
    Events events;
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "3");
        host.clearEvents();
        click(form, "cmdZm", 0);
        click(form, "cmdZm", 1);
        events = host.events();
    });
    host.open(0);
    EXPECT_EQ(events, (Events{"Zoom(true, 3, 7)", "Zoom(false, 3, 7)"}));
}

}  // namespace
}  // namespace orv::test
