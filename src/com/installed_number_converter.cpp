#include "com/installed_number_converter.h"

#include <array>

#include "automation/automation_error.h"
#include "com/com_handles.h"
#include "com/variant_arguments.h"

namespace orv::com {
double InstalledNumberConverter::TextToNumber(const collaborators::Text& text) {
    try {
        UniqueBstr value(text);
        VARIANTARG argument = byValue(value.get());
        UniqueVariant result;
        installed_->method(L"TextToNumber", std::span<VARIANTARG>(&argument, 1), result.get());
        if (SUCCEEDED(VariantChangeType(result.get(), result.get(), 0, VT_R8))) return result->dblVal;
    } catch (const automation::AutomationError&) {
        // The installed class failed: our own converter answers instead.
    }
    return own_.TextToNumber(text);
}

collaborators::Text InstalledNumberConverter::NumberToText(double value, int16_t decimals, int16_t mode) {
    try {
        double number = value;
        SHORT places = decimals, second = mode;
        std::array<VARIANTARG, 3> arguments = {byRef(number), byRef(places), byRef(second)};
        UniqueVariant result;
        installed_->method(L"NumberToText", arguments, result.get());
        if (SUCCEEDED(VariantChangeType(result.get(), result.get(), 0, VT_BSTR)))
            return textOf(result->bstrVal);
    } catch (const automation::AutomationError&) {
        // The installed class failed: our own converter answers instead.
    }
    return own_.NumberToText(value, decimals, mode);
}

}  // namespace orv::com
