// The fault guard on the real platform: faults of every kind stop at the guard with their code, C++
// exceptions pass it untouched, guards nest, and nothing of a stopped fault lingers for the next call.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <stdexcept>

#include "automation/standard_errors.h"
#include "platform/win32/structured_fault.h"

namespace orv::platform {
namespace {

constexpr uint32_t kAccessViolation = 0xC0000005u;
constexpr uint32_t kIntegerDivideByZero = 0xC0000094u;
constexpr uint32_t kRaisedByHost = 0xE0001234u;

// Volatile, so that the compiler can neither see the fault coming nor drop it.
int* volatile nowhere = nullptr;
volatile int zero = 0;

[[gnu::noinline]] void writeThroughNull() {
    *nowhere = 1;
}

// Keeps six values live across the faulting call, in the registers a callee must save and give back.
[[gnu::noinline]] long busyThenFault(long x) {
    long r1 = x * 3, r2 = x * 5, r3 = x * 7, r4 = x * 9, r5 = x * 11, r6 = x * 13;
    writeThroughNull();
    return r1 + r2 + r3 + r4 + r5 + r6;
}

std::optional<StructuredFault> faultOf(void (*fn)()) {
    return runGuarded([&] { fn(); });
}

TEST(StructuredFaultGuard, StopsEachKindOfFaultWithItsCodeAndAddress) {
    const std::optional<StructuredFault> violation = faultOf(writeThroughNull);
    ASSERT_TRUE(violation);
    EXPECT_EQ(violation->code, kAccessViolation);
    EXPECT_NE(violation->address, nullptr);

    const std::optional<StructuredFault> division = faultOf([] { zero = 7 / zero; });
    ASSERT_TRUE(division);
    EXPECT_EQ(division->code, kIntegerDivideByZero);

    // A host's own exception that its code does not handle is stopped like a fault.
    const std::optional<StructuredFault> raised =
        faultOf([] { RaiseException(kRaisedByHost, 0, 0, nullptr); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->code, kRaisedByHost);
}

TEST(StructuredFaultGuard, ANormalCallRunsWithItsContextAndReturnsTrue) {
    int calls = 0;
    StructuredFault fault;
    EXPECT_TRUE(callGuarded([](void* context) { ++*static_cast<int*>(context); }, &calls, fault));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fault.code, 0u);
}

TEST(StructuredFaultGuard, CxxExceptionsPassTheGuardAsIfItWereNotThere) {
    EXPECT_THROW(runGuarded([] { throw std::out_of_range("row"); }), std::out_of_range);
    // And one thrown and caught entirely below the guard is not the guard's business.
    EXPECT_FALSE(runGuarded([] {
        try {
            throw std::runtime_error("inside");
        } catch (const std::runtime_error&) {
        }
    }));
}

TEST(StructuredFaultGuard, GuardsNestAndTheInnermostStopsTheFault) {
    int innerFaults = 0;
    const std::optional<StructuredFault> outer = runGuarded([&] {
        if (runGuarded([] { writeThroughNull(); })) ++innerFaults;
        if (runGuarded([] { zero = 7 / zero; })) ++innerFaults;
    });
    EXPECT_FALSE(outer);
    EXPECT_EQ(innerFaults, 2);

    // A fault after an inner guard has returned belongs to the outer one.
    const std::optional<StructuredFault> later = runGuarded([] {
        runGuarded([] {});
        writeThroughNull();
    });
    ASSERT_TRUE(later);
    EXPECT_EQ(later->code, kAccessViolation);
}

// The caller's values live in registers that the faulting frames saved and reused: the guard must give them
// back.
TEST(StructuredFaultGuard, TheGuardIsReusableAndTheCallersStateSurvivesEachFault) {
    volatile int seed = 3;
    long a = seed, b = seed * 5, c = seed * 7, d = seed * 11, e = seed * 13, f = seed * 17;
    int faults = 0;
    for (int round = 0; round < 50; ++round) {
        if (runGuarded([&] { busyThenFault(seed); })) ++faults;
        a += 1, b += 2, c += 3, d += 4, e += 5, f += 6;
    }
    EXPECT_EQ(faults, 50);
    EXPECT_EQ((std::array<long, 6>{a, b, c, d, e, f}), (std::array<long, 6>{53, 115, 171, 233, 289, 351}));
    EXPECT_FALSE(runGuarded([] {}));
}

// Each frame keeps a page alive and adds to the result after the call, so the recursion cannot become a loop;
// it ends only at the (volatile, never reached) bottom. Page-sized frames: the overflow then strikes with the
// stack pointer still a frame above the guard page, which leaves the exception's dispatch the room it needs
// (Wine ends the process, guard or no guard, when the stack pointer itself is already inside the guard page).
volatile int bottom = -1;
[[gnu::noinline]] int descend(int depth) {
    volatile char block[4096];
    block[0] = static_cast<char>(depth);
    return depth == bottom ? 0 : descend(depth + 1) + block[0];
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

TEST(StructuredFaultGuard, AFaultIsReportedAsInternalErrorWithCodeAndAddressInHex) {
    const automation::AutomationError error =
        faultError({kAccessViolation, reinterpret_cast<const void*>(uintptr_t{0x4A2F10})});
    const automation::Text address = sizeof(void*) == 8 ? u"0x00000000004A2F10" : u"0x004A2F10";
    EXPECT_EQ(error.number(), 51);
    EXPECT_EQ(error.description(), u"Error interno (excepción 0xC0000005 en " + address + u")");
    EXPECT_EQ(error.source(), automation::kComponentSource);
}

}  // namespace
}  // namespace orv::platform
