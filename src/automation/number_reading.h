#pragma once
// The two ways the dialogs read numbers that a user typed.
#include <cstdint>
#include <optional>

#include "automation/number_locale.h"
#include "automation/value.h"

namespace orv::automation {

// Lenient whole-number reading: blanks, tabs and line feeds anywhere are ignored; the leading number
// (optional sign, digits, "." as the only decimal point, optional exponent; or &H / &O digits) is read,
// reading stops at the first character that fits no number, no number reads as 0; then rounded to the nearest
// 32-bit whole number, halves to even. Outside the 32-bit range: error 6.
int32_t readWholeNumber(TextView text);
// The same for a cell: a Long is itself, a Double is rounded, text is read as above, empty is 0.
int32_t readWholeNumber(const Value& value);
// Text converts to both TextView and Value: these settle which reading a literal or a Text gets.
inline int32_t readWholeNumber(const char16_t* text) {
    return readWholeNumber(TextView(text));
}
inline int32_t readWholeNumber(const Text& text) {
    return readWholeNumber(TextView(text));
}

// Locale number reading: the whole text (blanks around it allowed) as a double with the user's decimal
// separator; empty or non-numeric text is error 13. A numeric value passes unchanged, bit for bit.
double readLocaleNumber(TextView text, NumberLocale locale);
double readLocaleNumber(const Value& value, NumberLocale locale);
inline double readLocaleNumber(const char16_t* text, NumberLocale locale) {
    return readLocaleNumber(TextView(text), locale);
}
inline double readLocaleNumber(const Text& text, NumberLocale locale) {
    return readLocaleNumber(TextView(text), locale);
}

// The same two readings for a caller that refuses a bad entry itself: nothing where the reading would fail.
std::optional<int32_t> tryReadWholeNumber(const Value& value);
std::optional<double> tryReadLocaleNumber(const Value& value, NumberLocale locale);

// Rounds to the nearest 32-bit whole number, halves to even; error 6 outside the range (NaN included).
int32_t roundToLong(double value);

// A value as text: text as it is, numbers in plain decimal digits (doubles in shortest round-trip form with
// the locale's separator), empty for nothing.
Text valueText(const Value& value, NumberLocale locale);

}  // namespace orv::automation
