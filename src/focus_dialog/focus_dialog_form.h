#pragma once
// The focus dialog's window as designed: the form, every control with its design values, and the keyboard
// order. F_Enf_Pol builds on it, so that the dialog's routines name the controls as they are named here.
#include <array>

#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/text_box.h"

namespace orv::focus_dialog {

class FocusDialogForm {
  public:
    // Client area at design time; the outer size follows from the frame the toolkit reports at load.
    static constexpr double kDesignClientWidth = 3030;
    static constexpr double kDesignClientHeight = 4770;

    explicit FocusDialogForm(ui::Toolkit& toolkit);
    FocusDialogForm(const FocusDialogForm&) = delete;
    FocusDialogForm& operator=(const FocusDialogForm&) = delete;

  protected:
    ui::Form form;

    // Declared container first, so that every control is made after the one holding it.
    ui::Frame& fraPuntos;
    std::array<ui::Label*, 3> Label8;
    ui::TextBox& txPolis;
    ui::Label& labPolis;
    std::array<ui::CommandButton*, 2> cmdAvP;
    ui::Frame& fraPoli;
    ui::TextBox& txtVert;
    ui::Label& labPol;
    std::array<ui::CommandButton*, 2> cmdAv;
    ui::ComboBox& cmbCapaPol;
    ui::CommandButton& cmdColor;
    ui::Frame& fraVert;
    ui::Label& Label1;
    ui::TextBox& txtN;
    ui::Frame& Frame1;
    std::array<ui::CommandButton*, 2> cmdZm;
    ui::Label& Label2;
    ui::TextBox& txtNom;
    ui::Label& Label3;
    ui::TextBox& txtX;
    ui::Label& Label4;
    ui::TextBox& txtY;
    ui::Label& Label5;
    ui::TextBox& txtZ;
    ui::Label& Label6;
    ui::TextBox& txtcod;
    ui::Label& Label7;
    ui::ComboBox& cmbCapa;
    ui::CommandButton& cmdCancelar;
    ui::CommandButton& cmdRedibuja;
    ui::CommandButton& cmdAceptar;

  private:
    void setTabOrder();
};

}  // namespace orv::focus_dialog
