#pragma once
// The one place where failures of a control event handler stop: every user-originated event (a click, typing,
// a close, a resize, a table event) runs through here. A handler that traps its own errors (the capture
// buttons) shows its own box; whatever else escapes is refused in an orderly way: one critical message box
// naming the error, the dialog stays as it is, nothing propagates into the host.
//
// The box: text "Error nº <number>: <description>" (e.g. "Error nº 9: El subíndice está fuera del
// intervalo"), style critical with OK only (16), title the error's source, or the application title when it
// names none. A failure that is not an AutomationError is shown as the nearest standard error: memory 7, out
// of range 9, overflow 6, any other 5. A hardware fault inside the handler, where the toolkit can stop one,
// is refused the same way, as error 51 "Error interno" with the exception's code and address.
#include <functional>
#include <optional>

#include "automation/automation_error.h"

namespace orv::ui {

class Toolkit;

void runEventHandler(Toolkit& toolkit, const std::function<void()>& handler) noexcept;

// For a handler that traps its own errors and shows them in a box of its own: runs the steps and gives back
// whatever failure ended them as an error (a hardware fault, a C++ failure as its nearest standard error),
// or nothing when they ran to their end.
std::optional<automation::AutomationError> runTrapped(Toolkit& toolkit, const std::function<void()>& steps);

}  // namespace orv::ui
