#pragma once
// A number converter that fails with a given error, for the paths where the installed one breaks: on every
// call, or only when reading one given text (the rest read and write as the plain converter does).
#include <optional>

#include "automation/automation_error.h"
#include "collaborators/plain_number_converter.h"

namespace orv::test {

class FailingConverter : public collaborators::NumberTextConverter {
  public:
    explicit FailingConverter(automation::AutomationError error, std::optional<automation::Text> only = {})
        : error_(std::move(error)), only_(std::move(only)) {}
    double TextToNumber(const automation::Text& text) override {
        if (!only_ || text == *only_) throw error_;
        return plain_.TextToNumber(text);
    }
    automation::Text NumberToText(double value, int16_t decimals, int16_t mode) override {
        if (!only_) throw error_;
        return plain_.NumberToText(value, decimals, mode);
    }

  private:
    automation::AutomationError error_;
    std::optional<automation::Text> only_;
    collaborators::PlainNumberConverter plain_;
};

}  // namespace orv::test
