#pragma once
// The model of one control: what the dialog logic reads and writes, and what a view mirrors.
// Positions and sizes are twips in single precision (every assigned value is rounded to float).
#include <cstdint>
#include <string>

#include "automation/text.h"

namespace orv::ui {

using automation::Text;
using Twips = float;

class Form;

enum class ControlKind { Label, TextBox, CommandButton, Frame, ComboBox, Toolbar, Table };

// What changed, so that a view updates only that.
enum class Property {
    Text,
    Caption,
    ToolTip,
    BackColor,
    Bounds,
    Visible,
    Enabled,
    Font,
    List,
    ListIndex,
    Content
};

class ControlObserver {
  public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(class Control& control, Property property) = 0;
};

class Control {
  public:
    // index is the position in a control array ("cmdAv"(0)), -1 for a lone control; parent null = the form
    // itself.
    Control(Form& form, std::string name, int16_t index, Control* parent);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;
    // Whether the control takes the keyboard focus (text boxes, buttons, combo boxes, tables).
    virtual bool takesFocus() const { return false; }

    const std::string& name() const { return name_; }
    int16_t index() const { return index_; }
    Control* parent() const { return parent_; }
    Form& form() const { return form_; }

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void setLeft(double value);
    void setTop(double value);
    // Negative sizes are refused with error 380, as the platform's controls do.
    void setWidth(double value);
    void setHeight(double value);
    void setBounds(double left, double top, double width, double height);

    bool visible() const { return visible_; }
    void setVisible(bool value);
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    bool bold() const { return bold_; }
    void setBold(bool value);
    const Text& toolTip() const { return toolTip_; }
    void setToolTip(Text value);
    // Keyboard order; lower comes first.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int value) { tabIndex_ = value; }
    // Whether the user can reach the control: it and every container around it are enabled and visible.
    bool acceptsInput() const;

  protected:
    void changed(Property property);

  private:
    Form& form_;
    std::string name_;
    int16_t index_;
    Control* parent_;
    Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true, bold_ = false;
    Text toolTip_;
    int tabIndex_ = 0;
};

}  // namespace orv::ui
