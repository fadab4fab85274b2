// The vertex and polyline arrows: each applies the table first, then moves, wrapping at either end.
#include <gtest/gtest.h>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Text;
using automation::Value;

std::string vertexBox(EditorForm& editor) {
    return automation::toUtf8(editor.textBox("txtVert").text());
}

TEST(EditorVertexArrows, ApplyThenStepWrappingAtBothEndsFromTheVertexInTheBox) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        host.clearEvents();
        editor.click("cmdAv", 0);  // "<" on vertex 1
        EXPECT_EQ(vertexBox(editor), "5");
        editor.click("cmdAv", 1);  // ">" on vertex 5
        EXPECT_EQ(vertexBox(editor), "1");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(5, 1)",
                          "EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}));
        // The table's cursor did not move.
        EXPECT_EQ(editor.table().CurrentRow(), 1);
        // The box is read as a whole number, halves to even.
        editor.textBox("txtVert").userTypes(u"2.5");
        editor.click("cmdAv", 1);
        EXPECT_EQ(vertexBox(editor), "3");
        editor.textBox("txtVert").userTypes(u"3.5");
        editor.click("cmdAv", 1);
        EXPECT_EQ(vertexBox(editor), "5");
        // Without a vertex in the box ">" starts at the first and "<" at the last.
        for (const char16_t* typed : {u"", u"abc", u"0", u"9", u"-2", u"1e12"}) {
            editor.textBox("txtVert").userTypes(typed);
            editor.click("cmdAv", 1);
            EXPECT_EQ(vertexBox(editor), "1") << automation::toUtf8(typed);
            editor.textBox("txtVert").userTypes(typed);
            editor.click("cmdAv", 0);
            EXPECT_EQ(vertexBox(editor), "5") << automation::toUtf8(typed);
        }
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

// Pending input runs once per table row read and once more before each event that follows a move.
TEST(EditorYields, OncePerRowReadAndBeforeTheEventsOfAMove) {
    RecordingHost host{sampleDrawing(10, 5)};
    const std::pair<std::function<void(EditorForm&)>, int> actions[] = {
        {[](EditorForm& e) { e.click("cmdRedibuja"); }, 5},
        {[](EditorForm& e) { e.click("cmdAv", 1); }, 5 + 1},
        {[](EditorForm& e) { e.commit(2, 2, u"Nuevo"); }, 5},
        {[](EditorForm& e) { e.click("cmdAvP", 1); }, 5 + 1},
        {[](EditorForm& e) { e.click("cmdAceptar"); }, 1},
    };
    std::vector<int> yields;
    runEditor(host, [&](EditorForm& editor) {
        for (const auto& [action, expected] : actions) {
            const int before = host.toolkit().yieldCount();
            action(editor);
            yields.push_back(host.toolkit().yieldCount() - before);
        }
    });
    EXPECT_EQ(yields, (std::vector<int>{5, 6, 5, 6, 1}));
}

TEST(EditorVertexArrows, ListShortenedOrEmptiedByTheApplyKeepsTheVertexInside) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.click("cmdAv", 0);  // vertex 5
        editor.table().userRemovesRows(3, 2);
        host.clearEvents();
        editor.click("cmdAv", 0);  // "<" from 5 would be 4, but only 3 vertices are left
        EXPECT_EQ(vertexBox(editor), "3");
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, 0:[0 1 2 5], 1, 3, 255)", "EnfocaPuntito(5, 1)"}));
        for (int32_t row = 1; row <= 3; ++row) editor.table().setCell(row, 1, Value(Text(u"")));
        host.clearEvents();
        editor.click("cmdAv", 1);
        EXPECT_EQ(vertexBox(editor), "0");
        // The focus request for no point does not reach the host, nor is there a vertex to zoom on.
        editor.toolbar().click(u"z_amplia");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(0, 10, 1, 0:[0], 1, 3, 255)"}));
    });
}

TEST(EditorVertexArrows, ApplyReplacingTheListUnderTheArrowIsSafe) {
    RecordingHost host{sampleDrawing(10, 5)};
    // The host answers the apply with a list of its own.
    host.onEnfocaPol = [](auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, auto&, LongArray& nVer,
                          auto&&...) {
        nVer = longArray({9, 8});
    };
    runEditor(host, [&](EditorForm& editor) {
        editor.textBox("txtVert").userTypes(u"4");
        host.clearEvents();
        editor.click("cmdAv", 1);
        // The arrow steps over the list the host left: from vertex 4 past its last, to vertex 1.
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(9, 1)"}));
        EXPECT_EQ(vertexBox(editor), "1");
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorPolylineArrows, ApplyRequestThePolylineShowItAndWrapAtBothEnds) {
    RecordingHost host{sampleDrawing(10, 5)};
    runEditor(host, [&](EditorForm& editor) {
        editor.textBox("txtVert").userTypes(u"3");
        host.clearEvents();
        editor.click("cmdAvP", 1);
        EXPECT_EQ(host.events(),
                  (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)",
                          "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)",
                          "newPolCambiala(2, [4 5 6 7 8 9], 2, 3, 65280)", "EnfocaPuntito(4, 2)"}));
        const auto polyline = [&] { return automation::toUtf8(editor.textBox("txPolis").text()); };
        EXPECT_EQ(polyline(), "2");
        EXPECT_EQ(vertexBox(editor), "1");
        EXPECT_EQ(editor.caption("labPol"), " /6");
        EXPECT_EQ(editor.table().Rows(), 7);
        EXPECT_EQ(editor.cell(6, 1), "9");
        EXPECT_EQ(editor.button("cmdColor").backColor(), 65280);
        EXPECT_EQ(editor.layers().listIndex(), 1);
        EXPECT_EQ(editor.layers().listCount(), 4);

        editor.click("cmdAvP", 1);
        editor.click("cmdAvP", 1);
        EXPECT_EQ(polyline(), "1");
        editor.click("cmdAvP", 0);
        EXPECT_EQ(polyline(), "3");
        EXPECT_EQ(editor.table().Rows(), 8);
        editor.textBox("txPolis").userTypes(u"7");
        editor.click("cmdAvP", 0);  // above NoPoli: one less
        EXPECT_EQ(polyline(), "6");
    });
}

}  // namespace
}  // namespace orv::test
