#pragma once
// A number converter whose calls fail with a given error, for the paths where the installed one breaks.
#include "automation/automation_error.h"
#include "collaborators/number_text_converter.h"

namespace orv::test {

class FailingConverter : public collaborators::NumberTextConverter {
  public:
    explicit FailingConverter(automation::AutomationError error) : error_(std::move(error)) {}
    double TextToNumber(const automation::Text&) override { throw error_; }
    automation::Text NumberToText(double, int16_t, int16_t) override { throw error_; }

  private:
    automation::AutomationError error_;
};

}  // namespace orv::test
