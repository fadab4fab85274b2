// The perimeter line (plan length of the open path through the vertices and, for a closed polyline, its area)
// and the layout on resize (the table fills the inner area, the buttons and the frame keep to the bottom).
#include <gtest/gtest.h>

#include "automation/standard_errors.h"
#include "support/failing_converter.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using Positions = std::vector<std::pair<double, double>>;
const Positions kTriangle = {{0, 0}, {4, 0}, {4, 3}};

TEST(EditorPerimeter, PlanLengthOfThePathAndTheAreaOfAClosedOne) {
    struct Case {
        const char* what;
        Positions positions;
        std::vector<int32_t> vertices;
        const char* line;
    };
    const Case cases[] = {
        {"closed triangle", kTriangle, {1, 2, 3, 1}, "Perimetro=  12.000 m,   , Superf.= 6.00 m2"},
        {"clockwise", kTriangle, {1, 3, 2, 1}, "Perimetro=  12.000 m,   , Superf.= 6.00 m2"},
        // Point 4 is another point at the place of point 1, higher: heights do not count.
        {"closed by another point",
         {{0, 0}, {4, 0}, {4, 3}, {0, 0}},
         {1, 2, 3, 4},
         "Perimetro=  12.000 m,   , Superf.= 6.00 m2"},
        {"open: no closing segment, no area", kTriangle, {1, 2, 3}, "Perimetro=  7.000 m, "},
        {"collinear closed", {{0, 0}, {2, 2}, {5, 5}}, {1, 2, 3, 1}, "Perimetro=  14.142 m, "},
        {"any difference at the ends is open",
         {{0, 0}, {4, 0}, {4, 3}, {0, 5e-324}},
         {1, 2, 3, 4},
         "Perimetro=  12.000 m, "},
        {"a difference in X alone is open",
         {{0, 0}, {4, 0}, {4, 3}, {5e-324, 0}},
         {1, 2, 3, 4},
         "Perimetro=  12.000 m, "},
        {"same plan position adds nothing", {{1, 1}, {1, 1}, {4, 5}}, {1, 2, 3}, "Perimetro=  5.000 m, "},
        {"an overflowing step is abandoned",
         {{1e308, 0}, {-1e308, 0}, {-1e308, 5}},
         {1, 2, 3},
         "Perimetro=  5.000 m, "},
    };
    for (const Case& c : cases) {
        Drawing drawing = planDrawing(c.positions, c.vertices);
        for (int32_t p = 2; p <= static_cast<int32_t>(c.positions.size()); ++p) drawing.Z(p) = 55 * p;
        RecordingHost host{std::move(drawing)};
        runEditor(host, [&](EditorForm& editor) { EXPECT_EQ(editor.caption("Label4"), c.line) << c.what; });
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
        std::vector<std::vector<float>> design;
        for (const auto& control : form.controls()) design.push_back(bounds(*control));
        form.userResizes(kOuterWidth, 4485 + ui::HeadlessToolkit::kFrameVertical);
        ASSERT_EQ(std::vector<float>({form.clientWidth(), form.clientHeight()}),
                  std::vector<float>({10815, 4485}));
        EXPECT_EQ(bounds(editor.table()), (std::vector<float>{60, 600, 10755, 3358.5f}));
        EXPECT_EQ(bounds(editor.control("cmdAceptar")), (std::vector<float>{9667.5f, 4071.9f, 1125, 405}));
        EXPECT_EQ(bounds(editor.control("cmdCancelar")),
                  (std::vector<float>{kOuterWidth - 2295, 4071.9f, 885, 405}));
        EXPECT_EQ(bounds(editor.control("cmdRedibuja")),
                  (std::vector<float>{kOuterWidth - 3442.5f, 4071.9f, 885, 405}));
        EXPECT_EQ(bounds(editor.control("fraZoom")), (std::vector<float>{60, 4071.9f, 4725, 555}));
        std::vector<std::vector<float>> first;
        for (const auto& control : form.controls()) first.push_back(bounds(*control));
        form.userResizes(9000, 5000);
        form.userResizes(kOuterWidth, 4485 + ui::HeadlessToolkit::kFrameVertical);
        size_t i = 0;
        for (const auto& control : form.controls()) {
            const std::string name = control->name();
            EXPECT_EQ(bounds(*control), first[i]) << name;
            if (name != "tblPol" && name != "cmdAceptar" && name != "cmdCancelar" && name != "cmdRedibuja" &&
                name != "fraZoom") {
                EXPECT_EQ(bounds(*control), design[i]) << name;
            }
            ++i;
        }
        // Too small an inner area gives the table no size; minimised, everything is left alone.
        form.userResizes(150, 900);
        EXPECT_EQ(editor.table().width() + editor.table().height(), 0);
        EXPECT_EQ(editor.control("cmdAceptar").top(), static_cast<float>(540 - 405 * 1.02));
        const std::vector<float> small = bounds(editor.table());
        form.userMinimizes(true);
        form.userMinimizes(false);
        EXPECT_EQ(bounds(editor.table()), small);
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

}  // namespace
}  // namespace orv::test
