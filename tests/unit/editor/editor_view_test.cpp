// Around the table: the zoom toolbar, the colour button, the perimeter line (plan length of the open path
// through the vertices and, for a closed polyline, its area) and the layout on resize.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "automation/standard_errors.h"
#include "support/failing_converter.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using Positions = std::vector<std::pair<double, double>>;
const Positions kTriangle = {{0, 0}, {4, 0}, {4, 3}};

TEST(EditorPerimeter, PlanLengthOfThePathAndTheAreaOfAClosedOne) {
    const std::string area = "Perimetro=  12.000 m,   , Superf.= 6.00 m2";
    const std::tuple<Positions, std::vector<int32_t>, std::string> cases[] = {
        {kTriangle, {1, 2, 3, 1}, area},
        {kTriangle, {1, 3, 2, 1}, area},
        // Closed by another point at the place of the first, higher: heights do not count.
        {{{0, 0}, {4, 0}, {4, 3}, {0, 0}}, {1, 2, 3, 4}, area},
        {kTriangle, {1, 2, 3}, "Perimetro=  7.000 m, "},  // open: no closing segment, no area
        {{{0, 0}, {2, 2}, {5, 5}}, {1, 2, 3, 1}, "Perimetro=  14.142 m, "},
        // Any difference at the ends, in X or Y alone, leaves it open.
        {{{0, 0}, {4, 0}, {4, 3}, {0, 5e-324}}, {1, 2, 3, 4}, "Perimetro=  12.000 m, "},
        {{{0, 0}, {4, 0}, {4, 3}, {5e-324, 0}}, {1, 2, 3, 4}, "Perimetro=  12.000 m, "},
        {{{1, 1}, {1, 1}, {4, 5}}, {1, 2, 3}, "Perimetro=  5.000 m, "},
        {{{1e308, 0}, {-1e308, 0}, {-1e308, 5}}, {1, 2, 3}, "Perimetro=  5.000 m, "},  // overflow: abandoned
    };
    for (const auto& [positions, vertices, line] : cases) {
        Drawing drawing = planDrawing(positions, vertices);
        for (int32_t p = 2; p <= static_cast<int32_t>(positions.size()); ++p) drawing.Z(p) = 55 * p;
        RecordingHost host{std::move(drawing)};
        runEditor(host, [&](EditorForm& editor) { EXPECT_EQ(editor.caption("Label4"), line); });
    }
    RecordingHost failing{planDrawing(kTriangle, {1, 2, 3, 1})};
    failing.services().setConverter(std::make_unique<FailingConverter>(
        automation::standardError(automation::error_number::kInvalidCall)));
    runEditor(failing, [&](EditorForm& editor) { EXPECT_EQ(editor.caption("Label4"), "Perimetro=  "); });
}

TEST(EditorPerimeter, TableEditsDoNotRefreshItButAnotherPolylineDoes) {
    RecordingHost host{planDrawing(kTriangle, {1, 2, 3})};
    host.drawing().polylines[1].vertices = {1, 2};
    runEditor(host, [&](EditorForm& editor) {
        editor.commit(3, 4, u"10");
        editor.click("cmdRedibuja");
        EXPECT_EQ(editor.caption("Label4"), "Perimetro=  7.000 m, ");
        editor.click("cmdAvP", 1);
        EXPECT_EQ(editor.caption("Label4"), "Perimetro=  4.000 m, ");
        editor.click("cmdAvP", 0);
        EXPECT_EQ(editor.caption("Label4"), "Perimetro=  14.000 m, ");
    });
}

std::vector<float> bounds(const ui::Control& control) {
    return {control.left(), control.top(), control.width(), control.height()};
}

TEST(EditorLayout, TableFillsTheInnerAreaButtonsKeepToTheBottomAndEverythingElseStays) {
    constexpr float kOuterWidth = 10815 + ui::HeadlessToolkit::kFrameHorizontal;
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        ui::Form& form = editor.form();
        const auto places = [&] {
            std::map<std::string, std::vector<float>> all;
            for (const auto& c : form.controls()) all[c->name() + std::to_string(c->index())] = bounds(*c);
            return all;
        };
        auto expected = places();  // the design, which all but five keep
        expected["tblPol-1"] = {60, 600, 10755, 3358.5f};
        expected["cmdAceptar-1"] = {9667.5f, 4071.9f, 1125, 405};
        expected["cmdCancelar-1"] = {kOuterWidth - 2295, 4071.9f, 885, 405};
        expected["cmdRedibuja-1"] = {kOuterWidth - 3442.5f, 4071.9f, 885, 405};
        expected["fraZoom-1"] = {60, 4071.9f, 4725, 555};
        for (const float height : {4485.f, 5000.f, 4485.f}) {
            form.userResizes(height == 5000 ? 9000 : kOuterWidth,
                             height + ui::HeadlessToolkit::kFrameVertical);
            if (height != 5000) {
                EXPECT_EQ(places(), expected);
            }
        }
        ASSERT_EQ(std::vector<float>({form.clientWidth(), form.clientHeight()}),
                  std::vector<float>({10815, 4485}));
        // Too small an inner area gives the table no size; minimised, everything is left alone.
        form.userResizes(150, 900);
        EXPECT_EQ(editor.table().width() + editor.table().height(), 0);
        EXPECT_EQ(editor.as("cmdAceptar").top(), static_cast<float>(540 - 405 * 1.02));
        const std::vector<float> small = bounds(editor.table());
        form.userMinimizes(true);
        form.userMinimizes(false);
        EXPECT_EQ(bounds(editor.table()), small);
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorToolbar, ZoomAsksAboutThePointOfTheVertexInTheBoxOverTheListAndOtherKeysDoNothing) {
    RecordingHost host{sampleDrawing(10, 5)};
    Drawing& drawing = host.drawing();
    drawing.polylines[0].vertices = {4, 9, 6, 2, 7};
    drawing.select(1);
    runEditor(host, [&](EditorForm& editor) {
        auto& toolbar = editor.toolbar();
        toolbar.addButton(u"Z_amplia", 0);
        toolbar.addButton(u"z_Reduce", 1);
        editor.table().userMovesTo(3, 2);
        host.clearEvents();
        for (const char16_t* typed : {u"", u"0", u"6", u"-1", u"zz", u"4e10"}) {
            editor.type("txtVert", typed);
            toolbar.click(u"z_amplia");
            toolbar.click(u"z_reduce");
        }
        editor.type("txtVert", u"2");
        for (const char16_t* key :
             {u"Z_todo", u"Elim_vert", u"elim_ptos", u"eli_pol", u"Z_amplia", u"z_Reduce"})
            toolbar.click(key);
        EXPECT_EQ(editor.table().Rows(), 6);
        editor.type("txtVert", u"3");
        toolbar.click(u"z_amplia");
        toolbar.click(u"z_reduce");
        editor.type("txtVert", u"3.5");
        toolbar.click(u"z_reduce");
        // A commit that lowers the count of valid vertices leaves the list as it was, vertex 5 in it.
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
