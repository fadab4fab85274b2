#pragma once
// The editor as a host opens it: PasaDatos with a Tipo other than 0 on the host's drawing, and the editor's
// form driven by name through its controls' user paths while it is shown.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
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

    ui::Form& form() const { return form_; }
    ui::VertexTable& table() const { return as<ui::VertexTable>("tblPol"); }
    ui::TextBox& textBox(const char* name) const { return as<ui::TextBox>(name); }
    ui::CommandButton& button(const char* name, int16_t index = -1) const {
        return as<ui::CommandButton>(name, index);
    }
    ui::ComboBox& layers() const { return as<ui::ComboBox>("cmbCapaPol"); }
    ui::Toolbar& toolbar() const { return as<ui::Toolbar>("Toolbar1"); }
    ui::Control& control(const char* name, int16_t index = -1) const { return as<ui::Control>(name, index); }

    void click(const char* name, int16_t index = -1) const { button(name, index).click(); }
    void type(const char* box, const char16_t* text) const { textBox(box).userTypes(text); }
    std::string text(const char* box) const { return toUtf8(textBox(box).text()); }
    // The user edits a cell and leaves it.
    void commit(int32_t row, int32_t column, const Text& text, automation::NumberLocale locale = {}) const {
        table().userCommits(row, column, text, locale);
    }
    // What a cell holds, and what it shows.
    std::string cell(int32_t row, int32_t column) const {
        return toUtf8(automation::valueText(table().Cell(row, column), {}));
    }
    std::string shown(int32_t row, int32_t column) const {
        return toUtf8(table().displayText(row, column, {}));
    }
    std::string caption(const char* name) const { return toUtf8(as<ui::Label>(name).caption()); }

  private:
    template <class C>
    C& as(const char* name, int16_t index = -1) const {
        auto* control = dynamic_cast<C*>(form_.find(name, index));
        if (!control) throw std::logic_error(std::string("the editor has no such control: ") + name);
        return *control;
    }

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

// A drawing whose points stand at the given plan positions (point p at positions[p - 1]) and whose polyline 1
// runs through the given points.
inline Drawing planDrawing(const std::vector<std::pair<double, double>>& positions,
                           const std::vector<int32_t>& vertices) {
    Drawing drawing = sampleDrawing(static_cast<int32_t>(positions.size()), 5);
    for (size_t i = 0; i < positions.size(); ++i) {
        drawing.X(static_cast<int64_t>(i) + 1) = positions[i].first;
        drawing.Y(static_cast<int64_t>(i) + 1) = positions[i].second;
    }
    drawing.polylines[0].vertices = vertices;
    drawing.select(1);
    return drawing;
}

// The row's cells as the user sees them, joined by "|".
inline std::string rowShown(const EditorForm& editor, int32_t row) {
    std::string shown;
    for (int32_t column = 0; column < 8; ++column) shown += editor.shown(row, column) + "|";
    return shown;
}

}  // namespace orv::test
