#include "ui/twips.h"

#include <cmath>
#include <limits>

#include "automation/standard_errors.h"

namespace orv::ui {

using automation::raiseStandardError;
namespace error_number = automation::error_number;

Twips toTwips(double value) {
    if (std::isnan(value)) raiseStandardError(error_number::kInvalidPropertyValue);
    if (std::fabs(value) > std::numeric_limits<float>::max()) raiseStandardError(error_number::kOverflow);
    return static_cast<Twips>(value);
}

Twips toTwipsSize(double value) {
    if (value < 0) raiseStandardError(error_number::kInvalidPropertyValue);
    return toTwips(value) + 0.0f;  // -0 reads as 0
}

}  // namespace orv::ui
