#pragma once
// The installation's NumberTextConverter, by member name; where a call fails, the component's own answers.
#include <memory>

#include "collaborators/number_text_converter.h"
#include "com/dispatch_object.h"

namespace orv::com {

class InstalledNumberConverter final : public collaborators::NumberTextConverter {
  public:
    InstalledNumberConverter(std::unique_ptr<DispatchObject> installed,
                             collaborators::NumberTextConverter& own)
        : installed_(std::move(installed)), own_(own) {}

    double TextToNumber(const collaborators::Text& text) override;
    collaborators::Text NumberToText(double value, int16_t decimals, int16_t mode) override;

  private:
    std::unique_ptr<DispatchObject> installed_;
    collaborators::NumberTextConverter& own_;
};

}  // namespace orv::com
