// The editor's controls as designed: names, control-array indexes, parents, texts, fonts and positions (twips
// within the parent), and the wiring of their events to the dialog's handlers.
#include <string>

#include "editor/f_pol_edt.h"
#include "editor/toolbar_images.h"

namespace orv::editor {

namespace {

template <class C>
C& add(ui::Form& form, const char* name, ui::Control* parent, double left, double top, double width,
       double height, int16_t index = -1) {
    C& control = form.add<C>(name, parent, index);
    control.setBounds(left, top, width, height);
    return control;
}

ui::CommandButton& button(ui::Form& form, const char* name, ui::Control* parent, const char16_t* caption,
                          double left, double top, double width, double height, int16_t index = -1) {
    auto& result = add<ui::CommandButton>(form, name, parent, left, top, width, height, index);
    result.setCaption(caption);
    return result;
}

ui::Label& label(ui::Form& form, const char* name, ui::Control* parent, const char16_t* caption, double left,
                 double top, double width, double height) {
    auto& result = add<ui::Label>(form, name, parent, left, top, width, height);
    result.setCaption(caption);
    return result;
}

ui::TextBox& textBox(ui::Form& form, const char* name, ui::Control* parent, const char16_t* text, double left,
                     double top, double width, double height) {
    auto& result = add<ui::TextBox>(form, name, parent, left, top, width, height);
    result.setText(text);
    return result;
}

}  // namespace

std::unique_ptr<ui::Form> F_Pol_Edt::CreaFormulario(ui::Toolkit& toolkit) {
    auto form = std::make_unique<ui::Form>(toolkit, "F_Pol_Edt", u"Editor Polilíneas:",
                                           ui::BorderStyle::SizableToolWindow);
    ui::Form& f = *form;
    // The design size; the placement restored on load replaces it.
    f.setBounds(0, 0, kDesignClientWidth, kDesignClientHeight);

    auto& fraPuntos1 = add<ui::Frame>(f, "fraPuntos1", nullptr, 60, 0, 7695, 585);
    fraPuntos1.setBold(true);
    label(f, "Label1", &fraPuntos1, u"Pol", 30, 210, 465, 255);
    button(f, "cmdAvP", &fraPuntos1, u"<", 360, 150, 225, 285, 0).setBold(true);
    button(f, "cmdAvP", &fraPuntos1, u">", 600, 150, 225, 285, 1).setBold(true);
    textBox(f, "txPolis", &fraPuntos1, u"1", 870, 150, 555, 315).setBold(true);
    label(f, "labPolis", &fraPuntos1, u"/ 1", 1440, 180, 555, 285).setBold(true);

    auto& fraPoli1 = add<ui::Frame>(f, "fraPoli1", &fraPuntos1, 2010, 0, 4695, 585);
    fraPoli1.setBold(true);
    label(f, "Label2", &fraPoli1, u"Vert", 60, 210, 435, 345);
    button(f, "cmdAv", &fraPoli1, u"<", 450, 180, 285, 285, 0);
    button(f, "cmdAv", &fraPoli1, u">", 750, 180, 285, 285, 1);
    textBox(f, "txtVert", &fraPoli1, u"1", 1080, 180, 555, 285);
    label(f, "labPol", &fraPoli1, u"/ 1", 1650, 210, 495, 285);

    auto& Frame1 = add<ui::Frame>(f, "Frame1", &fraPoli1, 2160, 0, 2385, 555);
    label(f, "Label3", &Frame1, u"Capa", 30, 210, 675, 255);
    add<ui::ComboBox>(f, "cmbCapaPol", &Frame1, 510, 150, 1335, 315).setText(u"Combo1");
    button(f, "cmdColor", &Frame1, u" ", 1890, 150, 405, 285).setGraphical(true);

    auto& Toolbar1 = add<ui::Toolbar>(f, "Toolbar1", &fraPuntos1, 6630, 90, 795, 390);
    Toolbar1.setImages(editorToolbarImages(), kToolbarMaskColor);
    int image = 0;
    for (const char16_t* key : {u"z_amplia", u"z_reduce", u"Z_todo", u"Elim_vert", u"elim_ptos", u"eli_pol"})
        Toolbar1.addButton(key, image++);

    auto& tblPol = add<ui::VertexTable>(f, "tblPol", nullptr, 60, 600, 7695, 2295);
    tblPol.setCols(4);
    tblPol.setRows(3);

    auto& fraZoom = add<ui::Frame>(f, "fraZoom", nullptr, 60, 3090, 4725, 555);
    label(f, "Label4", &fraZoom, u"Label4", 90, 150, 480, 195);

    button(f, "cmdCancelar", nullptr, u"Cancelar", 4830, 3300, 885, 405).setCancel(true);
    button(f, "cmdRedibuja", nullptr, u"Aceptar", 5760, 3300, 885, 405)
        .setToolTip(u"Aplica los cambios y redibuja");
    button(f, "cmdAceptar", nullptr, u"Capturar <<", 6720, 3300, 1125, 405)
        .setToolTip(u"Captura gráficamente otro punto");

    // Keyboard order follows the design order.
    int tab = 0;
    for (const auto& control : f.controls()) control->setTabIndex(tab++);
    return form;
}

template <class C>
C& F_Pol_Edt::control(const char* name, int16_t index) const {
    return dynamic_cast<C&>(*form_->find(name, index));
}

F_Pol_Edt::F_Pol_Edt(dialog::DialogServices& services, dialog::DialogEvents& events)
    : services_(services),
      events_(events),
      form_(CreaFormulario(services.toolkit())),
      fraPuntos1(control<ui::Frame>("fraPuntos1")),
      txPolis(control<ui::TextBox>("txPolis")),
      labPolis(control<ui::Label>("labPolis")),
      fraPoli1(control<ui::Frame>("fraPoli1")),
      txtVert(control<ui::TextBox>("txtVert")),
      labPol(control<ui::Label>("labPol")),
      cmbCapaPol(control<ui::ComboBox>("cmbCapaPol")),
      cmdColor(control<ui::CommandButton>("cmdColor")),
      Toolbar1(control<ui::Toolbar>("Toolbar1")),
      tblPol(control<ui::VertexTable>("tblPol")),
      fraZoom(control<ui::Frame>("fraZoom")),
      Label4(control<ui::Label>("Label4")),
      cmdCancelar(control<ui::CommandButton>("cmdCancelar")),
      cmdRedibuja(control<ui::CommandButton>("cmdRedibuja")),
      cmdAceptar(control<ui::CommandButton>("cmdAceptar")) {
    ConectaEventos();
}

void F_Pol_Edt::ConectaEventos() {
    form_->onLoad = [this] { Form_Load(); };
    form_->onUnload = [this] { Form_Unload(); };
    form_->onResize = [this] { Form_Resize(); };
    for (int16_t index : {int16_t{0}, int16_t{1}}) {
        control<ui::CommandButton>("cmdAvP", index).onClick = [this, index] { cmdAvP_Click(index); };
        control<ui::CommandButton>("cmdAv", index).onClick = [this, index] { cmdAv_Click(index); };
    }
    cmdRedibuja.onClick = [this] { cmdRedibuja_Click(); };
    cmdAceptar.onClick = [this] { cmdAceptar_Click(); };
    cmdCancelar.onClick = [this] { cmdCancelar_Click(); };
    cmdColor.onClick = [this] { cmdColor_Click(); };
    Toolbar1.onButtonClick = [this](const ui::ToolbarButton& Button) { Toolbar1_ButtonClick(Button); };
    tblPol.RowEnter = [this] { tblPol_RowEnter(); };
    tblPol.CellCommit = [this] { tblPol_CellCommit(); };
    tblPol.setRowSource(&filasDePuntos_);
}

F_Pol_Edt::~F_Pol_Edt() {
    // PasaDatos releases the editor when it returns, also one that "Capturar <<" or "Cancelar" only hid: from
    // here on nothing of it may reach the host, not even the unload's Cancela while its window is destroyed.
    form_->onLoad = nullptr;
    form_->onUnload = nullptr;
    form_->onResize = nullptr;
    for (const auto& control : form_->controls()) {
        if (auto* commandButton = dynamic_cast<ui::CommandButton*>(control.get()))
            commandButton->onClick = nullptr;
        if (auto* textBox = dynamic_cast<ui::TextBox*>(control.get())) textBox->onChange = nullptr;
    }
    Toolbar1.onButtonClick = nullptr;
    tblPol.RowEnter = nullptr;
    tblPol.CellCommit = nullptr;
    // The rows' source goes before the form that holds the table.
    tblPol.setRowSource(nullptr);
}

}  // namespace orv::editor
