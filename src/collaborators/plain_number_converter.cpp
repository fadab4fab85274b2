// The component's own converter.
//
// Text form written by NumberToText(value, decimals, mode):
//   - the value correctly rounded to `decimals` decimals (0..30; fewer than 0 counts as 0), ties to even on
//   the
//     exact binary value, as std::to_chars does;
//   - the decimal separator of the locale it was made with, no digit grouping, '-' before negatives, no '+';
//   - a negative value that rounds to zero is written as zero ("-0.0004" with 3 decimals gives "0.000");
//   - `mode` selects nothing: every value gives the form above;
//   - infinities and NaN come out as "inf", "-inf" and "nan" (they hold no digits, so they read back as 0).
//
// Reading by TextToNumber(text), which never fails:
//   - blanks (space, tab, line breaks, no-break spaces) are ignored wherever they stand;
//   - the leading number is read: an optional sign, digits, one decimal point ('.' or the locale's separator,
//     whichever comes first; a second one ends the number), an optional exponent (e or E, optional sign,
//     digits); reading stops at the first character that fits no number;
//   - text with no leading digits reads as 0; a number beyond the double range reads as an infinity of its
//   sign, one
//     too small for it as 0; a zero is always +0;
//   - the digits are converted correctly rounded (std::from_chars), so whatever NumberToText wrote reads back
//   as the
//     double nearest to it, which writes again as the same text.
#include "collaborators/plain_number_converter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "automation/fixed_decimal_text.h"

namespace orv::collaborators {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0' || c == u'\u202F';
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The leading number of blank-free text, in the form std::from_chars reads ('.' as the point, no sign).
struct LeadingNumber {
    bool negative = false;
    std::string digits;  // mantissa with '.', then the exponent part if any
    bool hasDigits = false;
    bool nonZero = false;
    long magnitude = 0;  // decimal position of the first non-zero digit, before the exponent
    long exponent = 0;   // saturated
};

LeadingNumber scan(const automation::Text& text, char16_t separator) {
    LeadingNumber number;
    size_t i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number.negative = text[i++] == u'-';
    bool inFraction = false, firstInFraction = false;
    long integerDigits = 0, leadingFractionZeros = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isDigit(c)) {
            number.hasDigits = true;
            if (c != u'0' && !number.nonZero) {
                number.nonZero = true;
                firstInFraction = inFraction;
            }
            if (!inFraction && number.nonZero) ++integerDigits;
            if (inFraction && !number.nonZero) ++leadingFractionZeros;
            number.digits.push_back(static_cast<char>(c));
        } else if ((c == u'.' || c == separator) && !inFraction) {
            inFraction = true;
            number.digits.push_back('.');
        } else {
            break;
        }
    }
    number.magnitude = firstInFraction ? -leadingFractionZeros : integerDigits;
    if (!number.hasDigits || i >= text.size() || (text[i] != u'e' && text[i] != u'E')) return number;
    size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) negativeExponent = text[j++] == u'-';
    if (j >= text.size() || !isDigit(text[j])) return number;
    std::string exponent = negativeExponent ? "e-" : "e";
    long value = 0;
    for (; j < text.size() && isDigit(text[j]); ++j) {
        exponent.push_back(static_cast<char>(text[j]));
        value = std::min(value * 10 + (text[j] - u'0'), 1'000'000L);
    }
    number.exponent = negativeExponent ? -value : value;
    number.digits += exponent;
    return number;
}

}  // namespace

double PlainNumberConverter::TextToNumber(const Text& text) {
    Text compact;
    compact.reserve(text.size());
    for (char16_t c : text)
        if (!isBlank(c)) compact.push_back(c);
    const LeadingNumber number = scan(compact, locale_.decimalSeparator);
    if (!number.hasDigits || !number.nonZero) return 0.0;
    double value = 0;
    const char* first = number.digits.data();
    const auto [end, error] = std::from_chars(first, first + number.digits.size(), value);
    if (error == std::errc::result_out_of_range)
        value = number.magnitude + number.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (value == 0) return 0.0;
    return number.negative ? -value : value;
}

Text PlainNumberConverter::NumberToText(double value, int16_t decimals, int16_t mode) {
    return automation::fixedDecimalText(value, decimals, locale_);
}

}  // namespace orv::collaborators
