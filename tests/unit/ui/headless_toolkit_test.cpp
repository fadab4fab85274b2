#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/standard_errors.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::ui {
namespace {

using Events = std::vector<std::string>;

// Two dialogs: "outer" has a button that opens "inner" modally, as a handler opening a second dialog does.
class HeadlessScripting : public ::testing::Test {
  protected:
    HeadlessScripting() {
        outer.onUnload = [this] { events.push_back("outer Unload"); };
        inner.onUnload = [this] { events.push_back("inner Unload"); };
        auto& open = outer.add<CommandButton>("cmdOpen");
        open.onClick = [this] {
            events.push_back("open inner");
            inner.showModal();
            events.push_back("inner returned");
        };
        auto& ok = inner.add<CommandButton>("cmdOk");
        ok.onClick = [this] {
            events.push_back("inner ok");
            inner.hide();
        };
    }
    void click(const char* name) {
        Form* form = toolkit.activeForm();
        ASSERT_NE(form, nullptr);
        form->findAs<CommandButton>(name)->click();
    }

    HeadlessToolkit toolkit;
    Form outer{toolkit, "outer", u"Outer", BorderStyle::FixedToolWindow};
    Form inner{toolkit, "inner", u"Inner", BorderStyle::FixedToolWindow};
    Events events;
};

TEST_F(HeadlessScripting, ScriptDrivesNestedModalShowsInOrder) {
    toolkit.script([&] { click("cmdOpen"); });
    toolkit.script([&] {
        events.push_back(toolkit.activeForm() == &inner ? "inner active" : "?");
        events.push_back("depth " + std::to_string(toolkit.modalDepth()));
    });
    toolkit.script([&] { click("cmdOk"); });
    toolkit.script([&] { events.push_back(toolkit.activeForm() == &outer ? "outer active" : "?"); });
    toolkit.script([&] { toolkit.activeForm()->userCloses(); });
    outer.showModal();
    EXPECT_EQ(events, (Events{"open inner", "inner active", "depth 2", "inner ok", "inner returned",
                              "outer active", "outer Unload"}));
    EXPECT_EQ(toolkit.closedForLackOfScript(), 0);
    EXPECT_EQ(toolkit.activeForm(), nullptr);
    EXPECT_TRUE(toolkit.scriptEmpty());
}

TEST_F(HeadlessScripting, RunningOutOfScriptClosesEachShownFormByItsCloseBox) {
    toolkit.script([&] { click("cmdOpen"); });
    outer.showModal();
    EXPECT_EQ(events, (Events{"open inner", "inner Unload", "inner returned", "outer Unload"}));
    EXPECT_EQ(toolkit.closedForLackOfScript(), 2);
}

TEST_F(HeadlessScripting, AFailingScriptedActionIsRefusedLikeUserInput) {
    toolkit.script([] { automation::raiseStandardError(9); });
    toolkit.script([&] { events.push_back("still running"); });
    toolkit.script([&] { outer.userCloses(); });
    outer.showModal();
    EXPECT_EQ(events, (Events{"still running", "outer Unload"}));
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes()[0].style, kMbCritical);
}

TEST_F(HeadlessScripting, AFormDestroyedWhileShownEndsItsShow) {
    auto doomed = std::make_unique<Form>(toolkit, "doomed", u"", BorderStyle::FixedToolWindow);
    Form& form = *doomed;
    toolkit.script([&] { doomed.reset(); });
    form.showModal();
    EXPECT_EQ(toolkit.activeForm(), nullptr);
    EXPECT_EQ(toolkit.closedForLackOfScript(), 0);
}

TEST(HeadlessYield, RunsWhatWasQueuedBeforeItCountsEveryYieldAndAFailureShowsItsBox) {
    HeadlessToolkit toolkit;
    Events events;
    toolkit.duringNextYield([&] {
        events.push_back("a");
        toolkit.duringNextYield([&] { events.push_back("queued by a"); });
    });
    toolkit.duringNextYield([] { automation::raiseStandardError(6); });
    toolkit.duringNextYield([&] { events.push_back("b"); });
    EXPECT_NO_THROW(toolkit.yield());
    EXPECT_EQ(events, (Events{"a", "b"}));
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes()[0].text, u"Error nº 6: Desbordamiento");
    toolkit.yield();
    toolkit.yield();
    EXPECT_EQ(events, (Events{"a", "b", "queued by a"}));
    EXPECT_EQ(toolkit.yieldCount(), 3);
    EXPECT_TRUE(toolkit.yieldQueueEmpty());
}

TEST(HeadlessYield, AnActionThatYieldsItselfIsSafe) {
    HeadlessToolkit toolkit;
    Events events;
    toolkit.duringNextYield([&] {
        events.push_back("a in");
        toolkit.duringNextYield([&] { events.push_back("c"); });
        toolkit.yield();  // runs b (queued before) and c (queued before this inner yield)
        events.push_back("a out");
    });
    toolkit.duringNextYield([&] {
        events.push_back("b");
        toolkit.yield();  // re-entered again, from inside the inner yield
    });
    toolkit.yield();
    EXPECT_EQ(events, (Events{"a in", "b", "c", "a out"}));
    EXPECT_EQ(toolkit.yieldCount(), 3);
}

}  // namespace
}  // namespace orv::ui
