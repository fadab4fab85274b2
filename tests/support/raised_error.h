#pragma once
// The number of the AutomationError an action raises, 0 when it raises none.
#include <cstdint>

#include "automation/automation_error.h"

namespace orv::test {

template <class Action>
int32_t raisedError(Action&& action) {
    try {
        action();
    } catch (const automation::AutomationError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace orv::test
