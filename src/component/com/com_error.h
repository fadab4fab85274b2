#pragma once
// The one translation between the component's errors and the platform's: every interface method and export
// ends in `catch (...) { return hresultFromCurrentException(); }`, and a failing event sink becomes an
// AutomationError.
#include <oaidl.h>
#include <windows.h>

#include "automation/automation_error.h"

namespace orv::com {

// Call only inside a catch block: maps the exception being handled to an HRESULT and leaves its number,
// description and source in the thread's error object for the caller.
HRESULT hresultFromCurrentException() noexcept;

// The HRESULT under which an error number travels (FACILITY_CONTROL, as automation servers report run-time
// errors).
HRESULT hresultOfErrorNumber(int32_t number) noexcept;

// What a sink's failure means to the component: its exception information when it gave any, else the thread's
// error object, else the bare HRESULT.
automation::AutomationError errorFromFailedCall(HRESULT hr, EXCEPINFO& info);

}  // namespace orv::com
