#include "component/default_dialog_factory.h"

#include "editor/f_pol_edt.h"
#include "focus_dialog/f_enf_pol.h"

namespace orv::component {

std::unique_ptr<dialog::PolylineDialog> DefaultDialogFactory::createFocusDialog(
    dialog::DialogServices& services, dialog::DialogEvents& events) {
    return std::make_unique<focus_dialog::F_Enf_Pol>(services, events);
}

std::unique_ptr<dialog::PolylineDialog> DefaultDialogFactory::createEditorDialog(
    dialog::DialogServices& services, dialog::DialogEvents& events) {
    return std::make_unique<editor::F_Pol_Edt>(services, events);
}

}  // namespace orv::component
