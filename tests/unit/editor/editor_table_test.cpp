// The vertex table's two events: entering a row focuses its point; committing a cell writes the row into its
// point and hands everything to the host at once, or refuses the edit before anything changes.
#include <gtest/gtest.h>

#include <bit>
#include <tuple>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

uint64_t bits(double value) {
    return std::bit_cast<uint64_t>(value);
}

TEST(EditorTable, EnteringARowFocusesItsPointAndACommitWritesOnlyThatPointAndHandsItOver) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.polylines[0].vertices = {1, 2, 3, 2};
    drawing.select(1);
    drawing.X(2) = 0.1 + 0.2;
    drawing.Z(2) = 1e-9;
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        editor.table().userMovesTo(3, 2);
        editor.table().userMovesTo(3, 5);  // same row: no RowEnter
        editor.table().userMovesTo(1, 5);
        const int before = host.toolkit().yieldCount();
        editor.commit(2, 4, u"8");                           // the cursor moves to row 2 first
        EXPECT_EQ(host.toolkit().yieldCount() - before, 4);  // once per row the vertex list reads
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPuntito(3, 1)", "EnfocaPuntito(1, 1)", "EnfocaPuntito(2, 1)",
                          "EnfocaPol(2, 10, 1, 0:[0 1 2 3 2], 1, 3, 255)", "EnfocaPuntito(2, 1)"}));
        ASSERT_EQ(host.edits().size(), 1u);
        // The typed coordinate, the untouched ones of the row bit for bit, no other point.
        const EditedData& sent = host.edits().back();
        EXPECT_EQ(std::make_tuple(sent.Y(2), bits(sent.X(2)), bits(sent.Z(2)), sent.X(3)),
                  std::make_tuple(8.0, bits(0.1 + 0.2), bits(1e-9), 1003.125));
        EXPECT_EQ(editor.row(2), "2|2|P2|0.300|8.000|0.000|C2|Capa 2|");
        editor.commit(2, 2, u"Esquina");
        editor.commit(2, 6, u"ARB");
        EXPECT_EQ(toUtf8(host.edits().back().Nombre.get(2)) + toUtf8(host.edits().back().Código.get(2)),
                  "EsquinaARB");
        // The same point in another row keeps its old text until the table is filled again.
        EXPECT_EQ(editor.cell(4, 2), "P2");
    });
}

// The table shows what its fill wrote: the host rewriting or shrinking the arrays it is handed changes no
// row, and the apply writes the rows back as they show.
TEST(EditorTable, RowsShowWhatTheFillWroteWhateverTheHostWritesIntoTheArrays) {
    RecordingHost host{sampleDrawing(10, 5)};
    host.onEnfocaPol = [](int32_t&, int32_t&, DoubleArray& X, DoubleArray& Y, DoubleArray&, TextArray& Nombre,
                          TextArray&, IntegerArray& CapaPuntos, auto&&...) {
        X(3) = 777;
        Nombre.set(3, u"Nuevo");
        CapaPuntos(3) = 4;
        Y.redimPreserve(0, 3);
    };
    runEditor(host, [&](EditorForm& editor) {
        std::vector<std::string> rows;
        for (int32_t r = 1; r <= 4; ++r) rows.push_back(editor.row(r));
        editor.commit(1, 4, u"8");
        host.onEnfocaPol = nullptr;
        EXPECT_EQ(editor.row(1), "1|1|P1|1001.125|8.000|100.333|C1|Capa 1|");
        for (int32_t r = 2; r <= 4; ++r) EXPECT_EQ(editor.row(r), rows[size_t(r - 1)]) << r;
        editor.click("cmdRedibuja");
        // The rows whose points Y still has are written back; point 4 keeps what the host wrote.
        const EditedData& sent = host.edits().back();
        EXPECT_EQ(std::make_tuple(sent.X(3), toUtf8(sent.Nombre.get(3)), sent.CapaPuntos(3), sent.Y.count()),
                  std::make_tuple(1003.125, std::string("P3"), int16_t{4}, 4u));
    });
}

TEST(EditorTable, LayerTextRenamesTheLayerForAllItsPointsAndTheLaterRowOfALayerNamesIt) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.commit(2, 7, u"Bordillo");  // point 2 is on layer 2, and so is point 6
        editor.click("cmdAvP", 1);         // polyline 2: points 4 to 9
        EXPECT_EQ(editor.cell(3, 1) + editor.cell(3, 7) + toUtf8(editor.layers().items()[1]),
                  "6BordilloBordillo");
        editor.click("cmdAvP", 0);
        // Points 1 and 5 are both on layer 1: the apply takes the later row's text.
        editor.table().setCell(1, 7, automation::Value(Text(u"Primera")));
        editor.table().setCell(5, 7, automation::Value(Text(u"Segunda")));
        editor.click("cmdAvP", 1);
        editor.click("cmdAvP", 0);
        EXPECT_EQ(editor.cell(1, 7) + toUtf8(editor.layers().items()[0]), "SegundaSegunda");
    });
}

TEST(EditorTable, TypedPointNumbersRepointTheRowAndThoseOutsideTheDrawingOrNoNumbersAreRefused) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.Nuput = 12;  // the point arrays end at 10
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) {
        editor.table().userMovesTo(2, 1);
        host.clearEvents();
        for (const char16_t* typed : {u"13", u"11", u"-4", u"abc", u"99999999999", u"2147483647.5"}) {
            editor.commit(2, 1, typed);
            EXPECT_EQ(editor.cell(2, 1), "2") << toUtf8(typed);
        }
        // A pasted row is refused whole; a coordinate is read with the user's separator, here ".".
        editor.table().userPastesRow(2, 1, {u"13", u"Pegado"}, {});
        editor.commit(2, 4, u"12,5");
        EXPECT_EQ(editor.cell(2, 1) + editor.cell(2, 2) + editor.cell(2, 4), "2P22004.5");
        EXPECT_EQ(host.events(), Events{});

        // Another point of the drawing repoints the vertex: the row shows that point, whose data goes back.
        editor.commit(2, 1, u" 8b");  // read as the whole number it begins with
        EXPECT_EQ(editor.row(2), "2|8|P8|1008.125|2016.500|102.667|C8|Capa 4|");
        EXPECT_EQ(host.edits().back().X(8), 1000 + 8 + 0.125);
        // An emptied number does nothing. Point 0 is kept as typed and leaves the list; the component keeps
        // the focus request for it from the host.
        editor.commit(2, 1, u"");
        editor.commit(2, 1, u"0");
        EXPECT_EQ(editor.cell(2, 1) + editor.cell(2, 2), "0P8");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(8, 12, 1, 0:[0 1 8 3 4 5], 1, 3, 255)", "EnfocaPuntito(8, 1)",
                          "EnfocaPol(0, 12, 1, 0:[0 1 3 4 5], 1, 3, 255)"}));
        editor.commit(3, 1, u"");  // not an error: the apply drops the row
        editor.commit(4, 3, u"7.25");
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
          "«99999999999» no es un número de punto.", "«2147483647.5» no es un número de punto.",
          "el punto 13 no está en el dibujo.", "la columna Y no contiene un número."})
        boxes.push_back(row + reason + " | 48 | Orv_Pol_edit");
    EXPECT_EQ(host.boxes(), boxes);
    // Entering row 5 takes in the rows left out since the last sync, as any row change does.
    const std::string list = "12, 1, 0:[0 1 4 5], 1, 3, 255)";
    EXPECT_EQ(host.events(), (Events{"EnfocaPol(4, " + list, "EnfocaPuntito(5, 1)", "EnfocaPol(5, " + list,
                                     "EnfocaPuntito(5, 1)", "EnfocaPol(5, " + list, "CancelarEnfoca()"}));
    EXPECT_EQ(host.edits().back().Nombre.get(5), u"Abierta");
    EXPECT_EQ(host.edits().back().X(4), 7.25);
}

TEST(EditorTable, AddedRowsAreTakenInAtTheNextRowChangeOrCommitAndRemovingEveryRowEmptiesTheList) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        editor.table().userInsertsRow(5);
        editor.table().userMovesTo(6, 1);
        // The list of valid vertices goes to the host first; the new row has no point to focus.
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(1, 10, 1, 0:[0 1 2 3 4 5], 1, 3, 255)"}));
        host.clearEvents();
        editor.commit(6, 1, u"7");
        EXPECT_EQ(editor.cell(6, 0) + editor.cell(6, 2), "6P7");
        editor.click("cmdRedibuja");  // six accepted rows, as the commit counted
        // A row added above the cursor's row, committed without leaving it: the list is brought in line with
        // the table first, so the row keeps its point and its edit.
        editor.table().userMovesTo(5, 2);
        editor.table().userInsertsRow(1);
        editor.commit(6, 2, u"Cinco");
        EXPECT_EQ(toUtf8(host.edits().back().Nombre.get(5)), "Cinco");
        editor.table().userRemovesRows(1, 7);
        editor.click("cmdRedibuja");
        const std::string list = "0:[0 1 2 3 4 5 7], 1, 3, 255)";
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(7, 10, 1, " + list, "EnfocaPuntito(7, 1)", "EnfocaPol(7, 10, 1, " + list,
                          "EnfocaPuntito(5, 1)", "EnfocaPol(5, 10, 1, " + list, "EnfocaPuntito(5, 1)",
                          "EnfocaPol(5, 10, 1, 0:[0], 1, 3, 255)"}));
    });
}

// A point is valid only when every point array reaches it: a drawing whose arrays end at different points
// leaves the points past the shortest out of the list handed to the host.
TEST(EditorTable, PointsPastTheShortestPointArrayAreLeftOutOfTheList) {
    const std::function<void(Drawing&)> shorten[] = {
        [](Drawing& d) { d.X.redimPreserve(0, 8); },
        [](Drawing& d) { d.Y.redimPreserve(0, 8); },
        [](Drawing& d) { d.Z.redimPreserve(0, 8); },
        [](Drawing& d) { d.Nombre.redimPreserve(0, 8); },
        [](Drawing& d) { d.Código.redimPreserve(0, 8); },
        [](Drawing& d) { d.CapaPuntos.redimPreserve(0, 8); },
    };
    for (size_t i = 0; i < std::size(shorten); ++i) {
        Drawing drawing = sampleDrawing(10, 5);
        shorten[i](drawing);
        RecordingHost host{std::move(drawing)};
        runEditor(host, [&](EditorForm& editor) {
            editor.table().setCell(2, 1, automation::Value(int32_t{9}));
            editor.table().setCell(3, 1, automation::Value(int32_t{8}));
            editor.table().userInsertsRow(5);
            host.clearEvents();
            editor.table().userMovesTo(6, 1);
        });
        EXPECT_EQ(host.events().front(), "EnfocaPol(1, 10, 1, 0:[0 1 8 4 5], 1, 3, 255)") << i;
    }
}

TEST(EditorTable, TypedCoordinateIsReadWithTheUsersSeparatorByACommitAndByTheApply) {
    const std::tuple<char16_t, const char16_t*, double> cases[] = {{u',', u"1234,56", 1234.56},
                                                                   {u'.', u"1234.56", 1234.56},
                                                                   {u',', u" -0,125 ", -0.125},
                                                                   {u'.', u"7", 7}};
    for (const auto& [separator, typed, read] : cases) {
        RecordingHost host{sampleDrawing(10, 5)};
        host.services().setNumberLocale({separator});
        runEditor(host, [&](EditorForm& editor) {
            editor.commit(4, 5, typed, {separator});
            editor.table().setCell(2, 3, automation::Value(Text(typed)));
            editor.click("cmdRedibuja");
        });
        ASSERT_EQ(host.edits().size(), 2u) << toUtf8(typed);
        EXPECT_EQ(std::make_pair(host.edits()[0].Z(4), host.edits()[1].X(2)), std::make_pair(read, read));
        EXPECT_TRUE(host.messageBoxes().empty());
    }
}

}  // namespace
}  // namespace orv::test
