#pragma once
// Twips as the controls hold them: single precision, every assigned value rounded to the nearest float.
#include "ui/control.h"

namespace orv::ui {

// A position: any finite value that single precision can hold (error 6 beyond it, 380 for NaN).
Twips toTwips(double value);
// A size: the same, and negative sizes are error 380, as the platform's controls refuse them.
Twips toTwipsSize(double value);

}  // namespace orv::ui
