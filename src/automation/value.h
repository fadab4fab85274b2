#pragma once
// What a table cell or a loosely typed argument holds: nothing, text, a Long or a Double.
#include <cstdint>
#include <variant>

#include "automation/text.h"

namespace orv::automation {

using Value = std::variant<std::monostate, Text, int32_t, double>;

}  // namespace orv::automation
