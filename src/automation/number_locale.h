#pragma once
// The user's number settings that the locale number reading depends on.

namespace orv::automation {

struct NumberLocale {
    char16_t decimalSeparator = u'.';

    // The settings of the user running the process: the Windows user locale, or "." elsewhere.
    static NumberLocale user();
};

}  // namespace orv::automation
