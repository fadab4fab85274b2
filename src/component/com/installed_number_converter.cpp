#include "component/com/installed_number_converter.h"

#include <array>

#include "automation/automation_error.h"
#include "component/com/com_handles.h"

namespace orv::com {
namespace {

std::wstring wide(const collaborators::Text& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

double InstalledNumberConverter::TextToNumber(const collaborators::Text& text) {
    try {
        UniqueBstr value(wide(text));
        VARIANTARG argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = value.get();
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
        std::array<VARIANTARG, 3> arguments;
        for (VARIANTARG& argument : arguments) VariantInit(&argument);
        arguments[0].vt = VT_BYREF | VT_R8;
        arguments[0].pdblVal = &number;
        arguments[1].vt = VT_BYREF | VT_I2;
        arguments[1].piVal = &places;
        arguments[2].vt = VT_BYREF | VT_I2;
        arguments[2].piVal = &second;
        UniqueVariant result;
        installed_->method(L"NumberToText", arguments, result.get());
        if (SUCCEEDED(VariantChangeType(result.get(), result.get(), 0, VT_BSTR)))
            return collaborators::Text(result->bstrVal, result->bstrVal + SysStringLen(result->bstrVal));
    } catch (const automation::AutomationError&) {
        // The installed class failed: our own converter answers instead.
    }
    return own_.NumberToText(value, decimals, mode);
}

}  // namespace orv::com
