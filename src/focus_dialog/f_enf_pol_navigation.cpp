// Moving through vertices and polylines: the point fields are stored before every move, each vertex shown is
// reported to the host, and a polyline step asks the host for the new polyline before setting the dialog up
// again.
#include "automation/text.h"
#include "focus_dialog/f_enf_pol.h"

namespace orv::focus_dialog {

using automation::decimalText;

namespace {

// One step with wrap-around over 1..last. Worked out in 64 bits: a field may hold any 32-bit number, and the
// step past either end of that range wraps like any other.
int32_t step(int32_t from, int16_t Index, int32_t last) {
    int64_t to = Index == 0 ? int64_t{from} - 1 : int64_t{from} + 1;
    if (Index == 0 && to < 1) to = last;
    if (Index != 0 && to > last) to = 1;
    return static_cast<int32_t>(to);
}

}  // namespace

void F_Enf_Pol::GuardaPunto() {
    if (PtoAct < 1) return;
    // The host's hand-back may have shrunk the arrays below the point on display; then there is nowhere to
    // store the fields, and saying so beats failing every later move.
    if (!isPoint(PtoAct)) {
        warn(u"Los datos del punto " + decimalText(PtoAct) +
             u" no se pueden guardar: el punto ya no está en el dibujo.");
        return;
    }
    storeFields();
}

// The fields into point PtoAct and the two layer lists into its layer and capP, in this order; "Capturar <<"
// traps whatever fails on the way, so what was stored before stays stored.
void F_Enf_Pol::storeFields() {
    collaborators::NumberTextConverter& converter = services_.converter();
    Nombre.set(PtoAct, txtNom.text());
    X(PtoAct) = converter.TextToNumber(txtX.text());
    Y(PtoAct) = converter.TextToNumber(txtY.text());
    Z(PtoAct) = converter.TextToNumber(txtZ.text());
    Código.set(PtoAct, txtcod.text());
    storeLayers();
}

// No selection means layer 1, except where the list could not show the layer held: that one is kept.
void F_Enf_Pol::storeLayers() {
    if (cmbCapa.listIndex() >= 0) {
        CapaPuntos(PtoAct) = static_cast<int16_t>(cmbCapa.listIndex() + 1);
        pointLayerOutsideList_ = false;
    } else if (!pointLayerOutsideList_) {
        CapaPuntos(PtoAct) = 1;
    }
    if (cmbCapaPol.listIndex() >= 0) {
        capP = static_cast<int16_t>(cmbCapaPol.listIndex() + 1);
        polylineLayerOutsideList_ = false;
    } else if (!polylineLayerOutsideList_) {
        capP = 1;
    }
}

void F_Enf_Pol::txtVert_Change() {
    if (Cargando) return;
    if (UltimoVertice >= 1) GuardaPunto();
    const std::optional<int32_t> read = vertexNumber();
    if (!read) return;
    const int32_t v = *read;
    if (v <= 0) {
        txtVert.setText(u"1");
        return;
    }
    if (v > NumVert) {
        // A count the host wrote below 1 has no last vertex to fall back on.
        if (NumVert >= 1)
            txtVert.setText(decimalText(NumVert));
        else
            refuseVertex(v);
        return;
    }
    // A vertex without a point behind it is announced and not shown: PtoAct and the fields stay together.
    if (!canShowVertex(v)) return refuseVertex(v);
    PtoAct = VertP(v);
    txtN.setText(decimalText(PtoAct));
    showPointFields();
    selectPointLayer();
    events_.RetornaPunto(PtoAct, PolN);
    UltimoVertice = v;
    services_.toolkit().yield();
}

void F_Enf_Pol::cmdAv_Click(int16_t Index) {
    const std::optional<int32_t> read = vertexNumber();
    if (!read) return;
    GuardaPunto();
    const int32_t v = step(*read, Index, NumVert);
    txtVert.setText(decimalText(v));
    // Refused by the change handling (which said why), or left behind by a polyline step that ran in its
    // yield.
    if (!canShowVertex(v)) return;
    txtN.setText(decimalText(VertP(v)));
    fraVert.setCaption(u"Vértice " + decimalText(v));
    services_.toolkit().yield();
    // Input run during the yield may have replaced the vertex list.
    if (!VertP.contains(v)) return;
    int32_t punto = VertP(v);
    events_.RetornaPunto(punto, PolN);
}

void F_Enf_Pol::cmdAvP_Click(int16_t Index) {
    const std::optional<int32_t> read = polylineNumber();
    if (!read) return;
    GuardaPunto();
    // A typed number is stepped as it stands: 50 with 10 polylines and "<" asks for 49.
    const int32_t p = step(*read, Index, NoPoli);
    txPolis.setText(decimalText(p));
    services_.toolkit().yield();
    PolN = p;
    events_.newPolCambia(PolN, VertP, capP, NoPoli, Polcol);
    PreparaPol(PolN, VertP, capP, NoPoli, Polcol);
}

}  // namespace orv::focus_dialog
