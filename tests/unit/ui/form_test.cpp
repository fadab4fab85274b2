// The form's life: load, resize, show, hide and unload as handlers see them; its controls' order and Escape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/standard_errors.h"
#include "support/raised_error.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/label.h"
#include "ui/text_box.h"

namespace orv::ui {
namespace {

using test::raisedError;
using Events = std::vector<std::string>;

// A form whose handlers write what ran, with the client size the resize handler saw.
class FormLifeCycle : public ::testing::Test {
  protected:
    FormLifeCycle() {
        form.onLoad = [this] { events.push_back("Load"); };
        form.onResize = [this] {
            events.push_back("Resize " + std::to_string(static_cast<int>(form.clientWidth())) + "x" +
                             std::to_string(static_cast<int>(form.clientHeight())));
        };
        form.onUnload = [this] { events.push_back("Unload"); };
    }

    HeadlessToolkit toolkit;
    Form form{toolkit, "F_Pol_Edt", u"Editor Polilíneas:", BorderStyle::SizableToolWindow};
    Events events;
};

TEST_F(FormLifeCycle, LoadsOnceAndResizesOnlyForARealSizeChangeOfALoadedRestoredForm) {
    std::vector<Property> changes;
    form.onFormChanged = [&](Property property) { changes.push_back(property); };
    form.setBounds(0, 0, 10935, 4845);     // not loaded: nothing runs
    EXPECT_EQ(form.clientWidth(), 10935);  // no window yet: no frame
    form.onLoad = [this] {
        events.push_back("Load");
        form.setBounds(200, 500, 8700, 5700);  // as a restored placement does during the load
    };
    form.ensureLoaded();
    form.ensureLoaded();
    EXPECT_EQ(std::vector<float>({form.clientWidth(), form.clientHeight()}),
              std::vector<float>(
                  {8700 - HeadlessToolkit::kFrameHorizontal, 5700 - HeadlessToolkit::kFrameVertical}));
    form.setLeft(300);    // moved, same size
    form.setWidth(8700);  // same size
    form.userResizes(9000, 5700);
    form.setHeight(6000.4);
    form.userMinimizes(true);
    form.setWidth(9100);  // minimised: no resize until the restore
    form.userMinimizes(false);
    EXPECT_EQ(events, (Events{"Load", "Resize 8580x5340", "Resize 8880x5340", "Resize 8880x5640",
                              "Resize 0x0", "Resize 8980x5640"}));
    form.setCaption(u"Editor de polilíneas:");
    form.setCaption(u"Editor de polilíneas:");
    EXPECT_EQ(changes.back(), Property::Caption);
    EXPECT_EQ(std::count(changes.begin(), changes.end(), Property::Caption), 1);
}

TEST_F(FormLifeCycle, ShowModalLoadsResizesOnFirstShowAndEndsByTheCloseBoxOrAHide) {
    form.setBounds(0, 0, 8700, 5700);
    toolkit.script([&] { events.push_back(form.shown() ? "shown" : "not shown"); });
    toolkit.script([&] {
        form.hide();
        events.push_back(form.shown() ? "still shown" : "hidden");
    });
    form.showModal();
    EXPECT_TRUE(form.loaded() && !form.shown());
    // A second show is not a first show: no resize.
    toolkit.script([&] {
        form.userCloses();
        events.push_back(form.shown() ? "still shown" : "closed");
    });
    form.showModal();
    EXPECT_EQ(events, (Events{"Load", "Resize 8580x5340", "shown", "hidden", "Unload", "closed"}));
    EXPECT_FALSE(form.loaded() || form.shown());
    EXPECT_EQ(toolkit.closedForLackOfScript(), 0);
    EXPECT_EQ(toolkit.activeForm(), nullptr);
}

TEST_F(FormLifeCycle, UnloadRunsItsHandlerOnceEvenWhenItFailsAndAFailedShowIsRefused) {
    form.ensureLoaded();
    form.onUnload = [this] {
        events.push_back(form.loaded() ? "Unload while loaded" : "Unload after");
        form.unload();  // a handler that unloads again changes nothing
    };
    form.unload();
    form.unload();
    EXPECT_EQ(events, (Events{"Load", "Unload while loaded"}));
    form.ensureLoaded();  // loads anew
    EXPECT_EQ(events.back(), "Load");

    form.onUnload = [] { automation::raiseStandardError(5); };
    EXPECT_EQ(raisedError([&] { form.unload(); }), 5);
    EXPECT_FALSE(form.loaded());
    int32_t refused = 0;
    toolkit.script([&] { refused = raisedError([&] { form.showModal(); }); });
    toolkit.script([&] { form.userCloses(); });
    form.showModal();
    EXPECT_EQ(refused, 5);
    EXPECT_FALSE(form.shown());
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes()[0].text, u"Error nº 5: Llamada a procedimiento o argumento no válidos");
}

TEST(FormControls, TabOrderFindAndEscape) {
    HeadlessToolkit toolkit;
    Form form{toolkit, "F_Enf_Pol", u"Enfoca y edita Polilineas", BorderStyle::FixedToolWindow};
    auto& label = form.add<Label>("Label1");
    auto& vertex = form.add<TextBox>("txtVert");
    auto& previous = form.add<CommandButton>("cmdAv", nullptr, 0);
    auto& next = form.add<CommandButton>("cmdAv", nullptr, 1);
    auto& cancel = form.add<CommandButton>("cmdCancelar");
    label.setTabIndex(0);
    vertex.setTabIndex(3);
    previous.setTabIndex(1);
    next.setTabIndex(1);  // a tie keeps the order of creation
    cancel.setTabIndex(0);
    EXPECT_EQ(form.tabOrder(), (std::vector<Control*>{&cancel, &previous, &next, &vertex}));
    EXPECT_EQ(form.find("cmdAv", 1), &next);
    EXPECT_EQ(form.find("cmdAv"), nullptr);
    EXPECT_EQ(form.findAs<TextBox>("txtVert"), &vertex);
    EXPECT_EQ(form.findAs<Label>("txtVert"), nullptr);

    int cancels = 0;
    cancel.onClick = [&] { ++cancels; };
    form.userPressesEscape();
    cancel.setCancel(true);
    form.userPressesEscape();
    cancel.setEnabled(false);
    form.userPressesEscape();
    EXPECT_EQ(cancels, 1);
}

}  // namespace
}  // namespace orv::ui
