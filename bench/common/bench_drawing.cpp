#include "common/bench_drawing.h"

#include "automation/text.h"

namespace orv::bench {

namespace {

// Survey codes as a field crew uses them: a handful, repeated.
constexpr const char16_t* kCodes[] = {u"BORDE", u"EJE", u"MURO", u"ARQ"};

}  // namespace

BenchDrawing::BenchDrawing(int32_t n)
    : nPtos(n),
      X(0, n),
      Y(0, n),
      Z(0, n),
      Nombre(0, n),
      Código(0, n),
      CapaPuntos(0, n),
      Capas(0, 4),
      VertP(0, n) {
    for (int32_t p = 1; p <= n; ++p) {
        X(p) = 450000.0 + p * 0.731;
        Y(p) = 4400000.0 + (p % 977) * 1.37;
        Z(p) = 100.0 + (p % 101) / 3.0;
        Nombre.set(p, u"P" + automation::decimalText(p));
        Código.set(p, kCodes[p % 4]);
        CapaPuntos(p) = static_cast<int16_t>(1 + p % 4);
        VertP(p) = p;
    }
    for (int32_t k = 0; k <= 4; ++k) Capas.set(k, u"Capa " + automation::decimalText(k));
}

PlainDrawing plainCopy(const BenchDrawing& d) {
    PlainDrawing copy;
    const size_t n = d.X.count();
    copy.X.assign(&d.X(0), &d.X(0) + n);
    copy.Y.assign(&d.Y(0), &d.Y(0) + n);
    copy.Z.assign(&d.Z(0), &d.Z(0) + n);
    copy.CapaPuntos.assign(&d.CapaPuntos(0), &d.CapaPuntos(0) + n);
    copy.VertP.assign(&d.VertP(0), &d.VertP(0) + d.VertP.count());
    copy.Nombre.reserve(n);
    copy.Código.reserve(n);
    for (size_t p = 0; p < n; ++p) {
        copy.Nombre.emplace_back(d.Nombre.view(static_cast<int64_t>(p)));
        copy.Código.emplace_back(d.Código.view(static_cast<int64_t>(p)));
    }
    for (int32_t k = 0; k <= d.noCapas; ++k) copy.Capas.emplace_back(d.Capas.view(k));
    return copy;
}

}  // namespace orv::bench
