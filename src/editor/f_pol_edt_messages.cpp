// What the editor tells the user when it refuses a command instead of failing.
#include "automation/text.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

namespace {

using automation::decimalText;
using automation::Text;

// The warning icon with a single OK button.
constexpr int32_t kMbExclamation = 48;

Text nombreDeColumna(int32_t column) {
    switch (column) {
        case 3:
            return u"X";
        case 4:
            return u"Y";
        case 5:
            return u"Z";
        default:
            return decimalText(column);
    }
}

}  // namespace

void F_Pol_Edt::AvisaCeldaNoNumerica(int32_t row, int32_t column, bool aplicando) {
    const Text fila = decimalText(row);
    const Text columna = nombreDeColumna(column);
    const Text texto = aplicando ? Text(u"No se aplican los cambios: la fila ") + fila + u", columna " +
                                       columna + u", no contiene un número."
                                 : Text(u"No se guarda la fila ") + fila + u": la columna " + columna +
                                       u" no contiene un número.";
    tblPol.placeCursor(row, column);
    services_.toolkit().messageBox(texto, kMbExclamation, services_.toolkit().applicationTitle());
}

void F_Pol_Edt::AvisaNumeroDePunto(int32_t row, const Text& typed, std::optional<int32_t> punto) {
    const Text motivo = punto ? Text(u"el punto ") + decimalText(*punto) + u" no está en el dibujo."
                              : Text(u"«") + typed + u"» no es un número de punto.";
    tblPol.placeCursor(row, 1);
    services_.toolkit().messageBox(Text(u"No se guarda la fila ") + decimalText(row) + u": " + motivo,
                                   kMbExclamation, services_.toolkit().applicationTitle());
}

void F_Pol_Edt::AvisaVerticeSinPunto(int32_t actual, int32_t vertice, int32_t punto) {
    const Text motivo = punto == 0
                            ? Text(u" no remite a ningún punto")
                            : Text(u" remite al punto ") + decimalText(punto) + u", que no está en el dibujo";
    const Text texto = Text(u"El vértice ") + decimalText(vertice) + u" de la polilínea " +
                       decimalText(PolN) + motivo + u": el editor sigue en la polilínea " +
                       decimalText(actual) + u".";
    services_.toolkit().messageBox(texto, kMbExclamation, services_.toolkit().applicationTitle());
}

void F_Pol_Edt::AvisaPolilineaSinVertices(int32_t pedida, int32_t actual) {
    const Text texto = Text(u"La polilínea ") + decimalText(pedida) +
                       u" no tiene al menos dos vértices: el editor sigue en la polilínea " +
                       decimalText(actual) + u".";
    services_.toolkit().messageBox(texto, kMbExclamation, services_.toolkit().applicationTitle());
}

}  // namespace orv::editor
