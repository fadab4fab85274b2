#include "ui/event_boundary.h"

#include <new>
#include <optional>
#include <stdexcept>

#include "automation/standard_errors.h"
#include "ui/toolkit.h"

namespace orv::ui {

namespace {

using automation::AutomationError;
using automation::standardError;
namespace error_number = automation::error_number;

// The box reads "Error nº <number>: <description>", critical icon, OK only, titled with the error's source
// (the application title when the error names none): the same shape as the component's own error boxes.
void report(Toolkit& toolkit, const AutomationError& error) noexcept {
    try {
        const Text text =
            u"Error nº " + automation::decimalText(error.number()) + u": " + error.description();
        const Text title = error.source().empty() ? toolkit.applicationTitle() : error.source();
        toolkit.messageBox(text, kMbCritical | kMbOkOnly, title);
    } catch (...) {
        // Nothing is left to tell the user with when the box itself cannot be shown; the event still ends
        // quietly.
    }
}

// A failure that is not one of ours gets the standard error closest to what went wrong.
int32_t standardNumberFor(const std::exception& failure) noexcept {
    if (dynamic_cast<const std::bad_alloc*>(&failure) || dynamic_cast<const std::length_error*>(&failure))
        return error_number::kOutOfMemory;
    if (dynamic_cast<const std::out_of_range*>(&failure)) return error_number::kSubscriptOutOfRange;
    if (dynamic_cast<const std::overflow_error*>(&failure) || dynamic_cast<const std::range_error*>(&failure))
        return error_number::kOverflow;
    return error_number::kInvalidCall;
}

}  // namespace

std::optional<AutomationError> runTrapped(Toolkit& toolkit, const std::function<void()>& steps) {
    try {
        return toolkit.runGuarded(steps);
    } catch (const AutomationError& error) {
        return error;
    } catch (const std::exception& failure) {
        return standardError(standardNumberFor(failure));
    } catch (...) {
        return standardError(error_number::kInvalidCall);
    }
}

void runEventHandler(Toolkit& toolkit, const std::function<void()>& handler) noexcept {
    if (!handler) return;
    toolkit.handlerStarting();
    try {
        if (std::optional<AutomationError> failure = runTrapped(toolkit, handler)) report(toolkit, *failure);
    } catch (...) {
        // Building the error itself failed (memory): nothing is left to tell the user with; the event ends
        // quietly.
    }
}

}  // namespace orv::ui
