#include "support/test_dialog.h"

namespace orv::test {

TestDialog::TestDialog(dialog::DialogEvents& events, DialogScript script, std::shared_ptr<int> alive)
    : events_(events), script_(std::move(script)), alive_(std::move(alive)) {
    ++*alive_;
}

TestDialog::~TestDialog() {
    --*alive_;
}

void TestDialog::CargaBarra1(automation::ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos,
                             automation::DoubleArray& X, automation::DoubleArray& Y,
                             automation::DoubleArray& Z, automation::TextArray& Nombre,
                             automation::TextArray& Código, automation::IntegerArray& CapaPuntos,
                             int32_t& noCapas, automation::TextArray& Capas, int32_t& PolN,
                             automation::LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    received = {&frm,        frm,      PtoEnfoca, &nPtos, &X,     &Y,    &Z,      &Nombre, &Código,
                &CapaPuntos, &noCapas, &Capas,    &PolN,  &VertP, &capP, &NoPoli, &colPol};
    this->nPtos = nPtos;
    this->X = X;
    this->Y = Y;
    this->Z = Z;
    this->Nombre = Nombre;
    this->Código = Código;
    this->CapaPuntos = CapaPuntos;
    this->noCapas = noCapas;
    this->Capas = Capas;
    this->PolN = PolN;
    this->VertP = VertP;
    this->capP = capP;
    this->NoPoli = NoPoli;
    this->colPol = colPol;
    if (script_) script_(*this);
}

void TestDialog::raiseCancela() {
    events_.Cancela();
}

void TestDialog::raiseRetornaPunto(int32_t name) {
    PtoAct = name;
    events_.RetornaPunto(PtoAct, PolN);
}

void TestDialog::raiseRetornaOpcion(int32_t name) {
    PtoAct = name;
    events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP, NoPoli,
                          colPol);
}

void TestDialog::raiseZoomR(bool amplia, int32_t punto) {
    this->amplia = automation::toVariantBool(amplia);
    this->punto = punto;
    events_.ZoomR(this->amplia, this->punto, PolN);
}

void TestDialog::raiseNewPolCambia() {
    events_.newPolCambia(PolN, VertP, capP, NoPoli, colPol);
}

}  // namespace orv::test
