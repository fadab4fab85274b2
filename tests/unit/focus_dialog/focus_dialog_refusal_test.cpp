// Data outside the dialog's limits: refused with a message, never an out-of-bounds read, nothing lost.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;
// A refusal's box: critical, OK only, the application's title.
std::string refusal(const std::string& text) {
    return text + " | 16 | Orv_Pol_edit";
}

TEST(FocusDialogRefusal, IntakeErrors) {
    // A short vertex list is refused and cancelled; a missing point, a missing list and too many layers are
    // errors that PasaDatos reports. No dialog is shown.
    struct Case {
        std::function<void(Drawing&)> spoil;
        std::string box;
        Events events;
    };
    const Case cases[] = {
        {[](Drawing& d) { d.VertP = longArray({3}); },
         refusal("La polilínea 1 tiene menos de 2 vértices y no se puede mostrar."),
         {"CancelarEnfoca()"}},
        {[](Drawing& d) {
             d.VertP = longArray({11, 1, 2});
         },  // the point arrays end at 10
         refusal("Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo"),
         {}},
        {[](Drawing& d) { d.VertP = LongArray(); },
         refusal("Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo"),
         {}},
        {[](Drawing& d) { d.noCapas = 40000; },
         refusal("Enfoca Pollilinea - Error nº 6: Desbordamiento"),
         {}},
    };
    for (const Case& c : cases) {
        Drawing drawing = sampleDrawing();
        c.spoil(drawing);
        RecordingHost host{std::move(drawing)};
        host.open(0);
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{c.box}));
        EXPECT_EQ(host.events(), c.events) << c.box;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << c.box;
    }
}

TEST(FocusDialogRefusal, VertexWithoutItsPointIsAnnouncedAndSkippedByTheArrows) {
    Drawing drawing = sampleDrawing();
    drawing.polylines[0].vertices = {1, 2, 99, 4};
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Dos");
        host.clearEvents();
        // The fields, the vertex field too, stay with the point they show, and its edits are kept.
        type(form, "txtVert", "3");
        EXPECT_EQ(shown(form), "vértice 2 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
        click(form, "cmdAv", 1);
        EXPECT_EQ(shown(form), "vértice 2 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
        click(form, "cmdAv", 1);
        EXPECT_EQ(shown(form), "vértice 4 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
    });
    host.open(0);
    const std::string refused =
        refusal("El vértice 3 de la polilínea 1 remite al punto 99, que no está en el dibujo.");
    EXPECT_EQ(host.boxes(), (std::vector<std::string>{refused, refused}));
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(4, 1)", "EnfocaPuntito(4, 1)", "CancelarEnfoca()"}));
}

TEST(FocusDialogRefusal, PolylineStartingOutsideThePointsKeepsTheDialogOnTheOldOne) {
    RecordingHost host;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, auto&&...) {
        if (aPolN == 2) aVertP = longArray({50, 1});
    };
    host.script([&](ui::Form& form) {
        click(form, "cmdAvP", 1);
        EXPECT_EQ(shown(form), "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
        click(form, "cmdAvP", 1);  // the polyline arrows lead on
        EXPECT_EQ(shown(form), "vértice 1 punto 7: P7 1007.125 2014.500 102.333 C7 capa 3");
    });
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{
                  refusal("El vértice 1 de la polilínea 2 remite al punto 50, que no está en el dibujo.")}));
}

TEST(FocusDialogRefusal, LayerOutsideTheListsIsShownAsNoneAndKept) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos(2) = 7;
    drawing.polylines[0].layer = -1;  // what the host hands over and answers for polyline 1
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        EXPECT_EQ(layerShown(form, "cmbCapa"), 0);
        EXPECT_EQ(layerShown(form, "cmbCapaPol"), 0);
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
    });
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{
                  refusal("La capa -1 de la polilínea 1 no está en la lista de capas; la polilínea la "
                          "conserva mientras no se le elija otra."),
                  refusal("La capa 7 del punto 2 no está en la lista de capas; el punto la conserva "
                          "mientras no se le elija otra.")}));
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].CapaPuntos(2), 7);
    EXPECT_EQ(host.edits()[0].capP, -1);
}

TEST(FocusDialogRefusal, FieldNumbersBeyond32BitsAreRefusedAndTheDialogGoesOn) {
    RecordingHost host;
    Events events;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        type(form, "txtVert", "99999999999");
        control<ui::TextBox>(form, "txPolis").userTypes(u"1e12");
        click(form, "cmdAvP", 1);
        events = host.events();
        const std::string vertex =
            refusal("El número de vértice «99999999999» no cabe en un entero de 32 bits.");
        EXPECT_EQ(host.boxes(),
                  (std::vector<std::string>{
                      vertex, refusal("El número de polilínea «1e12» no cabe en un entero de 32 bits.")}));
        type(form, "txtVert", "2");
        control<ui::TextBox>(form, "txPolis").userTypes(u"2147483647");
        click(form, "cmdAvP", 1);  // past the largest number: wraps to 1
    });
    host.open(0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(host.events()[0], "EnfocaPuntito(2, 1)");
    EXPECT_EQ(host.events()[1].substr(0, 17), "newPolCambiala(1,");
}

TEST(FocusDialogRefusal, VertexCountWrittenBelowOneByTheHostDoesNotLoop) {
    RecordingHost host;
    host.onEnfocaPol = [](int32_t&, int32_t& nPtos, auto&&...) { nPtos = 0; };
    host.script([&](ui::Form& form) {
        click(form, "cmdAceptar");
        type(form, "txtVert", "3");
        click(form, "cmdAv", 0);
    });
    host.open(0);
    EXPECT_EQ(host.boxes(), (std::vector<std::string>{refusal("La polilínea 1 no tiene vértice 3."),
                                                      refusal("La polilínea 1 no tiene vértice 1.")}));
}

}  // namespace
}  // namespace orv::test
