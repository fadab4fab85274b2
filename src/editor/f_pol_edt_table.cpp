// The vertex table: filling it from the dialog's arrays, reading rows and the vertex list back, and its two
// events. Every routine touches each row a constant number of times, so a polyline of any length costs time
// in proportion.
#include "automation/number_reading.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

namespace {

using automation::Text;
using automation::Value;

// The Long of a number, halves to even; one that does not fit 32 bits names no point (0).
int32_t longDe(double number) {
    if (!(number >= -2147483648.5 && number < 2147483647.5)) return 0;
    return automation::roundToLong(number);
}

}  // namespace

int32_t F_Pol_Edt::NumeroDePunto(int32_t row) const {
    return automation::tryReadWholeNumber(tblPol.Cell(row, 1)).value_or(0);
}

Text F_Pol_Edt::TextoCelda(int32_t row, int32_t column) const {
    return automation::valueText(tblPol.Cell(row, column), services_.numberLocale());
}

void F_Pol_Edt::LlenaTabla() {
    tblPol.setRows(NumVert + 1);
    tblPol.setCell(0, 0, Text(u"Vertice"));
    for (int32_t i = 1; i <= NumVert; ++i) LlenaFila(i, VertP(i));
    MuestraPerimetro();
}

void F_Pol_Edt::LlenaFila(int32_t& row, int32_t& p) {
    // Numbers go in as numbers: the table shows them formatted and gives back the very values.
    if (p >= 1) {
        tblPol.setCell(row, 0, Value(row));
        tblPol.setCell(row, 1, Value(p));
        tblPol.setCell(row, 2, Nombre.get(p));
        tblPol.setCell(row, 3, Value(X(p)));
        tblPol.setCell(row, 4, Value(Y(p)));
        tblPol.setCell(row, 5, Value(Z(p)));
        tblPol.setCell(row, 6, Código.get(p));
    } else {
        tblPol.setCell(row, 0, Value(row));
    }
    tblPol.setCell(row, 7, Capas.get(CapaPuntos(p)));
}

bool F_Pol_Edt::LeeFila(int32_t& row) {
    // Only a row naming a point 1..nPtos is written back: there is no point entry to take the others.
    const int32_t p = NumeroDePunto(row);
    if (!EsPunto(p)) return true;

    // All three coordinates are read before anything is written, so that a refused row leaves the point as it
    // was.
    double coordenadas[3];
    if (!LeeCoordenadas(row, services_.numberLocale(), false, coordenadas)) return false;
    GuardaFila(row, p, coordenadas);
    return true;
}

bool F_Pol_Edt::LeeCoordenadas(int32_t row, const automation::NumberLocale& locale, bool aplicando,
                               double* xyz) {
    for (int32_t column = 3; column <= 5; ++column) {
        const std::optional<double> numero =
            automation::tryReadLocaleNumber(tblPol.Cell(row, column), locale);
        if (!numero) {
            AvisaCeldaNoNumerica(row, column, aplicando);
            return false;
        }
        xyz[column - 3] = *numero;
    }
    return true;
}

void F_Pol_Edt::GuardaFila(int32_t row, int32_t p, const double* xyz) {
    Nombre.set(p, TextoCelda(row, 2));
    X(p) = xyz[0];
    Y(p) = xyz[1];
    Z(p) = xyz[2];
    Código.set(p, TextoCelda(row, 6));
    // The row's layer text renames the point's layer, for every point on it.
    Capas.set(CapaPuntos(p), TextoCelda(row, 7));
}

void F_Pol_Edt::ListaVertices(LongArray& list) {
    const int32_t n = tblPol.Rows() - 1;
    list.redim(0, n);
    int32_t count = 0;
    for (int32_t i = 1; i <= n; ++i) {
        services_.toolkit().yield();
        const int32_t p = NumeroDePunto(i);
        if (EsPunto(p)) list(++count) = p;
    }
    NumVert = count;
    list.redimPreserve(0, count);
}

void F_Pol_Edt::SincronizaVertP() {
    NumVert = tblPol.Rows() - 1;
    VertP.redim(0, NumVert);
    for (int32_t i = 1; i <= NumVert; ++i) VertP(i) = NumeroDePunto(i);
}

void F_Pol_Edt::tblPol_RowEnter() {
    const int32_t r = tblPol.CurrentRow();
    if (NumVert != tblPol.Rows() - 1) {
        ListaVertices(VertTabla);
        events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertTabla, capP,
                              NoPoli, colPol);
        SincronizaVertP();
    }
    // The header row, or a row the host's list no longer reaches, has no point to bring into view.
    PtoAct = VertP.contains(r) ? VertP(r) : 0;
    events_.RetornaPunto(PtoAct, PolN);
}

void F_Pol_Edt::tblPol_CellCommit() {
    int32_t r = tblPol.CurrentRow();
    const automation::NumberLocale locale = services_.numberLocale();
    const Value celdaPunto = tblPol.Cell(r, 1);
    if (automation::valueText(celdaPunto, locale).empty()) return;

    // Rows were added, or the host left a list that no longer reaches this row: one entry per row again.
    if (NumVert < tblPol.Rows() - 1 || !VertP.contains(r)) SincronizaVertP();

    // A point number the locale reading does not take is read as the other columns' readers read it
    // (leniently).
    const double numero =
        automation::tryReadLocaleNumber(celdaPunto, locale).value_or(static_cast<double>(NumeroDePunto(r)));
    if (numero != VertP(r)) {
        VertP(r) = longDe(numero);
        PtoAct = VertP(r);
        // A number that names no point leaves the row as the user typed it: there is no point to show.
        if (EsPunto(PtoAct)) LlenaFila(r, PtoAct);
    }
    PtoAct = VertP(r);
    if (!LeeFila(r)) return;
    ListaVertices(VertTabla);
    events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertTabla, capP, NoPoli,
                          colPol);
    events_.RetornaPunto(PtoAct, PolN);
}

}  // namespace orv::editor
