#pragma once
// Numbers to text with a count of decimals and text back to numbers.
#include <cstdint>

#include "automation/text.h"

namespace orv::collaborators {

using automation::Text;

class NumberTextConverter {
public:
    virtual ~NumberTextConverter() = default;
    // Never fails on text that holds no number.
    virtual double TextToNumber(const Text& text) = 0;
    virtual Text NumberToText(double value, int16_t decimals, int16_t mode) = 0;
};

}  // namespace orv::collaborators
