// The layout on resize: the table fills the inner area, the buttons and the perimeter frame keep to the
// bottom.
#include <gtest/gtest.h>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using ui::HeadlessToolkit;

struct Bounds {
    float left, top, width, height;
    bool operator==(const Bounds&) const = default;
};
void PrintTo(const Bounds& b, std::ostream* out) {
    *out << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}
Bounds bounds(const ui::Control& control) {
    return {control.left(), control.top(), control.width(), control.height()};
}

constexpr float kOuterWidth = 10815 + HeadlessToolkit::kFrameHorizontal;
constexpr float kOuterHeight = 4485 + HeadlessToolkit::kFrameVertical;

TEST(EditorLayout, DesignSizedInnerAreaGivesTheWorkedExample) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        editor.form().userResizes(kOuterWidth, kOuterHeight);
        ASSERT_EQ(editor.form().clientWidth(), 10815);
        ASSERT_EQ(editor.form().clientHeight(), 4485);
        EXPECT_EQ(bounds(editor.table()), (Bounds{60, 600, 10755, 3358.5f}));
        EXPECT_EQ(bounds(editor.control("cmdAceptar")), (Bounds{9667.5f, 4071.9f, 1125, 405}));
        EXPECT_EQ(bounds(editor.control("cmdCancelar")), (Bounds{kOuterWidth - 2295, 4071.9f, 885, 405}));
        EXPECT_EQ(bounds(editor.control("cmdRedibuja")), (Bounds{kOuterWidth - 3442.5f, 4071.9f, 885, 405}));
        EXPECT_EQ(bounds(editor.control("fraZoom")), (Bounds{60, 4071.9f, 4725, 555}));
    });
}

TEST(EditorLayout, OtherControlsKeepTheirDesignAndResizingAgainChangesNothing) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        std::vector<Bounds> design;
        for (const auto& control : editor.form().controls()) design.push_back(bounds(*control));
        editor.form().userResizes(12000, 7000);
        std::vector<Bounds> first;
        for (const auto& control : editor.form().controls()) first.push_back(bounds(*control));
        editor.form().userResizes(9000, 5000);
        editor.form().userResizes(12000, 7000);
        size_t i = 0;
        for (const auto& control : editor.form().controls()) {
            const std::string name = control->name();
            EXPECT_EQ(bounds(*control), first[i]) << name;
            const bool moves = name == "tblPol" || name == "cmdAceptar" || name == "cmdCancelar" ||
                               name == "cmdRedibuja" || name == "fraZoom";
            if (!moves) {
                EXPECT_EQ(bounds(*control), design[i]) << name;
            }
            ++i;
        }
    });
}

TEST(EditorLayout, TooSmallAnInnerAreaGivesTheTableNoSize) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        editor.form().userResizes(150, 900);
        EXPECT_EQ(editor.table().width(), 0);
        EXPECT_EQ(editor.table().height(), 0);
        EXPECT_EQ(editor.control("cmdAceptar").top(), static_cast<float>(540 - 405 * 1.02));
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(EditorLayout, MinimisedIsLeftAlone) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        const Bounds table = bounds(editor.table());
        editor.form().userMinimizes(true);
        EXPECT_EQ(bounds(editor.table()), table);
        editor.form().userMinimizes(false);
        EXPECT_EQ(bounds(editor.table()), table);
    });
    EXPECT_TRUE(host.messageBoxes().empty());
}

}  // namespace
}  // namespace orv::test
