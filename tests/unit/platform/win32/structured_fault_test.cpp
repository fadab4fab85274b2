// The fault guard on the real platform: faults of every kind stop at the innermost guard with their code, C++
// exceptions pass it untouched, the caller's registers and the stack's guard page survive each fault, and a
// fault is reported as the internal error.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <stdexcept>

#include "platform/win32/structured_fault.h"

namespace orv::platform {
namespace {

constexpr uint32_t kAccessViolation = 0xC0000005u;

// Volatile, so that the compiler can neither see the fault coming nor drop it.
int* volatile nowhere = nullptr;
volatile int zero = 0;
volatile int bottom = -1;

[[gnu::noinline]] void writeThroughNull() {
    *nowhere = 1;
}

// Keeps six values live across the faulting call, in the registers a callee must save and give back.
[[gnu::noinline]] long busyThenFault(long x) {
    long r1 = x * 3, r2 = x * 5, r3 = x * 7, r4 = x * 9, r5 = x * 11, r6 = x * 13;
    writeThroughNull();
    return r1 + r2 + r3 + r4 + r5 + r6;
}

// Page-sized frames, each adding to the result after the call so that the recursion stays one: the overflow
// strikes a frame above the guard page, which leaves the exception's dispatch the room it needs.
[[gnu::noinline]] int descend(int depth) {
    volatile char block[4096];
    block[0] = static_cast<char>(depth);
    return depth == bottom ? 0 : descend(depth + 1) + block[0];
}

TEST(StructuredFaultGuard, StopsEachKindOfFaultWithItsCode) {
    const struct {
        void (*fault)();
        uint32_t code;
    } cases[] = {
        {writeThroughNull, kAccessViolation},
        {[] { zero = 7 / zero; }, 0xC0000094u},
        {[] { RaiseException(0xE0001234u, 0, 0, nullptr); }, 0xE0001234u},  // a host's own, unhandled
    };
    for (const auto& c : cases) {
        const std::optional<StructuredFault> fault = runGuarded(c.fault);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->code, c.code);
        EXPECT_NE(fault->address, nullptr);
    }
}

// The overflow eats the stack's guard page; unless the guard puts it back, the second overflow ends the
// process.
TEST(StructuredFaultGuard, StackOverflowIsStoppedEveryTime) {
    for (int round = 0; round < 3; ++round) {
        const std::optional<StructuredFault> overflow = runGuarded([] { descend(1); });
        ASSERT_TRUE(overflow);
        EXPECT_EQ(overflow->code, 0xC00000FDu);
    }
}

TEST(StructuredFaultGuard, CxxExceptionsPassTheGuardAndTheInnermostGuardStopsTheFault) {
    EXPECT_THROW(runGuarded([] { throw std::out_of_range("row"); }), std::out_of_range);
    EXPECT_FALSE(runGuarded([] {
        try {
            throw std::runtime_error("inside");
        } catch (const std::runtime_error&) {
        }
    }));
    int innerFaults = 0;
    EXPECT_FALSE(runGuarded([&] {
        innerFaults += runGuarded(writeThroughNull).has_value();
        innerFaults += runGuarded([] { zero = 7 / zero; }).has_value();
    }));
    EXPECT_EQ(innerFaults, 2);
    // A fault after an inner guard has returned belongs to the outer one.
    EXPECT_TRUE(runGuarded([] {
        runGuarded([] {});
        writeThroughNull();
    }));
}

// The caller's values live in registers that the faulting frames saved and reused: the guard gives them back.
TEST(StructuredFaultGuard, TheCallersStateSurvivesEachFault) {
    volatile int seed = 3;
    long a = seed, b = seed * 5, c = seed * 7, d = seed * 11, e = seed * 13, f = seed * 17;
    int faults = 0;
    for (int round = 0; round < 50; ++round) {
        faults += runGuarded([&] { busyThenFault(seed); }).has_value();
        a += 1, b += 2, c += 3, d += 4, e += 5, f += 6;
    }
    EXPECT_EQ(faults, 50);
    EXPECT_EQ((std::array<long, 6>{a, b, c, d, e, f}), (std::array<long, 6>{53, 115, 171, 233, 289, 351}));
}

TEST(StructuredFaultGuard, AFaultIsReportedAsInternalErrorWithCodeAndAddressInHex) {
    const automation::AutomationError error =
        faultError({kAccessViolation, reinterpret_cast<const void*>(uintptr_t{0x4A2F10})});
    const automation::Text address = sizeof(void*) == 8 ? u"0x00000000004A2F10" : u"0x004A2F10";
    EXPECT_EQ(error.description(), u"Error interno (excepción 0xC0000005 en " + address + u")");
}

}  // namespace
}  // namespace orv::platform
