// The exception handler of orv_guarded_call's registration record (guarded_call.S) on i686.
#include <windows.h>

#include "platform/win32/structured_fault.h"

namespace {

// The record guarded_call.S pushes: the system's two fields, then ours.
struct Registration {
    Registration* previous;
    void* handler;
    void* frame;
    orv::platform::StructuredFault* fault;
};

// GCC's C++ exception codes ("GCC" with the user bit). On i686 GCC unwinds C++ exceptions through DWARF
// tables and raises none, but a module built otherwise might.
bool isGccException(DWORD code) {
    return (code & 0x20FFFFFFu) == 0x20474343u;
}

}  // namespace

extern "C" [[noreturn]] void orv_guard_resume(Registration* record, EXCEPTION_RECORD* exception);

extern "C" EXCEPTION_DISPOSITION __cdecl orv_guard_handler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*,
                                                           void*) {
    if ((exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0 ||
        isGccException(exception->ExceptionCode))
        return ExceptionContinueSearch;
    auto* record = static_cast<Registration*>(frame);
    record->fault->code = exception->ExceptionCode;
    record->fault->address = exception->ExceptionAddress;
    orv_guard_resume(record, exception);
}
