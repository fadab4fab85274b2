// Refusals decided before anything changes: one message, no event, and the editor stays on what it showed.
#include <gtest/gtest.h>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Text;

// Everything the editor shows of its polyline, as one text.
std::string display(EditorForm& editor) {
    std::string shown;
    const auto add = [&](const std::string& part) {
        shown.append(part);
        shown.push_back('|');
    };
    add(automation::toUtf8(editor.textBox("txPolis").text()));
    add(automation::toUtf8(editor.textBox("txtVert").text()));
    add(editor.caption("labPolis"));
    add(editor.caption("labPol"));
    add(editor.caption("Label4"));
    add(std::to_string(editor.layers().listIndex()));
    add(std::to_string(editor.button("cmdColor").backColor()));
    for (int32_t row = 1; row < editor.table().Rows(); ++row)
        for (int32_t column = 0; column < 8; ++column)
            add(automation::toUtf8(editor.table().displayText(row, column, {})));
    return shown;
}

TEST(EditorAllOrNothing, PointNumbersOutsideTheDrawingAreRefusedAndTheListHandedOverIsTheValidRows) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.Nuput = 12;  // the point arrays end at 10
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().userMovesTo(2, 1);
        host.clearEvents();
        for (const char16_t* typed : {u"13", u"11", u"-4", u"abc", u"99999999999"}) {
            editor.commit(2, 1, typed);
            EXPECT_EQ(editor.cell(2, 1), "2") << automation::toUtf8(typed);
        }
        // A pasted row is refused whole.
        editor.table().userPastesRow(2, 1, {u"13", u"Pegado"}, {});
        EXPECT_EQ(editor.cell(2, 1) + editor.cell(2, 2), "2P2");
        EXPECT_EQ(host.events(), Events{});
        editor.commit(2, 1, u"0");  // kept in the table, left out of the list
        editor.commit(3, 1, u"");   // not an error: the apply drops the row
        editor.commit(4, 3, u"7.25");
        EXPECT_EQ(automation::toUtf8(editor.table().displayText(4, 3, {})), "7.250");
        host.clearEvents();
        // "Aceptar" with an edit still open: the edit is committed first.
        editor.table().finishEdit = [&] {
            editor.table().finishEdit = nullptr;
            editor.commit(5, 2, u"Abierta");
        };
        editor.click("cmdRedibuja");
    });
    const std::string row = "No se guarda la fila 2: ";
    std::vector<std::string> boxes;
    for (const char* reason :
         {"el punto 13 no está en el dibujo.", "el punto 11 no está en el dibujo.",
          "el punto -4 no está en el dibujo.", "«abc» no es un número de punto.",
          "«99999999999» no es un número de punto.", "el punto 13 no está en el dibujo."})
        boxes.push_back(row + reason + " | 48 | Orv_Pol_edit");
    EXPECT_EQ(host.boxes(), boxes);
    // Entering row 5 takes in the rows left out since the last sync, as any row change does.
    const std::string list = "12, 1, 0:[0 1 4 5], 1, 3, 255)";
    EXPECT_EQ(host.events(), (Events{"EnfocaPol(4, " + list, "EnfocaPuntito(5, 1)", "EnfocaPol(5, " + list,
                                     "EnfocaPuntito(5, 1)", "EnfocaPol(5, " + list, "CancelarEnfoca()"}));
    ASSERT_FALSE(host.edits().empty());
    EXPECT_EQ(host.edits().back().Nombre.get(5), u"Abierta");
    EXPECT_EQ(host.edits().back().X(4), 7.25);
}

TEST(EditorAllOrNothing, ZoomFollowsTheVertexListAfterACommitLowersTheCount) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.commit(2, 1, u"0");
        editor.textBox("txtVert").userTypes(u"5");
        host.clearEvents();
        editor.toolbar().click(u"z_amplia");
        EXPECT_EQ(host.events(), (Events{"Zoom(true, 5, 1)"}));
    });
}

TEST(EditorAllOrNothing, PolylineTheEditorCannotShowIsRefusedBeforeAnythingChanges) {
    struct Case {
        std::vector<int32_t> vertices;
        std::string box;
    };
    const Case cases[] = {
        {{4, 0, 6},
         "El vértice 2 de la polilínea 2 no remite a ningún punto: el editor sigue en la polilínea 1."},
        {{4, 50},
         "El vértice 2 de la polilínea 2 remite al punto 50, que no está en el dibujo: el editor sigue en "
         "la polilínea 1."},
        {{7}, "La polilínea 2 no tiene al menos dos vértices: el editor sigue en la polilínea 1."},
    };
    for (const Case& c : cases) {
        RecordingHost host{sampleDrawing(10, 5)};
        host.onNewPolCambiala = [&](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t&,
                                    int32_t& acolpol) {
            if (aPolN != 2) return;
            aVertP = longArray(c.vertices);
            acapP = 3;
            acolpol = 1;
        };
        runEditor(host, [&](EditorForm& editor) {
            editor.commit(1, 2, u"Uno");
            editor.textBox("txtVert").userTypes(u"3");
            const std::string before = display(editor);
            host.clearEvents();
            editor.click("cmdAvP", 1);
            EXPECT_EQ(display(editor), before) << c.box;
            editor.click("cmdRedibuja");
        });
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{c.box + " | 48 | Orv_Pol_edit"}));
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                                         "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
                                         "EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "CancelarEnfoca()"}))
            << c.box;
    }
}

}  // namespace
}  // namespace orv::test
