#pragma once
// Makes TestDialogs for C_Enf_Pol, each running the next script queued for its kind (none: it returns at
// once).
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "automation/automation_error.h"
#include "component/polyline_dialog.h"
#include "support/test_dialog.h"

namespace orv::test {

class TestDialogFactory : public component::DialogFactory {
  public:
    TestDialogFactory() : alive_(std::make_shared<int>(0)) {}

    // The script of the next focus / editor dialog; scripts queue up in order.
    void onNextFocus(DialogScript script) { focusScripts_.push_back(std::move(script)); }
    void onNextEditor(DialogScript script) { editorScripts_.push_back(std::move(script)); }
    // When set, creating a dialog fails with this error.
    std::optional<automation::AutomationError> createError;

    std::unique_ptr<component::PolylineDialog> createFocusDialog(component::ComponentServices& services,
                                                                 component::DialogEvents& events) override;
    std::unique_ptr<component::PolylineDialog> createEditorDialog(component::ComponentServices& services,
                                                                  component::DialogEvents& events) override;

    // Kinds of the dialogs made so far, in order.
    const std::vector<DialogKind>& made() const { return made_; }
    // Dialogs not yet destroyed.
    int alive() const { return *alive_; }

  private:
    std::unique_ptr<component::PolylineDialog> make(DialogKind kind, std::deque<DialogScript>& scripts,
                                                    component::DialogEvents& events);

    std::shared_ptr<int> alive_;
    std::deque<DialogScript> focusScripts_;
    std::deque<DialogScript> editorScripts_;
    std::vector<DialogKind> made_;
};

}  // namespace orv::test
