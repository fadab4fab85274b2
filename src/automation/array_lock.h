#pragma once
// Keeps an array locked for a scope, as the platform does while one of its elements is handed out by
// reference: a handler that tries to redimension or replace the array meanwhile gets error 10 instead of a
// dangling element.
#include "automation/platform_array.h"

namespace orv::automation {

class ArrayLock {
  public:
    explicit ArrayLock(RawArray* array) : array_(array) {
        if (array_) arrayLock(array_);
    }
    ArrayLock(const ArrayLock&) = delete;
    ArrayLock& operator=(const ArrayLock&) = delete;
    ~ArrayLock() {
        if (array_) arrayUnlock(array_);
    }

  private:
    RawArray* array_;
};

}  // namespace orv::automation
