#pragma once
// What the dialogs ask of a windowing toolkit. The Win32 toolkit renders forms into windows; the headless
// toolkit of the tests records and scripts.
#include <cstdint>
#include <functional>
#include <optional>

#include "automation/automation_error.h"
#include "automation/text.h"

namespace orv::ui {

using automation::Text;
class Form;

// Message box styles and answers, numbered as the platform numbers them.
inline constexpr int32_t kMbOkOnly = 0;
inline constexpr int32_t kMbCritical = 16;
inline constexpr int32_t kMbAnswerOk = 1;

class Toolkit {
  public:
    virtual ~Toolkit() = default;
    // Creates the form's window (the form's models already hold the design values).
    virtual void load(Form& form) = 0;
    // Shows the form modally, with no owner window; returns when the form is hidden or unloaded.
    virtual void showModal(Form& form) = 0;
    // Hides the form; a modal show of it ends.
    virtual void hide(Form& form) = 0;
    // Destroys the form's window (after its unload handler ran); a modal show of it ends. Must not fail: it
    // also runs when a form is destroyed.
    virtual void unload(Form& form) = 0;
    // Lets pending window messages (paint, input) run, then returns. Every call looks for messages at least
    // once: a handler yields at a fixed point (after a focus request, before an apply) so that what is
    // pending runs there.
    virtual void yield() = 0;
    // The yield of a long loop, once per table row: a toolkit may skip it when it looked for messages only a
    // moment ago, since a million lookups would cost minutes and no user notices a few milliseconds.
    virtual void yieldPerRow() { yield(); }
    // Lets pending messages run only when the toolkit has not looked for them for a moment: for a loop that
    // has no yield of its own per row but must not hold up painting and input. A toolkit without a clock
    // (the headless one) never does.
    virtual void yieldWhenDue() {}
    virtual int32_t messageBox(const Text& text, int32_t style, const Text& title) = 0;
    // The application's title as message boxes and the table's file context use it.
    virtual Text applicationTitle() const = 0;
    // Runs a control event's handler so that a hardware fault inside it (an access violation, a division by
    // zero) stops here instead of taking the host's process down: the fault comes back as the error to
    // report. C++ exceptions pass as they are. A toolkit whose platform raises no such faults just runs the
    // handler.
    virtual std::optional<automation::AutomationError> runGuarded(const std::function<void()>& handler) {
        handler();
        return std::nullopt;
    }

    // How many event handlers have started so far. A loop that yields per row checks it to know whether
    // anything ran during a yield (and may have changed what the loop reads) without asking every row again.
    uint64_t handlersStarted() const { return handlersStarted_; }
    void handlerStarting() { ++handlersStarted_; }

  private:
    uint64_t handlersStarted_ = 0;
};

}  // namespace orv::ui
