#include "support/test_dialog_factory.h"

namespace orv::test {

std::unique_ptr<dialog::PolylineDialog> TestDialogFactory::createFocusDialog(dialog::DialogServices&,
                                                                             dialog::DialogEvents& events) {
    return make(DialogKind::Focus, focusScripts_, events);
}

std::unique_ptr<dialog::PolylineDialog> TestDialogFactory::createEditorDialog(dialog::DialogServices&,
                                                                              dialog::DialogEvents& events) {
    return make(DialogKind::Editor, editorScripts_, events);
}

std::unique_ptr<dialog::PolylineDialog> TestDialogFactory::make(DialogKind kind,
                                                                std::deque<DialogScript>& scripts,
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

}  // namespace orv::test
