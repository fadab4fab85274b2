// The plan length of the polyline on display and, when it is closed, the area it encloses.
#include <algorithm>
#include <cmath>

#include "automation/automation_error.h"
#include "editor/array_elements.h"
#include "editor/f_pol_edt.h"

namespace orv::editor {

namespace {

using automation::Text;

// The routine's trap: a step that fails is abandoned and the routine goes on with the next one.
template <class Step>
void pasoSinFallo(Step&& step) {
    try {
        step();
    } catch (const automation::AutomationError&) {
    }
}

}  // namespace

void F_Pol_Edt::MuestraPerimetro() {
    double area = 0;
    double longitud = 0;
    // A segment whose length cannot be computed leaves d as the previous segment left it, and that is what
    // the next step adds: each step is abandoned on its own.
    double d = 0;
    const int32_t n = NumVert;
    // Nothing below raises an event or yields: the arrays stay as they are.
    const ArrayElements<int32_t> VertP(this->VertP);
    const ArrayElements<double> X(this->X), Y(this->Y);

    // A segment's two steps read the same four coordinates: when one of them cannot be read (a vertex or a
    // point the arrays lack) both steps are abandoned; a step whose result is not finite (an overflow) is
    // abandoned on its own. Each vertex's point is read once.
    const int64_t desde = std::max(X.first(), Y.first()), hasta = std::min(X.last(), Y.last());
    auto tienePunto = [&](int64_t i) { return VertP.contains(i) && VertP(i) >= desde && VertP(i) <= hasta; };
    bool anterior = tienePunto(1);
    for (int32_t i = 2; i <= n; ++i) {
        const bool actual = tienePunto(i);
        if (anterior && actual) {
            const double xa = X(VertP(i - 1)), ya = Y(VertP(i - 1));
            const double xb = X(VertP(i)), yb = Y(VertP(i));
            if (const double paso = ((xa - xb) * 0.5) * (ya + yb) + area; std::isfinite(paso)) area = paso;
            if (const double paso = std::pow(std::pow(xa - xb, 2.0) + std::pow(ya - yb, 2.0), 0.5);
                std::isfinite(paso))
                d = paso;
        }
        if (const double paso = longitud + d; std::isfinite(paso)) longitud = paso;
        anterior = actual;
    }
    area = std::fabs(area);

    // Closed means the first and the last vertex stand exactly on the same plan position.
    bool cerrada = false;
    pasoSinFallo([&] { cerrada = X(VertP(1)) == X(VertP(n)) && Y(VertP(1)) == Y(VertP(n)); });
    if (!cerrada) area = 0;

    Text tP;
    pasoSinFallo([&] { tP = services_.converter().NumberToText(longitud, 3, 0) + u" m" + u", "; });
    Text tA;
    if (area != 0) {
        pasoSinFallo(
            [&] { tA = Text(u"  , Superf.= ") + services_.converter().NumberToText(area, 2, 0) + u" m2"; });
    }
    Label4.setCaption(Text(u"Perimetro=  ") + tP + tA);
}

}  // namespace orv::editor
