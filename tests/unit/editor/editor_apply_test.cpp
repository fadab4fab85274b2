// "Aceptar": the table read back into the drawing and the vertex list, handed to the host; "Capturar <<" and
// "Cancelar".
#include <gtest/gtest.h>

#include "automation/standard_errors.h"
#include "support/failing_placement_store.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Text;
using automation::Value;

TEST(EditorApply, UntouchedTableHandsBackTheDataYieldingOncePerRowAndKeepsTheDialogOpen) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, {[&](EditorForm& editor) {
                         host.clearEvents();
                         const int before = host.toolkit().yieldCount();
                         editor.click("cmdRedibuja");
                         EXPECT_EQ(host.toolkit().yieldCount() - before, 5);
                         EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)"}));
                         EXPECT_TRUE(editor.form().shown());
                     },
                     [&](EditorForm& editor) { editor.form().userResizes(9100, 6100); },
                     [&](EditorForm& editor) { editor.click("cmdRedibuja"); }});
    // "Aceptar" stores the placement as it stands.
    const auto* stored = host.services().placements().stored(u"Editar Polilíneas", u"EditarPol");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->width, 9100);
}

TEST(EditorApply, SameCountKeepsTheVertexListButWritesEveryRowIntoItsPoint) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        // Rows 1 and 2 swap their point numbers without a commit.
        editor.table().setCell(1, 1, Value(int32_t{2}));
        editor.table().setCell(2, 1, Value(int32_t{1}));
        host.clearEvents();
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)"}));
        const EditedData& sent = host.edits().back();
        EXPECT_EQ(sent.X(2), 1000 + 1 + 0.125);
        EXPECT_EQ(automation::toUtf8(sent.Nombre.get(1)), "P2");
    });
}

TEST(EditorApply, RowsWithoutAValidPointNumberLeaveThePolylineAndNoneLeavesAnEmptyList) {
    RecordingHost host{sampleDrawing(10, 6)};
    runEditor(host, [&](EditorForm& editor) {
        auto& table = editor.table();
        const char16_t* typed[] = {u"", u"0", u"-3", u"11", u" 4 "};
        for (int32_t row = 2; row <= 6; ++row) table.setCell(row, 1, Value(Text(typed[row - 2])));
        host.clearEvents();
        editor.click("cmdRedibuja");
        // The rows stay in the table.
        EXPECT_EQ(table.Rows(), 7);
        for (int32_t row = 1; row <= 6; ++row) table.setCell(row, 1, Value(Text(u"x")));
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(4, 10, 1, 0:[0 1 4], 1, 3, 255)",
                                         "EnfocaPol(0, 10, 1, 0:[0], 1, 3, 255)"}));
    });
}

TEST(EditorApply, LaterRowOfALayerNamesIt) {
    RecordingHost host{sampleDrawing(10, 6)};
    runEditor(host, [&](EditorForm& editor) {
        // Points 1 and 5 are both on layer 1.
        editor.table().setCell(1, 7, Value(Text(u"Primera")));
        editor.table().setCell(5, 7, Value(Text(u"Segunda")));
        editor.click("cmdRedibuja");
        editor.click("cmdAvP", 1);
        editor.click("cmdAvP", 0);
        EXPECT_EQ(editor.cell(1, 7), "Segunda");
        EXPECT_EQ(automation::toUtf8(editor.layers().items()[0]), "Segunda");
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
        // Moving on is refused too: the polyline arrows would refill the table.
        editor.click("cmdAvP", 1);
        EXPECT_EQ(host.events(), Events{});
        ASSERT_EQ(host.messageBoxes().size(), 2u);
        EXPECT_EQ(automation::toUtf8(host.messageBoxes()[0].text),
                  "No se aplican los cambios: la fila 4, columna Z, no contiene un número.");
        EXPECT_EQ(automation::toUtf8(editor.textBox("txPolis").text()), "1");
        EXPECT_EQ(table.CurrentRow() * 10 + table.currentColumn(), 45);
        EXPECT_FALSE(host.services().placements().stored(u"Editar Polilíneas", u"EditarPol"));
        // A committed edit elsewhere still hands over the points as they were before the refused applies.
        editor.commit(3, 6, u"ARB");
        EXPECT_EQ(automation::toUtf8(host.edits().back().Nombre.get(1)), "P1");
        // Typed and clicked during the corrected apply: both wait for it, which hands the rows as read.
        table.setCell(4, 5, Value(1.5));
        host.clearEvents();
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
        EXPECT_EQ(automation::toUtf8(sent[sent.size() - 3].Nombre.get(1) + u";" +
                                     sent[sent.size() - 3].Nombre.get(3) + u";" + sent.back().Nombre.get(3)),
                  "Nuevo;P3;Tecleado");
    });
}

TEST(EditorCapture, HidesStoresThePlacementAndHandsNothingOver) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().setCell(2, 2, Value(Text(u"sin aplicar")));
        host.clearEvents();
        editor.click("cmdAceptar");
        EXPECT_FALSE(editor.form().shown());
    });
    // PasaDatos has returned and the hidden editor is gone: nothing more reached the host.
    EXPECT_EQ(host.events(), Events{});
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
    EXPECT_NE(host.services().placements().stored(u"Editar Polilíneas", u"EditarPol"), nullptr);
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorCapture, FailureShowsItsOwnBoxWithTheSignPosition) {
    for (const int32_t number : {9, -2147467259}) {
        RecordingHost host{sampleDrawing(10, 5)};
        host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(
            automation::AutomationError(number, u"Algo falló", u"Origen")));
        runEditor(host, [&](EditorForm& editor) {
            host.clearEvents();
            editor.click("cmdAceptar");
        });
        const Text sign = number < 0 ? Text() : Text(u" ");
        ASSERT_EQ(host.messageBoxes().size(), 1u);
        EXPECT_EQ(host.messageBoxes()[0],
                  (ui::HeadlessToolkit::MessageBoxRecord{
                      Text(u"Aceptar - Error nº ") + sign + automation::decimalText(number) + u":Algo falló",
                      ui::kMbCritical, u"Origen"}));
        EXPECT_EQ(host.events(), Events{});
    }
}

TEST(EditorCancel, CancelarAndEscapeHideThenCancelOnce) {
    for (const bool escape : {false, true}) {
        RecordingHost host{sampleDrawing(10, 5)};
        bool shownAtCancel = true;
        runEditor(host, [&](EditorForm& editor) {
            host.onCancelarEnfoca = [&] { shownAtCancel = editor.form().shown(); };
            host.clearEvents();
            escape ? editor.form().userPressesEscape() : editor.click("cmdCancelar");
        });
        EXPECT_FALSE(shownAtCancel) << escape;
        EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()"})) << escape;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << escape;
    }
}

}  // namespace
}  // namespace orv::test
