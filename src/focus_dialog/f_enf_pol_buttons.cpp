// The button row ("Cancelar", "Aplicar", "Capturar <<") and the zoom buttons.
#include "automation/automation_error.h"
#include "automation/text.h"
#include "automation/variant_bool.h"
#include "focus_dialog/f_enf_pol.h"
#include "ui/event_boundary.h"

namespace orv::focus_dialog {

void F_Enf_Pol::cmdAceptar_Click() {
    // The one handler of this dialog that traps its errors, every kind of failure: the box replaces the steps
    // after the failing one, and what was stored before it stays stored.
    const std::optional<automation::AutomationError> failure = ui::runTrapped(services_.toolkit(), [this] {
        services_.toolkit().yield();
        storeFields(false);
        events_.RetornaOpcion(PtoAct, NumVert, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP, NoPoli,
                              Polcol);
        services_.placementStore().StorePlacement(form, kPlacementSection, kPlacementKey);
    });
    if (failure) captureFailed(*failure);
}

void F_Enf_Pol::cmdRedibuja_Click() {
    const std::optional<int32_t> v = vertexNumber();
    if (v && *v >= 1) GuardaPunto();
}

void F_Enf_Pol::cmdZm_Click(int16_t Index) {
    // The vertex number as the field holds it, not the point behind it.
    const std::optional<int32_t> read = vertexNumber();
    if (!read || *read == 0) return;
    int32_t v = *read;
    automation::VariantBool amplia = automation::toVariantBool(Index == 0);
    events_.ZoomR(amplia, v, PolN);
}

void F_Enf_Pol::cmdCancelar_Click() {
    form.unload();
    events_.Cancela();
}

}  // namespace orv::focus_dialog
