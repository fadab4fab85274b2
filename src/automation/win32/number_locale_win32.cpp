#include "automation/number_locale.h"

#include <windows.h>

namespace orv::automation {

NumberLocale NumberLocale::user() {
    wchar_t separator[4] = {};
    const int written = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    // A separator of more than one character cannot be held; the reading falls back to the point then.
    if (written == 2 && separator[0] != L'\0') return NumberLocale{static_cast<char16_t>(separator[0])};
    return NumberLocale{u'.'};
}

}  // namespace orv::automation
