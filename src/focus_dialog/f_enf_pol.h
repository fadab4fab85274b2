#pragma once
// The focus dialog: one vertex of one polyline at a time, the point behind it, and the steps through vertices
// and polylines while the host's view follows. Everything the host should learn leaves through DialogEvents,
// always with this dialog's own variables by reference.
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "automation/text.h"
#include "dialog/dialog_events.h"
#include "dialog/dialog_services.h"
#include "dialog/polyline_dialog.h"
#include "dialog/refused_step.h"
#include "focus_dialog/focus_dialog_form.h"

namespace orv::focus_dialog {

using automation::Text;
using dialog::DoubleArray;
using dialog::IntegerArray;
using dialog::LongArray;
using dialog::ObjectRef;
using dialog::TextArray;

class F_Enf_Pol : public dialog::PolylineDialog, private FocusDialogForm {
  public:
    F_Enf_Pol(dialog::DialogServices& services, dialog::DialogEvents& events);

    void CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                     DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                     int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP, int16_t& capP,
                     int32_t& NoPoli, int32_t& colPol) override;

  private:
    // Where the placement store keeps this dialog's window.
    static constexpr char16_t kPlacementSection[] = u"Enfoca Polilineas";
    static constexpr char16_t kPlacementKey[] = u"enfoca";

    // What the fields show of one point, worked out before any field changes.
    struct PointTexts {
        Text nombre, x, y, z, codigo;
    };
    // What a set-up shows beyond the arguments: the first vertex's point and the layer names.
    struct PolylineTexts {
        PointTexts point;
        std::vector<Text> layers;
    };

    // Intake and set-up (f_enf_pol.cpp). PreparaPol shows the polyline, or refuses it before anything changes
    // and returns false.
    bool PreparaPol(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol);
    // PreparaPol in its two halves: the controls, then the two events.
    bool showPolyline(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol);
    void announcePolyline();
    std::optional<PolylineTexts> polylineTexts(int32_t PolN, const LongArray& VertP);
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    // Navigation (f_enf_pol_navigation.cpp).
    void GuardaPunto();
    void txtVert_Change();
    void cmdAv_Click(int16_t Index);
    void cmdAvP_Click(int16_t Index);

    // The button row and the zoom buttons (f_enf_pol_buttons.cpp).
    void cmdAceptar_Click();
    void cmdRedibuja_Click();
    void cmdZm_Click(int16_t Index);
    void cmdCancelar_Click();

    // Helpers shared by those files.
    void wireEvents();
    PointTexts pointTexts(int32_t point);
    void showPointFields(const PointTexts& texts);
    void showVertexField(int32_t vertex);
    void selectPointLayer();
    void selectPolylineLayer();
    void storeFields(bool allOrNothing);
    void storeLayers();
    bool isPoint(int64_t point) const;
    bool canShowVertex(int64_t vertex) const;
    void refuseVertex(int64_t vertex);
    void refuseVertex(int32_t polyline, int64_t vertex, const LongArray& vertices, int32_t count);
    void refuseShortPolyline(int32_t polyline);
    void captureFailed(const automation::AutomationError& error);
    void warn(const Text& text);
    std::optional<int32_t> vertexNumber();
    std::optional<int32_t> polylineNumber();
    std::optional<int32_t> numberIn(const ui::TextBox& field, const Text& what);
    Text numberText(double value);

    dialog::DialogServices& services_;
    dialog::DialogEvents& events_;

    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    TextArray Capas;
    int32_t noCapas = 0;
    int32_t PolN = 0;
    LongArray VertP;
    int32_t NumVert = 0;
    int16_t capP = 0;
    int32_t NoPoli = 0;
    int32_t Polcol = 0;
    int32_t PtoAct = 0;
    bool Cargando = false;
    int32_t UltimoVertice = 0;

    // The vertex whose point the fields show: what the vertex field goes back to when a change is refused.
    int32_t shownVertex_ = 1;
    // A refused arrow's next press steps past what it could not show.
    dialog::RefusedStep vertexStep_;
    dialog::RefusedStep polylineStep_;
    // Points and polylines already warned about a layer outside the lists: once each is enough.
    std::unordered_set<int32_t> warnedPoints_;
    std::unordered_set<int32_t> warnedPolylines_;
    // The point on display whose fields could not be stored, already said: one move stores twice (the arrow,
    // then the vertex change it sets off), and the user hears it once.
    int32_t unstorablePointWarned_ = 0;

    // Set while CargaBarra1 runs the first set-up: its failures then belong to PasaDatos, which reports them.
    bool intake_ = false;
    // The layer the arrays hold for the point on display / the polyline lies outside the layer lists, so an
    // empty list means "keep it" rather than layer 1.
    bool pointLayerOutsideList_ = false;
    bool polylineLayerOutsideList_ = false;
};

}  // namespace orv::focus_dialog
