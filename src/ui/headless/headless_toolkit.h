#pragma once
// A toolkit without windows, for the tests: it records message boxes and runs scripted user actions while a
// form is shown modally and during yields.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "ui/toolkit.h"

namespace orv::ui {

class HeadlessToolkit : public Toolkit {
  public:
    using Action = std::function<void()>;
    struct MessageBoxRecord {
        Text text;
        int32_t style;
        Text title;
        bool operator==(const MessageBoxRecord&) const = default;
    };

    // Frame thickness (twips) that loaded forms report: outer size minus client size.
    static constexpr float kFrameHorizontal = 120;
    static constexpr float kFrameVertical = 360;

    // Actions run one by one, in order, while a form is shown modally (the user at the keyboard). When the
    // script runs out and a form is still shown, the toolkit closes it by its close box, as a user finally
    // would.
    void script(Action action) { script_.push_back(std::move(action)); }
    // Actions run at the next yield (input that was queued while a handler ran). An action that yields itself
    // runs what was queued before that inner yield began; what it queues after waits for a later yield.
    void duringNextYield(Action action) { yieldQueue_.push_back({nextSequence_++, std::move(action)}); }
    bool scriptEmpty() const { return script_.empty(); }
    bool yieldQueueEmpty() const { return yieldQueue_.empty(); }

    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }
    void clearMessageBoxes() { messageBoxes_.clear(); }
    int yieldCount() const { return yields_; }
    // The form shown modally at the moment (the innermost one), or null.
    Form* activeForm() const;
    int modalDepth() const;
    // How often the toolkit had to close a form because the script ran out.
    int closedForLackOfScript() const { return closedForLackOfScript_; }

    void load(Form& form) override;
    void showModal(Form& form) override;
    void hide(Form& form) override;
    void unload(Form& form) override;
    void yield() override;
    int32_t messageBox(const Text& text, int32_t style, const Text& title) override;
    Text applicationTitle() const override;

  private:
    struct QueuedAction {
        uint64_t sequence;
        Action action;
    };
    struct ModalShow {
        Form* form;
        bool ended;
    };
    void endShows(Form& form);

    std::deque<Action> script_;
    std::deque<QueuedAction> yieldQueue_;
    uint64_t nextSequence_ = 0;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<ModalShow> modal_;  // innermost last
    int yields_ = 0;
    int closedForLackOfScript_ = 0;
};

}  // namespace orv::ui
