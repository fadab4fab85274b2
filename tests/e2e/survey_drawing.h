#pragma once
// A small survey of a plot, as a surveyor's host would hand it over: boundary stakes, a building, a fence
// line.
#include "support/drawing.h"

namespace orv::e2e {

test::Drawing surveyDrawing();

}  // namespace orv::e2e
