#pragma once
// The one translation between the component's errors and the platform's: every interface method and export
// runs its body through atComEdge, and a failing event sink becomes an AutomationError.
#include <oaidl.h>
#include <windows.h>

#include <optional>

#include "automation/automation_error.h"
#include "platform/win32/structured_fault.h"

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

// The edge of every export and interface method: runs body, which returns the method's HRESULT, so that
// nothing crosses into the caller. A C++ exception becomes its HRESULT and error information; a hardware
// fault (or any structured exception) raised below is stopped and reported the same way, as error 51 "Error
// interno" with the exception's code and address (HRESULT 0x800A0033).
template <class Body>
HRESULT atComEdge(Body&& body) noexcept {
    try {
        HRESULT result = E_UNEXPECTED;
        if (std::optional<platform::StructuredFault> fault = platform::runGuarded([&] { result = body(); }))
            throw platform::faultError(*fault);
        return result;
    } catch (...) {
        return hresultFromCurrentException();
    }
}

// The same edge for AddRef and Release, whose answer is a count: 0 when the body failed.
template <class Body>
ULONG countAtComEdge(Body&& body) noexcept {
    try {
        ULONG count = 0;
        if (platform::runGuarded([&] { count = body(); })) return 0;
        return count;
    } catch (...) {
        return 0;
    }
}

}  // namespace orv::com
