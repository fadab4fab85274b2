#include "component/error_trap.h"

#include <new>
#include <stdexcept>

#include "automation/standard_errors.h"

namespace orv::component {

automation::AutomationError currentError() {
    try {
        throw;
    } catch (const automation::AutomationError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return automation::standardError(automation::error_number::kOutOfMemory);
    } catch (const std::length_error&) {
        return automation::standardError(automation::error_number::kOutOfMemory);
    } catch (const std::out_of_range&) {
        return automation::standardError(automation::error_number::kSubscriptOutOfRange);
    } catch (const std::overflow_error&) {
        return automation::standardError(automation::error_number::kOverflow);
    } catch (const std::range_error&) {
        return automation::standardError(automation::error_number::kOverflow);
    } catch (...) {
        return automation::standardError(automation::error_number::kInvalidCall);
    }
}

void reportCurrentError(ui::Toolkit& toolkit, automation::TextView prefix) noexcept {
    try {
        reportError(toolkit, prefix, currentError());
    } catch (...) {
        // Nothing is left to tell the user with; the host must still not see the failure.
    }
}

void reportError(ui::Toolkit& toolkit, automation::TextView prefix,
                 const automation::AutomationError& error) noexcept {
    try {
        automation::Text text(prefix);
        text += automation::decimalText(error.number());
        text += u": ";
        text += error.description();
        toolkit.messageBox(text, ui::kMbCritical, error.source());
    } catch (...) {
        // Nothing is left to tell the user with; the host must still not see the failure.
    }
}

}  // namespace orv::component
