#pragma once
// Numbers written with a fixed count of decimals, as the converter and the table show them.
#include "automation/number_locale.h"
#include "automation/text.h"

namespace orv::automation {

inline constexpr int kMaxFixedDecimals = 30;

// The value correctly rounded (halves to even on the exact binary value) to `decimals` decimals (clamped to
// 0..kMaxFixedDecimals), the locale's decimal separator, no grouping, '-' for negatives; a negative value
// that rounds to zero is written without its sign. Infinities and NaN are written "inf", "-inf" and "nan".
automation::Text fixedDecimalText(double value, int decimals, automation::NumberLocale locale);

}  // namespace orv::automation
