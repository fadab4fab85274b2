// Our own one-dimensional arrays with the observable behaviour of the platform's: a descriptor with the
// element type, the bounds and a lock count, and one zero-filled block of elements; string elements are owned
// by the array.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "automation/platform_array.h"
#include "automation/platform_string.h"
#include "automation/standard_errors.h"

namespace orv::automation {

struct RawArray {
    ElementType type;
    uint16_t dimensions = 1;
    uint32_t locks = 0;
    int32_t lower = 0;
    uint32_t count = 0;
    std::unique_ptr<std::byte[]> data;
};

namespace {

size_t elementSize(ElementType type) {
    switch (type) {
        case ElementType::Integer:
            return sizeof(int16_t);
        case ElementType::Long:
            return sizeof(int32_t);
        case ElementType::Double:
            return sizeof(double);
        case ElementType::String:
            return sizeof(RawString);
    }
    raiseStandardError(error_number::kTypeMismatch);
}

// Zero-filled unless the caller writes every element itself (a copy).
std::unique_ptr<std::byte[]> allocateElements(ElementType type, uint32_t count, bool zeroed = true) {
    try {
        const size_t bytes = elementSize(type) * count;
        return zeroed ? std::make_unique<std::byte[]>(bytes)
                      : std::make_unique_for_overwrite<std::byte[]>(bytes);
    } catch (const std::bad_alloc&) {
        raiseStandardError(error_number::kOutOfMemory);
    }
}

RawString* strings(RawArray* array) {
    return reinterpret_cast<RawString*>(array->data.get());
}
const RawString* strings(const RawArray* array) {
    return reinterpret_cast<const RawString*>(array->data.get());
}

void freeStrings(RawArray* array, uint32_t from) noexcept {
    if (array->type != ElementType::String) return;
    for (uint32_t i = from; i < array->count; ++i) stringFree(std::exchange(strings(array)[i], nullptr));
}

struct Destroy {
    void operator()(RawArray* array) const noexcept { arrayDestroy(array); }
};
using OwnedArray = std::unique_ptr<RawArray, Destroy>;

}  // namespace

namespace {

RawArray* createArray(ElementType type, int32_t lower, uint32_t count, bool zeroed) {
    auto data = allocateElements(type, count, zeroed);
    auto array = std::make_unique<RawArray>();
    array->type = type;
    array->lower = lower;
    array->count = count;
    array->data = std::move(data);
    return array.release();
}

}  // namespace

RawArray* arrayCreate(ElementType type, int32_t lower, uint32_t count) {
    return createArray(type, lower, count, true);
}

void arrayDestroy(RawArray* array) noexcept {
    if (!array || array->locks > 0) return;
    freeStrings(array, 0);
    std::unique_ptr<RawArray> owned(array);
}

RawArray* arrayCopy(const RawArray* array) {
    if (!array) return nullptr;
    // Every element is written below: no zero fill first.
    OwnedArray copy(createArray(array->type, array->lower, array->count, false));
    if (array->type == ElementType::String) {
        RawString* elements = strings(copy.get());
        for (uint32_t i = 0; i < array->count; ++i) {
            try {
                elements[i] = stringAllocate(stringView(strings(array)[i]));
            } catch (...) {
                // Out of memory half way: the copy frees only the strings it made.
                std::fill(elements + i, elements + array->count, nullptr);
                throw;
            }
        }
    } else if (array->count > 0) {
        std::memcpy(copy->data.get(), array->data.get(), elementSize(array->type) * array->count);
    }
    return copy.release();
}

void arrayRedimPreserve(RawArray* array, int32_t lower, uint32_t count) {
    if (!arrayResizable(array)) raiseStandardError(error_number::kArrayLocked);
    auto data = allocateElements(array->type, count);
    const uint32_t kept = std::min(count, array->count);
    freeStrings(array, kept);
    if (kept > 0) std::memcpy(data.get(), array->data.get(), elementSize(array->type) * kept);
    array->data = std::move(data);
    array->lower = lower;
    array->count = count;
}

bool arrayResizable(const RawArray* array) noexcept {
    return array && array->locks == 0;
}

void arrayLock(RawArray* array) {
    if (array->locks == 0xFFFF)
        raiseStandardError(error_number::kArrayLocked);  // the platform's lock count is 16-bit
    ++array->locks;
}

void arrayUnlock(RawArray* array) noexcept {
    if (array->locks > 0) --array->locks;
}

ElementType arrayElementType(const RawArray* array) noexcept {
    return array->type;
}
uint32_t arrayDimensions(const RawArray* array) noexcept {
    return array->dimensions;
}
int32_t arrayLower(const RawArray* array) noexcept {
    return array->lower;
}
uint32_t arrayCount(const RawArray* array) noexcept {
    return array->count;
}
void* arrayData(RawArray* array) noexcept {
    return array ? array->data.get() : nullptr;
}
const void* arrayData(const RawArray* array) noexcept {
    return array ? array->data.get() : nullptr;
}

}  // namespace orv::automation
