#pragma once
// The user at the focus dialog: finds its controls by name, clicks and types through the same paths a window
// would, and reads back what the dialog shows. The sample drawing: polyline 1 is points [1 2 3 4 5] (layer 1,
// colour 255), 2 is [4 5 6 7 8 9] (2, 65280), 3 is [7 8 9 10 1 2 3] (3, 16711680); point p is "P<p>", code
// "C<p>", X 1000 + p + 0.125, Y 2000 + 2p + 0.5, Z 100 + p / 3, layer 1 + (p - 1) mod 4.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/text.h"
#include "support/drawing.h"
#include "support/recording_host.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/label.h"
#include "ui/text_box.h"

namespace orv::test::focus {

template <class C>
C& control(ui::Form& form, std::string_view name, int16_t index = -1) {
    auto* found = form.findAs<C>(name, index);
    if (!found) throw std::logic_error("no control " + std::string(name));
    return *found;
}

inline void click(ui::Form& form, std::string_view name, int16_t index = -1) {
    control<ui::CommandButton>(form, name, index).click();
}
inline void type(ui::Form& form, std::string_view name, std::string_view utf8) {
    control<ui::TextBox>(form, name).userTypes(automation::fromUtf8(utf8));
}
inline std::string text(ui::Form& form, std::string_view name) {
    return automation::toUtf8(control<ui::TextBox>(form, name).text());
}
inline std::string caption(ui::Form& form, std::string_view name) {
    if (auto* frame = form.findAs<ui::Frame>(name)) return automation::toUtf8(frame->caption());
    return automation::toUtf8(control<ui::Label>(form, name).caption());
}
// The layer a list shows: its position + 1, 0 with no selection.
inline int32_t layerShown(ui::Form& form, std::string_view list) {
    return control<ui::ComboBox>(form, list).listIndex() + 1;
}

// The vertex on display and the point behind it: "vértice 3 punto 3: P3 1003.125 2006.500 101.000 C3 capa 3".
inline std::string shown(ui::Form& form) {
    return "vértice " + text(form, "txtVert") + " punto " + text(form, "txtN") + ": " + text(form, "txtNom") +
           " " + text(form, "txtX") + " " + text(form, "txtY") + " " + text(form, "txtZ") + " " +
           text(form, "txtcod") + " capa " + std::to_string(layerShown(form, "cmbCapa"));
}

inline const std::string kVertex1 = "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1";

// The polyline on display: "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1".
inline std::string polylineShown(ui::Form& form) {
    return "polilínea " + text(form, "txPolis") + caption(form, "labPolis") + " [" +
           caption(form, "fraPuntos") + "|" + caption(form, "fraPoli") + "|" + caption(form, "fraVert") +
           "|" + caption(form, "labPol") + "] capa " + std::to_string(layerShown(form, "cmbCapaPol"));
}

// A refusal's box: critical, OK only, the application's title.
inline std::string refusal(const std::string& text) {
    return text + " | 16 | Orv_Pol_edit";
}

// Events or boxes as one line, "; " between them.
inline std::string joined(const std::vector<std::string>& lines) {
    std::string result;
    for (const std::string& line : lines) result += (result.empty() ? "" : "; ") + line;
    return result;
}

// One user action written out: "cmdAv 1" clicks cmdAv(1), "cmdCancelar" clicks it, "txtVert=3" types 3.
inline void perform(ui::Form& form, const std::string& action) {
    const size_t at = action.find_first_of(" =");
    const std::string name = action.substr(0, at);
    if (at == std::string::npos) return click(form, name);
    if (action[at] == '=') return type(form, name, action.substr(at + 1));
    click(form, name, static_cast<int16_t>(std::stoi(action.substr(at + 1))));
}

// Runs the action at the n-th yield from now, as input the user queued while the handlers ran.
inline void atYield(ui::HeadlessToolkit& toolkit, int n, std::function<void()> action) {
    toolkit.duringNextYield([&toolkit, n, action] { n > 1 ? atYield(toolkit, n - 1, action) : action(); });
}

}  // namespace orv::test::focus
