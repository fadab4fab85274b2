// The exception handler of orv_guarded_call's frame (guarded_call.S) on x86_64.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/structured_fault.h"

extern "C" void orv_guard_recovered();

namespace {

// GCC's own C++ exceptions ("GCC" with the user bit, and a type in bits 24..27): C++ unwinding needs them to
// go on past this frame.
bool isGccException(DWORD code) {
    return (code & 0x20FFFFFFu) == 0x20474343u;
}

}  // namespace

extern "C" EXCEPTION_DISPOSITION orv_guard_handler(EXCEPTION_RECORD* record, void* frame, CONTEXT*,
                                                   DISPATCHER_CONTEXT* dispatch) {
    if ((record->ExceptionFlags & EXCEPTION_UNWIND) != 0 || isGccException(record->ExceptionCode))
        return ExceptionContinueSearch;
    auto* fault = *reinterpret_cast<orv::platform::StructuredFault**>(static_cast<char*>(frame) + 32);
    fault->code = record->ExceptionCode;
    fault->address = record->ExceptionAddress;
    // Discards the frames in between (running the handlers they registered for unwinding) and resumes at the
    // recovery point with this frame's stack.
    RtlUnwindEx(frame, reinterpret_cast<void*>(&orv_guard_recovered), record, nullptr,
                dispatch->ContextRecord, dispatch->HistoryTable);
    std::abort();
}
