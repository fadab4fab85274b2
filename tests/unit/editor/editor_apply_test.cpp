// "Aceptar": the table read back into the drawing and the vertex list, handed to the host; "Capturar <<" and
// "Cancelar"; the vertex and polyline arrows, which apply the table first and then move.
#include <gtest/gtest.h>

#include <bit>
#include <tuple>

#include "support/failing_placement_store.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Value;

TEST(EditorApply, UntouchedTableHandsBackTheVeryDoublesYieldingOncePerRowAndKeepsTheDialogOpen) {
    const double values[] = {0.1 + 0.2, 1e-9, 123456789.123456789, -0.0, 5e-324, -1.7976931348623157e308};
    Drawing drawing = sampleDrawing(10, 6);
    for (int32_t p = 1; p <= 6; ++p) {
        drawing.X(p) = values[p - 1];
        drawing.Y(p) = -values[6 - p];
        drawing.Z(p) = values[p - 1] / 3;
    }
    const Drawing original = drawing;
    RecordingHost host{std::move(drawing)};
    runEditor(host, {[&](EditorForm& editor) {
                         // Looking at a cell in place and leaving it unchanged is no edit.
                         for (int32_t column = 3; column <= 5; ++column)
                             editor.commit(2, column, editor.table().editText(2, column, {}));
                         host.clearEvents();
                         const int before = host.toolkit().yieldCount();
                         editor.click("cmdRedibuja");
                         EXPECT_EQ(host.toolkit().yieldCount() - before, 6);
                         EXPECT_EQ(host.events(), (Events{"EnfocaPol(6, 10, 1, [1 2 3 4 5 6], 1, 3, 255)"}));
                         EXPECT_TRUE(editor.form().shown());
                     },
                     [&](EditorForm& editor) { editor.form().userResizes(9100, 6100); },
                     [&](EditorForm& editor) { editor.click("cmdRedibuja"); }});
    // "Aceptar" stores the placement as it stands.
    const auto* stored = host.services().placements().stored(u"Editar Polilíneas", u"EditarPol");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->width, 9100);
    ASSERT_EQ(host.edits().size(), 2u);
    for (const EditedData& sent : host.edits())
        for (int32_t p = 1; p <= 6; ++p)
            for (const auto& [got, want] :
                 {std::pair{sent.X(p), original.X(p)}, std::pair{sent.Y(p), original.Y(p)},
                  std::pair{sent.Z(p), original.Z(p)}})
                EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(want)) << p;
}

TEST(EditorApply, SameCountKeepsTheListRowsWithoutAPointLeaveItAndNoneLeavesAnEmptyList) {
    RecordingHost host{sampleDrawing(10, 6)};
    runEditor(host, [&](EditorForm& editor) {
        auto& table = editor.table();
        // Rows 1 and 2 swap their point numbers without a commit: same count, same list, data by row.
        table.setCell(1, 1, Value(int32_t{2}));
        table.setCell(2, 1, Value(int32_t{1}));
        host.clearEvents();
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.edits().back().X(2), 1000 + 1 + 0.125);
        EXPECT_EQ(toUtf8(host.edits().back().Nombre.get(1)), "P2");
        const char16_t* typed[] = {u"", u"0", u"-3", u"11", u" 4 "};
        for (int32_t row = 2; row <= 6; ++row) table.setCell(row, 1, Value(Text(typed[row - 2])));
        editor.click("cmdRedibuja");
        EXPECT_EQ(table.Rows(), 7);  // the rows stay in the table
        for (int32_t row = 1; row <= 6; ++row) table.setCell(row, 1, Value(Text(u"x")));
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(6, 10, 1, [1 2 3 4 5 6], 1, 3, 255)",
                                         "EnfocaPol(4, 10, 1, 0:[0 2 4], 1, 3, 255)",
                                         "EnfocaPol(0, 10, 1, 0:[0], 1, 3, 255)"}));
    });
}

TEST(EditorApply, CoordinateThatIsNoNumberRefusesTheWholeApplyAndWhatIsTypedDuringAnApplyWaitsForIt) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        auto& table = editor.table();
        table.setCell(1, 2, Value(Text(u"Nuevo")));
        table.setCell(4, 5, Value(Text(u"")));
        table.setCell(2, 1, Value(Text(u"0")));  // a dropped row
        host.clearEvents();
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.boxes(),
                  (std::vector<std::string>{"No se aplican los cambios: la fila 4, columna Z, no "
                                            "contiene un número. | 48 | Orv_Pol_edit"}));
        EXPECT_EQ(table.CurrentRow() * 10 + table.currentColumn(), 45);
        EXPECT_EQ(host.services().placements().stored(u"Editar Polilíneas", u"EditarPol"), nullptr);
        // Moving on is refused too (the polyline arrows would refill the table), and a committed edit
        // elsewhere hands over the points as they were before the refused applies.
        editor.click("cmdAvP", 1);
        EXPECT_EQ(editor.text("txPolis"), "1");
        editor.commit(3, 6, u"ARB");
        EXPECT_EQ(toUtf8(host.edits().back().Nombre.get(1)), "P1");
        host.clearEvents();
        table.setCell(4, 5, Value(1.5));
        // Typed and clicked during the corrected apply: both wait for it, which hands the rows as read.
        host.toolkit().duringNextYield([&] {
            editor.commit(3, 2, u"Tecleado");
            editor.click("cmdRedibuja");
        });
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, 0:[0 1 3 4 5], 1, 3, 255)",
                          "EnfocaPol(3, 10, 1, 0:[0 1 3 4 5], 1, 3, 255)", "EnfocaPuntito(3, 1)",
                          "EnfocaPol(5, 10, 1, 0:[0 1 3 4 5], 1, 3, 255)"}));
        const std::vector<EditedData>& sent = host.edits();
        const EditedData& applied = sent[sent.size() - 3];
        EXPECT_EQ(
            toUtf8(applied.Nombre.get(1) + u";" + applied.Nombre.get(3) + u";" + sent.back().Nombre.get(3)),
            "Nuevo;P3;Tecleado");
        EXPECT_EQ(applied.Z(4), 1.5);
    });
    EXPECT_EQ(host.messageBoxes().size(), 2u);
}

TEST(EditorCapture, HidesStoresThePlacementAndHandsNothingOverOrShowsItsOwnBoxOnFailure) {
    for (const int32_t failure : {0, 9, -2147467259}) {
        RecordingHost host{sampleDrawing(10, 5)};
        if (failure)
            host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(
                automation::AutomationError(failure, u"Algo falló", u"Origen")));
        runEditor(host, [&](EditorForm& editor) {
            editor.table().setCell(2, 2, Value(Text(u"sin aplicar")));
            host.clearEvents();
            const int before = host.toolkit().yieldCount();
            editor.click("cmdAceptar");
            EXPECT_FALSE(editor.form().shown());
            EXPECT_EQ(host.toolkit().yieldCount() - before, 1);
        });
        // PasaDatos has returned and the hidden editor is gone: nothing more reached the host.
        EXPECT_EQ(host.events(), Events{});
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
        EXPECT_EQ(host.services().placements().stored(u"Editar Polilíneas", u"EditarPol") != nullptr,
                  !failure);
        const std::string box = "Aceptar - Error nº " + std::string(failure < 0 ? "" : " ") +
                                std::to_string(failure) + ":Algo falló | 16 | Origen";
        EXPECT_EQ(host.boxes(), failure ? std::vector{box} : std::vector<std::string>{});
    }
}

TEST(EditorVertexArrows, ApplyThenStepWrappingAtBothEndsFromTheVertexInTheBox) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        const int before = host.toolkit().yieldCount();
        editor.click("cmdAv", 0);  // "<" on vertex 1
        EXPECT_EQ(host.toolkit().yieldCount() - before, 5 + 1);
        EXPECT_EQ(editor.text("txtVert"), "5");
        editor.click("cmdAv", 1);  // ">" on vertex 5
        EXPECT_EQ(editor.text("txtVert"), "1");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(5, 1)",
                          "EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}));
        EXPECT_EQ(editor.table().CurrentRow(), 1);  // the table's cursor did not move
        // The box is read as a whole number, halves to even; without a vertex in it ">" starts at the first
        // and "<" at the last.
        const std::tuple<const char16_t*, int16_t, const char*> steps[] = {
            {u"2.5", 1, "3"}, {u"3.5", 1, "5"}, {u"", 1, "1"},   {u"abc", 0, "5"},
            {u"0", 1, "1"},   {u"9", 0, "5"},   {u"-2", 1, "1"}, {u"1e12", 0, "5"}};
        for (const auto& [typed, index, expected] : steps) {
            editor.type("txtVert", typed);
            editor.click("cmdAv", index);
            EXPECT_EQ(editor.text("txtVert"), expected) << toUtf8(typed);
        }
        // A list the apply shortens or empties keeps the vertex inside it.
        editor.table().userRemovesRows(3, 2);
        host.clearEvents();
        editor.click("cmdAv", 0);  // "<" from 5 would be 4, but only 3 vertices are left
        EXPECT_EQ(editor.text("txtVert"), "3");
        for (int32_t row = 1; row <= 3; ++row) editor.table().setCell(row, 1, Value(Text(u"")));
        editor.click("cmdAv", 1);
        EXPECT_EQ(editor.text("txtVert"), "0");
        // The focus request for no point does not reach the host, nor is there a vertex to zoom on.
        editor.toolbar().click(u"z_amplia");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, 0:[0 1 2 5], 1, 3, 255)", "EnfocaPuntito(5, 1)",
                                         "EnfocaPol(0, 10, 1, 0:[0], 1, 3, 255)"}));
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

// The host may answer an apply with a list of its own: the arrow steps over it, and a commit on a row that
// list no longer reaches first brings the list in line with the table.
TEST(EditorVertexArrows, ListTheHostWritesDuringTheApplyIsWhatTheArrowStepsOver) {
    RecordingHost host{sampleDrawing(10, 5)};
    host.onEnfocaPol = [](auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, LongArray& nVer,
                          auto&&...) {
        nVer = longArray({9, 8});
    };
    runEditor(host, [&](EditorForm& editor) {
        editor.type("txtVert", u"4");
        host.clearEvents();
        editor.click("cmdAv", 1);  // from vertex 4 past the last of two, to vertex 1
        EXPECT_EQ(editor.text("txtVert"), "1");
        host.onEnfocaPol = nullptr;
        editor.commit(5, 2, u"Cinco");
        EXPECT_EQ(toUtf8(host.edits().back().Nombre.get(5)), "Cinco");
    });
    EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(9, 1)",
                                     "EnfocaPol(5, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(5, 1)",
                                     "CancelarEnfoca()"}));
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorPolylineArrows, ApplyRequestThePolylineShowItAndWrapAtBothEnds) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.type("txtVert", u"3");
        host.clearEvents();
        const int before = host.toolkit().yieldCount();
        editor.click("cmdAvP", 1);
        EXPECT_EQ(host.toolkit().yieldCount() - before, 5 + 1);
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                          "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
                          "newPolCambiala(2, [4 5 6 7 8 9], 2, 3, 65280)", "EnfocaPuntito(4, 2)"}));
        EXPECT_EQ(editor.text("txPolis") + editor.text("txtVert") + editor.caption("labPol") + "|" +
                      editor.cell(6, 1) + "|" + std::to_string(editor.button("cmdColor").backColor()) + "|" +
                      std::to_string(editor.layers().listIndex()) +
                      std::to_string(editor.layers().listCount()),
                  "21 /6|9|65280|14");

        editor.click("cmdAvP", 1);
        editor.click("cmdAvP", 1);
        EXPECT_EQ(editor.text("txPolis"), "1");
        editor.click("cmdAvP", 0);
        EXPECT_EQ(editor.text("txPolis") + "|" + std::to_string(editor.table().Rows()), "3|8");
        editor.type("txPolis", u"7");
        editor.click("cmdAvP", 0);  // above NoPoli: one less
        EXPECT_EQ(editor.text("txPolis"), "6");
    });
}

// Everything the editor shows of its polyline, as one text.
std::string display(EditorForm& editor) {
    std::string shown = editor.text("txPolis") + "|" + editor.text("txtVert") + "|" +
                        editor.caption("labPolis") + "|" + editor.caption("labPol") + "|" +
                        editor.caption("Label4") + "|" + std::to_string(editor.layers().listIndex()) + "|" +
                        std::to_string(editor.button("cmdColor").backColor()) + "|";
    for (int32_t row = 1; row < editor.table().Rows(); ++row) shown += editor.row(row);
    return shown;
}

TEST(EditorPolylineArrows, PolylineTheEditorCannotShowIsRefusedBeforeAnythingChanges) {
    const std::pair<std::vector<int32_t>, std::string> cases[] = {
        {{4, 0, 6},
         "El vértice 2 de la polilínea 2 no remite a ningún punto: el editor sigue en la polilínea 1."},
        {{4, 50},
         "El vértice 2 de la polilínea 2 remite al punto 50, que no está en el dibujo: el editor sigue en "
         "la polilínea 1."},
        {{7}, "La polilínea 2 no tiene al menos dos vértices: el editor sigue en la polilínea 1."},
    };
    for (const auto& [vertices, box] : cases) {
        RecordingHost host{sampleDrawing(10, 5)};
        host.onNewPolCambiala = [&](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t&,
                                    int32_t& acolpol) {
            if (aPolN == 2) aVertP = longArray(vertices), acapP = 3, acolpol = 1;
        };
        runEditor(host, [&](EditorForm& editor) {
            editor.commit(1, 2, u"Uno");
            editor.type("txtVert", u"3");
            const std::string before = display(editor);
            host.clearEvents();
            editor.click("cmdAvP", 1);
            EXPECT_EQ(display(editor), before) << box;
            editor.click("cmdRedibuja");
        });
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{box + " | 48 | Orv_Pol_edit"}));
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                                         "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
                                         "EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "CancelarEnfoca()"}))
            << box;
    }
}

}  // namespace
}  // namespace orv::test
