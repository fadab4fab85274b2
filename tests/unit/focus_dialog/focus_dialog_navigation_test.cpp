// Moving through vertices and polylines: what is shown, what the host is told, and that edits survive moves.
// Sample drawing: polyline 1 is points [1 2 3 4 5], polyline 2 [4 5 6 7 8 9], polyline 3 [7 8 9 10 1 2 3];
// point p is named "P<p>" and lies on layer 1 + (p - 1) mod 4.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

std::string announced(int32_t polyline, const std::string& vertices, int16_t layer, int32_t count = 3,
                      int32_t colour = -1) {
    if (colour < 0) colour = sampleColour(polyline);
    return "newPolCambiala(" + std::to_string(polyline) + ", " + vertices + ", " + std::to_string(layer) +
           ", " + std::to_string(count) + ", " + std::to_string(colour) + ")";
}

// Opens the sample drawing, runs one user action after the set-up and returns what the host heard from it and
// what the dialog showed afterwards.
struct Outcome {
    Events events;
    std::string shown;
};
Outcome afterSetUp(Drawing drawing, std::function<void(ui::Form&)> prepare,
                   std::function<void(ui::Form&)> act) {
    RecordingHost host{std::move(drawing)};
    Outcome outcome;
    host.script([&](ui::Form& form) {
        if (prepare) prepare(form);
        host.clearEvents();
        act(form);
        outcome.events = host.events();
        outcome.shown = shown(form);
    });
    host.open(0);
    return outcome;
}

TEST(FocusDialogNavigation, TypedVertexIsReadAsAWholeNumberAndOutsideTheListTheNearestEndIsShown) {
    // From vertex 3; a typed text stays as typed.
    const std::pair<const char*, Outcome> cases[] = {
        {"0", {{"EnfocaPuntito(1, 1)"}, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1"}},
        {"-3", {{"EnfocaPuntito(1, 1)"}, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1"}},
        {"abc", {{"EnfocaPuntito(1, 1)"}, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1"}},
        {"", {{"EnfocaPuntito(1, 1)"}, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1"}},
        {"9", {{"EnfocaPuntito(5, 1)"}, "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1"}},
        {"2.5", {{"EnfocaPuntito(2, 1)"}, "vértice 2.5 punto 2: P2 1002.125 2004.500 100.667 C2 capa 2"}},
        {"3.5", {{"EnfocaPuntito(4, 1)"}, "vértice 3.5 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4"}},
    };
    for (const auto& [typed, expected] : cases) {
        const Outcome outcome = afterSetUp(
            sampleDrawing(), [](ui::Form& f) { type(f, "txtVert", "3"); },
            [&](ui::Form& f) { type(f, "txtVert", typed); });
        EXPECT_EQ(outcome.events, expected.events) << typed;
        EXPECT_EQ(outcome.shown, expected.shown) << typed;
    }
}

TEST(FocusDialogNavigation, ArrowsWrapTellTheHostAndYieldBeforeEachEvent) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        const auto step = [&](const char* arrow, int16_t index, int yields, const Events& events) {
            host.clearEvents();
            const int before = host.toolkit().yieldCount();
            click(form, arrow, index);
            EXPECT_EQ(host.toolkit().yieldCount() - before, yields) << arrow << index;
            EXPECT_EQ(host.events(), events) << arrow << index;
        };
        // A vertex arrow tells the host twice.
        step("cmdAv", 0, 2, {"EnfocaPuntito(5, 1)", "EnfocaPuntito(5, 1)"});  // "<" on vertex 1
        EXPECT_EQ(shown(form) + " / " + caption(form, "fraVert"),
                  "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1 / Vértice 5");
        step("cmdAv", 1, 2, {"EnfocaPuntito(1, 1)", "EnfocaPuntito(1, 1)"});
        EXPECT_EQ(shown(form) + " / " + caption(form, "fraVert"),
                  "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1 / Vértice 1");
        // A polyline arrow asks twice, the first time with the dialog's variables as they were: the new
        // number, the old polyline; then it centres on vertex 1.
        step("cmdAvP", 1, 1,
             {announced(2, "[1 2 3 4 5]", 1, 3, sampleColour(1)), announced(2, "[4 5 6 7 8 9]", 2),
              "EnfocaPuntito(4, 2)"});
        EXPECT_EQ(polylineShown(form), "polilínea 2 /3 [3 Polilíneas |Polilínea 2|Vértice 6| /6] capa 2");
        EXPECT_EQ(shown(form), "vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
        click(form, "cmdAvP", 1);
        click(form, "cmdAvP", 1);  // past the last: back to 1
        step("cmdAvP", 0, 1,       // before the first: the last
             {announced(3, "[1 2 3 4 5]", 1, 3, sampleColour(1)), announced(3, "[7 8 9 10 1 2 3]", 3),
              "EnfocaPuntito(7, 3)"});
        host.clearEvents();
        const int before = host.toolkit().yieldCount();
        type(form, "txtVert", "2");
        click(form, "cmdAceptar");
        EXPECT_EQ(host.toolkit().yieldCount() - before, 2);
        EXPECT_EQ(host.events().size(), 2u);
    });
    host.open(0);
}

TEST(FocusDialogNavigation, TypedPolylineNumberIsSteppedUnchecked) {
    DrawingShape shape;
    shape.polylines = 10;
    RecordingHost host{sampleDrawing(shape)};
    host.answersPolylineRequests = false;  // the host has no polyline 49 to give
    Events events;
    host.script([&](ui::Form& form) {
        control<ui::TextBox>(form, "txPolis").userTypes(u"50");
        host.clearEvents();
        click(form, "cmdAvP", 0);
        events = host.events();
    });
    host.open(0);
    const int32_t colour = sampleColour(1);
    EXPECT_EQ(events, (Events{announced(49, "[1 2 3 4 5]", 1, 10, colour),
                              announced(49, "[1 2 3 4 5]", 1, 10, colour), "EnfocaPuntito(1, 49)"}));
}

TEST(FocusDialogNavigation, EditsSurviveMovesAndReachTheHostOnCaptureAndListsWithoutSelectionStoreLayerOne) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        type(form, "txtNom", "Esquina");
        type(form, "txtX", "12.5");
        type(form, "txtY", "-3");
        type(form, "txtZ", "7.25");
        type(form, "txtcod", "MURO");
        control<ui::ComboBox>(form, "cmbCapa").userSelects(2);
        click(form, "cmdAv", 1);
        click(form, "cmdAv", 0);
        EXPECT_EQ(shown(form), "vértice 1 punto 1: Esquina 12.500 -3.000 7.250 MURO capa 3");
        type(form, "txtVert", "3");  // point 3, layer 3
        control<ui::ComboBox>(form, "cmbCapa").userTypes(u"otra");
        control<ui::ComboBox>(form, "cmbCapaPol").userTypes(u"otra");
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
    });
    host.open(0);
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].X(1), 12.5);
    EXPECT_EQ(host.edits()[0].Y(1), -3);
    EXPECT_EQ(host.edits()[0].Z(1), 7.25);
    EXPECT_EQ(host.edits()[0].CapaPuntos(1), 3);
    EXPECT_EQ(host.edits()[0].CapaPuntos(3), 1);
    EXPECT_EQ(host.edits()[0].capP, 1);
}

TEST(FocusDialogNavigation, VertexOneEditsAreStoredByAnArrowButNotByTypingBeforeAnyVertexChange) {
    const auto editName = [](ui::Form& form) { type(form, "txtNom", "Editado"); };
    const Outcome typed = afterSetUp(sampleDrawing(), editName, [](ui::Form& f) {
        type(f, "txtVert", "2");
        type(f, "txtVert", "1");
    });
    EXPECT_EQ(typed.shown, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
    const Outcome arrows = afterSetUp(sampleDrawing(), editName, [](ui::Form& f) {
        click(f, "cmdAv", 1);
        click(f, "cmdAv", 0);
    });
    EXPECT_EQ(arrows.shown, "vértice 1 punto 1: Editado 1001.125 2002.500 100.333 C1 capa 1");
}

}  // namespace
}  // namespace orv::test
