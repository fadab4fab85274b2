// The layout on resize: the table fills the inner area, the three buttons and the perimeter frame keep to the
// bottom edge. Every other control stays where the design put it.
#include <algorithm>

#include "editor/f_pol_edt.h"

namespace orv::editor {

void F_Pol_Edt::Form_Resize() {
    // Minimised there is no inner area to lay out: the restore that follows resizes again. An area too small
    // for the table gives it size 0 rather than a negative one, and still keeps the buttons on the bottom
    // edge.
    if (form_->minimized()) return;
    const ui::Form& f = *form_;

    // Each line reads what it needs at that moment. Twips are single precision: a difference of two of them
    // is one too, and the setters round every value to single precision.
    const float anchoTabla = f.clientWidth() - tblPol.left();
    tblPol.setWidth(std::max(0.0, static_cast<double>(anchoTabla)));
    const float altoLibre = f.clientHeight() - tblPol.top();
    tblPol.setHeight(std::max(0.0, altoLibre - cmdAceptar.height() * 1.3));
    cmdAceptar.setTop(f.clientHeight() - cmdAceptar.height() * 1.02);
    cmdAceptar.setLeft(f.clientWidth() - cmdAceptar.width() * 1.02);
    cmdCancelar.setTop(cmdAceptar.top());
    // Measured from the outer width, frame included.
    cmdCancelar.setLeft(f.width() - (cmdAceptar.width() * 1.02) * 2);
    cmdRedibuja.setTop(cmdAceptar.top());
    cmdRedibuja.setLeft(cmdCancelar.left() - cmdAceptar.width() * 1.02);
    fraZoom.setTop(cmdRedibuja.top());
}

}  // namespace orv::editor
