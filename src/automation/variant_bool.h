#pragma once
#include <cstdint>

namespace orv::automation {

// The automation boolean: 16 bits, all ones for true.
using VariantBool = int16_t;
inline constexpr VariantBool kVariantTrue = -1;
inline constexpr VariantBool kVariantFalse = 0;

inline constexpr VariantBool toVariantBool(bool value) {
    return value ? kVariantTrue : kVariantFalse;
}
inline constexpr bool isTrue(VariantBool value) {
    return value != kVariantFalse;
}

}  // namespace orv::automation
