#pragma once
// The editor as a host opens it (PasaDatos with a Tipo other than 0), driven by name through its controls'
// user paths while it is shown.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "automation/number_reading.h"
#include "support/recording_host.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/table/vertex_table.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"

namespace orv::test {

inline constexpr int16_t kEditor = 1;
using automation::Text;
using automation::toUtf8;

class EditorForm {
  public:
    explicit EditorForm(ui::Form& form) : form_(form) {}

    template <class C = ui::Control>
    C& as(const char* name, int16_t index = -1) const {
        auto* control = form_.findAs<C>(name, index);
        if (!control) throw std::logic_error(std::string("the editor has no such control: ") + name);
        return *control;
    }
    ui::Form& form() const { return form_; }
    ui::VertexTable& table() const { return as<ui::VertexTable>("tblPol"); }
    ui::CommandButton& button(const char* name) const { return as<ui::CommandButton>(name); }
    ui::ComboBox& layers() const { return as<ui::ComboBox>("cmbCapaPol"); }
    ui::Toolbar& toolbar() const { return as<ui::Toolbar>("Toolbar1"); }

    void click(const char* name, int16_t index = -1) const { as<ui::CommandButton>(name, index).click(); }
    void type(const char* box, const char16_t* text) const { as<ui::TextBox>(box).userTypes(text); }
    std::string text(const char* box) const { return toUtf8(as<ui::TextBox>(box).text()); }
    std::string caption(const char* name) const { return toUtf8(as<ui::Label>(name).caption()); }
    // The user edits a cell and leaves it.
    void commit(int32_t row, int32_t column, const Text& text, automation::NumberLocale locale = {}) const {
        table().userCommits(row, column, text, locale);
    }
    // What a cell holds; a row as the user sees it, "|" after each cell.
    std::string cell(int32_t row, int32_t column) const {
        return toUtf8(automation::valueText(table().Cell(row, column), {}));
    }
    std::string row(int32_t row) const {
        std::string shown;
        for (int32_t column = 0; column < 8; ++column)
            shown += toUtf8(table().displayText(row, column, {})) + "|";
        return shown;
    }

  private:
    ui::Form& form_;
};

// Opens the editor on the host's drawing; the steps run, in order, as the user's actions while it is shown.
// When they run out the toolkit closes the editor by its close box.
inline void runEditor(RecordingHost& host, std::vector<std::function<void(EditorForm&)>> steps) {
    for (auto& step : steps)
        host.script([step = std::move(step)](ui::Form& form) {
            EditorForm editor(form);
            step(editor);
        });
    host.open(kEditor);
}

inline void runEditor(RecordingHost& host, std::function<void(EditorForm&)> step) {
    runEditor(host, std::vector<std::function<void(EditorForm&)>>{std::move(step)});
}

// Point p stands at positions[p - 1] in plan; polyline 1 runs through the vertices.
inline Drawing planDrawing(const std::vector<std::pair<double, double>>& positions,
                           const std::vector<int32_t>& vertices) {
    Drawing drawing = sampleDrawing(static_cast<int32_t>(positions.size()), 5);
    for (int32_t p = 1; p <= static_cast<int32_t>(positions.size()); ++p)
        std::tie(drawing.X(p), drawing.Y(p)) = positions[p - 1];
    drawing.polylines[0].vertices = vertices;
    drawing.select(1);
    return drawing;
}

}  // namespace orv::test
