// The vertex table: filling it from the dialog's arrays, reading rows and the vertex list back, and its two
// events. Every routine touches each row a constant number of times, so a polyline of any length costs time
// in proportion.
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "automation/number_reading.h"
#include "automation/platform_array.h"
#include "editor/array_elements.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

namespace {

using automation::Text;
using automation::Value;

// The Long of a number, halves to even; nothing for one that does not fit 32 bits.
std::optional<int32_t> longDe(double number) {
    if (!(number >= -2147483648.5 && number < 2147483647.5)) return std::nullopt;
    return automation::roundToLong(number);
}

// Whether a text begins (past blanks) as a number does: a digit, a sign, a decimal point, or &H / &O.
bool empiezaPorNumero(const Text& text) {
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
        return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'&';
    }
    return false;
}

// The point arrays a row is filled from, read once for a whole fill.
struct Puntos {
    ArrayElements<double> X, Y, Z;
    ArrayElements<automation::Text> Nombre, Código, Capas;
    ArrayElements<int16_t> CapaPuntos;
};

// One row from point p, as LlenaFila states it; a subscript outside its array is error 9, with the cells
// before it already written.
void escribeFila(ui::VertexTable& tabla, int32_t row, int32_t p, const Puntos& puntos) {
    if (p >= 1) {
        tabla.setCell(row, 0, Value(row));
        tabla.setCell(row, 1, Value(p));
        tabla.setCellText(row, 2, puntos.Nombre.text(p));
        tabla.setCell(row, 3, Value(puntos.X(p)));
        tabla.setCell(row, 4, Value(puntos.Y(p)));
        tabla.setCell(row, 5, Value(puntos.Z(p)));
        tabla.setCellText(row, 6, puntos.Código.text(p));
    } else {
        tabla.setCell(row, 0, Value(row));
    }
    // A layer without a name in the list shows none: a fill never stops half way.
    const bool conCapa = puntos.CapaPuntos.contains(p) && puntos.Capas.contains(puntos.CapaPuntos(p));
    tabla.setCellText(row, 7, conCapa ? puntos.Capas.text(puntos.CapaPuntos(p)) : automation::TextView());
}

Puntos puntosDe(const DoubleArray& X, const DoubleArray& Y, const DoubleArray& Z, const TextArray& Nombre,
                const TextArray& Código, const TextArray& Capas, const IntegerArray& CapaPuntos) {
    return Puntos{ArrayElements<double>(X),          ArrayElements<double>(Y),    ArrayElements<double>(Z),
                  ArrayElements<Text>(Nombre),       ArrayElements<Text>(Código), ArrayElements<Text>(Capas),
                  ArrayElements<int16_t>(CapaPuntos)};
}

// A text into an element, only when it differs: an unchanged row costs no new string.
void escribeTexto(const ArrayElements<Text>& array, int64_t index, automation::TextView text) {
    automation::RawString& slot = array(index);
    if (automation::stringView(slot) == text) return;
    automation::RawString fresh = automation::stringAllocate(text);
    automation::stringFree(std::exchange(slot, fresh));
}

// The text of a cell into an element; a text cell is read in place, without a copy per row.
void escribeCelda(const ArrayElements<Text>& array, int64_t index, const ui::VertexTable& tabla,
                  automation::NumberLocale locale, int32_t row, int32_t column) {
    if (const std::optional<automation::TextView> text = tabla.textView(row, column))
        escribeTexto(array, index, *text);
    else
        escribeTexto(array, index, automation::valueText(tabla.Cell(row, column), locale));
}

// One row's cells into point p (GuardaFila).
void guardaFila(const ui::VertexTable& tabla, automation::NumberLocale locale, int32_t row, int32_t p,
                const double* xyz, const Puntos& puntos) {
    escribeCelda(puntos.Nombre, p, tabla, locale, row, 2);
    puntos.X(p) = xyz[0];
    puntos.Y(p) = xyz[1];
    puntos.Z(p) = xyz[2];
    escribeCelda(puntos.Código, p, tabla, locale, row, 6);
    // The row's layer text renames the point's layer, for every point on it (a layer the list has no name
    // for has nothing to rename).
    const int16_t capa = puntos.CapaPuntos(p);
    if (puntos.Capas.contains(capa)) escribeCelda(puntos.Capas, capa, tabla, locale, row, 7);
}

}  // namespace

bool F_Pol_Edt::EsPunto(int64_t p) const {
    const auto [primero, ultimo] = PuntosValidos();
    return p >= primero && p <= ultimo;
}

std::pair<int64_t, int64_t> F_Pol_Edt::PuntosValidos() const {
    // The range every point array covers, from 1, within nPtos.
    const auto [primero, ultimo] = filasDePuntos_.covered();
    return {primero, std::min<int64_t>(ultimo, nPtos)};
}

Text F_Pol_Edt::NombreDeCapa(int32_t p) const {
    if (!CapaPuntos.contains(p) || !Capas.contains(CapaPuntos(p))) return Text();
    return Capas.get(CapaPuntos(p));
}

int32_t F_Pol_Edt::NumeroDePunto(int32_t row) const {
    return tblPol.wholeNumber(row, 1).value_or(0);
}

std::optional<int32_t> F_Pol_Edt::NumeroTecleado(const Value& cell) const {
    if (const std::optional<double> numero = automation::tryReadLocaleNumber(cell, services_.numberLocale()))
        return longDe(*numero);
    if (const Text* texto = std::get_if<Text>(&cell); texto && !empiezaPorNumero(*texto)) return std::nullopt;
    return automation::tryReadWholeNumber(cell);
}

Text F_Pol_Edt::TextoCelda(int32_t row, int32_t column) const {
    return automation::valueText(tblPol.Cell(row, column), services_.numberLocale());
}

void F_Pol_Edt::LlenaTabla() {
    tblPol.setRows(NumVert + 1);
    tblPol.setCell(0, 0, Text(u"Vertice"));
    // Nothing here raises an event or yields: the arrays stay as they are for the whole fill.
    const Puntos puntos = puntosDe(X, Y, Z, Nombre, Código, Capas, CapaPuntos);
    const ArrayElements<int32_t> vertices(VertP);
    // A row for a point the arrays have stands for its vertex (PointRows): the fill writes its point number
    // only.
    // A row numbered below 1 is written as LlenaFila states it, keeping its other cells; a list with a
    // number beyond the arrays is filled cell by cell, so that its error 9 comes where a fill by cells
    // raises it. Rows that will not stand for a vertex of this fill first keep what they show.
    const auto [primero, ultimo] = filasDePuntos_.covered();
    // Vertices 1..NumVert, which PreparaPol found in the list, side by side.
    const int32_t* lista = NumVert > 0 ? &vertices(1) : nullptr;
    auto punto = [lista](int32_t i) { return lista[i - 1]; };
    bool porCeldas = false, sinPunto = false;
    for (int32_t i = 1; i <= NumVert && !porCeldas; ++i) {
        sinPunto = sinPunto || punto(i) < 1;
        porCeldas = punto(i) >= 1 && (punto(i) < primero || punto(i) > ultimo);
    }
    for (int32_t i = 1; (porCeldas || sinPunto) && i <= NumVert; ++i)
        if (porCeldas || punto(i) < 1) tblPol.keepRowCells(i);
    if (porCeldas) {
        filasDePuntos_.fill(nullptr, 0);
        for (int32_t i = 1; i <= NumVert; ++i) escribeFila(tblPol, i, punto(i), puntos);
    } else {
        filasDePuntos_.fill(lista, NumVert);
        int32_t desde = 1;
        for (int32_t i = 1; i <= NumVert + 1; ++i) {
            if (i <= NumVert && punto(i) >= 1) continue;
            // The point numbers are written as cells all the same: every commit reads the whole column.
            tblPol.showRecords(desde, i - desde, desde - 1);
            tblPol.setLongs(desde, 1, i > desde ? lista + (desde - 1) : nullptr, i - desde);
            if (i <= NumVert) escribeFila(tblPol, i, punto(i), puntos);
            desde = i + 1;
        }
    }
    MuestraPerimetro();
}

void F_Pol_Edt::LlenaFila(int32_t& row, int32_t& p) {
    // Numbers go in as numbers: the table shows them formatted and gives back the very values.
    const Puntos puntos = puntosDe(X, Y, Z, Nombre, Código, Capas, CapaPuntos);
    escribeFila(tblPol, row, p, puntos);
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
    // The coordinates go back as numbers, so that a typed one shows as every other: 3 decimals, the user's
    // separator.
    for (int32_t column = 3; column <= 5; ++column)
        if (!std::holds_alternative<double>(tblPol.Cell(row, column)))
            tblPol.setCell(row, column, Value(coordenadas[column - 3]));
    return true;
}

bool F_Pol_Edt::LeeCoordenadas(int32_t row, const automation::NumberLocale& locale, bool aplicando,
                               double* xyz) {
    for (int32_t column = 3; column <= 5; ++column) {
        if (const int32_t record = tblPol.recordOf(row, column);
            record != ui::CellStore::kNoRecord && filasDePuntos_.frozen()) {
            xyz[column - 3] = filasDePuntos_.coordinate(record, column);
            continue;
        }
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

void F_Pol_Edt::FijaFilas() {
    filasDePuntos_.freeze(services_.toolkit());
}

void F_Pol_Edt::GuardaFila(int32_t row, int32_t p, const double* xyz) {
    FijaFilas();
    const Puntos puntos = puntosDe(X, Y, Z, Nombre, Código, Capas, CapaPuntos);
    guardaFila(tblPol, services_.numberLocale(), row, p, xyz, puntos);
}

void F_Pol_Edt::GuardaFilas(const std::vector<int32_t>& filas, const LongArray& L,
                            const std::vector<double>& xyz) {
    // Yields when it is due, to keep the window painting; the arrays are read again only after a yield that
    // ran a handler (and may have let the host replace them), and a point they no longer hold is skipped.
    FijaFilas();
    ui::Toolkit& toolkit = services_.toolkit();
    uint64_t visto = toolkit.handlersStarted();
    Puntos puntos = puntosDe(X, Y, Z, Nombre, Código, Capas, CapaPuntos);
    auto [primero, ultimo] = PuntosValidos();
    const ArrayElements<int32_t> lista(L);
    const automation::NumberLocale locale = services_.numberLocale();
    for (size_t i = 0; i < filas.size(); ++i) {
        toolkit.yieldWhenDue();
        if (toolkit.handlersStarted() != visto) {
            visto = toolkit.handlersStarted();
            puntos = puntosDe(X, Y, Z, Nombre, Código, Capas, CapaPuntos);
            std::tie(primero, ultimo) = PuntosValidos();
        }
        const int32_t p = lista(static_cast<int64_t>(i) + 1);
        if (p >= primero && p <= ultimo) guardaFila(tblPol, locale, filas[i], p, &xyz[3 * i], puntos);
    }
}

void F_Pol_Edt::ListaVertices(LongArray& list) {
    const int32_t n = tblPol.Rows() - 1;
    // Gathered apart and written into the list once: a handler that runs during a yield may replace the list.
    // The gathering list is kept between commits (a commit that runs during a yield of this one takes a fresh
    // one), so that a commit on a long polyline writes into memory it has used before.
    std::vector<int32_t> validos = std::move(validos_);
    validos.clear();
    validos.reserve(static_cast<size_t>(n > 0 ? n : 0));
    // The point numbers the drawing has, asked again only after a yield that ran a handler: asking each row
    // goes to the platform for six arrays.
    ui::Toolkit& toolkit = services_.toolkit();
    uint64_t visto = toolkit.handlersStarted();
    auto [primero, ultimo] = PuntosValidos();
    for (int32_t i = 1; i <= n; ++i) {
        toolkit.yieldPerRow();
        if (toolkit.handlersStarted() != visto) {
            visto = toolkit.handlersStarted();
            std::tie(primero, ultimo) = PuntosValidos();
        }
        const int32_t p = NumeroDePunto(i);
        if (p >= primero && p <= ultimo) validos.push_back(p);
    }
    const auto count = static_cast<int32_t>(validos.size());
    NumVert = count;
    // A list that already has the bounds 0..count keeps its storage: its every element is written below.
    if (list.contains(0) && !list.contains(-1) && list.count() == static_cast<uint32_t>(count) + 1 &&
        automation::arrayResizable(list.raw()))
        list(0) = 0;
    else
        list.redim(0, count);
    if (count > 0) std::copy(validos.begin(), validos.end(), &list(1));
    validos_ = std::move(validos);
}

void F_Pol_Edt::SincronizaVertP() {
    NumVert = tblPol.Rows() - 1;
    VertP.redim(0, NumVert);
    const ArrayElements<int32_t> lista(VertP);
    for (int32_t i = 1; i <= NumVert; ++i) lista(i) = NumeroDePunto(i);
}

void F_Pol_Edt::tblPol_RowEnter() {
    const int32_t r = tblPol.CurrentRow();
    if (NumVert != tblPol.Rows() - 1) {
        ListaVertices(VertTabla);
        FijaFilas();
        events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertTabla, capP,
                              NoPoli, colPol);
        SincronizaVertP();
    }
    // The header row, a row the host's list no longer reaches, or one without a point of the drawing, has no
    // point to bring into view.
    PtoAct = VertP.contains(r) && EsPunto(VertP(r)) ? VertP(r) : 0;
    events_.RetornaPunto(PtoAct, PolN);
}

// Left to us: a point number that names no point of the drawing (negative, beyond nPtos or beyond the point
// arrays), and text in column 1 that is no number, are refused at the commit, before anything changes: the
// edited cells go back to what they held, one message names the row, and the host hears nothing. 0 is no
// error: the row stays and is left out of the list. So is an emptied cell, whose row the apply drops.
void F_Pol_Edt::tblPol_CellCommit() {
    int32_t r = tblPol.CurrentRow();
    const Value celdaPunto = tblPol.Cell(r, 1);
    const Text textoPunto = automation::valueText(celdaPunto, services_.numberLocale());
    if (textoPunto.empty()) return;

    const std::optional<int32_t> numero = NumeroTecleado(celdaPunto);
    if (!numero || (*numero != 0 && !EsPunto(*numero))) {
        AvisaNumeroDePunto(r, textoPunto, numero);
        tblPol.revertCommit();
        return;
    }
    // Rows were added, or the host left a list that no longer reaches this row: one entry per row again.
    const bool sincroniza = NumVert < tblPol.Rows() - 1 || !VertP.contains(r);
    // Compared as the cell's number, so that 2.4 typed over point 2 is written back as 2. A row keeping its
    // point is written back from its cells: their coordinates must be numbers.
    const double comparado = automation::tryReadLocaleNumber(celdaPunto, services_.numberLocale())
                                 .value_or(static_cast<double>(*numero));
    const bool renumera = !sincroniza && comparado != VertP(r);
    if (EsPunto(*numero) && !renumera) {
        double coordenadas[3];
        if (!LeeCoordenadas(r, services_.numberLocale(), false, coordenadas)) {
            tblPol.revertCommit();
            return;
        }
    }

    if (sincroniza) SincronizaVertP();
    if (renumera) {
        VertP(r) = *numero;
        PtoAct = VertP(r);
        // 0 names no point: the row stays as the user typed it.
        if (EsPunto(PtoAct)) LlenaFila(r, PtoAct);
    }
    PtoAct = VertP(r);
    LeeFila(r);
    ListaVertices(VertTabla);
    FijaFilas();
    events_.RetornaOpcion(PtoAct, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertTabla, capP, NoPoli,
                          colPol);
    events_.RetornaPunto(PtoAct, PolN);
}

}  // namespace orv::editor
