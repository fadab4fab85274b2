#include "survey_drawing.h"

#include <iterator>

namespace orv::e2e {

namespace {

struct SurveyPoint {
    const char16_t* name;
    double x, y, z;
    const char16_t* code;
    int16_t layer;
};

constexpr SurveyPoint kPoints[] = {
    {u"E1", 435120.412, 4581230.118, 652.31, u"ESTACA", 1},
    {u"E2", 435168.905, 4581236.774, 652.88, u"ESTACA", 1},
    {u"E3", 435175.233, 4581190.052, 651.97, u"ESTACA", 1},
    {u"E4", 435131.640, 4581181.419, 651.42, u"ESTACA", 1},
    {u"E5", 435112.087, 4581204.660, 651.76, u"ESTACA", 1},
    {u"ED1", 435135.250, 4581220.300, 652.40, u"ESQ", 2},
    {u"ED2", 435155.780, 4581223.110, 652.52, u"ESQ", 2},
    {u"ED3", 435158.010, 4581206.940, 652.10, u"ESQ", 2},
    {u"ED4", 435137.480, 4581204.130, 651.98, u"ESQ", 2},
    {u"V1", 435118.300, 4581226.900, 652.20, u"VALLA", 3},
    {u"V2", 435114.950, 4581214.400, 651.90, u"VALLA", 3},
    {u"V3", 435113.100, 4581206.800, 651.80, u"VALLA", 3},
    {u"V4", 435121.770, 4581190.250, 651.55, u"VALLA", 3},
    {u"V5", 435129.900, 4581183.600, 651.44, u"VALLA", 3},
    {u"BM1", 435146.000, 4581212.000, 652.205, u"BASE", 4},
};

constexpr const char16_t* kLayers[] = {u"Lindes", u"Edificación", u"Vallado", u"Bases"};

}  // namespace

test::Drawing surveyDrawing() {
    test::Drawing d;
    auto points = static_cast<int32_t>(std::size(kPoints));
    d.Nuput = points;
    d.X.redim(0, points);
    d.Y.redim(0, points);
    d.Z.redim(0, points);
    d.Nombre.redim(0, points);
    d.Código.redim(0, points);
    d.CapaPuntos.redim(0, points);
    for (int32_t p = 1; p <= points; ++p) {
        const SurveyPoint& point = kPoints[p - 1];
        d.X(p) = point.x;
        d.Y(p) = point.y;
        d.Z(p) = point.z;
        d.Nombre.set(p, point.name);
        d.Código.set(p, point.code);
        d.CapaPuntos(p) = point.layer;
    }
    d.noCapas = static_cast<int32_t>(std::size(kLayers));
    d.Capas.redim(0, d.noCapas);
    d.Capas.set(0, u"");
    for (int32_t k = 1; k <= d.noCapas; ++k) d.Capas.set(k, kLayers[k - 1]);
    d.polylines = {
        {{1, 2, 3, 4, 5, 1}, 1, 0x0000FF},
        {{6, 7, 8, 9, 6}, 2, 0xC08000},
        {{10, 11, 12, 13, 14}, 3, 0x008000},
    };
    d.NoPoli = static_cast<int32_t>(d.polylines.size());
    d.select(1);
    return d;
}

}  // namespace orv::e2e
