// The editor's intake: what the host hears during the set-up, the table and the header controls as the user
// first sees them, the placement, the unload, and the intake errors that PasaDatos reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

TEST(EditorSetUp, AnnouncesThePolylineFocusesItsFirstPointAndShowsItInTheTableAndTheHeader) {
    DrawingShape shape;
    shape.polylines = 4;
    shape.selected = 2;  // points 4 to 9, layer 2
    RecordingHost host{sampleDrawing(shape)};
    Events duringShow;
    runEditor(host, [&](EditorForm& editor) {
        duringShow = host.events();
        EXPECT_EQ(toUtf8(editor.form().caption()) + editor.text("txtVert") + editor.text("txPolis") +
                      editor.caption("labPolis") + editor.caption("labPol"),
                  "Editor de polilíneas:12 /4 /6");
        EXPECT_EQ(editor.button("cmdColor").backColor(), sampleColour(2));
        EXPECT_EQ(editor.layers().items(), (std::vector<Text>{u"Capa 1", u"Capa 2", u"Capa 3", u"Capa 4"}));
        EXPECT_EQ(editor.layers().listIndex(), 1);
        EXPECT_EQ(editor.row(0) + editor.row(3),
                  "Vertice| Punto| Nombre |    X   |    Y   |    Z   "
                  "|Código|Capa|3|6|P6|1006.125|2012.500|102.000|C6|Capa 2|");
        // The grid is driven in this order: the design's size first, then the load step, then the fill.
        const auto& calls = editor.table().memberCalls();
        std::string load;
        for (auto call = calls.end() - 17; call != calls.end(); ++call) load += *call + "; ";
        EXPECT_EQ(
            load,
            "Cols = 8; Rows = 2; "
            "SetFileContext(\"Orv_Pol_editEditar Pol\", \"Editor de polilíneas\", \"*.pts\"); "
            "SetColumn(0, False, False, 0, 0, 2, 0, 5, \"Vertice\"); "
            "SetColumn(1, False, False, 4, 0, 2, 0, 7, \" Punto\"); "
            "SetColumn(2, False, False, 4, 0, 2, 0, 7, \" Nombre \"); "
            "SetColumn(3, False, False, 2, 3, 2, 0, 10, \"    X   \"); "
            "SetColumn(4, False, False, 2, 3, 2, 0, 10, \"    Y   \"); "
            "SetColumn(5, False, False, 2, 3, 2, 0, 10, \"    Z   \"); "
            "SetColumn(6, False, False, 4, 0, 0, 0, 10, \"Código\"); "
            "SetColumn(7, False, False, 4, 0, 0, 1, 10, \"Capa\"); ApplyColumns; Refresh; SetMode(False); "
            "Prepare; SetFilePattern(\"Orv_Pol_editEditar Pol\", \"*.pts\"); Rows = 7; ");
    });
    EXPECT_EQ(duringShow, (Events{"newPolCambiala(2, [4 5 6 7 8 9], 2, 4, 65280)", "EnfocaPuntito(4, 2)"}));
    // The script ran out: the close box unloads the editor, which cancels.
    EXPECT_EQ(host.events(), (Events{duringShow[0], duringShow[1], "CancelarEnfoca()"}));
}

TEST(EditorSetUp, ShortestPolylineLayerZeroVertexWithoutAPointAndAListFromZero) {
    Drawing shortest = sampleDrawing(10, 2);
    shortest.capP = 0;
    RecordingHost host{std::move(shortest)};
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(editor.caption("labPol") +
                      std::to_string(editor.table().Rows() * 10 + editor.layers().listIndex()),
                  " /229");
    });
    // A vertex without a point number shows its row number and its layer, and nothing of the point.
    // A point on a layer the list has no name for shows no layer.
    Drawing withZero = planDrawing({{0, 0}, {1, 0}, {2, 0}}, {1, 0, 3});
    withZero.CapaPuntos(3) = 7;
    RecordingHost zero{std::move(withZero)};
    runEditor(zero, [&](EditorForm& editor) {
        EXPECT_EQ(editor.row(2) + editor.row(3), "2|||||||Sin capa|3|3|P3|2.000|0.000|101.000|C3||");
    });

    DrawingShape shape;
    shape.vertexLower = 0;  // VertP(0) holds the decoy -1
    RecordingHost fromZero{sampleDrawing(shape)};
    runEditor(fromZero, [&](EditorForm& editor) { EXPECT_EQ(editor.table().Rows(), 6); });
    EXPECT_EQ(fromZero.events(), (Events{"newPolCambiala(1, 0:[-1 1 2 3 4 5], 1, 3, 255)",
                                         "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
}

// A control as the user sees it before the set-up writes it: parent, caption, tooltip, place and font.
std::string designOf(ui::Form& form, const char* name) {
    const ui::Control& c = form.find(name) ? *form.find(name) : *form.find(name, 0);
    std::ostringstream line;
    line << (c.parent() ? c.parent()->name() : "form");
    if (auto* button = dynamic_cast<const ui::CommandButton*>(&c))
        line << " \"" << toUtf8(button->caption()) << "\"";
    if (!c.toolTip().empty()) line << " tip \"" << toUtf8(c.toolTip()) << "\"";
    for (float v : {c.left(), c.top(), c.width(), c.height()}) line << " " << v;
    if (c.bold()) line << " bold";
    return line.str();
}

TEST(EditorSetUp, DesignOfTheControlsTheUserFindsThingsByAndTheToolbar) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        ui::Form& f = editor.form();
        std::string design;
        for (const char* name : {"fraPuntos1", "cmdAvP", "fraPoli1", "cmdAv", "Frame1", "cmdColor",
                                 "Toolbar1", "cmdAceptar", "cmdRedibuja"})
            design += designOf(f, name) + "; ";
        EXPECT_EQ(
            design,
            "form 60 0 7695 585 bold; fraPuntos1 \"<\" 360 150 225 285 bold; fraPuntos1 2010 0 4695 585 "
            "bold; fraPoli1 \"<\" 450 180 285 285; fraPoli1 2160 0 2385 555; Frame1 \" \" 1890 150 405 285; "
            "fraPuntos1 6630 90 795 390; form \"Capturar <<\" tip \"Captura gráficamente otro punto\" "
            "7432.5 4926.9 1125 405; form \"Aceptar\" tip \"Aplica los cambios y redibuja\" 5257.5 4926.9 "
            "885 405; ");
        EXPECT_TRUE(editor.button("cmdColor").graphical());
        EXPECT_EQ(f.controls().size(), 23u);

        const ui::Toolbar& toolbar = editor.toolbar();
        std::string keys;
        for (const auto& button : toolbar.buttons())
            keys += toUtf8(button.key) + "@" + std::to_string(button.imageIndex) + " ";
        EXPECT_EQ(keys, "z_amplia@0 z_reduce@1 Z_todo@2 Elim_vert@3 elim_ptos@4 eli_pol@5 ");
        // Six pictures a user tells apart, each drawn on part of the silver ground that the mask leaves out.
        EXPECT_EQ(toolbar.maskColor(), 0x00C0C0C0u);
        std::set<std::vector<uint32_t>> distinct;
        uint64_t checksum = 1469598103934665603u;  // the pictures as drawn: any stroke changed shows here
        for (const auto& image : toolbar.images()) {
            for (uint32_t pixel : image.pixels) checksum = (checksum ^ pixel) * 1099511628211u;
            const std::vector<uint32_t> pixels(std::begin(image.pixels), std::end(image.pixels));
            const auto ground = std::count(pixels.begin(), pixels.end(), toolbar.maskColor());
            EXPECT_TRUE(ground > 64 && ground < 230) << ground;
            distinct.insert(pixels);
        }
        EXPECT_EQ(distinct.size(), 6u);
        EXPECT_EQ(checksum, 14607820999439703735u);
    });
}

// "Cancelar" and Esc hide the editor, then raise Cancela once; the close box unloads it, which raises Cancela
// first and stores the placement after. Each opening is a fresh editor on fresh copies, where the last was.
TEST(EditorSetUp, PlacementFromTheDefaultThroughEachWayOutToTheNextFreshOpening) {
    RecordingHost host;
    for (const std::string way : {"close box", "cmdCancelar", "Esc"}) {
        std::string atCancel;
        runEditor(host, [&](EditorForm& editor) {
            const ui::Form& f = editor.form();
            EXPECT_EQ((collaborators::Placement{f.left(), f.top(), f.width(), f.height()}),
                      (collaborators::Placement{200, 500, way == "close box" ? 8700.f : 9000.f, 5700}));
            EXPECT_EQ(editor.cell(2, 2), "P2");
            editor.commit(2, 2, u"Cambiado");
            host.clearEvents();
            host.onCancelarEnfoca = [&] {
                atCancel =
                    host.services().placements().stored(u"Editar Polilíneas", u"EditarPol") ? "stored" : "";
                if (way != "close box") atCancel = f.shown() ? "shown" : "hidden";
            };
            if (way == "close box") editor.form().userResizes(9000, 5700);
            way == "Esc"           ? editor.form().userPressesEscape()
            : way == "cmdCancelar" ? editor.click("cmdCancelar")
                                   : void();
        });
        EXPECT_EQ(atCancel, way == "close box" ? "" : "hidden") << way;
        EXPECT_EQ(host.events(), (Events{"CancelarEnfoca()"})) << way;
    }
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 1);
}

TEST(EditorSetUp, ErrorsReachPasaDatosAndNoEditorIsShown) {
    const std::string subscript = "Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo";
    // The vertex list, the layer count, where Z starts, the box.
    const std::tuple<LongArray, int32_t, int32_t, std::string> cases[] = {
        {longArray({3}), 4, 0, subscript},
        {LongArray(), 4, 0, subscript},
        {longArray({3, 4, 5}, 2), 4, 0, subscript},
        {longArray({1, 2, 50}), 4, 0, subscript},  // a point beyond the arrays
        {longArray({1, 2}), 4, 2, subscript},      // a point before them
        {longArray({1, 2}), 40000, 0, "Enfoca Pollilinea - Error nº 6: Desbordamiento"},
    };
    for (const auto& [vertices, layers, zFrom, box] : cases) {
        Drawing drawing = sampleDrawing(10, 5);
        drawing.Z.redimPreserve(zFrom, 10);
        drawing.VertP = vertices;
        drawing.noCapas = layers;
        drawing.Capas.redimPreserve(0, layers);
        RecordingHost host{std::move(drawing)};
        host.open(kEditor);
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{box + " | 16 | Orv_Pol_edit"}));
        EXPECT_EQ(host.events(), Events{}) << box;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << box;
    }
}

}  // namespace
}  // namespace orv::test
