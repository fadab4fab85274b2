#pragma once
// Makes TestDialogs for C_Enf_Pol, each running the next script queued for its kind (none: it returns at
// once).
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "automation/automation_error.h"
#include "dialog/polyline_dialog.h"
#include "support/test_dialog.h"

namespace orv::test {

class TestDialogFactory : public dialog::DialogFactory {
  public:
    TestDialogFactory() : alive_(std::make_shared<int>(0)) {}

    // The script of the next focus / editor dialog; scripts queue up in order.
    void onNextFocus(DialogScript script) { focusScripts_.push_back(std::move(script)); }
    void onNextEditor(DialogScript script) { editorScripts_.push_back(std::move(script)); }
    // When set, creating a dialog fails with this error.
    std::optional<automation::AutomationError> createError;

    std::unique_ptr<dialog::PolylineDialog> createFocusDialog(dialog::DialogServices&,
                                                              dialog::DialogEvents& events) override {
        return make(DialogKind::Focus, focusScripts_, events);
    }
    std::unique_ptr<dialog::PolylineDialog> createEditorDialog(dialog::DialogServices&,
                                                               dialog::DialogEvents& events) override {
        return make(DialogKind::Editor, editorScripts_, events);
    }

    // Kinds of the dialogs made so far, in order.
    const std::vector<DialogKind>& made() const { return made_; }
    // Dialogs not yet destroyed.
    int alive() const { return *alive_; }

  private:
    std::unique_ptr<dialog::PolylineDialog> make(DialogKind kind, std::deque<DialogScript>& scripts,
                                                 dialog::DialogEvents& events) {
        if (createError) throw *createError;
        DialogScript script;
        if (!scripts.empty()) {
            script = std::move(scripts.front());
            scripts.pop_front();
        }
        made_.push_back(kind);
        return std::make_unique<TestDialog>(events, std::move(script), alive_);
    }

    std::shared_ptr<int> alive_;
    std::deque<DialogScript> focusScripts_;
    std::deque<DialogScript> editorScripts_;
    std::vector<DialogKind> made_;
};

}  // namespace orv::test
