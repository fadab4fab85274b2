#pragma once
// The one error type of the component: number, description and source, as the platform's error object holds
// them.
#include <cstdint>
#include <exception>

#include "automation/text.h"

namespace orv::automation {

class AutomationError : public std::exception {
  public:
    AutomationError(int32_t number, Text description, Text source);

    int32_t number() const noexcept { return number_; }
    const Text& description() const noexcept { return description_; }
    const Text& source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.c_str(); }

  private:
    int32_t number_;
    Text description_;
    Text source_;
    std::string what_;
};

}  // namespace orv::automation
