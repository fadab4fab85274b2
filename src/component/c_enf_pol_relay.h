#pragma once
// Receives the events of one dialog and hands them to the class's handlers of that dialog's reference, as
// long as the reference still holds that dialog: a dialog replaced by a newer one of its kind reaches nobody.
#include "component/c_enf_pol.h"
#include "dialog/dialog_events.h"

namespace orv::component {

class C_Enf_Pol::Relay : public DialogEvents {
  public:
    Relay(C_Enf_Pol& owner, DialogKind kind) : owner_(owner), kind_(kind) {}
    void serve(const PolylineDialog* dialog) { dialog_ = dialog; }

    void Cancela() override;
    void RetornaPunto(int32_t& Name, int32_t& polM) override;
    void RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                       TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                       LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) override;
    void ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM) override;
    void newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                      int32_t& aPolcol) override;

  private:
    bool serving() const { return dialog_ != nullptr && owner_.reference(kind_).get() == dialog_; }
    bool focus() const { return kind_ == DialogKind::Focus; }

    C_Enf_Pol& owner_;
    DialogKind kind_;
    const PolylineDialog* dialog_ = nullptr;
};

// A dialog and its relay live and die together; the class's reference shares their ownership with the call of
// PasaDatos that is running the dialog.
struct C_Enf_Pol::RelayedDialog {
    RelayedDialog(C_Enf_Pol& owner, DialogKind kind) : relay(owner, kind) {}
    Relay relay;
    std::unique_ptr<PolylineDialog> dialog;  // declared after the relay: destroyed before it
};

}  // namespace orv::component
