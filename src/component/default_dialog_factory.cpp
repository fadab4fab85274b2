#include "component/default_dialog_factory.h"

#include "editor/f_pol_edt.h"
#include "focus_dialog/f_enf_pol.h"

namespace orv::component {

std::unique_ptr<PolylineDialog> DefaultDialogFactory::createFocusDialog(ComponentServices& services,
                                                                        DialogEvents& events) {
    return std::make_unique<focus_dialog::F_Enf_Pol>(services, events);
}

std::unique_ptr<PolylineDialog> DefaultDialogFactory::createEditorDialog(ComponentServices& services,
                                                                         DialogEvents& events) {
    return std::make_unique<editor::F_Pol_Edt>(services, events);
}

}  // namespace orv::component
