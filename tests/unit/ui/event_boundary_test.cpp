#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "automation/standard_errors.h"
#include "ui/event_boundary.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::ui {
namespace {

using Box = HeadlessToolkit::MessageBoxRecord;

class EventBoundary : public ::testing::Test {
  protected:
    std::vector<Box> boxesAfter(const std::function<void()>& handler) {
        toolkit.clearMessageBoxes();
        runEventHandler(toolkit, handler);
        return toolkit.messageBoxes();
    }
    HeadlessToolkit toolkit;
};

TEST_F(EventBoundary, OurErrorGivesOneCriticalBoxTitledWithItsSource) {
    EXPECT_EQ(
        boxesAfter([] { automation::raiseStandardError(9); }),
        (std::vector<Box>{{u"Error nº 9: El subíndice está fuera del intervalo", 16, u"Orv_Pol_edit"}}));
    EXPECT_EQ(boxesAfter([] { throw automation::AutomationError(1004, u"Sin tabla", u"Orv_Tabla"); }),
              (std::vector<Box>{{u"Error nº 1004: Sin tabla", 16, u"Orv_Tabla"}}));
    EXPECT_EQ(boxesAfter([] { throw automation::AutomationError(-2147221164, u"Clase no registrada", u""); }),
              (std::vector<Box>{{u"Error nº -2147221164: Clase no registrada", 16, u"Orv_Pol_edit"}}));
}

TEST_F(EventBoundary, OtherFailuresBecomeTheNearestStandardError) {
    const auto number = [&](const std::function<void()>& handler) {
        const auto boxes = boxesAfter(handler);
        EXPECT_EQ(boxes.size(), 1u);
        return boxes.empty() ? Text() : boxes[0].text.substr(0, boxes[0].text.find(u':'));
    };
    EXPECT_EQ(number([] { throw std::bad_alloc(); }), u"Error nº 7");
    EXPECT_EQ(number([] { (void)std::vector<int>().at(3); }), u"Error nº 9");
    EXPECT_EQ(number([] { throw std::overflow_error("big"); }), u"Error nº 6");
    EXPECT_EQ(number([] { throw std::runtime_error("?"); }), u"Error nº 5");
    EXPECT_EQ(number([] { throw 42; }), u"Error nº 5");
}

TEST_F(EventBoundary, AHandlerThatSucceedsOrIsMissingShowsNothing) {
    int runs = 0;
    EXPECT_TRUE(boxesAfter([&] { ++runs; }).empty());
    EXPECT_TRUE(boxesAfter(nullptr).empty());
    EXPECT_EQ(runs, 1);
}

TEST_F(EventBoundary, NestedBoundariesShowOnlyTheInnerBox) {
    const auto boxes =
        boxesAfter([&] { runEventHandler(toolkit, [] { automation::raiseStandardError(13); }); });
    EXPECT_EQ(boxes, (std::vector<Box>{{u"Error nº 13: No coinciden los tipos", 16, u"Orv_Pol_edit"}}));
}

// A toolkit whose message box itself fails: the boundary still returns normally.
class BrokenBoxToolkit : public HeadlessToolkit {
  public:
    int32_t messageBox(const Text&, int32_t, const Text&) override { throw std::runtime_error("no box"); }
};

TEST(EventBoundaryWithoutABox, NeverThrows) {
    BrokenBoxToolkit toolkit;
    static_assert(noexcept(runEventHandler(toolkit, nullptr)));
    EXPECT_NO_THROW(runEventHandler(toolkit, [] { automation::raiseStandardError(9); }));
}

}  // namespace
}  // namespace orv::ui
