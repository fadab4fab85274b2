#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <utility>

#include "ui/event_boundary.h"
#include "ui/form.h"

namespace orv::ui {

Form* HeadlessToolkit::activeForm() const {
    for (auto show = modal_.rbegin(); show != modal_.rend(); ++show)
        if (!show->ended) return show->form;
    return nullptr;
}

int HeadlessToolkit::modalDepth() const {
    return static_cast<int>(
        std::count_if(modal_.begin(), modal_.end(), [](const ModalShow& s) { return !s.ended; }));
}

void HeadlessToolkit::load(Form& form) {
    form.setFrameThickness(kFrameHorizontal, kFrameVertical);
}

void HeadlessToolkit::showModal(Form& form) {
    form.setShown(true);
    modal_.push_back({&form, false});
    // An index, not a reference: nested shows push onto the same vector while this one runs.
    const size_t mine = modal_.size() - 1;
    while (!modal_[mine].ended) {
        if (!script_.empty()) {
            Action action = std::move(script_.front());
            script_.pop_front();
            runEventHandler(*this, action);
            continue;
        }
        ++closedForLackOfScript_;
        form.userCloses();
        // A close that did not end the show (its handler failed before the window went) must not hang the
        // test.
        if (!modal_[mine].ended) hide(form);
    }
    modal_.pop_back();
}

void HeadlessToolkit::hide(Form& form) {
    endShows(form);
    form.setShown(false);
}

void HeadlessToolkit::unload(Form& form) {
    endShows(form);
    form.setShown(false);
}

void HeadlessToolkit::endShows(Form& form) {
    for (ModalShow& show : modal_)
        if (show.form == &form) show.ended = true;
}

void HeadlessToolkit::yield() {
    ++yields_;
    const uint64_t queuedBefore = nextSequence_;
    while (!yieldQueue_.empty() && yieldQueue_.front().sequence < queuedBefore) {
        Action action = std::move(yieldQueue_.front().action);
        yieldQueue_.pop_front();
        runEventHandler(*this, action);
    }
}

int32_t HeadlessToolkit::messageBox(const Text& text, int32_t style, const Text& title) {
    messageBoxes_.push_back({text, style, title});
    return kMbAnswerOk;
}

Text HeadlessToolkit::applicationTitle() const {
    return u"Orv_Pol_edit";
}

}  // namespace orv::ui
