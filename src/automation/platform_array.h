#pragma once
// One-dimensional automation arrays: oleaut32's SAFEARRAY on Windows, a layer of our own with the same
// behaviour elsewhere. The functions raise AutomationError (7 out of memory, 9 bad bounds, 10 locked or
// fixed-size array); destroy never throws.
#include <cstdint>

namespace orv::automation {

struct RawArray;  // SAFEARRAY on Windows

// Element types, numbered as the platform's VARTYPE.
enum class ElementType : uint16_t { Integer = 2, Long = 3, Double = 5, String = 8 };

// A new array lower..lower+count-1, elements zero (strings null).
RawArray* arrayCreate(ElementType type, int32_t lower, uint32_t count);
void arrayDestroy(RawArray* array) noexcept;
// A whole, deep copy (strings copied too); null gives null.
RawArray* arrayCopy(const RawArray* array);
// New bounds keeping the contents that fit (new elements zero, dropped strings freed). Elements keep their
// position, not their subscript, when the lower bound changes. Error 10 when the array is locked or
// fixed-size.
void arrayRedimPreserve(RawArray* array, int32_t lower, uint32_t count);

// While an array is locked (an element of it is out by reference) or fixed-size (a host's static array), its
// bounds cannot change and it cannot be destroyed: destroying it then leaves it alone rather than freeing
// what someone still points into. Our own arrays are created unlocked and resizable.
bool arrayResizable(const RawArray* array) noexcept;
void arrayLock(RawArray* array);  // error 10 when the platform refuses another lock
void arrayUnlock(RawArray* array) noexcept;

ElementType arrayElementType(const RawArray* array) noexcept;
uint32_t arrayDimensions(
    const RawArray* array) noexcept;  // 1 for every array we make; a host may hand others
int32_t arrayLower(const RawArray* array) noexcept;
uint32_t arrayCount(const RawArray* array) noexcept;
void* arrayData(RawArray* array) noexcept;  // contiguous elements
const void* arrayData(const RawArray* array) noexcept;

}  // namespace orv::automation
