#pragma once
// The installation's NumberTextConverter, by member name. Its failures are the caller's errors, as the
// dialogs' traps expect them: once found, it is never replaced by the component's own converter mid-session.
#include <memory>

#include "collaborators/number_text_converter.h"
#include "com/dispatch_object.h"

namespace orv::com {

class InstalledNumberConverter final : public collaborators::NumberTextConverter {
  public:
    explicit InstalledNumberConverter(std::unique_ptr<DispatchObject> installed)
        : installed_(std::move(installed)) {}

    double TextToNumber(const collaborators::Text& text) override;
    collaborators::Text NumberToText(double value, int16_t decimals, int16_t mode) override;

  private:
    std::unique_ptr<DispatchObject> installed_;
};

}  // namespace orv::com
