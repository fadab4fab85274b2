#pragma once
// The traps of the class: one critical message box, "<prefix><number>: <description>", titled with the
// error's source; then the routine ends normally.
#include "automation/automation_error.h"
#include "ui/toolkit.h"

namespace orv::component {

inline constexpr char16_t kPasaDatosTrap[] = u"Enfoca Pollilinea - Error nº ";
inline constexpr char16_t kRetornaOpcionTrap[] = u"Enfoca Pol - Error nº ";
inline constexpr char16_t kRetornaPuntoTrap[] = u"Enfoca Puntos - Error nº ";

// Inside a catch: the exception being handled as the platform would report it. Ours carry their own number;
// the standard library's failures get the closest standard error (memory 7, range 9, overflow 6, else 5), as
// the dialogs' event boundary gives them.
automation::AutomationError currentError();

// Shows the trap's box for the exception being handled. Call only inside a catch.
void reportCurrentError(ui::Toolkit& toolkit, automation::TextView prefix) noexcept;
// Shows the trap's box for an error found before the routine could start (the COM edge's intake checks).
void reportError(ui::Toolkit& toolkit, automation::TextView prefix,
                 const automation::AutomationError& error) noexcept;

}  // namespace orv::component
