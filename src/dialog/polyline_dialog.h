#pragma once
// What C_Enf_Pol needs of a dialog: its entry, and whom to tell its events.
#include <cstdint>
#include <memory>

#include "dialog/dialog_events.h"

namespace orv::dialog {

class PolylineDialog {
  public:
    virtual ~PolylineDialog() = default;

    // The entry: copies the data, runs the polyline set-up and shows the dialog modally; returns when it has
    // closed. nPtos is the editor's own by-reference argument; the focus dialog gets a copy. Errors of the
    // intake and set-up reach the caller.
    virtual void CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X,
                             DoubleArray& Y, DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                             IntegerArray& CapaPuntos, int32_t& noCapas, TextArray& Capas, int32_t& PolN,
                             LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) = 0;
};

class DialogServices;

// Makes the dialogs; the real one makes F_Enf_Pol and F_Pol_Edt, tests make their own.
class DialogFactory {
  public:
    virtual ~DialogFactory() = default;
    virtual std::unique_ptr<PolylineDialog> createFocusDialog(DialogServices& services,
                                                              DialogEvents& events) = 0;
    virtual std::unique_ptr<PolylineDialog> createEditorDialog(DialogServices& services,
                                                               DialogEvents& events) = 0;
};

}  // namespace orv::dialog
