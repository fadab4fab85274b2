#pragma once
// Hardware faults (access violation, division by zero, stack overflow, ...) and any other structured
// exception raised by code we call: stopped at a guard instead of unwinding through our frames into the host.
// GCC has no
// __try/__except, and `catch (...)` does not see these, so the guard is a small assembly trampoline per
// architecture with a handler of its own.
//
// What a stopped fault leaves behind: the frames between the fault and the guard are discarded, and on x86_64
// GCC's own handler ignores foreign exceptions, so destructors in those frames do NOT run (memory, references
// or locks they held stay taken). Guards therefore sit as close as possible to code that may fault: around
// each call into a host's sink and around each control event; the guard at the COM edge is the last resort.
#include <cstdint>
#include <exception>
#include <optional>
#include <utility>

#include "automation/automation_error.h"

namespace orv::platform {

struct StructuredFault {
    uint32_t code = 0;              // the exception code, e.g. 0xC0000005 for an access violation
    const void* address = nullptr;  // where it was raised
};

// Runs fn(context). When a structured exception is raised inside it, stops it there, unwinds the frames in
// between and returns false with the fault filled in; true when fn returned. GCC's C++ exceptions are left to
// C++ unwinding, but fn should let none out (see runGuarded). After a stack overflow the stack's guard page
// is put back, so that a second overflow is caught again instead of ending the process.
bool callGuarded(void (*fn)(void*), void* context, StructuredFault& fault) noexcept;

// Runs body() under callGuarded. A C++ exception from body is carried across the guard and thrown again here,
// as if no guard stood in between; a fault comes back as the return value.
template <class Body>
std::optional<StructuredFault> runGuarded(Body&& body) {
    struct Call {
        Body& body;
        std::exception_ptr failure;
    } call{body, nullptr};
    StructuredFault fault;
    const bool returned = callGuarded(
        [](void* context) noexcept {
            Call& call = *static_cast<Call*>(context);
            try {
                call.body();
            } catch (...) {
                call.failure = std::current_exception();
            }
        },
        &call, fault);
    if (!returned) return fault;
    if (call.failure) std::rethrow_exception(std::move(call.failure));
    return std::nullopt;
}

// A fault as the component reports it: error 51 "Error interno", the exception code and address in hex in the
// description (e.g. "Error interno (excepción 0xC0000005 en 0x00000001400A2F10)"), source "Orv_Pol_edit".
automation::AutomationError faultError(const StructuredFault& fault);

}  // namespace orv::platform
