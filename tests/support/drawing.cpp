#include "support/drawing.h"

#include <cstring>
#include <sstream>
#include <type_traits>

namespace orv::test {
namespace {

constexpr int32_t kPalette[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                0xFF00FF, 0xFFFF00, 0x808080, 0x000080};

class Writer {
  public:
    explicit Writer(Snapshot& snapshot) : snapshot_(snapshot) {}

    template <class T>
    requires std::is_trivially_copyable_v<T>
    void scalar(const char* name, const T& value) {
        field(name);
        raw(value);
    }
    template <class T>
    void array(const char* name, const automation::Array<T>& array) {
        field(name);
        raw(array.raw());  // which array the variable holds
        raw(array.dimensioned());
        if (!array.dimensioned()) return;
        raw(array.lbound());
        raw(array.count());
        for (int64_t i = array.lbound(); i <= array.ubound(); ++i) {
            if constexpr (std::is_same_v<T, Text>) {
                const automation::TextView text = array.view(i);
                raw(text.size());
                bytes(text.data(), text.size() * sizeof(char16_t));
            } else {
                raw(array(i));
            }
        }
    }

  private:
    void field(const char* name) { snapshot_.fields.push_back({name, {}}); }
    template <class T>
    void raw(const T& value) {
        bytes(&value, sizeof value);
    }
    void bytes(const void* data, size_t size) {
        auto& out = snapshot_.fields.back().bytes;
        const auto* first = static_cast<const uint8_t*>(data);
        out.insert(out.end(), first, first + size);
    }

    Snapshot& snapshot_;
};

// A prefix and a number ("P7"), built by appending (GCC 12 misreads the operator+ form at -O3).
Text numbered(const char16_t* prefix, int32_t number) {
    Text result(prefix);
    result += automation::decimalText(number);
    return result;
}

}  // namespace

void PrintTo(const Snapshot& snapshot, std::ostream* out) {
    *out << "Snapshot of " << snapshot.fields.size() << " fields";
}

std::string differences(const Snapshot& before, const Snapshot& after) {
    std::ostringstream out;
    for (size_t i = 0; i < before.fields.size() && i < after.fields.size(); ++i)
        if (before.fields[i] != after.fields[i]) out << before.fields[i].name << " ";
    if (before.fields.size() != after.fields.size()) out << "(field count) ";
    return out.str();
}

void Drawing::select(int32_t n, int32_t vertexLower) {
    const Polyline& chosen = polyline(n);
    PolN = n;
    VertP.redim(vertexLower, static_cast<int32_t>(chosen.vertices.size()));
    if (vertexLower < 1) VertP(vertexLower) = -1;
    for (size_t i = 0; i < chosen.vertices.size(); ++i)
        VertP(static_cast<int64_t>(i) + 1) = chosen.vertices[i];
    capP = chosen.layer;
    Polcol = chosen.colour;
}

bool Drawing::writePolyline(int32_t n, LongArray& vertP, int16_t& layer, int32_t& noPoli,
                            int32_t& colour) const {
    if (n < 1 || n > static_cast<int32_t>(polylines.size())) return false;
    const Polyline& chosen = polyline(n);
    vertP = longArray(chosen.vertices);
    layer = chosen.layer;
    noPoli = static_cast<int32_t>(polylines.size());
    colour = chosen.colour;
    return true;
}

Snapshot Drawing::snapshot() const {
    Snapshot result;
    Writer out(result);
    out.scalar("frm1", frm1.get());
    out.scalar("PtoEnfo", PtoEnfo);
    out.scalar("Nuput", Nuput);
    out.array("X", X);
    out.array("Y", Y);
    out.array("Z", Z);
    out.array("Nombre", Nombre);
    out.array("Código", Código);
    out.array("CapaPuntos", CapaPuntos);
    out.scalar("noCapas", noCapas);
    out.array("Capas", Capas);
    out.scalar("PolN", PolN);
    out.array("VertP", VertP);
    out.scalar("capP", capP);
    out.scalar("NoPoli", NoPoli);
    out.scalar("Polcol", Polcol);
    return result;
}

int32_t sampleColour(int32_t polyline) {
    return kPalette[static_cast<size_t>(polyline - 1) % std::size(kPalette)];
}

Drawing sampleDrawing(int32_t points, int32_t vertices) {
    DrawingShape shape;
    shape.points = points;
    shape.vertices = vertices;
    return sampleDrawing(shape);
}

Drawing sampleDrawing(const DrawingShape& shape) {
    Drawing d;
    d.Nuput = shape.points;
    d.X.redim(0, shape.points);
    d.Y.redim(0, shape.points);
    d.Z.redim(0, shape.points);
    d.Nombre.redim(0, shape.points);
    d.Código.redim(0, shape.points);
    d.CapaPuntos.redim(0, shape.points);
    d.X(0) = d.Y(0) = d.Z(0) = -999.5;
    d.Nombre.set(0, u"decoy");
    d.Código.set(0, u"decoy");
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
        Polyline polyline;
        for (int32_t i = 1; i <= shape.vertices + k - 1; ++i)
            polyline.vertices.push_back(shape.points > 0 ? 1 + ((k - 1) * 3 + i - 1) % shape.points : 0);
        polyline.layer = static_cast<int16_t>(shape.layers > 0 ? 1 + (k - 1) % shape.layers : 0);
        polyline.colour = sampleColour(k);
        d.polylines.push_back(std::move(polyline));
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

std::vector<int32_t> elements(const LongArray& array) {
    std::vector<int32_t> result;
    if (array.count() == 0) return result;
    for (int64_t i = array.lbound(); i <= array.ubound(); ++i) result.push_back(array(i));
    return result;
}

std::string describe(const LongArray& array) {
    std::ostringstream out;
    if (array.count() != 0 && array.lbound() != 1) out << array.lbound() << ":";
    out << "[";
    const char* separator = "";
    for (int32_t value : elements(array)) {
        out << separator << value;
        separator = " ";
    }
    out << "]";
    return out.str();
}

}  // namespace orv::test
