// Moving through vertices and polylines: what is shown, what the host is told and in which order, that edits
// survive moves, and the input that runs during the handlers' yields.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "support/recording_host.h"
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
        {"&H2", "vértice &H2 punto 2: P2 1002.125 2004.500 100.667 C2 capa 2"},
    };
    for (const auto& [typed, expected] : cases) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            type(form, "txtVert", "3");
            host.clearEvents();
            type(form, "txtVert", typed);
            EXPECT_EQ(shown(form), expected) << typed;
            EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(" + text(form, "txtN") + ", 1)"})) << typed;
        });
        host.open(0);
    }
}

TEST(FocusDialogNavigation, ArrowsWrapAroundAndTellTheHost) {
    DrawingShape shape;
    shape.polylines = 10;
    RecordingHost host{sampleDrawing(shape)};
    host.script([&](ui::Form& form) {
        const auto press = [&](const char* arrow, int16_t index) {
            host.clearEvents();
            click(form, arrow, index);
            return host.events();
        };
        // A vertex arrow tells the host twice.
        EXPECT_EQ(press("cmdAv", 0),
                  (Events{"EnfocaPuntito(5, 1)", "EnfocaPuntito(5, 1)"}));  // "<" on vertex 1
        EXPECT_EQ(shown(form) + " " + caption(form, "fraVert"),
                  "vértice 5 punto 5: P5 1005.125 2010.500 101.667 C5 capa 1 Vértice 5");
        EXPECT_EQ(press("cmdAv", 1), (Events{"EnfocaPuntito(1, 1)", "EnfocaPuntito(1, 1)"}));
        EXPECT_EQ(shown(form) + " " + caption(form, "fraVert"), kVertex1 + " Vértice 1");
        type(form, "txtVert", "4");
        EXPECT_EQ(press("cmdAv", 1), (Events{"EnfocaPuntito(5, 1)", "EnfocaPuntito(5, 1)"}));
        // A polyline arrow asks twice, the first time with the dialog's variables as they were: the new
        // number, the old polyline; then it centres on vertex 1.
        EXPECT_EQ(press("cmdAvP", 1),
                  (Events{"newPolCambiala(2, [1 2 3 4 5], 1, 10, 255)",
                          "newPolCambiala(2, [4 5 6 7 8 9], 2, 10, 65280)", "EnfocaPuntito(4, 2)"}));
        EXPECT_EQ(polylineShown(form), "polilínea 2 /10 [10 Polilíneas |Polilínea 2|Vértice 6| /6] capa 2");
        EXPECT_EQ(shown(form), "vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
        EXPECT_EQ(press("cmdAvP", 0).front(), "newPolCambiala(1, [4 5 6 7 8 9], 2, 10, 65280)");
        EXPECT_EQ(press("cmdAvP", 0).front(),
                  "newPolCambiala(10, [1 2 3 4 5], 1, 10, 255)");  // before the first
        EXPECT_EQ(press("cmdAvP", 1).front(),
                  "newPolCambiala(1, [8 9 10 1 2 3 4 5 6 7 8 9 10 1], 2, 10, 65280)");  // past the last
        // A typed polyline number is stepped as it stands; the host has no polyline 49 and leaves the list.
        host.answersPolylineRequests = false;
        type(form, "txPolis", "50");
        EXPECT_EQ(press("cmdAvP", 0),
                  (Events{"newPolCambiala(49, [1 2 3 4 5], 1, 10, 255)",
                          "newPolCambiala(49, [1 2 3 4 5], 1, 10, 255)", "EnfocaPuntito(1, 49)"}));
    });
    host.open(0);
}

TEST(FocusDialogNavigation, EditsSurviveMovesAndReachTheHostAndListsWithoutSelectionStoreLayerOne) {
    DrawingShape shape;
    shape.selected = 2;  // points [4 5 6 7 8 9], layer 2
    RecordingHost host{sampleDrawing(shape)};
    host.script([&](ui::Form& form) {
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

TEST(FocusDialogNavigation, VertexOneEditsAreStoredByAnArrowButNotByTypingBeforeAnyVertexChange) {
    for (const bool arrows : {false, true}) {
        RecordingHost host;
        host.script([&](ui::Form& form) {
            type(form, "txtNom", "Editado");
            arrows ? click(form, "cmdAv", 1) : type(form, "txtVert", "2");
            arrows ? click(form, "cmdAv", 0) : type(form, "txtVert", "1");
            EXPECT_EQ(text(form, "txtNom"), arrows ? "Editado" : "P1");
        });
        host.open(0);
    }
}

TEST(FocusDialogHostWrites, PolylineTheHostWritesIsSetUpButWhatItWritesIntoAnAnnouncementIsNotShown) {
    RecordingHost host;
    host.answersPolylineRequests = false;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                               int32_t& acolpol) {
        if (aPolN != 2) {
            aVertP = longArray({2, 3});  // written at the set-up's announcement
            return;
        }
        aVertP = longArray({7, 8, 9});
        acapP = 3;
        aNoPoli = 12;
        acolpol = 0x123456;
    };
    host.script([&](ui::Form& form) {
        EXPECT_EQ(polylineShown(form), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1");
        click(form, "cmdAceptar");
        host.clearEvents();
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form), "polilínea 2 /12 [12 Polilíneas |Polilínea 2|Vértice 3| /3] capa 3");
        EXPECT_EQ(shown(form), "vértice 1 punto 7: P7 1007.125 2014.500 102.333 C7 capa 3");
        EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 0x123456);
    });
    host.open(0);
    EXPECT_EQ(describe(host.edits().at(0).nVer), "[2 3]");
    EXPECT_EQ(host.events(), (Events{"newPolCambiala(2, [2 3], 1, 3, 255)",
                                     "newPolCambiala(2, [7 8 9], 3, 12, "
                                     "1193046)",
                                     "EnfocaPuntito(7, 2)", "CancelarEnfoca()"}));
}

TEST(FocusDialogHostWrites, PointNumberWrittenAtTheFocusEventIsWhereTheFieldsGo) {
    RecordingHost host;
    host.onEnfocaPuntito = [](int32_t& Name, int32_t&) {
        if (Name == 2) Name = 6;
    };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Movido");
        host.clearEvents();
        click(form, "cmdAceptar");
    });
    host.open(0);
    EXPECT_EQ(host.events(), (Events{"EnfocaPol(6, 5, 1, [1 2 3 4 5], 1, 3, 255)", "CancelarEnfoca()"}));
    EXPECT_EQ(host.edits()[0].Nombre.get(6), u"Movido");
    EXPECT_EQ(host.edits()[0].Nombre.get(2), u"P2");
}

TEST(FocusDialogReentry, InputQueuedWhileAHandlerRunsIsTakenAtItsYields) {
    const auto press = [](const char* button, int16_t index = -1) {
        return [=](ui::Form& form) { click(form, button, index); };
    };
    struct Case {
        int32_t polyline, vertex;  // where the dialog stands
        std::function<void(ui::Form&)> act;
        int yield;  // the n-th yield from the start of act runs the queued input
        std::function<void(ui::Form&)> queued;
        Events events;
    };
    const Case cases[] = {
        // A vertex arrow yields once it has shown the vertex, then again before it tells the host once more.
        {1,
         1,
         press("cmdAv", 1),
         1,
         press("cmdAv", 1),
         {"EnfocaPuntito(2, 1)", "EnfocaPuntito(3, 1)", "EnfocaPuntito(3, 1)", "EnfocaPuntito(2, 1)"}},
        {1,
         1,
         press("cmdAv", 1),
         2,
         press("cmdZm", 0),
         {"EnfocaPuntito(2, 1)", "Zoom(true, 2, 1)", "EnfocaPuntito(2, 1)"}},
        {1,
         1,
         press("cmdAv", 1),
         1,
         press("cmdCancelar"),
         {"EnfocaPuntito(2, 1)", "CancelarEnfoca()", "CancelarEnfoca()", "EnfocaPuntito(2, 1)"}},
        // A polyline step in a vertex arrow's yield leaves the arrow no vertex to announce.
        {2,
         5,
         press("cmdAv", 1),
         1,
         press("cmdAvP", 0),
         {"EnfocaPuntito(9, 2)", "newPolCambiala(1, [4 5 6 7 8 9], 2, 3, 65280)",
          "newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}},
        {2,
         5,
         press("cmdAv", 1),
         2,
         press("cmdAvP", 0),
         {"EnfocaPuntito(9, 2)", "newPolCambiala(1, [4 5 6 7 8 9], 2, 3, 65280)",
          "newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}},
        // A polyline arrow yields before the dialog's polyline number changes.
        {1,
         1,
         press("cmdAvP", 1),
         1,
         press("cmdZm", 1),
         {"Zoom(false, 1, 1)", "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
          "newPolCambiala(2, [4 5 6 7 8 9], 2, 3, 65280)", "EnfocaPuntito(4, 2)"}},
        // "Capturar <<" yields before it stores the fields and hands them over.
        {1,
         1,
         press("cmdAceptar"),
         1,
         [](ui::Form& form) { type(form, "txtVert", "3"); },
         {"EnfocaPuntito(3, 1)", "EnfocaPol(3, 5, 1, [1 2 3 4 5], 1, 3, 255)"}},
    };
    for (const Case& c : cases) {
        DrawingShape shape;
        shape.selected = c.polyline;
        RecordingHost host{sampleDrawing(shape)};
        host.script([&](ui::Form& form) {
            if (c.vertex > 1) type(form, "txtVert", std::to_string(c.vertex));
            host.clearEvents();
            atYield(host.toolkit(), c.yield, [&] { c.queued(form); });
            c.act(form);
            EXPECT_EQ(host.events(), c.events) << c.events.front();
        });
        host.open(0);
        EXPECT_TRUE(host.messageBoxes().empty()) << c.events.front();
        EXPECT_TRUE(host.toolkit().yieldQueueEmpty()) << c.events.front();
    }
}

}  // namespace
}  // namespace orv::test
