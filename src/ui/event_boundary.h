#pragma once
// The one place where failures of a control event handler stop: every user-originated event (a click, typing, a
// close, a resize, a table event) runs through here. A handler that traps its own errors (the capture buttons) shows
// its own box; whatever else escapes is refused in an orderly way: one critical message box naming the error, the
// dialog stays as it is, nothing propagates into the host.
#include <functional>

namespace orv::ui {

class Toolkit;

void runEventHandler(Toolkit& toolkit, const std::function<void()>& handler) noexcept;

}  // namespace orv::ui
