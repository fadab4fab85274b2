#include "component/default_dialog_factory.h"

#include "automation/standard_errors.h"
#include "editor/f_pol_edt.h"

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

std::unique_ptr<PolylineDialog> DefaultDialogFactory::createEditorDialog(ComponentServices& services,
                                                                         DialogEvents& events) {
    return std::make_unique<editor::F_Pol_Edt>(services, events);
}

}  // namespace orv::component
