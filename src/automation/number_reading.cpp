#include "automation/number_reading.h"

#include <charconv>
#include <cmath>
#include <string>
#include <type_traits>

#include "automation/standard_errors.h"

namespace orv::automation {

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isIgnoredInWholeNumber(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The pieces of a decimal number as the readers found them, ready for std::from_chars.
struct DecimalParts {
    bool negative = false;
    std::string mantissa;  // digits with at most one '.', at least one digit
    bool hasExponent = false;
    bool negativeExponent = false;
    std::string exponentDigits;
};

// Reads sign, digits, one decimal point and an exponent from text[pos]; stops at the first character that
// fits no number. Returns false when no mantissa digit was found.
bool scanDecimal(TextView text, size_t& pos, char16_t decimalPoint, bool allowDExponent,
                 DecimalParts& parts) {
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) parts.negative = text[pos++] == u'-';
    bool anyDigit = false;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos];
        if (isDigit(c)) {
            parts.mantissa += static_cast<char>(c);
            anyDigit = true;
        } else if (c == decimalPoint && !seenPoint) {
            parts.mantissa += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    // An exponent letter counts only when digits follow it; otherwise reading stops before the letter.
    if (pos < text.size()) {
        const char16_t letter = text[pos];
        const bool isExponent =
            letter == u'E' || letter == u'e' || (allowDExponent && (letter == u'D' || letter == u'd'));
        if (isExponent) {
            size_t at = pos + 1;
            bool negativeExponent = false;
            if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
                negativeExponent = text[at++] == u'-';
            if (at < text.size() && isDigit(text[at])) {
                parts.hasExponent = true;
                parts.negativeExponent = negativeExponent;
                while (at < text.size() && isDigit(text[at]))
                    parts.exponentDigits += static_cast<char>(text[at++]);
                pos = at;
            }
        }
    }
    return true;
}

// The parts as a double; a magnitude beyond the double range is error 6, one below it reads as zero. Returns the
// error number, 0 on success.
int32_t toDouble(const DecimalParts& parts, double& result) {
    std::string number = parts.mantissa;
    if (parts.hasExponent) {
        number += parts.negativeExponent ? "e-" : "e";
        number += parts.exponentDigits;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!(parts.hasExponent && parts.negativeExponent)) return error_number::kOverflow;
        result = parts.negative ? -0.0 : 0.0;
        return 0;
    }
    if (error != std::errc() || end != number.data() + number.size()) return error_number::kTypeMismatch;
    if (std::isinf(value)) return error_number::kOverflow;
    result = parts.negative ? -value : value;
    return 0;
}

// &H and &O digits, read as the platform reads such literals: a value that fits 16 bits is a 16-bit two's
// complement number (&HFFFF is -1, &H8000 is -32768), one that fits 32 bits a 32-bit one (&HFFFFFFFF is -1,
// &H10000 is 65536), anything wider is error 6. Leading zeros do not widen a value. No digit reads as 0, and
// so does a sign before the prefix ("-&HFF"): only decimal numbers take a sign.
int32_t readRadixDigits(TextView text, size_t pos, unsigned radix, int32_t& result) {
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos];
        unsigned digit = 0;
        if (isDigit(c)) {
            digit = c - u'0';
        } else if (radix == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else if (radix == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else {
            break;
        }
        if (digit >= radix) break;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu) return error_number::kOverflow;
    }
    result = value <= 0xFFFFu ? static_cast<int16_t>(static_cast<uint16_t>(value))
                              : static_cast<int32_t>(static_cast<uint32_t>(value));
    return 0;
}

// The readings below return the error number they fail with, 0 on success; the public functions raise it or
// turn it into nothing.
int32_t roundChecked(double value, int32_t& result) {
    if (std::isnan(value)) return error_number::kOverflow;
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return error_number::kOverflow;
    result = static_cast<int32_t>(rounded);
    return 0;
}

int32_t wholeNumber(TextView text, int32_t& result) {
    Text compact;
    compact.reserve(text.size());
    for (char16_t c : text) {
        if (!isIgnoredInWholeNumber(c)) compact += c;
    }
    result = 0;
    if (compact.size() >= 2 && compact[0] == u'&') {
        if (compact[1] == u'H' || compact[1] == u'h') return readRadixDigits(compact, 2, 16, result);
        if (compact[1] == u'O' || compact[1] == u'o') return readRadixDigits(compact, 2, 8, result);
        return 0;
    }
    size_t pos = 0;
    DecimalParts parts;
    if (!scanDecimal(compact, pos, u'.', /*allowDExponent=*/true, parts)) return 0;
    double value = 0.0;
    if (const int32_t error = toDouble(parts, value)) return error;
    return roundChecked(value, result);
}

int32_t wholeNumber(const Value& value, int32_t& result) {
    return std::visit(
        [&result](const auto& held) -> int32_t {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                result = 0;
                return 0;
            } else if constexpr (std::is_same_v<Held, Text>) {
                return wholeNumber(TextView(held), result);
            } else if constexpr (std::is_same_v<Held, int32_t>) {
                result = held;
                return 0;
            } else {
                return roundChecked(held, result);
            }
        },
        value);
}

int32_t localeNumber(TextView text, NumberLocale locale, double& result) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    const TextView trimmed = text.substr(first, last - first);
    size_t pos = 0;
    DecimalParts parts;
    if (!scanDecimal(trimmed, pos, locale.decimalSeparator, /*allowDExponent=*/false, parts) ||
        pos != trimmed.size())
        return error_number::kTypeMismatch;
    return toDouble(parts, result);
}

int32_t localeNumber(const Value& value, NumberLocale locale, double& result) {
    return std::visit(
        [locale, &result](const auto& held) -> int32_t {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                return localeNumber(TextView(), locale, result);  // nothing reads as empty text
            } else if constexpr (std::is_same_v<Held, Text>) {
                return localeNumber(TextView(held), locale, result);
            } else {
                result = static_cast<double>(held);
                return 0;
            }
        },
        value);
}

// Runs a reading; raises the error it reports, or gives its result.
template <class T, class Reading>
T raisedOr(Reading&& reading) {
    T result{};
    if (const int32_t error = reading(result)) raiseStandardError(error);
    return result;
}

// Runs a reading; nothing when it reports an error.
template <class T, class Reading>
std::optional<T> nothingOr(Reading&& reading) {
    T result{};
    if (reading(result)) return std::nullopt;
    return result;
}

}  // namespace

int32_t roundToLong(double value) {
    return raisedOr<int32_t>([&](int32_t& result) { return roundChecked(value, result); });
}

int32_t readWholeNumber(TextView text) {
    return raisedOr<int32_t>([&](int32_t& result) { return wholeNumber(text, result); });
}

int32_t readWholeNumber(const Value& value) {
    return raisedOr<int32_t>([&](int32_t& result) { return wholeNumber(value, result); });
}

double readLocaleNumber(TextView text, NumberLocale locale) {
    return raisedOr<double>([&](double& result) { return localeNumber(text, locale, result); });
}

double readLocaleNumber(const Value& value, NumberLocale locale) {
    return raisedOr<double>([&](double& result) { return localeNumber(value, locale, result); });
}

std::optional<int32_t> tryReadWholeNumber(const Value& value) {
    return nothingOr<int32_t>([&](int32_t& result) { return wholeNumber(value, result); });
}

std::optional<double> tryReadLocaleNumber(const Value& value, NumberLocale locale) {
    return nothingOr<double>([&](double& result) { return localeNumber(value, locale, result); });
}

Text valueText(const Value& value, NumberLocale locale) {
    return std::visit(
        [locale](const auto& held) -> Text {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                return Text();
            } else if constexpr (std::is_same_v<Held, Text>) {
                return held;
            } else if constexpr (std::is_same_v<Held, int32_t>) {
                return decimalText(held);
            } else {
                char buffer[64];
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, held);
                Text text;
                for (const char* c = buffer; c != result.ptr; ++c)
                    text += *c == '.' ? locale.decimalSeparator : static_cast<char16_t>(*c);
                return text;
            }
        },
        value);
}

}  // namespace orv::automation
