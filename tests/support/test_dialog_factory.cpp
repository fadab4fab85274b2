#include "support/test_dialog_factory.h"

namespace orv::test {

std::unique_ptr<component::PolylineDialog> TestDialogFactory::createFocusDialog(
    component::ComponentServices&, component::DialogEvents& events) {
    return make(DialogKind::Focus, focusScripts_, events);
}

std::unique_ptr<component::PolylineDialog> TestDialogFactory::createEditorDialog(
    component::ComponentServices&, component::DialogEvents& events) {
    return make(DialogKind::Editor, editorScripts_, events);
}

std::unique_ptr<component::PolylineDialog> TestDialogFactory::make(DialogKind kind,
                                                                   std::deque<DialogScript>& scripts,
                                                                   component::DialogEvents& events) {
    if (createError) throw *createError;
    DialogScript script;
    if (!scripts.empty()) {
        script = std::move(scripts.front());
        scripts.pop_front();
    }
    made_.push_back(kind);
    return std::make_unique<TestDialog>(events, std::move(script), alive_);
}

}  // namespace orv::test
