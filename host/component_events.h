#pragma once
// What the host does with each event of C_Enf_Pol. Every argument is the dialog's own variable, by reference:
// what a handler writes into it is what the dialog continues with.
#include <windows.h>

#include <oleauto.h>

namespace orv::host {

struct EditedData {
    LONG* Name;
    LONG* nPtos;
    SAFEARRAY** X;
    SAFEARRAY** Y;
    SAFEARRAY** Z;
    SAFEARRAY** Nombre;
    SAFEARRAY** Código;
    SAFEARRAY** CapaPuntos;
    LONG* PolN;
    SAFEARRAY** nVer;
    SHORT* capP;
    LONG* NoPoli;
    LONG* colPol;
};

struct PolylineRequest {
    LONG* aPolN;
    SAFEARRAY** aVertP;
    SHORT* acapP;
    LONG* aNoPoli;
    LONG* acolpol;
};

class ComponentEvents {
  public:
    virtual void EnfocaPol(const EditedData& data) = 0;
    virtual void EnfocaPuntito(LONG& Name, LONG& polM) = 0;
    virtual void Zoom(VARIANT_BOOL& amplia, LONG& punto, LONG& polM) = 0;
    virtual void CancelarEnfoca() = 0;
    virtual void newPolCambiala(const PolylineRequest& request) = 0;

  protected:
    ~ComponentEvents() = default;
};

}  // namespace orv::host
