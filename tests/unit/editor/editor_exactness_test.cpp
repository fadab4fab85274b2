// What the user did not touch comes back bit for bit; what the user typed is read with the user's separator.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <tuple>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

uint64_t bits(double value) {
    return std::bit_cast<uint64_t>(value);
}

TEST(EditorExactness, UntouchedTableReturnsTheVeryDoubles) {
    const double values[] = {0.1 + 0.2, 1e-9, 123456789.123456789, -0.0, 5e-324, -1.7976931348623157e308};
    Drawing drawing = sampleDrawing(10, 6);
    for (int32_t p = 1; p <= 6; ++p) {
        drawing.X(p) = values[p - 1];
        drawing.Y(p) = -values[6 - p];
        drawing.Z(p) = values[p - 1] / 3;
    }
    const Drawing original = drawing;
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) {
        // Looking at a cell in place and leaving it unchanged is no edit.
        for (int32_t column = 3; column <= 5; ++column)
            editor.commit(2, column, editor.table().editText(2, column, {}));
        editor.click("cmdRedibuja");
        editor.click("cmdAv", 1);
    });
    ASSERT_EQ(host.edits().size(), 2u);
    for (const EditedData& sent : host.edits())
        for (int32_t p = 1; p <= 6; ++p) {
            EXPECT_EQ(bits(sent.X(p)), bits(original.X(p))) << "X " << p;
            EXPECT_EQ(bits(sent.Y(p)), bits(original.Y(p))) << "Y " << p;
            EXPECT_EQ(bits(sent.Z(p)), bits(original.Z(p))) << "Z " << p;
        }
}

TEST(EditorExactness, EditedRowKeepsTheUntouchedCoordinatesOfItsPoint) {
    Drawing drawing = sampleDrawing(10, 5);
    drawing.X(2) = 0.1 + 0.2;
    drawing.Z(2) = 1e-9;
    RecordingHost host{std::move(drawing)};
    runEditor(host, [&](EditorForm& editor) { editor.commit(2, 4, u"8"); });
    const EditedData& sent = host.edits().back();
    EXPECT_EQ(bits(sent.X(2)), bits(0.1 + 0.2));
    EXPECT_EQ(sent.Y(2), 8);
    EXPECT_EQ(bits(sent.Z(2)), bits(1e-9));
}

TEST(EditorLocale, TypedCoordinateIsReadWithTheUsersSeparatorByACommitAndByTheApply) {
    const std::tuple<char16_t, const char16_t*, double> cases[] = {{u',', u"1234,56", 1234.56},
                                                                   {u'.', u"1234.56", 1234.56},
                                                                   {u',', u" -0,125 ", -0.125},
                                                                   {u'.', u"7", 7}};
    for (const auto& [separator, typed, read] : cases) {
        RecordingHost host{sampleDrawing(10, 5)};
        host.services().setNumberLocale({separator});
        runEditor(host, [&](EditorForm& editor) {
            editor.commit(4, 5, typed, {separator});
            editor.table().setCell(2, 3, automation::Value(automation::Text(typed)));
            editor.click("cmdRedibuja");
        });
        ASSERT_EQ(host.edits().size(), 2u) << automation::toUtf8(typed);
        EXPECT_EQ(host.edits()[0].Z(4), read);
        EXPECT_EQ(host.edits()[1].X(2), read);
        EXPECT_TRUE(host.messageBoxes().empty());
    }
}

}  // namespace
}  // namespace orv::test
