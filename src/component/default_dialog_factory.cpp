#include "component/default_dialog_factory.h"

#include "automation/standard_errors.h"

namespace orv::component {
namespace {

// The platform's answer when a class cannot be created.
[[noreturn]] void cannotCreate() {
    throw automation::AutomationError(429, u"El componente ActiveX no puede crear el objeto",
                                      automation::kComponentSource);
}

}  // namespace

std::unique_ptr<PolylineDialog> DefaultDialogFactory::createFocusDialog(ComponentServices&, DialogEvents&) {
    cannotCreate();
}

std::unique_ptr<PolylineDialog> DefaultDialogFactory::createEditorDialog(ComponentServices&, DialogEvents&) {
    cannotCreate();
}

}  // namespace orv::component
