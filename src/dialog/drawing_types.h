#pragma once
// The automation types of the drawing hand-over, under the names the dialogs and the component use.
#include "automation/automation_array.h"
#include "automation/object_ref.h"
#include "automation/variant_bool.h"

namespace orv::dialog {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::ObjectRef;
using automation::TextArray;
using automation::VariantBool;

}  // namespace orv::dialog
