// The lenient whole-number reading against a reference written the plainest way: the C library reads the
// decimal number, the hexadecimal and octal digits are summed by hand. Both must give the same value or the
// same error for every text.
#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "automation/automation_error.h"
#include "automation/number_reading.h"
#include "fuzz_input.h"

namespace {

// The value, or nothing for the overflow error.
std::optional<int32_t> reference(const std::u16string& typed) {
    std::string s;  // the text without blanks, tabs and line feeds; anything else non-ASCII ends a number
    for (char16_t c : typed)
        if (c != u' ' && c != u'\t' && c != u'\n') s.push_back(c < 0x80 ? static_cast<char>(c) : '~');
    // Character i in lower case, NUL past the end.
    const auto at = [&s](size_t i) { return i < s.size() ? static_cast<char>(std::tolower(s[i])) : '\0'; };
    const auto digit = [&at](size_t i) { return std::isdigit(static_cast<unsigned char>(at(i))) != 0; };
    if (at(0) == '&' && (at(1) == 'h' || at(1) == 'o')) {
        const int radix = at(1) == 'h' ? 16 : 8;
        const char* const digits = "0123456789abcdef";
        unsigned long long value = 0;
        for (size_t i = 2;; ++i) {
            const char* d = at(i) ? std::strchr(digits, at(i)) : nullptr;
            if (!d || d - digits >= radix) break;
            value = value * radix + static_cast<unsigned>(d - digits);
            if (value > 0xFFFFFFFFull) return std::nullopt;
        }
        if (value <= 0xFFFF) return static_cast<int16_t>(value);
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    // Sign, digits with one point, then an exponent (E or D) only when digits follow it.
    size_t i = at(0) == '+' || at(0) == '-' ? 1 : 0;
    bool digits = false, point = false;
    for (; digit(i) || (at(i) == '.' && !point); ++i) (digit(i) ? digits : point) = true;
    if (!digits) return 0;
    std::string number = s.substr(0, i);
    if (at(i) == 'e' || at(i) == 'd') {
        size_t j = i + 1 + (at(i + 1) == '+' || at(i + 1) == '-');
        if (digit(j)) {
            while (digit(j)) ++j;
            number.append("e").append(s, i + 1, j - i - 1);
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);  // halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(rounded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orv::fuzz::FuzzInput input(data, size);
    const std::u16string text = input.rest();
    const std::optional<int32_t> expected = reference(text);
    std::optional<int32_t> read;
    try {
        read = orv::automation::readWholeNumber(orv::automation::TextView(text));
    } catch (const orv::automation::AutomationError& error) {
        if (error.number() != 6) orv::fuzz::finding("an error other than overflow");
    }
    if (read != expected) {
        std::fprintf(stderr, "read %lld, reference %lld (-1 for overflow)\n", read ? (long long)*read : -1LL,
                     expected ? (long long)*expected : -1LL);
        orv::fuzz::finding("the reading differs from the reference");
    }
    if (orv::automation::tryReadWholeNumber(orv::automation::Text(text)) != expected)
        orv::fuzz::finding("the cell reading differs from the reference");
    return 0;
}
