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

TEST(FocusDialogNavigation, VertexArrowsWrapAndTellTheHostTwice) {
    RecordingHost host;
    std::string first, last;
    Events back, forward;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        click(form, "cmdAv", 0);  // "<" on vertex 1
        back = host.events();
        last = shown(form) + " / " + caption(form, "fraVert");
        host.clearEvents();
        click(form, "cmdAv", 1);  // ">" on the last
        forward = host.events();
        first = shown(form) + " / " + caption(form, "fraVert");
    });
    host.open(0);
    EXPECT_EQ(back, (Events{"EnfocaPuntito(5, 1)", "EnfocaPuntito(5, 1)"}));
    EXPECT_EQ(last, "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1 / Vértice 5");
    EXPECT_EQ(forward, (Events{"EnfocaPuntito(1, 1)", "EnfocaPuntito(1, 1)"}));
    EXPECT_EQ(first, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1 / Vértice 1");
}

TEST(FocusDialogNavigation, PolylineArrowAsksTwiceThenCentresOnVertexOne) {
    RecordingHost host;
    Events forward, back;
    std::string polyline, vertex;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        click(form, "cmdAvP", 1);
        forward = host.events();
        polyline = polylineShown(form);
        vertex = shown(form);
        click(form, "cmdAvP", 1);
        click(form, "cmdAvP", 1);  // past the last: back to 1
        host.clearEvents();
        click(form, "cmdAvP", 0);  // before the first: the last
        back = host.events();
    });
    host.open(0);
    // The first request carries the dialog's variables as they were: the new number, the old polyline.
    EXPECT_EQ(forward, (Events{announced(2, "[1 2 3 4 5]", 1, 3, sampleColour(1)),
                               announced(2, "[4 5 6 7 8 9]", 2), "EnfocaPuntito(4, 2)"}));
    EXPECT_EQ(polyline, "polilínea 2 /3 [3 Polilíneas |Polilínea 2|Vértice 6| /6] capa 2");
    EXPECT_EQ(vertex, "vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
    EXPECT_EQ(back, (Events{announced(3, "[1 2 3 4 5]", 1, 3, sampleColour(1)),
                            announced(3, "[7 8 9 10 1 2 3]", 3), "EnfocaPuntito(7, 3)"}));
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

TEST(FocusDialogNavigation, EditsSurviveMovesAndReachTheHostOnCapture) {
    RecordingHost host;
    std::string afterRoundTrip;
    host.script([&](ui::Form& form) {
        type(form, "txtNom", "Esquina");
        type(form, "txtX", "12.5");
        type(form, "txtcod", "MURO");
        control<ui::ComboBox>(form, "cmbCapa").userSelects(2);
        click(form, "cmdAv", 1);
        click(form, "cmdAv", 0);
        afterRoundTrip = shown(form);
        click(form, "cmdAceptar");
    });
    host.open(0);
    EXPECT_EQ(afterRoundTrip, "vértice 1 punto 1: Esquina 12.500 2002.500 100.333 MURO capa 3");
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].X(1), 12.5);
    EXPECT_EQ(host.edits()[0].CapaPuntos(1), 3);
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

TEST(FocusDialogNavigation, ListsWithoutSelectionStoreLayerOne) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "3");  // point 3, layer 3
        control<ui::ComboBox>(form, "cmbCapa").userTypes(u"otra");
        control<ui::ComboBox>(form, "cmbCapaPol").userTypes(u"otra");
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
    });
    host.open(0);
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].CapaPuntos(3), 1);
    EXPECT_EQ(host.edits()[0].capP, 1);
}

TEST(FocusDialogNavigation, HandlersYieldWhereTheyTellTheHost) {
    RecordingHost host;
    std::vector<int> yields;
    host.script([&](ui::Form& form) {
        auto count = [&](auto action) {
            const int before = host.toolkit().yieldCount();
            action();
            yields.push_back(host.toolkit().yieldCount() - before);
        };
        count([&] { type(form, "txtVert", "2"); });
        count([&] { click(form, "cmdAv", 1); });
        count([&] { click(form, "cmdAvP", 1); });
        count([&] { click(form, "cmdAceptar"); });
    });
    host.open(0);
    EXPECT_EQ(yields, (std::vector<int>{1, 2, 1, 1}));
}

}  // namespace
}  // namespace orv::test
