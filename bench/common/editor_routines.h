#pragma once
// The editor's table routines, for timing them one by one.
#include "editor/f_pol_edt.h"

namespace orv::bench {

class EditorRoutines {
  public:
    static void LlenaTabla(editor::F_Pol_Edt& e) { e.LlenaTabla(); }
    static bool AplicaTabla(editor::F_Pol_Edt& e) { return e.AplicaTabla(); }
    static void ListaVertices(editor::F_Pol_Edt& e) { e.ListaVertices(e.VertTabla); }
    static void MuestraPerimetro(editor::F_Pol_Edt& e) { e.MuestraPerimetro(); }
    static int32_t NumVert(const editor::F_Pol_Edt& e) { return e.NumVert; }
};

}  // namespace orv::bench
