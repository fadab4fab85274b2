#include "focus_dialog/focus_dialog_form.h"

#include <utility>
#include <vector>

namespace orv::focus_dialog {

namespace {

template <class C>
std::array<C*, 2> pairOf(ui::Form& form, const char* name, ui::Control* parent) {
    return {&form.add<C>(name, parent, 0), &form.add<C>(name, parent, 1)};
}

void place(ui::Control& control, double left, double top, double width, double height) {
    control.setBounds(left, top, width, height);
}

void caption(ui::Label& label, const char16_t* text) {
    label.setCaption(text);
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

    // In the dialog.
    fraPuntos.setCaption(u"Datos:");
    fraPuntos.setBold(true);
    place(fraPuntos, 30, 90, 2925, 4185);
    cmdCancelar.setCaption(u"Cancelar");
    cmdCancelar.setCancel(true);
    place(cmdCancelar, 30, 4320, 885, 405);
    cmdRedibuja.setCaption(u"Aplicar");
    cmdRedibuja.setToolTip(u"Aplica los cambios y redibuja");
    place(cmdRedibuja, 930, 4320, 885, 405);
    cmdAceptar.setCaption(u"Capturar <<");
    cmdAceptar.setToolTip(u"Captura gráficamente otro punto");
    place(cmdAceptar, 1860, 4320, 1125, 405);

    // In fraPuntos: the polyline row.
    Label8[1] = &form.add<ui::Label>("Label8", &fraPuntos, 1);
    caption(*Label8[1], u"Polilínea");
    place(*Label8[1], 150, 270, 615, 195);
    txPolis.setText(u"1");
    txPolis.setBold(true);
    place(txPolis, 990, 210, 555, 315);
    caption(labPolis, u"/ 1");
    labPolis.setBold(true);
    place(labPolis, 1620, 270, 555, 285);
    cmdAvP[0]->setCaption(u"<");
    place(*cmdAvP[0], 2100, 240, 285, 285);
    cmdAvP[1]->setCaption(u">");
    place(*cmdAvP[1], 2430, 240, 285, 285);
    for (ui::CommandButton* arrow : cmdAvP) arrow->setBold(true);
    fraPoli.setBold(true);
    place(fraPoli, 60, 600, 2835, 3555);

    // In fraPoli: the vertex row, the polyline's layer and colour.
    Label8[0] = &form.add<ui::Label>("Label8", &fraPoli, 0);
    caption(*Label8[0], u"Vértice");
    place(*Label8[0], 150, 270, 495, 195);
    txtVert.setText(u"1");
    place(txtVert, 930, 240, 555, 285);
    caption(labPol, u"/ 1");
    place(labPol, 1560, 270, 495, 285);
    cmdAv[0]->setCaption(u"<");
    place(*cmdAv[0], 2070, 240, 285, 285);
    cmdAv[1]->setCaption(u">");
    place(*cmdAv[1], 2400, 240, 285, 285);
    Label8[2] = &form.add<ui::Label>("Label8", &fraPoli, 2);
    caption(*Label8[2], u"Capa");
    place(*Label8[2], 270, 630, 375, 195);
    cmbCapaPol.setText(u"Combo1");
    place(cmbCapaPol, 930, 600, 1755, 315);
    cmdColor.setCaption(u" ");
    cmdColor.setGraphical(true);
    place(cmdColor, 2040, 30, 645, 165);
    fraVert.setCaption(u"Vértice");
    fraVert.setBold(true);
    place(fraVert, 60, 900, 2745, 2595);

    // In fraVert: the point behind the vertex.
    caption(Label1, u"Nº:");
    place(Label1, 405, 300, 225, 195);
    txtN.setText(u"1");
    place(txtN, 810, 300, 645, 285);
    Frame1.setCaption(u"Zoom");
    place(Frame1, 1590, 240, 975, 675);
    caption(Label2, u"Nombre:");
    place(Label2, 30, 615, 600, 195);
    txtNom.setText(u"1");
    place(txtNom, 810, 630, 705, 285);
    caption(Label3, u"X:");
    place(Label3, 480, 945, 150, 195);
    txtX.setText(u"0.000");
    place(txtX, 810, 945, 1575, 285);
    caption(Label4, u"Y:");
    place(Label4, 480, 1260, 150, 195);
    txtY.setText(u"0.000");
    place(txtY, 810, 1260, 1575, 285);
    caption(Label5, u"Z:");
    place(Label5, 480, 1575, 150, 195);
    txtZ.setText(u"0.00");
    place(txtZ, 810, 1560, 1575, 285);
    caption(Label6, u"Código:");
    place(Label6, 90, 1905, 540, 195);
    txtcod.setText(u" ");
    place(txtcod, 810, 1905, 1575, 285);
    caption(Label7, u"Capa:");
    place(Label7, 210, 2220, 420, 195);
    cmbCapa.setText(u"Combo1");
    place(cmbCapa, 810, 2220, 1575, 315);

    // In Frame1: "-" stands left of "+".
    cmdZm[0]->setCaption(u"+");
    cmdZm[0]->setToolTip(u"Amplia el dibujo");
    place(*cmdZm[0], 540, 240, 315, 315);
    cmdZm[1]->setCaption(u"-");
    cmdZm[1]->setToolTip(u"Reduce el dibujo");
    place(*cmdZm[1], 120, 240, 315, 315);

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
