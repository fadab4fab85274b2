// Moving through vertices and polylines: what is shown, what the host is told and in which order, that edits
// survive moves, and the input that runs during the handlers' yields.
#include <gtest/gtest.h>

#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

TEST(FocusDialogNavigation, TypedVertexIsReadAsAWholeNumberAndOutsideTheListTheNearestEndIsShown) {
    // From vertex 3; a typed text stays as typed.
    const std::pair<const char*, std::string> cases[] = {
        {"0", kVertex1},
        {"-3", kVertex1},
        {"abc", kVertex1},
        {"", kVertex1},
        {"9", "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1"},
        {"2.5", "vértice 2.5 punto 2: P2 1002.125 2004.500 100.667 C2 capa 2"},
        {"3.5", "vértice 3.5 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4"},
        {"&H2", "vértice &H2 punto 2: P2 1002.125 2004.500 100.667 C2 capa 2"}};
    for (const auto& [typed, expected] : cases) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            type(form, "txtVert", "3");
            host.clearEvents();
            type(form, "txtVert", typed);
            EXPECT_EQ(shown(form), expected) << typed;
            EXPECT_EQ(joined(host.events()), "EnfocaPuntito(" + text(form, "txtN") + ", 1)") << typed;
        });
        host.open(0);
    }
}

TEST(FocusDialogNavigation, ArrowsWrapAroundAndTellTheHost) {
    DrawingShape shape;
    shape.polylines = 10;
    RecordingHost host{sampleDrawing(shape)};
    // A vertex arrow tells the host twice. A polyline arrow asks twice, the first time with the dialog's
    // variables as they were (the new number, the old polyline), then centres on vertex 1. After each step
    // the dialog shows (among the rest) the third column: the point, the vertex frame, the polyline.
    const std::tuple<const char*, std::string, std::string> steps[] = {
        {"cmdAv 0", "EnfocaPuntito(5, 1); EnfocaPuntito(5, 1)",  // "<" on vertex 1
         "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1 Vértice 5"},
        {"cmdAv 1", "EnfocaPuntito(1, 1); EnfocaPuntito(1, 1)", kVertex1 + " Vértice 1"},
        {"txtVert=4", "EnfocaPuntito(4, 1)", ""},
        {"cmdAv 1", "EnfocaPuntito(5, 1); EnfocaPuntito(5, 1)", "vértice 5 punto 5"},
        {"cmdAvP 1",
         "newPolCambiala(2, [1 2 3 4 5], 1, 10, 255); newPolCambiala(2, [4 5 6 7 8 9], 2, 10, 65280); "
         "EnfocaPuntito(4, 2)",
         "vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4 Vértice 6 polilínea 2 /10 [10 Polilíneas "
         "|Polilínea 2|Vértice 6| /6] capa 2"},
        {"cmdZm 0", "Zoom(true, 1, 2)", ""},  // the vertex number and the polyline
        {"cmdZm 1", "Zoom(false, 1, 2)", ""},
        {"cmdAvP 0",
         "newPolCambiala(1, [4 5 6 7 8 9], 2, 10, 65280); newPolCambiala(1, [1 2 3 4 5], 1, 10, 255); "
         "EnfocaPuntito(1, 1)",
         ""},
        {"cmdAvP 0",  // before the first
         "newPolCambiala(10, [1 2 3 4 5], 1, 10, 255); "
         "newPolCambiala(10, [8 9 10 1 2 3 4 5 6 7 8 9 10 1], 2, 10, 65280); EnfocaPuntito(8, 10)",
         "polilínea 10 /10"},
        {"cmdAvP 1",  // past the last
         "newPolCambiala(1, [8 9 10 1 2 3 4 5 6 7 8 9 10 1], 2, 10, 65280); "
         "newPolCambiala(1, [1 2 3 4 5], 1, 10, 255); EnfocaPuntito(1, 1)",
         ""},
        // A typed polyline number is stepped as it stands; the host has no polyline 49 and writes nothing.
        {"txPolis=50", "", ""},
        {"cmdAvP 0",
         "newPolCambiala(49, [1 2 3 4 5], 1, 10, 255); newPolCambiala(49, [1 2 3 4 5], 1, 10, 255); "
         "EnfocaPuntito(1, 49)",
         "polilínea 49 /10"},
    };
    host.script([&](ui::Form& form) {
        for (const auto& [action, events, shows] : steps) {
            host.clearEvents();
            perform(form, action);
            EXPECT_EQ(joined(host.events()), events) << action;
            const std::string all = shown(form) + " " + caption(form, "fraVert") + " " + polylineShown(form);
            EXPECT_NE(all.find(shows), std::string::npos) << action << ": " << all;
        }
    });
    host.open(0);
}

TEST(FocusDialogNavigation, EditsSurviveMovesAndReachTheHostAndListsWithoutSelectionStoreLayerOne) {
    DrawingShape shape;
    shape.selected = 2;  // points [4 5 6 7 8 9], layer 2
    RecordingHost host{sampleDrawing(shape)};
    host.script([&](ui::Form& form) {
        // Vertex 1's edits are not stored by typing another vertex before any vertex change.
        type(form, "txtNom", "Perdido");
        type(form, "txtVert", "2");
        type(form, "txtVert", "1");
        EXPECT_EQ(text(form, "txtNom"), "P4");
        type(form, "txtNom", "Esquina");
        type(form, "txtX", "12.5");
        type(form, "txtY", "-3");
        type(form, "txtZ", "7.25");
        type(form, "txtcod", "MURO");
        control<ui::ComboBox>(form, "cmbCapa").userSelects(2);
        click(form, "cmdAv", 1);
        click(form, "cmdAv", 0);
        EXPECT_EQ(shown(form), "vértice 1 punto 4: Esquina 12.500 -3.000 7.250 MURO capa 3");
        type(form, "txtVert", "3");  // point 6, layer 2
        control<ui::ComboBox>(form, "cmbCapa").userTypes(u"otra");
        control<ui::ComboBox>(form, "cmbCapaPol").userTypes(u"otra");
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
    });
    host.open(0);
    ASSERT_EQ(host.edits().size(), 1u);
    const EditedData& edit = host.edits()[0];
    EXPECT_EQ(
        std::make_tuple(edit.X(4), edit.Y(4), edit.Z(4), edit.CapaPuntos(4), edit.CapaPuntos(6), edit.capP),
        std::make_tuple(12.5, -3.0, 7.25, int16_t{3}, int16_t{1}, int16_t{1}));
    EXPECT_EQ(edit.Nombre.get(4) + u" " + edit.Código.get(4), u"Esquina MURO");
}

TEST(FocusDialogReentry, InputQueuedWhileAHandlerRunsIsTakenAtItsYields) {
    struct Case {
        int32_t polyline, vertex;  // where the dialog stands
        const char* action;
        int yield;  // the n-th yield from the start of the action runs the queued input
        const char* queued;
        const char* events;
        const char* after = "";  // vertex field, point number and vertex frame afterwards
    };
    const std::string back =
        "EnfocaPuntito(9, 2); newPolCambiala(1, [4 5 6 7 8 9], 2, 3, 65280); "
        "newPolCambiala(1, [1 2 3 4 5], 1, 3, 255); EnfocaPuntito(1, 1)";
    const Case cases[] = {
        // A vertex arrow yields once it has shown the vertex, then again before it tells the host once more.
        {1, 1, "cmdAv 1", 1, "cmdAv 1",
         "EnfocaPuntito(2, 1); EnfocaPuntito(3, 1); EnfocaPuntito(3, 1); EnfocaPuntito(2, 1)",
         "3 2 Vértice 2"},
        {1, 1, "cmdAv 1", 2, "cmdZm 0", "EnfocaPuntito(2, 1); Zoom(true, 2, 1); EnfocaPuntito(2, 1)"},
        {1, 1, "cmdAv 1", 1, "cmdCancelar",
         "EnfocaPuntito(2, 1); CancelarEnfoca(); CancelarEnfoca(); EnfocaPuntito(2, 1)"},
        // A polyline step in either yield of a vertex arrow leaves the arrow no vertex to announce.
        {2, 5, "cmdAv 1", 1, "cmdAvP 0", back.c_str()},
        {2, 5, "cmdAv 1", 2, "cmdAvP 0", back.c_str()},
        // A polyline arrow yields before the dialog's polyline number changes.
        {1, 1, "cmdAvP 1", 1, "cmdZm 1",
         "Zoom(false, 1, 1); newPolCambiala(2, [1 2 3 4 5], 1, 3, 255); newPolCambiala(2, [4 5 6 7 8 9], 2, "
         "3, 65280); EnfocaPuntito(4, 2)"},
        // "Capturar <<" yields before it stores the fields and hands them over.
        {1, 1, "cmdAceptar", 1, "txtVert=3",
         "EnfocaPuntito(3, 1); EnfocaPol(3, 5, 1, [1 2 3 4 5], 1, 3, 255)"},
    };
    for (const Case& c : cases) {
        DrawingShape shape;
        shape.selected = c.polyline;
        RecordingHost host{sampleDrawing(shape)};
        host.script([&](ui::Form& form) {
            if (c.vertex > 1) type(form, "txtVert", std::to_string(c.vertex));
            host.clearEvents();
            atYield(host.toolkit(), c.yield, [&] { perform(form, c.queued); });
            perform(form, c.action);
            EXPECT_EQ(joined(host.events()), c.events) << c.action << " / " << c.queued;
            const std::string after =
                text(form, "txtVert") + " " + text(form, "txtN") + " " + caption(form, "fraVert");
            EXPECT_EQ(after.find(c.after), 0u) << after;
        });
        host.open(0);
        EXPECT_EQ(joined(host.boxes()), "") << c.action << " / " << c.queued;
        EXPECT_TRUE(host.toolkit().yieldQueueEmpty()) << c.action << " / " << c.queued;
    }
}

}  // namespace
}  // namespace orv::test
