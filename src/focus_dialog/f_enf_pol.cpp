// Intake, polyline set-up, load and unload of the focus dialog, and the refusals shared by its handlers.
#include "focus_dialog/f_enf_pol.h"

#include "automation/number_reading.h"
#include "automation/standard_errors.h"
#include "automation/text.h"
#include "ui/event_boundary.h"

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
    const bool shown = PreparaPol(this->PolN, VertP, capP, NoPoli, Polcol);
    intake_ = false;

    if (!shown) return;
    // The dialog opens with the focus on the first control of its keyboard order, "Cancelar".
    form.setFocus(form.tabOrder().front());
    form.showModal();
}

bool F_Enf_Pol::PreparaPol(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    if (!showPolyline(PolN, VertP, capP, NoPoli, colPol)) return false;
    announcePolyline();
    return true;
}

bool F_Enf_Pol::showPolyline(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli,
                             int32_t& colPol) {
    // Everything that can refuse or fail comes first; the dialog's variables and controls change only after.
    const std::optional<PolylineTexts> texts = polylineTexts(PolN, VertP);
    if (!texts) return false;

    NumVert = VertP.ubound();
    PtoAct = VertP(1);
    unstorablePointWarned_ = 0;
    this->NoPoli = NoPoli;
    Polcol = colPol;
    this->PolN = PolN;
    this->capP = capP;
    this->VertP = VertP;
    shownVertex_ = 1;
    vertexStep_.forget();
    polylineStep_.forget();

    Cargando = true;
    form.ensureLoaded();
    txtVert.setText(u"1");
    txtN.setText(decimalText(PtoAct));
    fraPuntos.setCaption(decimalText(this->NoPoli) + u" Polilíneas ");
    fraPoli.setCaption(u"Polilínea " + decimalText(this->PolN));
    fraVert.setCaption(u"Vértice " + decimalText(NumVert));
    showPointFields(texts->point);
    labPolis.setCaption(u" /" + decimalText(this->NoPoli));
    labPol.setCaption(u" /" + decimalText(NumVert));
    cmdColor.setBackColor(Polcol);
    txPolis.setText(decimalText(this->PolN));

    cmbCapa.clear();
    cmbCapaPol.clear();
    for (const Text& name : texts->layers) {
        cmbCapa.addItem(name);
        cmbCapaPol.addItem(name);
    }
    selectPointLayer();
    selectPolylineLayer();
    Cargando = false;
    return true;
}

// The host learns which polyline is on display and centres its view on the first vertex.
void F_Enf_Pol::announcePolyline() {
    events_.newPolCambia(PolN, VertP, capP, NoPoli, Polcol);
    events_.RetornaPunto(PtoAct, PolN);
}

// At intake the failures are PasaDatos's to report: a list never dimensioned, a first vertex without its
// point (error 9), too many layers (error 6); only a short list is refused here, and the dialog then ends
// as "Cancelar" would. Left to us, and our choice: a polyline the host hands over later that cannot be shown
// (fewer than 2 vertices, a first vertex without its point) is refused with one message, and the dialog
// stays whole on the one it shows; one degenerate polyline is no reason to end it.
std::optional<F_Enf_Pol::PolylineTexts> F_Enf_Pol::polylineTexts(int32_t PolN, const LongArray& VertP) {
    if ((!intake_ && !VertP.dimensioned()) || VertP.ubound() < 2) {
        refuseShortPolyline(PolN);
        return std::nullopt;
    }
    if (!(VertP.contains(1) && isPoint(VertP(1)))) {
        if (intake_) automation::raiseStandardError(automation::error_number::kSubscriptOutOfRange);
        refuseVertex(PolN, 1, VertP, VertP.ubound());
        return std::nullopt;
    }
    if (noCapas > kMaxLayers) automation::raiseStandardError(automation::error_number::kOverflow);
    PolylineTexts texts{pointTexts(VertP(1)), {}};
    texts.layers.reserve(noCapas > 0 ? static_cast<size_t>(noCapas) : 0);
    for (int32_t layer = 1; layer <= noCapas; ++layer) texts.layers.push_back(Capas.get(layer));
    return texts;
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

// The host hears of every close, whatever the placement store does: a store that fails gets its own box.
void F_Enf_Pol::Form_Unload() {
    ui::runEventHandler(services_.toolkit(), [this] {
        services_.placementStore().StorePlacement(form, kPlacementSection, kPlacementKey);
    });
    events_.Cancela();
}

// Read (and converted) whole before any field shows it, so that a failing converter leaves the fields on one
// point.
F_Enf_Pol::PointTexts F_Enf_Pol::pointTexts(int32_t point) {
    return PointTexts{Nombre.get(point), numberText(X(point)), numberText(Y(point)), numberText(Z(point)),
                      Código.get(point)};
}

// The layer list is selected apart, once the lists are filled.
void F_Enf_Pol::showPointFields(const PointTexts& texts) {
    txtNom.setText(texts.nombre);
    txtX.setText(texts.x);
    txtY.setText(texts.y);
    txtZ.setText(texts.z);
    txtcod.setText(texts.codigo);
}

// The vertex field set by the dialog without its change handling: back to the vertex on display.
void F_Enf_Pol::showVertexField(int32_t vertex) {
    const bool loading = Cargando;
    Cargando = true;
    txtVert.setText(decimalText(vertex));
    Cargando = loading;
}

void F_Enf_Pol::selectPointLayer() {
    const int32_t layer = CapaPuntos(PtoAct);
    pointLayerOutsideList_ = layer < 0 || layer > cmbCapa.listCount();
    cmbCapa.setListIndex(pointLayerOutsideList_ ? -1 : layer - 1);
    if (pointLayerOutsideList_ && warnedPoints_.insert(PtoAct).second)
        warn(u"La capa " + decimalText(layer) + u" del punto " + decimalText(PtoAct) +
             u" no está en la lista de capas; el punto la conserva mientras no se le elija otra.");
}

void F_Enf_Pol::selectPolylineLayer() {
    polylineLayerOutsideList_ = capP < 0 || capP > cmbCapaPol.listCount();
    cmbCapaPol.setListIndex(polylineLayerOutsideList_ ? -1 : capP - 1);
    if (polylineLayerOutsideList_ && warnedPolylines_.insert(PolN).second)
        warn(u"La capa " + decimalText(capP) + u" de la polilínea " + decimalText(PolN) +
             u" no está en la lista de capas; la polilínea la conserva mientras no se le elija otra.");
}

// Point numbers start at 1: an element 0 the arrays may have is no point of the drawing.
bool F_Enf_Pol::isPoint(int64_t point) const {
    return point >= 1 && X.contains(point) && Y.contains(point) && Z.contains(point) &&
           Nombre.contains(point) && Código.contains(point) && CapaPuntos.contains(point);
}

// A vertex can be shown when it lies within the count, the list holds it and its point is in the arrays.
bool F_Enf_Pol::canShowVertex(int64_t vertex) const {
    return vertex <= NumVert && VertP.contains(vertex) && isPoint(VertP(vertex));
}

void F_Enf_Pol::refuseVertex(int64_t vertex) {
    refuseVertex(PolN, vertex, VertP, NumVert);
}

void F_Enf_Pol::refuseVertex(int32_t polyline, int64_t vertex, const LongArray& vertices, int32_t count) {
    if (vertex > count || !vertices.contains(vertex))
        warn(u"La polilínea " + decimalText(polyline) + u" no tiene vértice " + decimalText(vertex) + u".");
    else
        warn(u"El vértice " + decimalText(vertex) + u" de la polilínea " + decimalText(polyline) +
             u" remite al punto " + decimalText(vertices(vertex)) + u", que no está en el dibujo.");
}

void F_Enf_Pol::refuseShortPolyline(int32_t polyline) {
    warn(u"La polilínea " + decimalText(polyline) + u" tiene menos de 2 vértices y no se puede mostrar.");
    if (!intake_) return;
    // Left to us: at intake there is no polyline to stay on, so the dialog ends before it is shown, and the
    // host hears it as from "Cancelar".
    events_.Cancela();
}

void F_Enf_Pol::captureFailed(const automation::AutomationError& error) {
    // The error number with its sign position: a blank where a minus would stand.
    Text number = decimalText(error.number());
    if (error.number() >= 0) number.insert(number.begin(), u' ');
    services_.toolkit().messageBox(u"Aceptar - Error nº " + number + u":" + error.description(),
                                   ui::kMbOkOnly | ui::kMbCritical, error.source());
}

void F_Enf_Pol::warn(const Text& text) {
    ui::Toolkit& toolkit = services_.toolkit();
    toolkit.messageBox(text, ui::kMbOkOnly | ui::kMbCritical, toolkit.applicationTitle());
}

// A field whose number does not fit 32 bits goes back to what is on display after its message, so that the
// next click does not meet it again.
std::optional<int32_t> F_Enf_Pol::vertexNumber() {
    const std::optional<int32_t> number = numberIn(txtVert, u"de vértice");
    if (!number) showVertexField(shownVertex_);
    return number;
}
std::optional<int32_t> F_Enf_Pol::polylineNumber() {
    const std::optional<int32_t> number = numberIn(txPolis, u"de polilínea");
    if (!number) txPolis.setText(decimalText(PolN));
    return number;
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
