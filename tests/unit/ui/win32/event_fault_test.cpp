// A control event whose handler faults, at the event boundary of the Windows toolkit: refused with the usual
// box, and the next event runs as if nothing had happened.
#include <gtest/gtest.h>

#include <vector>

#include "ui/event_boundary.h"
#include "ui/win32/win32_toolkit.h"

namespace orv::ui::win32 {
namespace {

int* volatile nowhere = nullptr;

// The real toolkit, with its boxes read instead of shown.
class BoxReadingToolkit final : public Win32Toolkit {
  public:
    int32_t messageBox(const Text& text, int32_t style, const Text& title) override {
        boxes.push_back(automation::toUtf8(title + u"|" + text + u"|" + automation::decimalText(style)));
        return kMbAnswerOk;
    }
    std::vector<std::string> boxes;
};

TEST(Win32EventBoundary, AFaultingHandlerIsRefusedWithTheErrorBoxAndTheNextEventRuns) {
    BoxReadingToolkit toolkit;
    runEventHandler(toolkit, [] { *nowhere = 1; });
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    const std::string expected = "Orv_Pol_edit|Error nº 51: Error interno (excepción 0xC0000005 en 0x";
    EXPECT_EQ(toolkit.boxes[0].substr(0, expected.size()), expected) << toolkit.boxes[0];
    EXPECT_TRUE(toolkit.boxes[0].ends_with(")|16")) << toolkit.boxes[0];

    // Our own failures keep their own boxes, and a plain handler runs.
    int ran = 0;
    runEventHandler(toolkit, [] { throw automation::AutomationError(9, u"fuera", u"Prueba"); });
    runEventHandler(toolkit, [&] { ++ran; });
    EXPECT_EQ(ran, 1);
    ASSERT_EQ(toolkit.boxes.size(), 2u);
    EXPECT_EQ(toolkit.boxes[1], "Prueba|Error nº 9: fuera|16");
}

}  // namespace
}  // namespace orv::ui::win32
