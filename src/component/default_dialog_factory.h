#pragma once
// The factory of the real dialogs: F_Enf_Pol for the focus dialog, F_Pol_Edt for the editor.
#include "component/polyline_dialog.h"

namespace orv::component {

class DefaultDialogFactory : public DialogFactory {
  public:
    std::unique_ptr<PolylineDialog> createFocusDialog(ComponentServices& services,
                                                      DialogEvents& events) override;
    std::unique_ptr<PolylineDialog> createEditorDialog(ComponentServices& services,
                                                       DialogEvents& events) override;
};

}  // namespace orv::component
