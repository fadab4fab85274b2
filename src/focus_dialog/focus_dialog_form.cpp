#include "focus_dialog/focus_dialog_form.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace orv::focus_dialog {

namespace {

template <class C>
std::array<C*, 2> pairOf(ui::Form& form, const char* name, ui::Control* parent) {
    return {&form.add<C>(name, parent, 0), &form.add<C>(name, parent, 1)};
}

struct Bounds {
    double left, top, width, height;
};

// A control's design: its caption (or, for a text or combo box, its text) and its place in its parent.
template <class C>
void design(C& control, const char16_t* text, Bounds at) {
    if constexpr (requires { control.setCaption(text); })
        control.setCaption(text);
    else
        control.setText(text);
    control.setBounds(at.left, at.top, at.width, at.height);
}

template <class C>
struct Design {
    C& control;
    const char16_t* text;
    Bounds at;
};

template <class C>
void design(std::initializer_list<Design<C>> controls) {
    for (const Design<C>& d : controls) design(d.control, d.text, d.at);
}

}  // namespace

FocusDialogForm::FocusDialogForm(ui::Toolkit& toolkit)
    : form(toolkit, "F_Enf_Pol", u"Enfoca y edita Polilineas", ui::BorderStyle::FixedToolWindow),
      fraPuntos(form.add<ui::Frame>("fraPuntos")),
      Label8{},
      txPolis(form.add<ui::TextBox>("txPolis", &fraPuntos)),
      labPolis(form.add<ui::Label>("labPolis", &fraPuntos)),
      cmdAvP(pairOf<ui::CommandButton>(form, "cmdAvP", &fraPuntos)),
      fraPoli(form.add<ui::Frame>("fraPoli", &fraPuntos)),
      txtVert(form.add<ui::TextBox>("txtVert", &fraPoli)),
      labPol(form.add<ui::Label>("labPol", &fraPoli)),
      cmdAv(pairOf<ui::CommandButton>(form, "cmdAv", &fraPoli)),
      cmbCapaPol(form.add<ui::ComboBox>("cmbCapaPol", &fraPoli)),
      cmdColor(form.add<ui::CommandButton>("cmdColor", &fraPoli)),
      fraVert(form.add<ui::Frame>("fraVert", &fraPoli)),
      Label1(form.add<ui::Label>("Label1", &fraVert)),
      txtN(form.add<ui::TextBox>("txtN", &fraVert)),
      Frame1(form.add<ui::Frame>("Frame1", &fraVert)),
      cmdZm(pairOf<ui::CommandButton>(form, "cmdZm", &Frame1)),
      Label2(form.add<ui::Label>("Label2", &fraVert)),
      txtNom(form.add<ui::TextBox>("txtNom", &fraVert)),
      Label3(form.add<ui::Label>("Label3", &fraVert)),
      txtX(form.add<ui::TextBox>("txtX", &fraVert)),
      Label4(form.add<ui::Label>("Label4", &fraVert)),
      txtY(form.add<ui::TextBox>("txtY", &fraVert)),
      Label5(form.add<ui::Label>("Label5", &fraVert)),
      txtZ(form.add<ui::TextBox>("txtZ", &fraVert)),
      Label6(form.add<ui::Label>("Label6", &fraVert)),
      txtcod(form.add<ui::TextBox>("txtcod", &fraVert)),
      Label7(form.add<ui::Label>("Label7", &fraVert)),
      cmbCapa(form.add<ui::ComboBox>("cmbCapa", &fraVert)),
      cmdCancelar(form.add<ui::CommandButton>("cmdCancelar")),
      cmdRedibuja(form.add<ui::CommandButton>("cmdRedibuja")),
      cmdAceptar(form.add<ui::CommandButton>("cmdAceptar")) {
    // Until the toolkit reports its frame at load, the outer size is the design client size.
    form.setBounds(0, 0, kDesignClientWidth, kDesignClientHeight);

    Label8[1] = &form.add<ui::Label>("Label8", &fraPuntos, 1);
    Label8[0] = &form.add<ui::Label>("Label8", &fraPoli, 0);
    Label8[2] = &form.add<ui::Label>("Label8", &fraPoli, 2);

    design<ui::Frame>({
        {fraPuntos, u"Datos:", {30, 90, 2925, 4185}},
        {fraVert, u"Vértice", {60, 900, 2745, 2595}},
        {Frame1, u"Zoom", {1590, 240, 975, 675}},
    });
    design<ui::Label>({
        {*Label8[1], u"Polilínea", {150, 270, 615, 195}},
        {labPolis, u"/ 1", {1620, 270, 555, 285}},
        {*Label8[0], u"Vértice", {150, 270, 495, 195}},
        {labPol, u"/ 1", {1560, 270, 495, 285}},
        {*Label8[2], u"Capa", {270, 630, 375, 195}},
        {Label1, u"Nº:", {405, 300, 225, 195}},
        {Label2, u"Nombre:", {30, 615, 600, 195}},
        {Label3, u"X:", {480, 945, 150, 195}},
        {Label4, u"Y:", {480, 1260, 150, 195}},
        {Label5, u"Z:", {480, 1575, 150, 195}},
        {Label6, u"Código:", {90, 1905, 540, 195}},
        {Label7, u"Capa:", {210, 2220, 420, 195}},
    });
    design<ui::TextBox>({
        {txPolis, u"1", {990, 210, 555, 315}},
        {txtVert, u"1", {930, 240, 555, 285}},
        {txtN, u"1", {810, 300, 645, 285}},
        {txtNom, u"1", {810, 630, 705, 285}},
        {txtX, u"0.000", {810, 945, 1575, 285}},
        {txtY, u"0.000", {810, 1260, 1575, 285}},
        {txtZ, u"0.00", {810, 1560, 1575, 285}},
        {txtcod, u" ", {810, 1905, 1575, 285}},
    });
    design<ui::ComboBox>({
        {cmbCapaPol, u"Combo1", {930, 600, 1755, 315}},
        {cmbCapa, u"Combo1", {810, 2220, 1575, 315}},
    });
    design<ui::CommandButton>({
        {cmdCancelar, u"Cancelar", {30, 4320, 885, 405}},
        {cmdRedibuja, u"Aplicar", {930, 4320, 885, 405}},
        {cmdAceptar, u"Capturar <<", {1860, 4320, 1125, 405}},
        {*cmdAvP[0], u"<", {2100, 240, 285, 285}},
        {*cmdAvP[1], u">", {2430, 240, 285, 285}},
        {*cmdAv[0], u"<", {2070, 240, 285, 285}},
        {*cmdAv[1], u">", {2400, 240, 285, 285}},
        {cmdColor, u" ", {2040, 30, 645, 165}},
        {*cmdZm[0], u"+", {540, 240, 315, 315}},
        {*cmdZm[1], u"-", {120, 240, 315, 315}},  // left of "+"
    });
    fraPoli.setBounds(60, 600, 2835, 3555);  // its caption names the polyline on display
    for (ui::Control* bold : std::initializer_list<ui::Control*>{&fraPuntos, &fraPoli, &fraVert, &txPolis,
                                                                 &labPolis, cmdAvP[0], cmdAvP[1]})
        bold->setBold(true);
    cmdCancelar.setCancel(true);
    cmdRedibuja.setToolTip(u"Aplica los cambios y redibuja");
    cmdAceptar.setToolTip(u"Captura gráficamente otro punto");
    cmdColor.setGraphical(true);
    cmdZm[0]->setToolTip(u"Amplia el dibujo");
    cmdZm[1]->setToolTip(u"Reduce el dibujo");

    setTabOrder();
}

// The dialog opens with the focus on "Cancelar", the first control of this order.
void FocusDialogForm::setTabOrder() {
    const std::vector<ui::Control*> order = {&cmdCancelar, &cmdAceptar, &txPolis, cmdAvP[1],    cmdAvP[0],
                                             cmdAv[0],     cmdAv[1],    &txtVert, &cmbCapaPol,  cmdZm[1],
                                             cmdZm[0],     &txtN,       &txtNom,  &txtX,        &txtY,
                                             &txtZ,        &txtcod,     &cmbCapa, &cmdRedibuja, &cmdColor};
    int next = 0;
    for (ui::Control* control : order) control->setTabIndex(next++);
    // The rest (labels, frames) take no focus; they follow so that no index repeats.
    for (const auto& control : form.controls())
        if (!control->takesFocus()) control->setTabIndex(next++);
}

}  // namespace orv::focus_dialog
