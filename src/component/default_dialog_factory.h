#pragma once
// The factory of the real dialogs: F_Enf_Pol for the focus dialog, F_Pol_Edt for the editor.
#include "dialog/polyline_dialog.h"

namespace orv::component {

class DefaultDialogFactory : public dialog::DialogFactory {
  public:
    std::unique_ptr<dialog::PolylineDialog> createFocusDialog(dialog::DialogServices& services,
                                                              dialog::DialogEvents& events) override;
    std::unique_ptr<dialog::PolylineDialog> createEditorDialog(dialog::DialogServices& services,
                                                               dialog::DialogEvents& events) override;
};

}  // namespace orv::component
