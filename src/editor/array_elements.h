#pragma once
// The elements of an automation array for a loop over many of them: the array's shape and bounds are read
// once, then each element is one subscript check. Reading them per element goes to the platform three times
// (type, dimensions, bounds), which costs more than the work of a row. A view is valid only while nothing
// can redimension or replace the array: no event is raised and nothing yields while it is in use.
#include <cstdint>
#include <type_traits>

#include "automation/automation_array.h"
#include "automation/platform_array.h"
#include "automation/platform_string.h"
#include "automation/standard_errors.h"

namespace orv::editor {

template <class T>
class ArrayElements {
  public:
    using Stored = typename automation::Array<T>::Stored;

    // An array never dimensioned, or of another shape, has no elements here: every subscript fails as it
    // does on the array itself (error 9, or 13 for the shape).
    explicit ArrayElements(const automation::Array<T>& array) noexcept {
        automation::RawArray* raw = array.raw();
        if (raw == nullptr) return;
        if (automation::arrayDimensions(raw) != 1 ||
            automation::arrayElementType(raw) != automation::Array<T>::kType) {
            shapeError_ = true;
            return;
        }
        lower_ = automation::arrayLower(raw);
        count_ = automation::arrayCount(raw);
        data_ = static_cast<Stored*>(automation::arrayData(raw));
    }

    // The subscripts it has: first()..last(), none when last() < first().
    int64_t first() const { return lower_; }
    int64_t last() const { return lower_ + int64_t{count_} - 1; }
    bool contains(int64_t index) const { return index >= lower_ && index - lower_ < int64_t{count_}; }
    // Error 9 outside the bounds.
    Stored& operator()(int64_t index) const {
        if (!contains(index))
            automation::raiseStandardError(shapeError_ ? automation::error_number::kTypeMismatch
                                                       : automation::error_number::kSubscriptOutOfRange);
        return data_[index - lower_];
    }
    automation::TextView text(int64_t index) const requires std::is_same_v<T, automation::Text> {
        return automation::stringView((*this)(index));
    }

  private:
    int64_t lower_ = 0;
    uint32_t count_ = 0;
    Stored* data_ = nullptr;
    bool shapeError_ = false;
};

}  // namespace orv::editor
