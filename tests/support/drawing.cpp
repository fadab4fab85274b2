#include "support/drawing.h"

#include <sstream>
#include <tuple>
#include <type_traits>

namespace orv::test {
namespace {

constexpr int32_t kPalette[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                0xFF00FF, 0xFFFF00, 0x808080, 0x000080};

template <class T>
void append(Snapshot& out, const T& value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    for (size_t i = 0; i < sizeof value; ++i) out.push_back(bytes[i]);
}

template <class T>
void appendArray(Snapshot& out, const automation::Array<T>& array) {
    append(out, array.raw());  // which array the variable holds
    append(out, array.dimensioned());
    if (!array.dimensioned()) return;
    append(out, array.lbound());
    append(out, array.count());
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i) {
        if constexpr (std::is_same_v<T, Text>) {
            for (char16_t c : array.view(i)) append(out, c);
            append(out, array.view(i).size());
        } else {
            append(out, array(i));
        }
    }
}

// A prefix and a number ("P7"), built by appending (GCC 12 misreads the operator+ form at -O3).
Text numbered(const char16_t* prefix, int32_t number) {
    return Text(prefix).append(automation::decimalText(number));
}

}  // namespace

void Drawing::select(int32_t n, int32_t vertexLower) {
    const Polyline& chosen = polylines.at(static_cast<size_t>(n - 1));
    std::tie(PolN, capP, Polcol) = std::tuple(n, chosen.layer, chosen.colour);
    VertP.redim(vertexLower, static_cast<int32_t>(chosen.vertices.size()));
    if (vertexLower < 1) VertP(vertexLower) = -1;
    for (size_t i = 0; i < chosen.vertices.size(); ++i)
        VertP(static_cast<int64_t>(i) + 1) = chosen.vertices[i];
}

bool Drawing::writePolyline(int32_t n, LongArray& vertP, int16_t& layer, int32_t& noPoli,
                            int32_t& colour) const {
    if (n < 1 || n > static_cast<int32_t>(polylines.size())) return false;
    const Polyline& chosen = polylines.at(static_cast<size_t>(n - 1));
    std::tie(vertP, layer, noPoli, colour) = std::tuple(
        longArray(chosen.vertices), chosen.layer, static_cast<int32_t>(polylines.size()), chosen.colour);
    return true;
}

Snapshot Drawing::snapshot() const {
    Snapshot out;
    append(out, frm1.get());
    for (int32_t scalar : {PtoEnfo, Nuput, noCapas, PolN, int32_t{capP}, NoPoli, Polcol}) append(out, scalar);
    [&](const auto&... arrays) { (appendArray(out, arrays), ...); }(X, Y, Z, Nombre, Código, CapaPuntos,
                                                                    Capas, VertP);
    return out;
}

int32_t sampleColour(int32_t polyline) {
    return kPalette[static_cast<size_t>(polyline - 1) % std::size(kPalette)];
}

Drawing sampleDrawing(int32_t points, int32_t vertices) {
    return sampleDrawing(DrawingShape{.points = points, .vertices = vertices});
}

Drawing sampleDrawing(const DrawingShape& shape) {
    Drawing d;
    d.Nuput = shape.points;
    for (DoubleArray* coordinate : {&d.X, &d.Y, &d.Z}) {
        coordinate->redim(0, shape.points);
        (*coordinate)(0) = -999.5;
    }
    for (TextArray* texts : {&d.Nombre, &d.Código}) {
        texts->redim(0, shape.points);
        texts->set(0, u"decoy");
    }
    d.CapaPuntos.redim(0, shape.points);
    for (int32_t p = 1; p <= shape.points; ++p) {
        d.X(p) = 1000 + p + 0.125;
        d.Y(p) = 2000 + 2.0 * p + 0.5;
        d.Z(p) = 100 + p / 3.0;
        d.Nombre.set(p, numbered(u"P", p));
        d.Código.set(p, numbered(u"C", p));
        d.CapaPuntos(p) = static_cast<int16_t>(shape.layers > 0 ? 1 + (p - 1) % shape.layers : 0);
    }
    d.noCapas = shape.layers;
    d.Capas.redim(0, shape.layers);
    d.Capas.set(0, u"Sin capa");
    for (int32_t k = 1; k <= shape.layers; ++k) d.Capas.set(k, numbered(u"Capa ", k));
    for (int32_t k = 1; k <= shape.polylines; ++k) {
        Polyline& polyline = d.polylines.emplace_back(Polyline{
            {}, static_cast<int16_t>(shape.layers > 0 ? 1 + (k - 1) % shape.layers : 0), sampleColour(k)});
        for (int32_t i = 1; i <= shape.vertices + k - 1; ++i)
            polyline.vertices.push_back(shape.points > 0 ? 1 + ((k - 1) * 3 + i - 1) % shape.points : 0);
    }
    d.NoPoli = shape.polylines;
    if (shape.polylines > 0) d.select(shape.selected, shape.vertexLower);
    return d;
}

LongArray longArray(const std::vector<int32_t>& values, int32_t lower) {
    LongArray result(lower, lower + static_cast<int32_t>(values.size()) - 1);
    for (size_t i = 0; i < values.size(); ++i) result(lower + static_cast<int64_t>(i)) = values[i];
    return result;
}

std::string describe(const LongArray& array) {
    std::ostringstream out;
    if (array.count() == 0) return "[]";
    if (array.lbound() != 1) out << array.lbound() << ":";
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i)
        out << (i == array.lbound() ? "[" : " ") << array(i);
    out << "]";
    return out.str();
}

}  // namespace orv::test
