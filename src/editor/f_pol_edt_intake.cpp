// The editor's entry, its polyline set-up and its load and unload steps.
#include "automation/standard_errors.h"
#include "automation/text.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

namespace {

using automation::decimalText;
using automation::Text;

// The layer list is counted with a 16-bit counter.
constexpr int32_t kMaxCapas = 32767;

}  // namespace

void F_Pol_Edt::CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                            DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                            int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP,
                            int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    this->noCapas = noCapas;
    this->PolN = PolN;
    this->colPol = colPol;
    this->nPtos = nPtos;
    this->capP = capP;

    this->X = X;
    this->Y = Y;
    this->Z = Z;
    this->Nombre = Nombre;
    this->Código = Código;
    this->CapaPuntos = CapaPuntos;
    this->Capas = Capas;

    PreparaPol(this->PolN, VertP, capP, NoPoli, this->colPol);
    form_->showModal();
}

void F_Pol_Edt::PreparaPol(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    // A list that does not reach vertex 2 is outside the hand-over's contract: the set-up refuses it before
    // it changes anything, with the error a missing vertex gives (9). At intake PasaDatos reports it; the
    // polyline arrows check the host's answer before they get here.
    const int32_t vertices = VertP.ubound();
    if (vertices < 2 || !VertP.contains(1))
        automation::raiseStandardError(automation::error_number::kSubscriptOutOfRange);

    NumVert = vertices;
    VertAct = 1;
    // A first vertex without a point of the drawing shows as a row numbered 0 does: the host is asked to
    // focus nothing (point 0 does not reach it) rather than a point it does not have.
    PtoAct = EsPunto(VertP(1)) ? VertP(1) : 0;

    this->VertP = VertP;
    this->PolN = PolN;
    this->capP = capP;
    this->NoPoli = NoPoli;
    this->colPol = colPol;

    form_->ensureLoaded();

    txtVert.setText(decimalText(VertAct));
    cmdColor.setBackColor(this->colPol);
    labPolis.setCaption(Text(u" /") + decimalText(this->NoPoli));
    labPol.setCaption(Text(u" /") + decimalText(NumVert));
    txPolis.setText(decimalText(this->PolN));

    cmbCapaPol.clear();
    if (noCapas > kMaxCapas) automation::raiseStandardError(automation::error_number::kOverflow);
    for (int32_t capa = 1; capa <= noCapas; ++capa) cmbCapaPol.addItem(Capas.get(capa));
    // A layer the list does not have shows no selection, as layer 0 does, instead of stopping the set-up half
    // way.
    const bool enLaLista = this->capP >= 1 && this->capP <= cmbCapaPol.listCount();
    cmbCapaPol.setListIndex(enLaLista ? this->capP - 1 : -1);

    events_.newPolCambia(this->PolN, this->VertP, this->capP, this->NoPoli, this->colPol);
    events_.RetornaPunto(PtoAct, this->PolN);
}

void F_Pol_Edt::Form_Load() {
    tblPol.setCols(8);
    tblPol.setRows(2);
    const Text clave = services_.toolkit().applicationTitle() + u"Editar Pol";
    tblPol.SetFileContext(clave, u"Editor de polilíneas", u"*.pts");

    tblPol.SetColumn(0, false, false, 0, 0, 2, 0, 5, u"Vertice");
    tblPol.SetColumn(1, false, false, 4, 0, 2, 0, 7, u" Punto");
    tblPol.SetColumn(2, false, false, 4, 0, 2, 0, 7, u" Nombre ");
    tblPol.SetColumn(3, false, false, 2, 3, 2, 0, 10, u"    X   ");
    tblPol.SetColumn(4, false, false, 2, 3, 2, 0, 10, u"    Y   ");
    tblPol.SetColumn(5, false, false, 2, 3, 2, 0, 10, u"    Z   ");
    tblPol.SetColumn(6, false, false, 4, 0, 0, 0, 10, u"Código");
    tblPol.SetColumn(7, false, false, 4, 0, 0, 1, 10, u"Capa");
    tblPol.ApplyColumns();
    tblPol.Refresh();

    form_->setCaption(u"Editor de polilíneas:");
    tblPol.SetMode(false);
    tblPol.Prepare();
    tblPol.SetFilePattern(clave, u"*.pts");

    LlenaTabla();
    services_.placementStore().RestorePlacementAndSize(*form_, kSeccion, kClave, 200, 500, 8700, 5700);
}

void F_Pol_Edt::Form_Unload() {
    events_.Cancela();
    services_.placementStore().StorePlacement(*form_, kSeccion, kClave);
}

}  // namespace orv::editor
