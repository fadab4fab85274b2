#pragma once
// For hosts written in C++: the identifiers of Orv_Pol_edit.dll and its default interface, as the type
// library describes them. Events arrive through IConnectionPointContainer on a sink implementing IDispatch
// for DIID___C_Enf_Pol (dispatch identifiers 1 to 5).
#include <oaidl.h>

inline constexpr GUID LIBID_Orv_Pol_edit = {
    0xD0755A44, 0x598B, 0x415B, {0x9E, 0x63, 0xA0, 0x00, 0x73, 0x0B, 0x42, 0x54}};
inline constexpr GUID CLSID_C_Enf_Pol = {
    0x89AAB406, 0x1F07, 0x445E, {0xB5, 0x02, 0x63, 0x01, 0x4D, 0x09, 0x81, 0x7F}};
inline constexpr GUID IID__C_Enf_Pol = {
    0x0C047ECF, 0x0B68, 0x4F28, {0xB3, 0xE4, 0x23, 0x45, 0x5F, 0x7B, 0xC7, 0x25}};
inline constexpr GUID DIID___C_Enf_Pol = {
    0x2E117657, 0x4504, 0x4895, {0x8E, 0x59, 0x7A, 0xA7, 0x7D, 0xDE, 0x8B, 0xBF}};

inline constexpr wchar_t kOrvPolEditProgId[] = L"Orv_Pol_edit.C_Enf_Pol";
inline constexpr WORD kOrvPolEditLibMajor = 39;
inline constexpr WORD kOrvPolEditLibMinor = 0;
inline constexpr DISPID DISPID_PasaDatos = 0x60030000;

// Dispatch identifiers of the events.
enum C_Enf_PolEventId : DISPID {
    DISPID_EnfocaPol = 1,
    DISPID_EnfocaPuntito = 2,
    DISPID_Zoom = 3,
    DISPID_CancelarEnfoca = 4,
    DISPID_newPolCambiala = 5,
};

// The dual interface: IDispatch, then PasaDatos in the eighth slot.
struct _C_Enf_Pol : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE PasaDatos(SHORT* Tipo, IDispatch** frm1, LONG* PtoEnfo, LONG* Nuput,
                                                SAFEARRAY** X, SAFEARRAY** Y, SAFEARRAY** Z,
                                                SAFEARRAY** Nombre, SAFEARRAY** Código,
                                                SAFEARRAY** CapaPuntos, LONG* noCapas, SAFEARRAY** Capas,
                                                LONG* PolN, SAFEARRAY** VertP, SHORT* capP, LONG NoPoli,
                                                LONG* Polcol) = 0;
};
