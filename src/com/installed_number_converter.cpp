#include "com/installed_number_converter.h"

#include <array>

#include "automation/standard_errors.h"
#include "com/com_handles.h"
#include "com/variant_arguments.h"

namespace orv::com {
namespace {

// A result the converter gives in a type that does not convert is a type mismatch, as the platform reports
// it.
void convert(VARIANT* result, VARTYPE type) {
    if (FAILED(VariantChangeType(result, result, 0, type)))
        automation::raiseStandardError(automation::error_number::kTypeMismatch);
}

}  // namespace

double InstalledNumberConverter::TextToNumber(const collaborators::Text& text) {
    UniqueBstr value(text);
    VARIANTARG argument = byValue(value.get());
    UniqueVariant result;
    installed_->method(L"TextToNumber", std::span<VARIANTARG>(&argument, 1), result.get());
    convert(result.get(), VT_R8);
    return result->dblVal;
}

collaborators::Text InstalledNumberConverter::NumberToText(double value, int16_t decimals, int16_t mode) {
    double number = value;
    SHORT places = decimals, second = mode;
    std::array<VARIANTARG, 3> arguments = {byRef(number), byRef(places), byRef(second)};
    UniqueVariant result;
    installed_->method(L"NumberToText", arguments, result.get());
    convert(result.get(), VT_BSTR);
    return textOf(result->bstrVal);
}

}  // namespace orv::com
