#pragma once
// The user at the focus dialog: finds its controls by name, clicks and types through the same paths a window
// would, and reads back what the dialog shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/text_box.h"

namespace orv::test::focus {

template <class C>
C& control(ui::Form& form, std::string_view name, int16_t index = -1) {
    auto* found = dynamic_cast<C*>(form.find(name, index));
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
// The caption of a frame, a label or a button.
inline std::string caption(ui::Form& form, std::string_view name, int16_t index = -1) {
    ui::Control* found = form.find(name, index);
    if (auto* frame = dynamic_cast<ui::Frame*>(found)) return automation::toUtf8(frame->caption());
    if (auto* label = dynamic_cast<ui::Label*>(found)) return automation::toUtf8(label->caption());
    return automation::toUtf8(control<ui::CommandButton>(form, name, index).caption());
}
// The layer a list shows: its position + 1, 0 with no selection.
inline int32_t layerShown(ui::Form& form, std::string_view list) {
    return control<ui::ComboBox>(form, list).listIndex() + 1;
}

// The vertex on display and the point behind it, as one line:
// "vértice 3 punto 3: P3 1003.125 2006.500 101.000 C3 capa 3".
inline std::string shown(ui::Form& form) {
    return "vértice " + text(form, "txtVert") + " punto " + text(form, "txtN") + ": " + text(form, "txtNom") +
           " " + text(form, "txtX") + " " + text(form, "txtY") + " " + text(form, "txtZ") + " " +
           text(form, "txtcod") + " capa " + std::to_string(layerShown(form, "cmbCapa"));
}

// The polyline on display, field, captions and layer: "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5|
// /5] capa 1".
inline std::string polylineShown(ui::Form& form) {
    return "polilínea " + text(form, "txPolis") + caption(form, "labPolis") + " [" +
           caption(form, "fraPuntos") + "|" + caption(form, "fraPoli") + "|" + caption(form, "fraVert") +
           "|" + caption(form, "labPol") + "] capa " + std::to_string(layerShown(form, "cmbCapaPol"));
}

}  // namespace orv::test::focus
