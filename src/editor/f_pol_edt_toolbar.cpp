// The zoom toolbar and the colour button.
#include "automation/standard_errors.h"
#include "automation/text.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

void F_Pol_Edt::Toolbar1_ButtonClick(const ui::ToolbarButton& Button) {
    // Keys compare exactly, case included. "Z_todo", "Elim_vert", "elim_ptos" and "eli_pol" have no command.
    const automation::Text& k = Button.key;
    if (k == u"z_amplia") {
        PideZoom(false);
    } else if (k == u"z_reduce") {
        PideZoom(true);
    }
}

void F_Pol_Edt::cmdColor_Click() {
    // A picker that cannot be made, or one of whose members fails, ends the click at the event boundary: the
    // button keeps its colour and the picker is released all the same.
    std::unique_ptr<collaborators::ColorPicker> picker = services_.createColorPicker();
    if (!picker) automation::raiseStandardError(automation::error_number::kObjectNotSet);
    picker->Title(u"Color capa:");
    picker->InitialColor(automation::decimalText(cmdColor.backColor()));
    picker->Setting1(0);
    picker->Setting2(0);
    picker->Setting3(0);
    picker->ShowPicker();
    // The colour goes to the button only: colPol, which the host receives, stays the polyline's.
    cmdColor.setBackColor(picker->ChosenColor());
}

}  // namespace orv::editor
