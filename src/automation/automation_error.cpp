#include "automation/automation_error.h"

#include <utility>

namespace orv::automation {

AutomationError::AutomationError(int32_t number, Text description, Text source)
    : number_(number),
      description_(std::move(description)),
      source_(std::move(source)),
      what_(toUtf8(source_ + u": " + decimalText(number_) + u": " + description_)) {}

}  // namespace orv::automation
