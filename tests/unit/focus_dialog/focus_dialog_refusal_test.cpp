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

TEST(FocusDialogRefusal, ShortVertexListAtIntakeIsRefusedAndCancelled) {
    Drawing drawing = sampleDrawing();
    drawing.VertP = longArray({3});
    RecordingHost host{std::move(drawing)};
    host.open(0);
    EXPECT_EQ(host.boxes(), (std::vector<std::string>{
                                refusal("La polilínea 1 tiene menos de 2 vértices y no se puede mostrar.")}));
    EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()"}));
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << "no dialog was shown";
}

TEST(FocusDialogRefusal, ShortVertexListFromTheHostEndsTheDialog) {
    RecordingHost host;
    host.answersPolylineRequests = false;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t&, int32_t&, int32_t&) {
        if (aPolN == 2) aVertP = longArray({4}, 0);  // upper bound 0
    };
    host.script([&](ui::Form& form) {
        host.clearEvents();
        click(form, "cmdAvP", 1);
    });
    host.open(0);
    EXPECT_EQ(host.boxes(), (std::vector<std::string>{
                                refusal("La polilínea 2 tiene menos de 2 vértices y no se puede mostrar.")}));
    EXPECT_EQ(host.events(),
              (Events{"newPolCambiala(2, [1 2 3 4 5], 1, 3, " + std::to_string(sampleColour(1)) + ")",
                      "CancelarEnfoca()"}));
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
    EXPECT_NE(host.services().placements().stored(u"Enfoca Polilineas", u"enfoca"), nullptr);
}

TEST(FocusDialogRefusal, IntakeSubscriptAndOverflowErrorsAreReportedByPasaDatos) {
    Drawing missingPoint = sampleDrawing();
    missingPoint.VertP = longArray({11, 1, 2});  // the point arrays end at 10
    Drawing undimensioned = sampleDrawing();
    undimensioned.VertP = LongArray();
    Drawing tooManyLayers = sampleDrawing();
    tooManyLayers.noCapas = 40000;
    struct Case {
        Drawing drawing;
        const char* number;
    } cases[] = {
        {std::move(missingPoint), "9"}, {std::move(undimensioned), "9"}, {std::move(tooManyLayers), "6"}};
    for (Case& c : cases) {
        RecordingHost host{std::move(c.drawing)};
        host.open(0);
        const std::vector<std::string> boxes = host.boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.number;
        EXPECT_EQ(boxes[0].rfind("Enfoca Pollilinea - Error nº " + std::string(c.number) + ": ", 0), 0u)
            << boxes[0];
        EXPECT_TRUE(host.events().empty()) << c.number;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
    }
}

TEST(FocusDialogRefusal, VertexWithoutItsPointIsAnnouncedAndSkippedByTheArrows) {
    Drawing drawing = sampleDrawing();
    drawing.polylines[0].vertices = {1, 2, 99, 4};
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    std::string typedThree, arrowedThree, arrowedFour;
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Dos");
        host.clearEvents();
        type(form, "txtVert", "3");
        typedThree = shown(form);
        type(form, "txtVert", "2");
        click(form, "cmdAv", 1);
        arrowedThree = shown(form);
        click(form, "cmdAv", 1);
        arrowedFour = shown(form);
    });
    host.open(0);
    const std::string refused =
        refusal("El vértice 3 de la polilínea 1 remite al punto 99, que no está en el dibujo.");
    EXPECT_EQ(host.boxes(), (std::vector<std::string>{refused, refused}));
    // The fields stay with the point they show, and its edits are kept.
    EXPECT_EQ(typedThree, "vértice 3 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
    EXPECT_EQ(arrowedThree, "vértice 3 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
    EXPECT_EQ(arrowedFour, "vértice 4 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(2, 1)", "EnfocaPuntito(4, 1)", "EnfocaPuntito(4, 1)",
                                     "CancelarEnfoca()"}));
}

TEST(FocusDialogRefusal, PolylineStartingOutsideThePointsKeepsTheDialogOnTheOldOne) {
    RecordingHost host;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t&, int32_t&, int32_t&) {
        if (aPolN == 2) aVertP = longArray({50, 1});
    };
    std::string refused, next;
    host.script([&](ui::Form& form) {
        click(form, "cmdAvP", 1);
        refused = shown(form);
        click(form, "cmdAvP", 1);  // the polyline arrows lead on
        next = shown(form);
    });
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{
                  refusal("El vértice 1 de la polilínea 2 remite al punto 50, que no está en el dibujo.")}));
    EXPECT_EQ(refused, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
    EXPECT_EQ(next, "vértice 1 punto 7: P7 1007.125 2014.500 102.333 C7 capa 3");
}

TEST(FocusDialogRefusal, LayerOutsideTheListsIsShownAsNoneAndKept) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos(2) = 7;
    drawing.polylines[0].layer = -1;  // what the host hands over and answers for polyline 1
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    int32_t pointLayer = -9, polylineLayer = -9;
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        pointLayer = layerShown(form, "cmbCapa");
        polylineLayer = layerShown(form, "cmbCapaPol");
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
    EXPECT_EQ(pointLayer, 0);
    EXPECT_EQ(polylineLayer, 0);
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
        click(form, "cmdAv", 1);
        click(form, "cmdZm", 0);
        click(form, "cmdRedibuja");
        control<ui::TextBox>(form, "txPolis").userTypes(u"1e12");
        click(form, "cmdAvP", 1);
        events = host.events();
        const std::string vertex =
            refusal("El número de vértice «99999999999» no cabe en un entero de 32 bits.");
        EXPECT_EQ(host.boxes(),
                  (std::vector<std::string>{
                      vertex, vertex, vertex, vertex,
                      refusal("El número de polilínea «1e12» no cabe en un entero de 32 bits.")}));
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
                                                      refusal("La polilínea 1 no tiene vértice 2.")}));
}

}  // namespace
}  // namespace orv::test
