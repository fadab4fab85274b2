// The vertex table's two events: entering a row focuses its point; committing a cell writes the row into its
// point and hands everything to the host at once.
#include <gtest/gtest.h>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Text;

TEST(EditorTableEvents, EnteringARowFocusesItsPointAndACommittedCellGoesIntoThePointAndToTheHost) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        editor.table().userMovesTo(4, 2);
        editor.table().userMovesTo(4, 5);  // same row: no RowEnter
        editor.table().userMovesTo(2, 5);
        EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(4, 1)", "EnfocaPuntito(2, 1)"}));
        host.clearEvents();
        editor.commit(3, 3, u"7.25");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPuntito(3, 1)",  // the cursor moved to row 3
                          "EnfocaPol(3, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(3, 1)"}));
        ASSERT_EQ(host.edits().size(), 1u);
        const EditedData& sent = host.edits().back();
        EXPECT_EQ(sent.X(3), 7.25);
        EXPECT_EQ(sent.Y(3), 2000 + 6 + 0.5);
        EXPECT_EQ(automation::toUtf8(sent.Nombre.get(3)), "P3");
        // Only the point of the row was written.
        EXPECT_EQ(sent.X(2), 1000 + 2 + 0.125);
    });
}

// The host may answer an apply with a list shorter than the table: a commit on a row that list no longer
// reaches first brings the list in line with the table.
TEST(EditorTableEvents, CommitOnARowTheHostsListNoLongerReaches) {
    RecordingHost host{sampleDrawing(10, 5)};
    host.onEnfocaPol = [](auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, LongArray& nVer,
                          auto&&...) {
        nVer = longArray({1, 2});
    };
    runEditor(host, [&](EditorForm& editor) {
        editor.click("cmdRedibuja");
        host.onEnfocaPol = nullptr;
        host.clearEvents();
        editor.commit(5, 2, u"Cinco");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(5, 1)"}));
        EXPECT_EQ(automation::toUtf8(host.edits().back().Nombre.get(5)), "Cinco");
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorTableEvents, NameAndCodeEditsReachThePointButNotOtherRowsOfIt) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.polylines[0].vertices = {1, 2, 3, 2};
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) {
        editor.commit(2, 2, u"Esquina");
        editor.commit(2, 6, u"ARB");
        EXPECT_EQ(automation::toUtf8(host.edits().back().Nombre.get(2)), "Esquina");
        EXPECT_EQ(automation::toUtf8(host.edits().back().Código.get(2)), "ARB");
        EXPECT_EQ(editor.cell(4, 2), "P2");
    });
}

TEST(EditorTableEvents, TypedPointNumbers) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().userMovesTo(2, 1);
        // Another point of the drawing repoints the vertex: the row shows that point, whose data goes back
        // unchanged.
        host.clearEvents();
        editor.commit(2, 1, u"8");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(8, 10, 1, 0:[0 1 8 3 4 5], 1, 3, 255)", "EnfocaPuntito(8, 1)"}));
        EXPECT_EQ(editor.cell(2, 0), "2");
        EXPECT_EQ(editor.cell(2, 2), "P8");
        EXPECT_EQ(automation::toUtf8(editor.table().displayText(2, 3, {})), "1008.125");
        EXPECT_EQ(editor.cell(2, 7), "Capa 4");
        EXPECT_EQ(host.edits().back().X(8), 1000 + 8 + 0.125);

        // An emptied number does nothing. Point 0 is left as typed and leaves the list, and the component
        // keeps the focus request for it from the host.
        struct Case {
            const char16_t* typed;
            Events events;
        };
        const Case cases[] = {
            {u"", {}},
            {u"0", {"EnfocaPol(0, 10, 1, 0:[0 1 3 4 5], 1, 3, 255)"}},
        };
        for (const Case& c : cases) {
            host.clearEvents();
            editor.commit(2, 1, c.typed);
            EXPECT_EQ(host.events(), c.events) << automation::toUtf8(c.typed);
            EXPECT_EQ(editor.cell(2, 1), automation::toUtf8(c.typed));
            EXPECT_EQ(editor.cell(2, 2), "P8");
            EXPECT_EQ(editor.table().Rows(), 6);
        }
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorTableEvents, LayerTextRenamesTheLayerForAllItsPoints) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.commit(2, 7, u"Bordillo");  // point 2 is on layer 2, and so is point 6
        editor.click("cmdAvP", 1);         // polyline 2: points 4 to 9
        EXPECT_EQ(editor.cell(3, 1), "6");
        EXPECT_EQ(editor.cell(3, 7), "Bordillo");
        EXPECT_EQ(automation::toUtf8(editor.layers().items()[1]), "Bordillo");
    });
}

TEST(EditorTableEvents, AddedRowIsTakenInAtTheNextRowChangeAndFilledWhenNumbered) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        editor.table().userInsertsRow(5);
        editor.table().userMovesTo(6, 1);
        // The list of valid vertices goes to the host first; the new row has no point to focus.
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(1, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)"}));
        host.clearEvents();
        editor.commit(6, 1, u"7");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(7, 10, 1, 0:[0 1 2 3 4 5 7], 1, 3, 255)", "EnfocaPuntito(7, 1)"}));
        EXPECT_EQ(editor.cell(6, 0), "6");
        EXPECT_EQ(editor.cell(6, 2), "P7");
        host.clearEvents();
        editor.click("cmdRedibuja");
        // Six accepted rows, as the commit counted: the list stays one entry per row.
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(7, 10, 1, 0:[0 1 2 3 4 5 7], 1, 3, 255)"}));
    });
}

TEST(EditorTableEvents, CommitOnAnAddedRowBringsTheListInLineAndRemovingEveryRowEmptiesIt) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().userInsertsRow(2);  // an empty row 3, without leaving row 1
        host.clearEvents();
        editor.commit(1, 2, u"Inicio");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(1, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}));
        editor.table().userRemovesRows(1, 6);
        host.clearEvents();
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(1, 10, 1, 0:[0], 1, 3, 255)"}));
    });
}

TEST(EditorTableEvents, CoordinateThatIsNoNumberIsRefusedAndTheCursorGoesToIt) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().userMovesTo(3, 1);
        host.clearEvents();
        editor.commit(3, 4, u"12,5");  // the user's separator is "."
        EXPECT_EQ(host.events(), Events{});
        ASSERT_EQ(host.messageBoxes().size(), 1u);
        EXPECT_EQ(automation::toUtf8(host.messageBoxes()[0].text),
                  "No se guarda la fila 3: la columna Y no contiene un número.");
        EXPECT_EQ(host.messageBoxes()[0].style, 48);
        EXPECT_EQ(editor.table().CurrentRow(), 3);
        EXPECT_EQ(editor.table().currentColumn(), 4);
        // The cell goes back to what it held.
        EXPECT_EQ(editor.cell(3, 4), "2006.5");
        editor.commit(3, 4, u"12.5");
        EXPECT_EQ(host.edits().back().Y(3), 12.5);
    });
}

}  // namespace
}  // namespace orv::test
