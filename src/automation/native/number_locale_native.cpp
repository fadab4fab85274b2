#include "automation/number_locale.h"

namespace orv::automation {

// Away from Windows there is no user locale to consult; tests set the separator they need explicitly.
NumberLocale NumberLocale::user() {
    return NumberLocale{u'.'};
}

}  // namespace orv::automation
