#pragma once
// The model of a dialog window: its controls, its placement (outer size, twips), its life cycle.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace orv::ui {

class Toolkit;

enum class BorderStyle { FixedToolWindow, SizableToolWindow };

class Form {
  public:
    Form(Toolkit& toolkit, std::string name, Text caption, BorderStyle border);
    // A form destroyed while loaded has its window destroyed without running the unload handler.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Adds a control; the form owns it. The reference stays valid for the form's life.
    template <class C>
    C& add(std::string name, Control* parent = nullptr, int16_t index = -1) {
        auto control = std::make_unique<C>(*this, std::move(name), index, parent);
        C& result = *control;
        controls_.push_back(std::move(control));
        return result;
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view name, int16_t index = -1) const;
    // The same, as the kind of control the caller expects (null when absent or of another kind).
    template <class C>
    C* findAs(std::string_view name, int16_t index = -1) const {
        return dynamic_cast<C*>(find(name, index));
    }
    // Controls that take the focus, in keyboard order.
    std::vector<Control*> tabOrder() const;

    const std::string& name() const { return name_; }
    Toolkit& toolkit() const { return toolkit_; }
    BorderStyle border() const { return border_; }
    const Text& caption() const { return caption_; }
    void setCaption(Text value);

    // Outer placement, twips. Setting a different size on a loaded form runs the resize handler.
    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void setLeft(double value);
    void setTop(double value);
    void setWidth(double value);
    void setHeight(double value);
    void setBounds(double left, double top, double width, double height);
    // Inner (client) size: the outer size less the frame, whose thickness the view reports; 0 while
    // minimised, as the platform reports it then.
    Twips clientWidth() const;
    Twips clientHeight() const;
    void setFrameThickness(double horizontal, double vertical);
    Twips frameHorizontal() const { return frameHorizontal_; }
    Twips frameVertical() const { return frameVertical_; }
    bool minimized() const { return minimized_; }
    // Minimising and restoring a loaded form run the resize handler, as the platform does; the outer size
    // stays.
    void setMinimized(bool value);

    // Life cycle. ensureLoaded creates the window (through the toolkit) and runs the load handler, once; the
    // dialogs call it before their first control access.
    bool loaded() const { return loaded_; }
    void ensureLoaded();
    // Shows the form modally with no owner; returns when it is hidden or unloaded. Loads the form first; the
    // first show after a load runs the resize handler once, as a window appearing does.
    void showModal();
    bool shown() const { return shown_; }
    void hide();
    // Runs the unload handler, then destroys the window and ends a modal show. Unloading an unloaded form
    // does nothing. The unload is never refused: when the handler fails, the window goes all the same and the
    // error propagates.
    void unload();

    // What the user does to the window itself, behind the event boundary.
    void userCloses();
    void userResizes(double width, double height);
    void userMinimizes(bool minimized);
    // Esc: clicks the cancel button, when there is one that takes input.
    void userPressesEscape();

    Control* focus() const { return focus_; }
    void setFocus(Control* control);

    std::function<void()> onLoad;
    std::function<void()> onResize;
    std::function<void()> onUnload;

    void setObserver(ControlObserver* observer) { observer_ = observer; }
    ControlObserver* observer() const { return observer_; }
    // For the view: a property of the form itself changed (caption, placement).
    std::function<void(Property)> onFormChanged;

    // For the toolkit: the modal show started or ended.
    void setShown(bool value) { shown_ = value; }

  private:
    void resized();
    void formChanged(Property property);
    void finishUnload() noexcept;

    Toolkit& toolkit_;
    std::string name_;
    Text caption_;
    BorderStyle border_;
    std::vector<std::unique_ptr<Control>> controls_;
    Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Twips frameHorizontal_ = 0, frameVertical_ = 0;
    bool minimized_ = false;
    bool loaded_ = false;
    bool shown_ = false;
    bool shownSinceLoad_ = false;
    bool unloading_ = false;
    Control* focus_ = nullptr;
    ControlObserver* observer_ = nullptr;
};

}  // namespace orv::ui
