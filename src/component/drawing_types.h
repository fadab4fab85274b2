#pragma once
// The automation types of the drawing hand-over, under the names the component uses.
#include "automation/automation_array.h"
#include "automation/object_ref.h"
#include "automation/variant_bool.h"

namespace orv::component {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::ObjectRef;
using automation::TextArray;
using automation::VariantBool;

}  // namespace orv::component
