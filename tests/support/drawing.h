#pragma once
// The host's side of the hand-over: its drawing as automation variables, laid out as a host passes them to
// PasaDatos, plus the other polylines it keeps back and supplies one at a time when a dialog asks.
#include <cstdint>
#include <string>
#include <vector>

#include "automation/automation_array.h"
#include "automation/object_ref.h"

namespace orv::test {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::ObjectRef;
using automation::Text;
using automation::TextArray;

struct Polyline {
    std::vector<int32_t> vertices;  // point numbers, vertex 1 first
    int16_t layer = 1;
    int32_t colour = 0;
};

// A byte image of every variable the host hands to PasaDatos, and of which array each array variable holds:
// equal snapshots mean the host's data was neither written nor replaced.
using Snapshot = std::vector<uint8_t>;

struct Drawing {
    // PasaDatos's parameters 2 to 17, under their names.
    ObjectRef frm1;
    int32_t PtoEnfo = 1, Nuput = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    int32_t noCapas = 0;
    TextArray Capas;
    int32_t PolN = 1;
    LongArray VertP;
    int16_t capP = 1;
    int32_t NoPoli = 0, Polcol = 0;

    // The host's polylines, polyline 1 first; NoPoli is their count.
    std::vector<Polyline> polylines;

    // Makes polyline n (1-based) the one handed over: PolN, VertP (lower bound vertexLower), capP and Polcol.
    void select(int32_t n, int32_t vertexLower = 1);
    // Writes polyline n into a dialog's variables as a host answers newPolCambiala; false if there is none.
    bool writePolyline(int32_t n, LongArray& vertP, int16_t& capP, int32_t& noPoli, int32_t& colour) const;

    Snapshot snapshot() const;
};

// What sampleDrawing builds; every default gives a small valid drawing.
struct DrawingShape {
    int32_t points = 10;      // Nuput; point arrays 0..points (element 0 is a decoy a dialog must not read)
    int32_t vertices = 5;     // vertex count of polyline 1; polyline k has vertices + k - 1
    int32_t polylines = 3;    // NoPoli
    int32_t layers = 4;       // noCapas; Capas 0..layers, Capas(0) = "Sin capa"
    int32_t selected = 1;     // PolN
    int32_t vertexLower = 1;  // VertP's lower bound; 0 puts the decoy -1 in VertP(0)
};

// The sample drawing. Point p: X = 1000 + p + 0.125, Y = 2000 + 2p + 0.5, Z = 100 + p / 3 (not exact in
// decimal), Nombre "P<p>", Código "C<p>", CapaPuntos 1 + (p - 1) mod layers. Layer k: Capas(k) = "Capa <k>".
// Polyline k: vertex i is point 1 + ((k - 1) * 3 + i - 1) mod points, layer 1 + (k - 1) mod layers, colour
// sampleColour(k).
Drawing sampleDrawing(int32_t points = 10, int32_t vertices = 5);
Drawing sampleDrawing(const DrawingShape& shape);
int32_t sampleColour(int32_t polyline);

LongArray longArray(const std::vector<int32_t>& values, int32_t lower = 1);
// "[1 2 3]" for an array from 1, "0:[7 1 2 3]" from another lower bound, "[]" for no elements.
std::string describe(const LongArray& array);

}  // namespace orv::test
