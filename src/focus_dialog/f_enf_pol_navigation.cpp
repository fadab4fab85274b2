// Moving through vertices and polylines: the point fields are stored before every move, each vertex shown is
// reported to the host, and a polyline step asks the host for the new polyline before setting the dialog up
// again.
#include "automation/text.h"
#include "dialog/rollback.h"
#include "focus_dialog/f_enf_pol.h"

namespace orv::focus_dialog {

using automation::decimalText;

void F_Enf_Pol::GuardaPunto() {
    if (PtoAct < 1) return;
    // The host's hand-back may have shrunk the arrays below the point on display; then there is nowhere to
    // store the fields, and saying so beats failing every later move.
    if (!isPoint(PtoAct)) {
        if (unstorablePointWarned_ == PtoAct) return;
        unstorablePointWarned_ = PtoAct;
        warn(u"Los datos del punto " + decimalText(PtoAct) +
             u" no se pueden guardar: el punto ya no está en el dibujo.");
        return;
    }
    storeFields(true);
}

// The fields into point PtoAct and the two layer lists into its layer and capP. A move stores all or
// nothing: the three numbers are read before anything is written, so a failing converter stops the move
// with the point as it was. "Capturar <<" stores in field order and traps whatever fails on the way, so
// what was stored before stays stored.
void F_Enf_Pol::storeFields(bool allOrNothing) {
    collaborators::NumberTextConverter& converter = services_.converter();
    if (allOrNothing) {
        const double x = converter.TextToNumber(txtX.text());
        const double y = converter.TextToNumber(txtY.text());
        const double z = converter.TextToNumber(txtZ.text());
        Nombre.set(PtoAct, txtNom.text());
        X(PtoAct) = x;
        Y(PtoAct) = y;
        Z(PtoAct) = z;
    } else {
        Nombre.set(PtoAct, txtNom.text());
        X(PtoAct) = converter.TextToNumber(txtX.text());
        Y(PtoAct) = converter.TextToNumber(txtY.text());
        Z(PtoAct) = converter.TextToNumber(txtZ.text());
    }
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
        if (NumVert >= 1) {
            txtVert.setText(decimalText(NumVert));
        } else {
            refuseVertex(v);
            showVertexField(shownVertex_);
        }
        return;
    }
    // A vertex without a point behind it, or one whose fields cannot be written (a failing converter), is
    // not shown: the vertex field goes back, and PtoAct and every field stay on the point on display.
    dialog::Rollback field([this] { showVertexField(shownVertex_); });
    if (!canShowVertex(v)) return refuseVertex(v);
    const PointTexts texts = pointTexts(VertP(v));
    field.keep();

    PtoAct = VertP(v);
    unstorablePointWarned_ = 0;
    shownVertex_ = v;
    vertexStep_.forget();
    txtN.setText(decimalText(PtoAct));
    showPointFields(texts);
    selectPointLayer();
    events_.RetornaPunto(PtoAct, PolN);
    UltimoVertice = v;
    services_.toolkit().yield();
}

void F_Enf_Pol::cmdAv_Click(int16_t Index) {
    const std::optional<int32_t> read = vertexNumber();
    if (!read) return;
    GuardaPunto();
    const int32_t v = vertexStep_.step(*read, Index, NumVert, shownVertex_);
    txtVert.setText(decimalText(v));
    // Refused by the change handling (which said why, and put the field back): the next press of this arrow
    // goes on past it. Or left behind by a polyline step that ran in its yield.
    if (!canShowVertex(v)) {
        if (VertP.contains(v)) vertexStep_.refuse(Index, v);
        return;
    }
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
    const int32_t p = polylineStep_.step(*read, Index, NoPoli, PolN);
    txPolis.setText(decimalText(p));
    services_.toolkit().yield();

    // What is on display, put back whole when the host's answer is refused or its set-up fails: the dialog
    // never shows one polyline while its variables hold another.
    dialog::Rollback shown(
        [this, PolN = PolN, VertP = VertP, capP = capP, NoPoli = NoPoli, Polcol = Polcol]() mutable {
            this->PolN = PolN;
            this->VertP = std::move(VertP);
            this->capP = capP;
            this->NoPoli = NoPoli;
            this->Polcol = Polcol;
            txPolis.setText(decimalText(PolN));
        });
    PolN = p;
    events_.newPolCambia(PolN, VertP, capP, NoPoli, Polcol);
    // PreparaPol, with the shown polyline kept before its events: what the host does in them is no failure of
    // the set-up.
    if (!showPolyline(PolN, VertP, capP, NoPoli, Polcol)) return polylineStep_.refuse(Index, p);
    shown.keep();
    announcePolyline();
}

}  // namespace orv::focus_dialog
