// The zoom toolbar and the colour button.
#include <gtest/gtest.h>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

TEST(EditorToolbar, ZoomAsksAboutThePointOfTheVertexInTheBoxOverTheListAndOtherKeysDoNothing) {
    RecordingHost host{sampleDrawing(10, 5)};
    Drawing& drawing = host.drawing();
    drawing.polylines[0].vertices = {4, 9, 6, 2, 7};
    drawing.select(1);
    runEditor(host, [&](EditorForm& editor) {
        auto& toolbar = editor.toolbar();
        toolbar.addButton(u"Z_amplia", 0);
        toolbar.addButton(u"z_Reduce", 1);
        host.clearEvents();
        for (const char16_t* typed : {u"", u"0", u"6", u"-1", u"zz", u"4e10"}) {
            editor.type("txtVert", typed);
            toolbar.click(u"z_amplia");
            toolbar.click(u"z_reduce");
        }
        EXPECT_EQ(host.events(), Events{});
        editor.type("txtVert", u"2");
        editor.table().userMovesTo(3, 2);
        host.clearEvents();
        for (const char16_t* key :
             {u"Z_todo", u"Elim_vert", u"elim_ptos", u"eli_pol", u"Z_amplia", u"z_Reduce"})
            toolbar.click(key);
        EXPECT_EQ(host.events(), Events{});
        EXPECT_EQ(editor.table().Rows(), 6);
        editor.type("txtVert", u"3");
        toolbar.click(u"z_amplia");
        toolbar.click(u"z_reduce");
        editor.type("txtVert", u"3.5");
        toolbar.click(u"z_reduce");
        // A commit that lowers the count of valid vertices leaves the list as it was: vertex 5 is still
        // there.
        editor.commit(2, 1, u"0");
        editor.type("txtVert", u"5");
        toolbar.click(u"z_amplia");
        EXPECT_EQ(host.events(),
                  (Events{"Zoom(true, 6, 1)", "Zoom(false, 6, 1)", "Zoom(false, 2, 1)", "EnfocaPuntito(9, 1)",
                          "EnfocaPol(0, 10, 1, 0:[0 4 6 2 7], 1, 3, 255)", "Zoom(true, 7, 1)"}));
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

// The host receives the list's element itself, and the list stays put while the host holds it: a polyline
// step the user makes meanwhile cannot replace it under the host's hands.
TEST(EditorToolbar, ZoomHandsTheVertexListElementItselfAndTheListStaysWhileTheHostHoldsIt) {
    RecordingHost host{sampleDrawing(10, 5)};
    EditorForm* user = nullptr;
    Events zooms;
    host.onZoom = [&](VariantBool&, int32_t& punto, int32_t&) {
        zooms = host.events();
        user->click("cmdAvP", 1);
        punto = 9;
    };
    runEditor(host, [&](EditorForm& editor) {
        user = &editor;
        editor.type("txtVert", u"3");
        host.clearEvents();
        editor.toolbar().click(u"z_amplia");
        editor.toolbar().click(u"z_reduce");
        host.onZoom = nullptr;
        EXPECT_EQ(host.messageBoxes().size(), 2u);
        editor.click("cmdRedibuja");
        // Same number of rows: the list as the host left it goes back.
        EXPECT_EQ(describe(host.edits().back().nVer), "[1 2 9 4 5]");
    });
    EXPECT_EQ(zooms.front(), "Zoom(true, 3, 1)");
    EXPECT_EQ(zooms.back(), "Zoom(false, 9, 1)");
}

TEST(EditorColour, PickerIsDrivenInOrderAndOnlyTheButtonTakesTheColour) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.Polcol = drawing.polylines[0].colour = -16777215;
    RecordingHost host{std::move(drawing)};
    auto& pickers = host.services().colorPickers();
    pickers.choose(0x00123456);
    runEditor(host, [&](EditorForm& editor) {
        editor.click("cmdColor");
        EXPECT_EQ(editor.button("cmdColor").backColor(), 0x00123456);
        host.clearEvents();
        editor.click("cmdRedibuja");
        EXPECT_EQ(host.events(), (Events{"EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, -16777215)"}));
        editor.click("cmdAvP", 1);  // the next polyline's set-up puts its own colour on the button
        EXPECT_EQ(editor.button("cmdColor").backColor(), 65280);
    });
    EXPECT_EQ(pickers.calls(), (std::vector<std::string>{
                                   "create", "Title(Color capa:)", "InitialColor(-16777215)", "Setting1(0)",
                                   "Setting2(0)", "Setting3(0)", "ShowPicker()", "ChosenColor", "release"}));
}

TEST(EditorColour, PickerThatCannotBeMadeOrFailsIsReleasedAndLeavesTheColour) {
    for (const char* member : {"", "Title", "InitialColor", "Setting2", "ShowPicker", "ChosenColor"}) {
        RecordingHost host{sampleDrawing(10, 5)};
        auto& pickers = host.services().colorPickers();
        pickers.choose(0x00ABCDEF);
        const automation::AutomationError error(*member ? 5 : 429, u"Fallo", u"Origen");
        *member ? pickers.failAt(member, error) : pickers.failCreation(error);  // "": the creation
        runEditor(host, [&](EditorForm& editor) {
            editor.click("cmdColor");
            EXPECT_EQ(editor.button("cmdColor").backColor(), 255) << member;
        });
        EXPECT_EQ(pickers.alive(), 0) << member;
        EXPECT_EQ(pickers.calls().back(), *member ? "release" : "create failed") << member;
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{"Error nº " + std::to_string(error.number()) +
                                                          ": Fallo | 16 | Origen"}))
            << member;
    }
}

}  // namespace
}  // namespace orv::test
