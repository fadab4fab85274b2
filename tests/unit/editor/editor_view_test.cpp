// The perimeter line (plan length of the open path through the vertices and, for a closed polyline, its area)
// and the layout on resize (the table fills the inner area, the buttons and the frame keep to the bottom).
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

}  // namespace
}  // namespace orv::test
