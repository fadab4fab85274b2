// The form and its controls as code and the user change them: load, resize, show and unload as handlers see
// them, the control models, and the event boundary every user path runs behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/standard_errors.h"
#include "support/raised_error.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/event_boundary.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/label.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"

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

    std::vector<std::u16string> boxTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& box : toolkit.messageBoxes()) texts.push_back(box.text);
        return texts;
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
    EXPECT_EQ(boxTexts(),
              (std::vector<std::u16string>{u"Error nº 5: Llamada a procedimiento o argumento no válidos"}));
}

TEST_F(FormLifeCycle, ControlsTabOrderFindAndEscape) {
    auto& label = form.add<Label>("Label1");
    auto& vertex = form.add<TextBox>("txtVert");
    auto& previous = form.add<CommandButton>("cmdAv", nullptr, 0);
    auto& next = form.add<CommandButton>("cmdAv", nullptr, 1);
    auto& cancel = form.add<CommandButton>("cmdCancelar");
    // A tie keeps the order of creation.
    for (auto [control, index] :
         {std::pair<Control*, int>{&label, 0}, {&vertex, 3}, {&previous, 1}, {&next, 1}, {&cancel, 0}})
        control->setTabIndex(index);
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

// The same form, its controls observed as a view does.
class Controls : public FormLifeCycle, public ControlObserver {
  protected:
    void controlChanged(Control& control, Property property) override {
        changes.emplace_back(control.name(), property);
    }
    std::vector<std::pair<std::string, Property>> changes;
};

TEST_F(Controls, GeometryIsSinglePrecisionNegativeSizesAreError380AndTheObserverHearsOnlyRealChanges) {
    form.setObserver(this);
    auto& label = form.add<Label>("labPol");
    auto& button = form.add<CommandButton>("cmdColor");
    label.setBounds(0.1, 4071.9, 3358.5, 1e-50);
    EXPECT_EQ(std::vector<float>({label.left(), label.top(), label.width(), label.height()}),
              std::vector<float>({0.1f, 4071.9f, 3358.5f, 0.0f}));
    label.setBounds(0.1, 4071.9, 3358.5, 1e-50);
    label.setLeft(16777217.0);  // not a float: the nearest one is kept
    EXPECT_EQ(label.left(), 16777216.0f);
    button.setBounds(10, 20, 30, 40);
    changes.clear();
    // A refused size leaves the control as it was; positions may be negative.
    for (auto refused : std::initializer_list<std::function<void()>>{
             [&] { button.setWidth(-1); }, [&] { button.setHeight(-0.5); },
             [&] { button.setBounds(1, 2, 3, -4); }, [&] { form.setWidth(-10); }})
        EXPECT_EQ(raisedError(refused), 380);
    EXPECT_EQ(raisedError([&] { button.setLeft(1e300); }), 6);
    EXPECT_EQ(std::vector<float>({button.left(), button.top(), button.width(), button.height()}),
              std::vector<float>({10, 20, 30, 40}));
    button.setLeft(-300);
    EXPECT_EQ(button.left(), -300);
    label.setCaption(u" /5");
    label.setCaption(u" /5");
    button.setBackColor(255);
    button.setBackColor(255);
    button.setToolTip(u"Amplia el dibujo");
    for (int twice = 0; twice < 2; ++twice) {
        label.setEnabled(false);
        label.setVisible(false);
        label.setBold(true);
    }
    using P = Property;
    const decltype(changes) heard = {
        {"cmdColor", P::Bounds}, {"labPol", P::Caption}, {"cmdColor", P::BackColor}, {"cmdColor", P::ToolTip},
        {"labPol", P::Enabled},  {"labPol", P::Visible}, {"labPol", P::Font}};
    EXPECT_EQ(changes, heard);
    auto& combo = form.add<ComboBox>("cmbCapa");
    combo.addItem(u"Ejes");
    changes.clear();
    combo.setListIndex(0);
    combo.setListIndex(0);
    EXPECT_EQ(std::count(changes.begin(), changes.end(), std::pair<std::string, P>{"cmbCapa", P::ListIndex}),
              1);
}

TEST_F(Controls, TextBoxChangeRunsOnARealChangeAndInputGoesOnlyToEnabledVisibleControls) {
    auto& frame = form.add<Frame>("fraPoli");
    auto& box = form.add<TextBox>("txtVert", &frame);
    auto& button = form.add<CommandButton>("cmdAv", &frame, 1);
    std::vector<std::u16string> seen;
    box.onChange = [&] { seen.push_back(box.text()); };
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    for (const char16_t* text : {u"1", u"1"}) box.setText(text);
    for (const char16_t* text : {u"1", u"12"}) box.userTypes(text);
    frame.setEnabled(false);
    box.userTypes(u"3");
    button.click();
    box.setText(u"");  // code still writes into a disabled box
    frame.setEnabled(true);
    button.setVisible(false);
    button.click();
    button.setVisible(true);
    button.click();
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"1", u"12", u""}));
    EXPECT_EQ(clicks, 1);
    // A failing change handler reaches code, but the user only sees a box.
    box.onChange = [] { automation::raiseStandardError(9); };
    EXPECT_EQ(raisedError([&] { box.setText(u"7"); }), 9);
    box.userTypes(u"8");
    EXPECT_EQ(box.text(), u"8");
    EXPECT_EQ(boxTexts(),
              (std::vector<std::u16string>{u"Error nº 9: El subíndice está fuera del intervalo"}));
    // A handler that replaces itself runs to its end.
    button.onClick = [&] { button.onClick = nullptr, ++clicks; };
    button.click();
    button.click();
    EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, ComboBoxSelectionRules) {
    auto& combo = form.add<ComboBox>("cmbCapa");
    combo.setText(u"Combo1");
    for (const char16_t* item : {u"Ejes", u"Bordes", u"Muros"}) combo.addItem(item);
    const auto state = [&] { return automation::decimalText(combo.listIndex()) + u" " + combo.text(); };
    EXPECT_EQ(state(), u"-1 Combo1");
    combo.setListIndex(1);
    for (int32_t outside : {3, -2}) EXPECT_EQ(raisedError([&] { combo.setListIndex(outside); }), 380);
    EXPECT_EQ(state(), u"1 Bordes");
    combo.userTypes(u"Bordes");  // typed over, even with an item's text: no selection
    EXPECT_EQ(state(), u"-1 Bordes");
    combo.userSelects(2);
    EXPECT_EQ(state(), u"2 Muros");
    combo.setText(u"Otra");
    EXPECT_EQ(state(), u"-1 Otra");
    combo.setListIndex(0);
    combo.setListIndex(-1);
    EXPECT_EQ(state(), u"-1 ");
    combo.setListIndex(2);
    combo.clear();
    EXPECT_EQ(state() + automation::decimalText(combo.listCount()), u"-1 0");
    EXPECT_EQ(raisedError([&] { combo.setListIndex(0); }) + raisedError([&] { combo.setListIndex(-1); }),
              380);
    combo.userSelects(5);  // a view offering a position that is not there: refused behind the boundary
    EXPECT_EQ(boxTexts(), (std::vector<std::u16string>{u"Error nº 380: Valor de la propiedad no válido"}));
}

TEST_F(Controls, ToolbarKeysAreCaseSensitiveAndTheFirstMatchWins) {
    auto& toolbar = form.add<Toolbar>("Toolbar1");
    for (const auto& [key, image] : {std::pair{u"z_amplia", 0}, {u"Z_todo", 1}, {u"z_amplia", 2}})
        toolbar.addButton(key, image);
    std::vector<int> clicked;
    toolbar.onButtonClick = [&](const ToolbarButton& button) { clicked.push_back(button.imageIndex); };
    for (const char16_t* key : {u"Z_AMPLIA", u"z_todo", u"Z_todo", u"z_amplia", u"eli_pol"})
        toolbar.click(key);
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
}

TEST_F(Controls, EventBoundaryShowsOneCriticalBoxTitledWithTheSourceAndNeverThrows) {
    const std::pair<std::function<void()>, HeadlessToolkit::MessageBoxRecord> cases[] = {
        {[] { automation::raiseStandardError(9); },
         {u"Error nº 9: El subíndice está fuera del intervalo", 16, u"Orv_Pol_edit"}},
        {[] { throw automation::AutomationError(1004, u"Sin tabla", u"Orv_Tabla"); },
         {u"Error nº 1004: Sin tabla", 16, u"Orv_Tabla"}},
        {[] { throw automation::AutomationError(-2147221164, u"Clase no registrada", u""); },
         {u"Error nº -2147221164: Clase no registrada", 16, u"Orv_Pol_edit"}},
        {[this] { runEventHandler(toolkit, [] { automation::raiseStandardError(13); }); },
         {u"Error nº 13: No coinciden los tipos", 16, u"Orv_Pol_edit"}},  // nested: only the inner box
    };
    for (const auto& [handler, box] : cases) {
        toolkit.clearMessageBoxes();
        runEventHandler(toolkit, handler);
        EXPECT_EQ(toolkit.messageBoxes(), (std::vector<HeadlessToolkit::MessageBoxRecord>{box}));
    }
    // Other failures become the nearest standard error.
    toolkit.clearMessageBoxes();
    int runs = 0;
    for (const auto& handler : std::initializer_list<std::function<void()>>{
             [] { throw std::bad_alloc(); }, [] { (void)std::vector<int>().at(3); },
             [] { throw std::overflow_error("big"); }, [] { throw std::runtime_error("?"); },
             [] { throw 42; }, [&] { ++runs; }, nullptr})
        runEventHandler(toolkit, handler);
    std::u16string numbers;
    for (const auto& text : boxTexts()) numbers += text.substr(0, text.find(u':')) + u";";
    EXPECT_EQ(numbers, u"Error nº 7;Error nº 9;Error nº 6;Error nº 5;Error nº 5;");
    EXPECT_EQ(runs, 1);

    // A toolkit whose message box itself fails: the boundary still returns normally.
    struct BrokenBoxToolkit : HeadlessToolkit {
        int32_t messageBox(const Text&, int32_t, const Text&) override { throw std::runtime_error("no box"); }
    } broken;
    static_assert(noexcept(runEventHandler(broken, nullptr)));
    EXPECT_NO_THROW(runEventHandler(broken, [] { automation::raiseStandardError(9); }));
}

}  // namespace
}  // namespace orv::ui
