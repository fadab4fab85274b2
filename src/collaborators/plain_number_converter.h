#pragma once
// The component's own converter (see the .cpp for its text form).
#include "automation/number_locale.h"
#include "collaborators/number_text_converter.h"

namespace orv::collaborators {

class PlainNumberConverter : public NumberTextConverter {
public:
    explicit PlainNumberConverter(automation::NumberLocale locale = {}) : locale_(locale) {}
    double TextToNumber(const Text& text) override;
    Text NumberToText(double value, int16_t decimals, int16_t mode) override;

private:
    automation::NumberLocale locale_;
};

}  // namespace orv::collaborators
