// The perimeter line: plan length of the open path through the vertices and, for a closed polyline, its area.
#include <gtest/gtest.h>

#include "automation/standard_errors.h"
#include "support/failing_converter.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using Positions = std::vector<std::pair<double, double>>;

std::string perimeterLine(Drawing drawing, std::function<void(RecordingHost&)> prepare = nullptr) {
    RecordingHost host{std::move(drawing)};
    if (prepare) prepare(host);
    std::string caption;
    runEditor(host, [&](EditorForm& editor) { caption = editor.caption("Label4"); });
    return caption;
}

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
        // Point 4 is another point at the place of point 1, 55 m higher: heights do not count.
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
        {"same plan position adds nothing", {{1, 1}, {1, 1}, {4, 5}}, {1, 2, 3}, "Perimetro=  5.000 m, "},
        {"an overflowing step is abandoned",
         {{1e308, 0}, {-1e308, 0}, {-1e308, 5}},
         {1, 2, 3},
         "Perimetro=  5.000 m, "},
    };
    for (const Case& c : cases) {
        Drawing drawing = planDrawing(c.positions, c.vertices);
        for (int32_t p = 2; p <= static_cast<int32_t>(c.positions.size()); ++p) drawing.Z(p) = 55 * p;
        EXPECT_EQ(perimeterLine(std::move(drawing)), c.line) << c.what;
    }
}

TEST(EditorPerimeter, FailingConverterLeavesItsTextOut) {
    const auto failing = [](RecordingHost& host) {
        host.services().setConverter(std::make_unique<FailingConverter>(
            automation::standardError(automation::error_number::kInvalidCall)));
    };
    EXPECT_EQ(perimeterLine(planDrawing(kTriangle, {1, 2, 3, 1}), failing), "Perimetro=  ");
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

}  // namespace
}  // namespace orv::test
