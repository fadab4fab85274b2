// Intake, polyline set-up, load and unload of the focus dialog, and the refusals shared by its handlers.
#include "focus_dialog/f_enf_pol.h"

#include "automation/number_reading.h"
#include "automation/text.h"

namespace orv::focus_dialog {

using automation::decimalText;

namespace {
// The layer lists are counted with a 16-bit counter.
constexpr int32_t kMaxLayers = 32767;
}  // namespace

F_Enf_Pol::F_Enf_Pol(dialog::DialogServices& services, dialog::DialogEvents& events)
    : FocusDialogForm(services.toolkit()), services_(services), events_(events) {
    wireEvents();
}

void F_Enf_Pol::wireEvents() {
    form.onLoad = [this] { Form_Load(); };
    form.onResize = [this] { Form_Resize(); };
    form.onUnload = [this] { Form_Unload(); };
    txtVert.onChange = [this] { txtVert_Change(); };
    for (int16_t index = 0; index < 2; ++index) {
        cmdAv[index]->onClick = [this, index] { cmdAv_Click(index); };
        cmdAvP[index]->onClick = [this, index] { cmdAvP_Click(index); };
        cmdZm[index]->onClick = [this, index] { cmdZm_Click(index); };
    }
    cmdAceptar.onClick = [this] { cmdAceptar_Click(); };
    cmdRedibuja.onClick = [this] { cmdRedibuja_Click(); };
    cmdCancelar.onClick = [this] { cmdCancelar_Click(); };
}

void F_Enf_Pol::CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                            DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                            int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP,
                            int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    this->noCapas = noCapas;
    this->PolN = PolN;
    Polcol = colPol;
    this->X = X;
    this->Y = Y;
    this->Z = Z;
    this->Nombre = Nombre;
    this->Código = Código;
    this->CapaPuntos = CapaPuntos;
    this->Capas = Capas;

    intake_ = true;
    PreparaPol(this->PolN, VertP, capP, NoPoli, Polcol);
    intake_ = false;

    if (ended_) return;
    // The dialog opens with the focus on the first control of its keyboard order, "Cancelar".
    form.setFocus(form.tabOrder().front());
    form.showModal();
}

void F_Enf_Pol::PreparaPol(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    // At intake a list that was never dimensioned fails as the array does (error 9, which PasaDatos reports);
    // from the host's polyline request it is a list without vertices like any other short one.
    if (!intake_ && !VertP.dimensioned()) return refuseShortPolyline();
    const int32_t upper = VertP.ubound();
    // Fewer than two vertices is no polyline to walk: say which one, then end the dialog as "Cancelar" would.
    if (upper < 2) return refuseShortPolyline();
    NumVert = upper;
    // At intake a first vertex outside the arrays fails below with error 9 for PasaDatos to report. Later
    // (the arguments are then this dialog's own variables) the polyline is refused before anything else
    // changes, so the fields keep showing the point they belong to and the polyline arrows still lead on.
    if (!intake_ && !canShowVertex(1)) return refuseVertex(1);

    PtoAct = VertP(1);
    this->NoPoli = NoPoli;
    Polcol = colPol;
    this->PolN = PolN;
    this->capP = capP;
    this->VertP = VertP;

    Cargando = true;
    form.ensureLoaded();
    txtVert.setText(u"1");
    txtN.setText(decimalText(PtoAct));
    fraPuntos.setCaption(decimalText(this->NoPoli) + u" Polilíneas ");
    fraPoli.setCaption(u"Polilínea " + decimalText(this->PolN));
    fraVert.setCaption(u"Vértice " + decimalText(NumVert));
    showPointFields();
    labPolis.setCaption(u" /" + decimalText(this->NoPoli));
    labPol.setCaption(u" /" + decimalText(NumVert));
    cmdColor.setBackColor(Polcol);
    txPolis.setText(decimalText(this->PolN));

    cmbCapa.clear();
    cmbCapaPol.clear();
    if (noCapas > kMaxLayers) automation::raiseStandardError(automation::error_number::kOverflow);
    for (int32_t layer = 1; layer <= noCapas; ++layer) {
        const Text name = Capas.get(layer);
        cmbCapa.addItem(name);
        cmbCapaPol.addItem(name);
    }
    selectPointLayer();
    selectPolylineLayer();
    Cargando = false;

    events_.newPolCambia(this->PolN, this->VertP, this->capP, this->NoPoli, Polcol);
    events_.RetornaPunto(PtoAct, this->PolN);
}

void F_Enf_Pol::Form_Load() {
    // The window as designed: its client area, now that the toolkit has said how thick the frame is.
    form.setWidth(kDesignClientWidth + form.frameHorizontal());
    services_.placementStore().RestorePlacement(form, kPlacementSection, kPlacementKey);
    form.setHeight(5355);
    cmdAceptar.setTop(4410);
    cmdCancelar.setTop(4410);
    cmdRedibuja.setTop(4410);
}

void F_Enf_Pol::Form_Resize() {}

void F_Enf_Pol::Form_Unload() {
    services_.placementStore().StorePlacement(form, kPlacementSection, kPlacementKey);
    events_.Cancela();
}

// The point fields of point PtoAct; the layer list is selected apart, once the lists are filled.
void F_Enf_Pol::showPointFields() {
    txtNom.setText(Nombre.get(PtoAct));
    txtX.setText(numberText(X(PtoAct)));
    txtY.setText(numberText(Y(PtoAct)));
    txtZ.setText(numberText(Z(PtoAct)));
    txtcod.setText(Código.get(PtoAct));
}

void F_Enf_Pol::selectPointLayer() {
    const int32_t layer = CapaPuntos(PtoAct);
    pointLayerOutsideList_ = layer < 0 || layer > cmbCapa.listCount();
    cmbCapa.setListIndex(pointLayerOutsideList_ ? -1 : layer - 1);
    if (pointLayerOutsideList_)
        warn(u"La capa " + decimalText(layer) + u" del punto " + decimalText(PtoAct) +
             u" no está en la lista de capas; el punto la conserva mientras no se le elija otra.");
}

void F_Enf_Pol::selectPolylineLayer() {
    polylineLayerOutsideList_ = capP < 0 || capP > cmbCapaPol.listCount();
    cmbCapaPol.setListIndex(polylineLayerOutsideList_ ? -1 : capP - 1);
    if (polylineLayerOutsideList_)
        warn(u"La capa " + decimalText(capP) + u" de la polilínea " + decimalText(PolN) +
             u" no está en la lista de capas; la polilínea la conserva mientras no se le elija otra.");
}

bool F_Enf_Pol::isPoint(int64_t point) const {
    return X.contains(point) && Y.contains(point) && Z.contains(point) && Nombre.contains(point) &&
           Código.contains(point) && CapaPuntos.contains(point);
}

// A vertex can be shown when it lies within the count, the list holds it and its point is in the arrays.
bool F_Enf_Pol::canShowVertex(int64_t vertex) const {
    return vertex <= NumVert && VertP.contains(vertex) && isPoint(VertP(vertex));
}

void F_Enf_Pol::refuseVertex(int64_t vertex) {
    if (vertex > NumVert || !VertP.contains(vertex))
        warn(u"La polilínea " + decimalText(PolN) + u" no tiene vértice " + decimalText(vertex) + u".");
    else
        warn(u"El vértice " + decimalText(vertex) + u" de la polilínea " + decimalText(PolN) +
             u" remite al punto " + decimalText(VertP(vertex)) + u", que no está en el dibujo.");
}

void F_Enf_Pol::refuseShortPolyline() {
    warn(u"La polilínea " + decimalText(PolN) + u" tiene menos de 2 vértices y no se puede mostrar.");
    ended_ = true;
    // A loaded dialog ends through its unload, which stores the placement and raises Cancela; at intake
    // nothing has been loaded yet, so the host is told directly.
    if (form.loaded())
        form.unload();
    else
        events_.Cancela();
}

void F_Enf_Pol::warn(const Text& text) {
    ui::Toolkit& toolkit = services_.toolkit();
    toolkit.messageBox(text, ui::kMbOkOnly | ui::kMbCritical, toolkit.applicationTitle());
}

std::optional<int32_t> F_Enf_Pol::vertexNumber() {
    return numberIn(txtVert, u"de vértice");
}
std::optional<int32_t> F_Enf_Pol::polylineNumber() {
    return numberIn(txPolis, u"de polilínea");
}

// The lenient whole-number reading of a field. A number beyond 32 bits is refused with a message naming the
// field, and the handler that asked stops before it has changed anything.
std::optional<int32_t> F_Enf_Pol::numberIn(const ui::TextBox& field, const Text& what) {
    const std::optional<int32_t> number = automation::tryReadWholeNumber(automation::Value(field.text()));
    if (!number) warn(u"El número " + what + u" «" + field.text() + u"» no cabe en un entero de 32 bits.");
    return number;
}

Text F_Enf_Pol::numberText(double value) {
    return services_.converter().NumberToText(value, 3, 0);
}

}  // namespace orv::focus_dialog
