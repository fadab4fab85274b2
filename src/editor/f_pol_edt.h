#pragma once
// The polyline editor: one polyline of the host's drawing as a table of vertices, with steppers for vertices
// and polylines, the polyline's layer and colour, a zoom toolbar and the plan length and area. It works on
// its own copy of the drawing; every result reaches the host through its events, which hand the dialog's own
// variables.
//
// The routines are split over several files by concern: f_pol_edt_intake.cpp (entry, set-up, load and
// unload), f_pol_edt_controls.cpp (the controls as designed), f_pol_edt_table.cpp (the vertex table and its
// events), f_pol_edt_apply.cpp (applying the table, the arrows and the lower buttons), f_pol_edt_toolbar.cpp
// (toolbar and colour), f_pol_edt_perimeter.cpp (perimeter and area), f_pol_edt_layout.cpp (resize) and
// f_pol_edt_messages.cpp (what the editor tells the user when it refuses a command).
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "automation/number_locale.h"
#include "dialog/dialog_events.h"
#include "dialog/dialog_services.h"
#include "dialog/polyline_dialog.h"
#include "dialog/refused_step.h"
#include "editor/point_rows.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/table/vertex_table.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"

namespace orv::bench {
class EditorRoutines;
}

namespace orv::editor {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::ObjectRef;
using automation::TextArray;

class F_Pol_Edt : public dialog::PolylineDialog {
  public:
    F_Pol_Edt(dialog::DialogServices& services, dialog::DialogEvents& events);
    // Detaches every handler first: a released editor, hidden or not, raises nothing any more.
    ~F_Pol_Edt() override;
    F_Pol_Edt(const F_Pol_Edt&) = delete;
    F_Pol_Edt& operator=(const F_Pol_Edt&) = delete;

    void CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                     DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                     int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP, int16_t& capP,
                     int32_t& NoPoli, int32_t& colPol) override;

    // The dialog's window model, for views and tests.
    ui::Form& form() { return *form_; }

    // Design values that the layout and the load step rely on.
    static constexpr float kDesignClientWidth = 10815;
    static constexpr float kDesignClientHeight = 4485;
    // Where the placement store keeps this dialog's place and size.
    static constexpr const char16_t* kSeccion = u"Editar Polilíneas";
    static constexpr const char16_t* kClave = u"EditarPol";

  private:
    // The benchmarks time the table routines one by one.
    friend class bench::EditorRoutines;

    // --- Set-up (f_pol_edt_intake.cpp) ---
    void PreparaPol(int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol);
    // Whether a vertex list the host answered with can be shown: at least two vertices, each a point of the
    // drawing. Says why not, once, and leaves everything as it is.
    bool PuedeMostrar(int32_t actual, const LongArray& vertices);
    void Form_Load();
    void Form_Unload();
    void ConectaEventos();

    // --- Controls as designed (f_pol_edt_controls.cpp) ---
    static std::unique_ptr<ui::Form> CreaFormulario(ui::Toolkit& toolkit);
    template <class C>
    C& control(const char* name, int16_t index = -1) const;

    // --- Vertex table (f_pol_edt_table.cpp) ---
    void LlenaTabla();
    void LlenaFila(int32_t& row, int32_t& p);
    bool LeeFila(int32_t& row);
    // The row's X, Y and Z cells into xyz; the first that is not a number is refused with the box of an apply
    // or of a one-row commit, and the reading stops there.
    bool LeeCoordenadas(int32_t row, const automation::NumberLocale& locale, bool aplicando, double* xyz);
    // Writes the row's texts and the coordinates read from it into point p.
    void GuardaFila(int32_t row, int32_t p, const double* xyz);
    // The same for many rows at once (row filas[i] into point puntos(i + 1)), yielding when due; the table's
    // rows must be locked meanwhile.
    void GuardaFilas(const std::vector<int32_t>& filas, const LongArray& puntos,
                     const std::vector<double>& xyz);
    // The name of point p's layer, empty when its layer has no name in the list.
    automation::Text NombreDeCapa(int32_t p) const;
    // The point number a user typed into column 1: the number of the cell as a Long, or its leading number
    // when the locale reading does not take it; nothing when it begins with no number or does not fit 32
    // bits.
    std::optional<int32_t> NumeroTecleado(const automation::Value& cell) const;
    // Before the point arrays may change (a row written back, an event that hands them to the host), the rows
    // a fill left standing for points take a copy of what they show.
    void FijaFilas();
    void ListaVertices(LongArray& list);
    void SincronizaVertP();
    void tblPol_RowEnter();
    void tblPol_CellCommit();
    // Point number of a column-1 cell: the lenient whole number; one that does not fit 32 bits names no point
    // (0).
    int32_t NumeroDePunto(int32_t row) const;
    automation::Text TextoCelda(int32_t row, int32_t column) const;
    // A point of the drawing: 1..nPtos, and the point arrays hold it.
    bool EsPunto(int64_t p) const;
    // The p for which EsPunto holds: primero..ultimo (empty when ultimo < primero).
    std::pair<int64_t, int64_t> PuntosValidos() const;

    // --- Applying, navigation and the lower buttons (f_pol_edt_apply.cpp) ---
    bool AplicaTabla();
    bool GuardaPunto(int32_t& punto);
    void PideZoom(bool reduce);
    void cmdRedibuja_Click();
    void cmdAv_Click(int16_t Index);
    void cmdAvP_Click(int16_t Index);
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    // The vertex in txtVert, when it holds one that the list has.
    std::optional<int32_t> VerticeDelCuadro() const;
    // How many vertices the list holds (its upper bound; 0 for none).
    int32_t VerticesDeLaLista() const;
    // While an apply runs: keeps a button's action for when it has ended, and says so.
    bool EsperaAlAplicar(std::function<void()> accion);
    // Marks an apply running; the last one to end runs the actions that waited for it.
    class Aplicando {
      public:
        explicit Aplicando(F_Pol_Edt& editor);
        ~Aplicando();
        Aplicando(const Aplicando&) = delete;
        Aplicando& operator=(const Aplicando&) = delete;

      private:
        F_Pol_Edt& editor_;
    };

    // --- Toolbar and colour (f_pol_edt_toolbar.cpp) ---
    void Toolbar1_ButtonClick(const ui::ToolbarButton& Button);
    void cmdColor_Click();

    // --- Perimeter and area (f_pol_edt_perimeter.cpp) ---
    void MuestraPerimetro();

    // --- Layout (f_pol_edt_layout.cpp) ---
    void Form_Resize();

    // --- Refusals (f_pol_edt_messages.cpp) ---
    void AvisaCeldaNoNumerica(int32_t row, int32_t column, bool aplicando);
    void AvisaPolilineaSinVertices(int32_t pedida, int32_t actual);
    void AvisaVerticeSinPunto(int32_t actual, int32_t vertice, int32_t punto);
    void AvisaNumeroDePunto(int32_t row, const automation::Text& typed, std::optional<int32_t> punto);

    dialog::DialogServices& services_;
    dialog::DialogEvents& events_;
    std::unique_ptr<ui::Form> form_;

    // The controls, owned by the form. The control arrays cmdAvP(0/1) and cmdAv(0/1) are reached through the
    // form.
    ui::Frame& fraPuntos1;
    ui::TextBox& txPolis;
    ui::Label& labPolis;
    ui::Frame& fraPoli1;
    ui::TextBox& txtVert;
    ui::Label& labPol;
    ui::ComboBox& cmbCapaPol;
    ui::CommandButton& cmdColor;
    ui::Toolbar& Toolbar1;
    ui::VertexTable& tblPol;
    ui::Frame& fraZoom;
    ui::Label& Label4;
    ui::CommandButton& cmdCancelar;
    ui::CommandButton& cmdRedibuja;
    ui::CommandButton& cmdAceptar;

    // The dialog's own copy of the drawing and its position in it.
    int32_t nPtos = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    int32_t noCapas = 0;
    TextArray Capas;
    int32_t PolN = 0;
    LongArray VertP;
    int16_t capP = 0;
    int32_t NoPoli = 0;
    int32_t colPol = 0;
    int32_t NumVert = 0;
    int32_t VertAct = 0;
    int32_t PtoAct = 0;
    LongArray VertTabla;
    // What the rows of the last fill show until the user edits them.
    PointRows filasDePuntos_{X, Y, Z, Nombre, Código, CapaPuntos, Capas};
    // ListaVertices' gathering list, kept between commits.
    std::vector<int32_t> validos_;

    // A refused polyline arrow's next press steps past the polyline it could not show.
    dialog::RefusedStep polylineStep_;
    // Applies running, and the buttons pressed meanwhile.
    int32_t aplicando_ = 0;
    std::deque<std::function<void()>> esperando_;
};

}  // namespace orv::editor
