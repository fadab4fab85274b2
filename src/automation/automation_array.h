#pragma once
// A one-dimensional automation array variable with its own bounds, as a dialog member or an event argument
// holds it.
//
// The object is the variable: it owns exactly one RawArray pointer, and address() hands out that pointer's
// address so the COM edge can pass the variable itself by reference (VT_BYREF | VT_ARRAY). Whatever a handler
// writes through it (elements, a redimension, another array altogether) is what the variable holds
// afterwards. Copying the object copies the whole array, as assigning one array variable to another does.
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "automation/platform_array.h"
#include "automation/platform_string.h"
#include "automation/standard_errors.h"
#include "automation/text.h"

namespace orv::automation {

template <class T>
concept ArrayElement =
    std::same_as<T, double> || std::same_as<T, int16_t> || std::same_as<T, int32_t> || std::same_as<T, Text>;

template <ArrayElement T>
class Array {
  public:
    static constexpr ElementType kType = std::is_same_v<T, double>    ? ElementType::Double
                                         : std::is_same_v<T, int16_t> ? ElementType::Integer
                                         : std::is_same_v<T, int32_t> ? ElementType::Long
                                                                      : ElementType::String;
    using Stored = std::conditional_t<std::is_same_v<T, Text>, RawString, T>;

    Array() noexcept = default;  // never dimensioned: no elements, every subscript is error 9
    Array(int32_t lower, int32_t upper) { redim(lower, upper); }
    Array(const Array& other) : raw_(arrayCopy(other.raw_)) {}
    Array(Array&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
    Array& operator=(const Array& other) {
        if (this == &other) return *this;
        requireResizable();
        reset(arrayCopy(other.raw_));
        return *this;
    }
    // Not noexcept: replacing a locked array is error 10, as for every other change of a locked variable.
    Array& operator=(Array&& other) {
        if (this == &other) return *this;
        requireResizable();
        reset(std::exchange(other.raw_, nullptr));
        return *this;
    }
    ~Array() { arrayDestroy(raw_); }

    // Takes ownership of an array made by the platform; one of another element type or shape is error 13.
    static Array adopt(RawArray* raw) {
        Array result;
        result.raw_ = raw;
        result.checkShape();  // on error 13 the array goes with `result`
        return result;
    }
    RawArray* release() noexcept { return std::exchange(raw_, nullptr); }

    bool dimensioned() const noexcept { return raw_ != nullptr; }
    int32_t lbound() const {
        checkShape();
        requireDimensioned();
        return arrayLower(raw_);
    }
    int32_t ubound() const {
        checkShape();
        requireDimensioned();
        return static_cast<int32_t>(static_cast<int64_t>(arrayLower(raw_)) + arrayCount(raw_) - 1);
    }
    // Number of elements; 0 when never dimensioned.
    uint32_t count() const noexcept { return raw_ ? arrayCount(raw_) : 0; }
    bool contains(int64_t index) const noexcept {
        if (!raw_ || !hasShape(raw_)) return false;
        const int64_t lower = arrayLower(raw_);
        return index >= lower && index < lower + static_cast<int64_t>(arrayCount(raw_));
    }

    // Redimension, contents dropped. Error 10 while the array is locked or fixed-size.
    void redim(int32_t lower, int32_t upper) {
        requireResizable();
        reset(arrayCreate(kType, lower, countOf(lower, upper)));
    }
    // Redimension keeping the contents that fit.
    void redimPreserve(int32_t lower, int32_t upper) {
        if (!raw_) return redim(lower, upper);
        checkShape();
        arrayRedimPreserve(raw_, lower, countOf(lower, upper));
    }
    // Back to never dimensioned. Error 10 while the array is locked or fixed-size.
    void erase() {
        requireResizable();
        reset(nullptr);
    }

    // Element access for numbers: a reference into the array, so an element can itself be handed by
    // reference.
    T& operator()(int64_t index) requires(!std::is_same_v<T, Text>) {
        const size_t at =
            offset(index);  // checked before the data pointer is touched: it may be no array at all
        return static_cast<T*>(arrayData(raw_))[at];
    }
    const T& operator()(int64_t index) const requires(!std::is_same_v<T, Text>) {
        const size_t at = offset(index);
        return static_cast<const T*>(arrayData(raw_))[at];
    }

    // Element access for text.
    Text get(int64_t index) const requires std::is_same_v<T, Text> { return Text(view(index)); }
    TextView view(int64_t index) const requires std::is_same_v<T, Text> {
        const size_t at = offset(index);
        return stringView(static_cast<const RawString*>(arrayData(raw_))[at]);
    }
    void set(int64_t index, TextView value) requires std::is_same_v<T, Text> {
        const size_t at = offset(index);
        RawString* slot = &static_cast<RawString*>(arrayData(raw_))[at];
        RawString fresh = stringAllocate(value);
        stringFree(std::exchange(*slot, fresh));
    }

    // The variable itself, for a by-reference hand-over at the COM edge.
    RawArray** address() noexcept { return &raw_; }
    RawArray* raw() const noexcept { return raw_; }

  private:
    static uint32_t countOf(int32_t lower, int32_t upper) {
        if (static_cast<int64_t>(upper) < static_cast<int64_t>(lower) - 1)
            raiseStandardError(error_number::kSubscriptOutOfRange);
        return static_cast<uint32_t>(static_cast<int64_t>(upper) - lower + 1);
    }
    void requireResizable() const {
        if (raw_ && !arrayResizable(raw_)) raiseStandardError(error_number::kArrayLocked);
    }
    void requireDimensioned() const {
        if (!raw_) raiseStandardError(error_number::kSubscriptOutOfRange);
    }
    // A host may leave an array of another type or shape in a by-reference argument.
    static bool hasShape(const RawArray* raw) noexcept {
        return arrayElementType(raw) == kType && arrayDimensions(raw) == 1;
    }
    void checkShape() const {
        if (raw_ && !hasShape(raw_)) raiseStandardError(error_number::kTypeMismatch);
    }
    // Every element access passes here: one shape check and one bounds check, nothing more.
    size_t offset(int64_t index) const {
        requireDimensioned();
        checkShape();
        const int64_t position = index - arrayLower(raw_);
        if (position < 0 || position >= static_cast<int64_t>(arrayCount(raw_)))
            raiseStandardError(error_number::kSubscriptOutOfRange);
        return static_cast<size_t>(position);
    }
    void reset(RawArray* raw) noexcept { arrayDestroy(std::exchange(raw_, raw)); }

    RawArray* raw_ = nullptr;
};

using DoubleArray = Array<double>;
using TextArray = Array<Text>;
using IntegerArray = Array<int16_t>;
using LongArray = Array<int32_t>;

}  // namespace orv::automation
