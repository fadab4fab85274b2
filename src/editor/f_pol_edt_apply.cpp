// Applying the table to the drawing, the vertex and polyline arrows, the zoom request and the three lower
// buttons.
#include <cstdint>
#include <functional>
#include <tuple>
#include <vector>

#include "automation/array_lock.h"
#include "automation/number_reading.h"
#include "automation/variant_bool.h"
#include "dialog/rollback.h"
#include "editor/array_elements.h"
#include "editor/f_pol_edt.h"
#include "ui/event_boundary.h"

namespace orv::editor {

namespace {

using automation::decimalText;
using automation::Text;
using automation::Value;

// A number as the capture's error box writes it: a blank where a minus sign would stand.
Text signedNumber(int32_t number) {
    Text text = decimalText(number);
    if (number >= 0) text.insert(text.begin(), u' ');
    return text;
}

}  // namespace

int32_t F_Pol_Edt::VerticesDeLaLista() const {
    return VertP.dimensioned() && VertP.ubound() > 0 ? VertP.ubound() : 0;
}

bool F_Pol_Edt::AplicaTabla() {
    // An edit still open in the grid is committed (or refused) first, so that the apply reads it.
    tblPol.finishOpenEdit();
    // The apply yields while it reads the rows and while it writes them, so that the window keeps painting
    // and taking input at any size of table. Meanwhile nothing may change what it reads: the table's rows are
    // locked (what the user does to them waits, in order, until the host has heard the apply), and the
    // buttons that would apply again or show another polyline wait as well.
    const Aplicando aplicando(*this);
    const ui::VertexTable::RowLock bloqueo = tblPol.lockRows();
    // The rows are written back below: they take their copy of the points now, and read it meanwhile.
    FijaFilas();
    const int32_t m = tblPol.Rows() - 1;
    LongArray L(0, m);
    int32_t k = 0;
    // The coordinates of every accepted row are read, and refused if one is not a number, before anything is
    // written: a refused apply leaves the drawing exactly as it was. The lists are sized once for the whole
    // table.
    std::vector<int32_t> filas;
    std::vector<double> coordenadas;
    const size_t filasDeVertice = m > 0 ? static_cast<size_t>(m) : 0;
    filas.reserve(filasDeVertice);
    coordenadas.reserve(3 * filasDeVertice);
    const automation::NumberLocale locale = services_.numberLocale();
    int32_t ultimo = PtoAct;

    // The point numbers the drawing has, asked again only after a yield that ran a handler, as ListaVertices
    // does.
    ui::Toolkit& toolkit = services_.toolkit();
    uint64_t visto = toolkit.handlersStarted();
    auto [primero, final] = PuntosValidos();
    for (int32_t r = 1; r <= m; ++r) {
        toolkit.yieldPerRow();
        if (toolkit.handlersStarted() != visto) {
            visto = toolkit.handlersStarted();
            std::tie(primero, final) = PuntosValidos();
        }
        const int32_t p = NumeroDePunto(r);
        // A row without a point of the drawing leaves 0: no event carries a point the drawing lacks.
        const bool esPunto = p >= primero && p <= final;
        ultimo = esPunto ? p : 0;
        if (!esPunto) continue;
        coordenadas.resize(coordenadas.size() + 3);
        if (!LeeCoordenadas(r, locale, true, &coordenadas[coordenadas.size() - 3])) return false;
        L(++k) = p;
        filas.push_back(r);
    }

    GuardaFilas(filas, L, coordenadas);
    PtoAct = ultimo;

    // Compared with the list itself, not with NumVert: a commit counts only the valid rows into NumVert while
    // VertP keeps one entry per row. A list of the same length stays exactly as it was, unless it holds a
    // number that is no point (the host may have written one into it in an event): no event hands over a
    // point the drawing does not have, so the valid rows replace it.
    // The range of points asked once, as ListaVertices does: EsPunto per element goes to six arrays each
    // time.
    // The list's elements are read through one view of it: each read of an element on its own asks the
    // platform for the array's shape, which at a million elements holds the window up for tens of ms.
    const auto [desde, hasta] = PuntosValidos();
    bool mismaLista = k == VerticesDeLaLista() && (k == 0 || VertP.contains(1));
    const ArrayElements<int32_t> lista(VertP);
    for (int32_t i = 1; mismaLista && i <= k; ++i) mismaLista = lista(i) >= desde && lista(i) <= hasta;
    if (!mismaLista) {
        L.redimPreserve(0, k);
        VertP = std::move(L);
    }
    NumVert = k;
    // The host hears the point of the last row read, the one the apply leaves current.
    FijaFilas();
    events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP, NoPoli,
                          colPol);
    return true;
}

F_Pol_Edt::Aplicando::Aplicando(F_Pol_Edt& editor) : editor_(editor) {
    ++editor.aplicando_;
}

F_Pol_Edt::Aplicando::~Aplicando() {
    if (--editor_.aplicando_ > 0) return;
    // After the table's own waiting input (its lock goes first), each behind the event boundary.
    while (editor_.aplicando_ == 0 && !editor_.esperando_.empty()) {
        const std::function<void()> siguiente = std::move(editor_.esperando_.front());
        editor_.esperando_.pop_front();
        ui::runEventHandler(editor_.services_.toolkit(), siguiente);
    }
}

bool F_Pol_Edt::EsperaAlAplicar(std::function<void()> accion) {
    if (aplicando_ == 0) return false;
    esperando_.push_back(std::move(accion));
    return true;
}

bool F_Pol_Edt::GuardaPunto(int32_t& punto) {
    return AplicaTabla();
}

// Over the vertex list itself: a commit may have lowered NumVert to the count of valid rows.
std::optional<int32_t> F_Pol_Edt::VerticeDelCuadro() const {
    const std::optional<int32_t> v = automation::tryReadWholeNumber(Value(txtVert.text()));
    if (!v || *v < 1 || !VertP.contains(*v)) return std::nullopt;
    return v;
}

void F_Pol_Edt::PideZoom(bool reduce) {
    // 0, an empty box, a number that is no vertex of the polyline, or a vertex without a point of the
    // drawing (a row numbered 0): there is nothing to zoom on.
    const std::optional<int32_t> v = VerticeDelCuadro();
    if (!v || !EsPunto(VertP(*v))) return;
    automation::VariantBool amplia = automation::toVariantBool(!reduce);
    // The element itself goes to the host: the list stays put while the host holds it.
    const automation::ArrayLock lock(VertP.raw());
    events_.ZoomR(amplia, VertP(*v), PolN);
}

void F_Pol_Edt::cmdRedibuja_Click() {
    if (EsperaAlAplicar([this] { cmdRedibuja_Click(); })) return;
    if (!AplicaTabla()) return;
    services_.placementStore().StorePlacement(*form_, kSeccion, kClave);
}

void F_Pol_Edt::cmdAv_Click(int16_t Index) {
    if (EsperaAlAplicar([this, Index] { cmdAv_Click(Index); })) return;
    const std::optional<int32_t> desde = VerticeDelCuadro();
    // A copy of the point number: the apply may replace VertP while GuardaPunto holds its argument.
    int32_t punto = desde ? VertP(*desde) : 0;
    if (!GuardaPunto(punto)) return;

    // Over the list as the apply (or the host's answer to it) left it. From a box that holds no vertex, ">"
    // goes to the first vertex and "<" to the last, as from just outside.
    const int32_t n = VerticesDeLaLista();
    int64_t v = desde ? *desde : (Index == 0 ? int64_t{n} + 1 : 0);
    if (Index == 0) {
        if (--v < 1) v = n;
    } else {
        if (++v > n) v = 1;
    }
    // The apply may have shortened the list below the vertex, or emptied it (vertex 0: none).
    if (v > n) v = n;

    txtVert.setText(decimalText(v));
    // A vertex without a point of the drawing has nothing to focus: 0, which the host does not hear.
    int32_t q = (v >= 1 && VertP.contains(v) && EsPunto(VertP(v))) ? VertP(v) : 0;
    services_.toolkit().yield();
    events_.RetornaPunto(q, PolN);
}

void F_Pol_Edt::cmdAvP_Click(int16_t Index) {
    if (EsperaAlAplicar([this, Index] { cmdAvP_Click(Index); })) return;
    // A number that does not fit 32 bits counts as no number: the arrows start from outside the range.
    const int32_t leido = automation::tryReadWholeNumber(Value(txPolis.text())).value_or(0);
    int32_t punto = leido;
    if (!GuardaPunto(punto)) return;

    const int32_t v = polylineStep_.step(leido, Index, NoPoli, PolN);
    txPolis.setText(decimalText(v));
    services_.toolkit().yield();

    // What is on display, put back whole when the host's answer cannot be shown: the answer is refused
    // before the header, the table or the perimeter change.
    dialog::Rollback mostrada(
        [this, PolN = PolN, VertP = VertP, capP = capP, NoPoli = NoPoli, colPol = colPol]() mutable {
            this->PolN = PolN;
            // While the host holds an element of the list (a zoom) the list cannot be replaced: it kept its
            // bounds, so its elements go back one by one.
            if (const automation::RawArray* lista = this->VertP.raw();
                !lista || automation::arrayResizable(lista))
                this->VertP = std::move(VertP);
            else
                for (int64_t i = VertP.lbound(); i <= VertP.ubound(); ++i) this->VertP(i) = VertP(i);
            this->capP = capP;
            this->NoPoli = NoPoli;
            this->colPol = colPol;
            txPolis.setText(decimalText(PolN));
        });
    const int32_t actual = PolN;
    PolN = v;
    events_.newPolCambia(PolN, VertP, capP, NoPoli, colPol);
    if (!PuedeMostrar(actual, VertP)) return polylineStep_.refuse(Index, v);
    mostrada.keep();
    polylineStep_.forget();
    PreparaPol(PolN, VertP, capP, NoPoli, colPol);
    LlenaTabla();
}

bool F_Pol_Edt::PuedeMostrar(int32_t actual, const LongArray& vertices) {
    if (!vertices.dimensioned() || vertices.ubound() < 2 || !vertices.contains(1)) {
        AvisaPolilineaSinVertices(PolN, actual);
        return false;
    }
    // One view of the list and the range of points asked once: a million vertices are checked without
    // asking the platform per element.
    const auto [desde, hasta] = PuntosValidos();
    const ArrayElements<int32_t> lista(vertices);
    for (int32_t i = 1; i <= vertices.ubound(); ++i) {
        if (lista(i) < desde || lista(i) > hasta) {
            AvisaVerticeSinPunto(actual, i, lista(i));
            return false;
        }
    }
    return true;
}

void F_Pol_Edt::cmdAceptar_Click() {
    // Every kind of failure gets the handler's own box, not only automation errors.
    const std::optional<automation::AutomationError> error = ui::runTrapped(services_.toolkit(), [this] {
        form_->hide();
        services_.toolkit().yield();
        services_.placementStore().StorePlacement(*form_, kSeccion, kClave);
    });
    if (error)
        services_.toolkit().messageBox(
            Text(u"Aceptar - Error nº ") + signedNumber(error->number()) + u":" + error->description(),
            ui::kMbCritical, error->source());
}

void F_Pol_Edt::cmdCancelar_Click() {
    form_->hide();
    events_.Cancela();
}

}  // namespace orv::editor
