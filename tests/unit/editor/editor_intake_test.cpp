// The editor's intake: what the host hears during the set-up, the table's columns and rows, the header
// controls, the placement, the unload, and the intake errors that PasaDatos reports.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::decimalText;
using automation::Text;
using automation::toUtf8;

TEST(EditorIntake, SetUpAnnouncesThePolylineFocusesItsFirstPointAndFillsTheTable) {
    RecordingHost host{sampleDrawing(10, 5)};
    std::vector<std::string> duringShow;
    runEditor(host, [&](EditorForm& editor) {
        duringShow = host.events();
        auto& table = editor.table();
        ASSERT_EQ(table.Cols(), 8);
        EXPECT_EQ(table.Rows(), 6);
        EXPECT_EQ(editor.cell(0, 0), "Vertice");
        // Vertex 3 is point 3: its row, its data, its layer's name; coordinates shown with 3 decimals.
        std::vector<std::string> row;
        for (int32_t column = 0; column < 8; ++column)
            row.push_back(automation::toUtf8(table.displayText(3, column, {})));
        EXPECT_EQ(row, (std::vector<std::string>{"3", "3", "P3", "1003.125", "2006.500", "101.000", "C3",
                                                 "Capa 3"}));
    });
    EXPECT_EQ(duringShow, (Events{"newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}));
    // The script ran out: the close box unloads the editor, which cancels.
    EXPECT_EQ(host.events(), (Events{duringShow[0], duringShow[1], "CancelarEnfoca()"}));
}

// What the editor relies on of the grid control: its members, called in this order, with these columns.
TEST(EditorIntake, LoadStepDrivesTheTableInItsOrder) {
    RecordingHost host{sampleDrawing(10, 2)};
    runEditor(host, [&](EditorForm& editor) {
        const auto& calls = editor.table().memberCalls();
        // The design's size comes first, then the load step.
        const std::vector<std::string> load(calls.end() - 17, calls.end());
        EXPECT_EQ(load, (std::vector<std::string>{
                            "Cols = 8",
                            "Rows = 2",
                            "SetFileContext(\"Orv_Pol_editEditar Pol\", \"Editor de polilíneas\", \"*.pts\")",
                            "SetColumn(0, False, False, 0, 0, 2, 0, 5, \"Vertice\")",
                            "SetColumn(1, False, False, 4, 0, 2, 0, 7, \" Punto\")",
                            "SetColumn(2, False, False, 4, 0, 2, 0, 7, \" Nombre \")",
                            "SetColumn(3, False, False, 2, 3, 2, 0, 10, \"    X   \")",
                            "SetColumn(4, False, False, 2, 3, 2, 0, 10, \"    Y   \")",
                            "SetColumn(5, False, False, 2, 3, 2, 0, 10, \"    Z   \")",
                            "SetColumn(6, False, False, 4, 0, 0, 0, 10, \"Código\")",
                            "SetColumn(7, False, False, 4, 0, 0, 1, 10, \"Capa\")",
                            "ApplyColumns",
                            "Refresh",
                            "SetMode(False)",
                            "Prepare",
                            "SetFilePattern(\"Orv_Pol_editEditar Pol\", \"*.pts\")",
                            "Rows = 3",
                        }));
    });
}

TEST(EditorIntake, HeaderControlsShowThePolyline) {
    DrawingShape shape;
    shape.polylines = 4;
    shape.selected = 2;  // six vertices, layer 2
    RecordingHost host{sampleDrawing(shape)};
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(automation::toUtf8(editor.form().caption()), "Editor de polilíneas:");
        EXPECT_EQ(automation::toUtf8(editor.textBox("txtVert").text()), "1");
        EXPECT_EQ(automation::toUtf8(editor.textBox("txPolis").text()), "2");
        EXPECT_EQ(editor.caption("labPolis"), " /4");
        EXPECT_EQ(editor.caption("labPol"), " /6");
        EXPECT_EQ(editor.button("cmdColor").backColor(), sampleColour(2));
        EXPECT_EQ(editor.layers().items(), (std::vector<Text>{u"Capa 1", u"Capa 2", u"Capa 3", u"Capa 4"}));
        EXPECT_EQ(editor.layers().listIndex(), 1);
    });
}

TEST(EditorIntake, ShortestPolylineLayerZeroAndAVertexListFromZero) {
    Drawing shortest = sampleDrawing(10, 2);
    shortest.capP = 0;
    RecordingHost host{std::move(shortest)};
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(editor.caption("labPol"), " /2");
        EXPECT_EQ(editor.table().Rows(), 3);
        EXPECT_EQ(editor.layers().listIndex(), -1);
    });

    // A vertex without a point number shows its row number and its layer, and nothing of the point.
    Drawing withZero = sampleDrawing(10, 5);
    withZero.polylines[0].vertices = {1, 0, 3};
    withZero.select(1);
    RecordingHost zero{std::move(withZero)};
    runEditor(zero, [&](EditorForm& editor) {
        std::string row;
        for (int32_t column = 0; column < 8; ++column) row += editor.cell(2, column) + "|";
        EXPECT_EQ(row, "2|||||||Sin capa|");
    });

    DrawingShape shape;
    shape.vertexLower = 0;  // VertP(0) holds the decoy -1
    RecordingHost fromZero{sampleDrawing(shape)};
    runEditor(fromZero, [&](EditorForm& editor) { EXPECT_EQ(editor.table().Rows(), 6); });
    EXPECT_EQ(fromZero.events(), (Events{"newPolCambiala(1, 0:[-1 1 2 3 4 5], 1, 3, 255)",
                                         "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
}

// One line per control: its parent, caption, tooltip, place within the parent (for the controls the layout
// leaves alone) and "bold".
std::string designOf(const ui::Control& c) {
    std::ostringstream line;
    line << c.name();
    if (c.index() >= 0) line << "(" << c.index() << ")";
    line << " in " << (c.parent() ? c.parent()->name() : "form");
    if (auto* button = dynamic_cast<const ui::CommandButton*>(&c))
        line << " \"" << toUtf8(button->caption()) << "\"";
    if (auto* label = dynamic_cast<const ui::Label*>(&c); label && c.name() != "Label4")
        line << " \"" << toUtf8(label->caption()) << "\"";
    if (!c.toolTip().empty()) line << " tip \"" << toUtf8(c.toolTip()) << "\"";
    static const std::set<std::string> laidOut = {"tblPol", "fraZoom", "cmdCancelar", "cmdRedibuja",
                                                  "cmdAceptar"};
    if (!laidOut.contains(c.name()))
        for (float v : {c.left(), c.top(), c.width(), c.height()}) line << " " << int(v);
    if (c.bold()) line << " bold";
    return line.str();
}

TEST(EditorIntake, ControlsAsDesignedAndTheToolbarKeys) {
    RecordingHost host;
    std::vector<std::string> design;
    std::vector<Text> keys;
    runEditor(host, [&](EditorForm& editor) {
        for (const auto& control : editor.form().controls()) design.push_back(designOf(*control));
        const ui::Toolbar& toolbar = editor.toolbar();
        for (const auto& button : toolbar.buttons())
            keys.push_back(button.key + u"@" + decimalText(button.imageIndex));
        // Six pictures a user tells apart, each drawn on part of the silver ground that the mask leaves out.
        EXPECT_EQ(toolbar.maskColor(), 0x00C0C0C0u);
        std::set<std::vector<uint32_t>> distinct;
        for (const auto& image : toolbar.images()) {
            const std::vector<uint32_t> pixels(std::begin(image.pixels), std::end(image.pixels));
            const auto ground = std::count(pixels.begin(), pixels.end(), toolbar.maskColor());
            EXPECT_TRUE(ground > 64 && ground < 230) << ground;
            distinct.insert(pixels);
        }
        EXPECT_EQ(distinct.size(), 6u);
    });
    EXPECT_EQ(design, (std::vector<std::string>{
                          "fraPuntos1 in form 60 0 7695 585 bold",
                          "Label1 in fraPuntos1 \"Pol\" 30 210 465 255",
                          "cmdAvP(0) in fraPuntos1 \"<\" 360 150 225 285 bold",
                          "cmdAvP(1) in fraPuntos1 \">\" 600 150 225 285 bold",
                          "txPolis in fraPuntos1 870 150 555 315 bold",
                          "labPolis in fraPuntos1 \" /3\" 1440 180 555 285 bold",
                          "fraPoli1 in fraPuntos1 2010 0 4695 585 bold",
                          "Label2 in fraPoli1 \"Vert\" 60 210 435 345",
                          "cmdAv(0) in fraPoli1 \"<\" 450 180 285 285",
                          "cmdAv(1) in fraPoli1 \">\" 750 180 285 285",
                          "txtVert in fraPoli1 1080 180 555 285",
                          "labPol in fraPoli1 \" /5\" 1650 210 495 285",
                          "Frame1 in fraPoli1 2160 0 2385 555",
                          "Label3 in Frame1 \"Capa\" 30 210 675 255",
                          "cmbCapaPol in Frame1 510 150 1335 315",
                          "cmdColor in Frame1 \" \" 1890 150 405 285",
                          "Toolbar1 in fraPuntos1 6630 90 795 390",
                          "tblPol in form",
                          "fraZoom in form",
                          "Label4 in fraZoom 90 150 480 195",
                          "cmdCancelar in form \"Cancelar\"",
                          "cmdRedibuja in form \"Aceptar\" tip \"Aplica los cambios y redibuja\"",
                          "cmdAceptar in form \"Capturar <<\" tip \"Captura gráficamente otro punto\"",
                      }));
    EXPECT_EQ(keys, (std::vector<Text>{u"z_amplia@0", u"z_reduce@1", u"Z_todo@2", u"Elim_vert@3",
                                       u"elim_ptos@4", u"eli_pol@5"}));
}

TEST(EditorIntake, PlacementFromTheDefaultThroughTheCloseBoxToTheNextFreshOpening) {
    RecordingHost host;
    bool storedBeforeCancel = true;
    host.onCancelarEnfoca = [&] {
        storedBeforeCancel =
            host.services().placements().stored(u"Editar Polilíneas", u"EditarPol") != nullptr;
    };
    const auto placement = [](const ui::Form& form) {
        return collaborators::Placement{form.left(), form.top(), form.width(), form.height()};
    };
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(placement(editor.form()), (collaborators::Placement{200, 500, 8700, 5700}));
        editor.form().userResizes(9000, 6000);
        editor.commit(2, 2, u"Cambiado");
    });
    EXPECT_FALSE(storedBeforeCancel) << "the unload raises Cancela first, then stores the placement";
    host.onCancelarEnfoca = nullptr;
    host.clearEvents();
    // The second opening is a fresh editor on fresh copies, where the first one was left.
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(placement(editor.form()), (collaborators::Placement{200, 500, 9000, 6000}));
        EXPECT_EQ(editor.cell(2, 2), "P2");
    });
    EXPECT_EQ(host.events().front(), "newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)");
}

TEST(EditorIntake, ErrorsReachPasaDatosAndNoEditorIsShown) {
    const std::string subscript = "Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo";
    const std::pair<std::function<void(Drawing&)>, std::string> cases[] = {
        {[](Drawing& d) { d.VertP = longArray({3}); }, subscript},
        {[](Drawing& d) { d.VertP.erase(); }, subscript},
        {[](Drawing& d) {
             d.VertP = longArray({3, 4, 5}, 2);
         },
         subscript},
        {[](Drawing& d) {
             d.VertP = longArray({1, 2, 50});
         },
         subscript},  // a point beyond the arrays
        {[](Drawing& d) {
             d.noCapas = 40000;
             d.Capas.redim(0, 40000);
         },
         "Enfoca Pollilinea - Error nº 6: Desbordamiento"},
    };
    for (const auto& [spoil, box] : cases) {
        Drawing drawing = sampleDrawing(10, 5);
        spoil(drawing);
        RecordingHost host{std::move(drawing)};
        host.open(kEditor);
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{box + " | 16 | Orv_Pol_edit"}));
        EXPECT_EQ(host.events(), Events{}) << box;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << box;
    }
}

}  // namespace
}  // namespace orv::test
