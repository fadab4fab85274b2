#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/standard_errors.h"
#include "support/raised_error.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/label.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"

namespace orv::ui {
namespace {

using test::raisedError;

class RecordingObserver : public ControlObserver {
  public:
    void controlChanged(Control& control, Property property) override {
        changes.push_back(control.name() + ":" + std::to_string(static_cast<int>(property)));
    }
    std::vector<std::string> changes;
};

std::string change(const char* name, Property property) {
    return std::string(name) + ":" + std::to_string(static_cast<int>(property));
}

class ControlModel : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    Form form{toolkit, "F_Test", u"Test", BorderStyle::SizableToolWindow};
};

TEST_F(ControlModel, GeometryIsSinglePrecisionAndNegativeSizesAreError380) {
    auto& box = form.add<TextBox>("txtX");
    box.setBounds(0.1, 4071.9, 3358.5, 1e-50);
    EXPECT_EQ(box.left(), 0.1f);
    EXPECT_NE(static_cast<double>(box.left()), 0.1);
    EXPECT_EQ(box.top(), static_cast<float>(4071.9));
    EXPECT_EQ(box.width(), 3358.5f);
    EXPECT_EQ(box.height(), 0.0f);
    box.setLeft(16777217.0);  // not a float: the nearest one is kept
    EXPECT_EQ(box.left(), 16777216.0f);
    form.setBounds(200.3, 500.7, 8700.1, 5700.9);
    EXPECT_EQ(std::vector<float>({form.left(), form.top(), form.width(), form.height()}),
              std::vector<float>({200.3f, 500.7f, 8700.1f, 5700.9f}));

    // A refused size leaves the control as it was; positions may be negative.
    auto& button = form.add<CommandButton>("cmdAceptar");
    button.setBounds(10, 20, 30, 40);
    EXPECT_EQ(raisedError([&] { button.setWidth(-1); }), 380);
    EXPECT_EQ(raisedError([&] { button.setHeight(-0.5); }), 380);
    EXPECT_EQ(raisedError([&] { button.setBounds(1, 2, 3, -4); }), 380);
    EXPECT_EQ(raisedError([&] { form.setWidth(-10); }), 380);
    EXPECT_EQ(std::vector<float>({button.left(), button.top(), button.width(), button.height()}),
              std::vector<float>({10, 20, 30, 40}));
    button.setLeft(-300);
    EXPECT_EQ(button.left(), -300);
    EXPECT_EQ(raisedError([&] { button.setLeft(1e300); }), 6);
}

TEST_F(ControlModel, ObserverHearsEveryVisibleChangeAndNothingElse) {
    RecordingObserver observer;
    form.setObserver(&observer);
    auto& label = form.add<Label>("labPol");
    auto& frame = form.add<Frame>("fraPoli");
    auto& button = form.add<CommandButton>("cmdColor");
    label.setCaption(u" /5");
    label.setCaption(u" /5");
    frame.setCaption(u"Polilínea 1");
    button.setBackColor(255);
    button.setBackColor(255);
    button.setToolTip(u"Amplia el dibujo");
    label.setBounds(1, 2, 3, 4);
    label.setBounds(1, 2, 3, 4);
    label.setEnabled(false);
    label.setVisible(false);
    label.setBold(true);
    EXPECT_EQ(observer.changes,
              (std::vector<std::string>{
                  change("labPol", Property::Caption), change("fraPoli", Property::Caption),
                  change("cmdColor", Property::BackColor), change("cmdColor", Property::ToolTip),
                  change("labPol", Property::Bounds), change("labPol", Property::Enabled),
                  change("labPol", Property::Visible), change("labPol", Property::Font)}));
}

TEST_F(ControlModel, TextBoxChangeRunsOnlyOnARealChangeAndItsErrorsReachCodeButNotTheUser) {
    auto& box = form.add<TextBox>("txtVert");
    std::vector<std::u16string> seen;
    box.onChange = [&] { seen.push_back(box.text()); };
    box.setText(u"1");
    box.setText(u"1");
    box.userTypes(u"1");
    box.userTypes(u"12");
    box.setText(u"");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"1", u"12", u""}));

    box.onChange = [] { automation::raiseStandardError(9); };
    EXPECT_EQ(raisedError([&] { box.setText(u"7"); }), 9);
    EXPECT_EQ(box.text(), u"7");
    EXPECT_TRUE(toolkit.messageBoxes().empty());
    box.userTypes(u"8");
    EXPECT_EQ(box.text(), u"8");
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes()[0].text, u"Error nº 9: El subíndice está fuera del intervalo");
}

TEST_F(ControlModel, UserInputIsIgnoredByControlsThatTakeNone) {
    auto& frame = form.add<Frame>("fraPoli");
    auto& box = form.add<TextBox>("txtVert", &frame);
    auto& button = form.add<CommandButton>("cmdAv", &frame, 1);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    frame.setEnabled(false);
    box.userTypes(u"3");
    button.click();
    EXPECT_EQ(box.text(), u"");
    EXPECT_EQ(clicks, 0);
    frame.setEnabled(true);
    button.setVisible(false);
    button.click();
    EXPECT_EQ(clicks, 0);
    button.setVisible(true);
    button.click();
    EXPECT_EQ(clicks, 1);
    // Code still writes into a disabled box.
    frame.setEnabled(false);
    box.setText(u"4");
    EXPECT_EQ(box.text(), u"4");
}

TEST_F(ControlModel, ComboBoxSelectionRules) {
    auto& combo = form.add<ComboBox>("cmbCapa");
    combo.setText(u"Combo1");
    combo.addItem(u"Ejes");
    combo.addItem(u"Bordes");
    combo.addItem(u"Muros");
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), u"Combo1");

    combo.setListIndex(1);
    EXPECT_EQ(combo.text(), u"Bordes");
    EXPECT_EQ(raisedError([&] { combo.setListIndex(3); }), 380);
    EXPECT_EQ(raisedError([&] { combo.setListIndex(-2); }), 380);
    EXPECT_EQ(combo.listIndex(), 1);

    combo.userTypes(u"Bordes");  // typed over, even with an item's text: no selection
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), u"Bordes");

    combo.userSelects(2);
    EXPECT_EQ(combo.listIndex(), 2);
    EXPECT_EQ(combo.text(), u"Muros");
    combo.setText(u"Otra");
    EXPECT_EQ(combo.listIndex(), -1);

    combo.setListIndex(0);
    combo.setListIndex(-1);
    EXPECT_EQ(combo.text(), u"");

    combo.setListIndex(2);
    combo.clear();
    EXPECT_EQ(combo.listCount(), 0);
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), u"");
    EXPECT_EQ(raisedError([&] { combo.setListIndex(0); }), 380);
    EXPECT_NO_THROW(combo.setListIndex(-1));

    combo.userSelects(5);  // a view offering a position that is not there: refused behind the boundary
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes()[0].text, u"Error nº 380: Valor de la propiedad no válido");
}

TEST_F(ControlModel, ToolbarKeysAreCaseSensitiveAndTheFirstMatchWins) {
    auto& toolbar = form.add<Toolbar>("Toolbar1");
    toolbar.addButton(u"z_amplia", 0);
    toolbar.addButton(u"Z_todo", 1);
    toolbar.addButton(u"z_amplia", 2);
    std::vector<int> clicked;
    toolbar.onButtonClick = [&](const ToolbarButton& button) { clicked.push_back(button.imageIndex); };
    toolbar.click(u"Z_AMPLIA");
    toolbar.click(u"z_todo");
    toolbar.click(u"Z_todo");
    toolbar.click(u"z_amplia");
    toolbar.click(u"eli_pol");
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
}

TEST_F(ControlModel, ButtonHandlerThatReplacesItselfRunsToItsEnd) {
    auto& button = form.add<CommandButton>("cmdAceptar");
    int runs = 0;
    button.onClick = [&] {
        button.onClick = nullptr;
        ++runs;
    };
    button.click();
    button.click();
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace orv::ui
