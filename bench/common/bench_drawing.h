#pragma once
// The drawings the benchmarks open: n points and one polyline through all of them, in the automation arrays a
// host hands over, and the same data as plain vectors for the bare-copy baseline.
#include <cstdint>
#include <string>
#include <vector>

#include "automation/automation_array.h"

namespace orv::bench {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::TextArray;

struct BenchDrawing {
    explicit BenchDrawing(int32_t n);

    int16_t Tipo = 1;
    int32_t PtoEnfo = 0;
    int32_t nPtos = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    int32_t noCapas = 4;
    TextArray Capas;
    int32_t PolN = 1;
    LongArray VertP;
    int16_t capP = 1;
    int32_t NoPoli = 1;
    int32_t colPol = 255;
};

// The same drawing in plain standard containers: what copying it costs at the least.
struct PlainDrawing {
    std::vector<double> X, Y, Z;
    std::vector<std::u16string> Nombre, Código, Capas;
    std::vector<int16_t> CapaPuntos;
    std::vector<int32_t> VertP;
};
PlainDrawing plainCopy(const BenchDrawing& drawing);

}  // namespace orv::bench
