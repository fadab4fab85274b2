#include "automation/fixed_decimal_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orv::automation {

automation::Text fixedDecimalText(double value, int decimals, automation::NumberLocale locale) {
    if (std::isnan(value)) return u"nan";
    decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
    // The longest finite double written in fixed form: sign, 309 digits, the point and the decimals.
    std::array<char, 1 + 309 + 1 + kMaxFixedDecimals + 8> buffer;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
    const char* begin = buffer.data();
    const char* end = written.ptr;
    if (*begin == '-' && std::all_of(begin + 1, end, [](char c) { return c == '0' || c == '.'; })) ++begin;
    automation::Text text;
    text.reserve(static_cast<size_t>(end - begin));
    for (const char* c = begin; c != end; ++c)
        text.push_back(*c == '.' ? locale.decimalSeparator : char16_t(*c));
    return text;
}

}  // namespace orv::automation
