// The lenient whole-number reading against a reference written the plainest way: the C library reads the
// decimal number, the hexadecimal and octal digits are summed by hand. Both must give the same value or the
// same error for every text.
#include <cctype>
#include <cerrno>
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

bool oneOf(const char* letters, char c) {
    return c != 0 && std::strchr(letters, c);
}

// The value, or nothing for the overflow error.
std::optional<int32_t> reference(const std::u16string& typed) {
    std::string s;  // the text without blanks, tabs and line feeds; anything else non-ASCII ends a number
    for (char16_t c : typed)
        if (c != u' ' && c != u'\t' && c != u'\n') s.push_back(c < 0x80 ? static_cast<char>(c) : '~');
    if (s.size() >= 2 && s[0] == '&' && oneOf("HhOo", s[1])) {
        const int radix = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        unsigned long long value = 0;
        for (size_t i = 2; i < s.size(); ++i) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                                                                          : 99;
            if (digit >= radix) break;
            value = value * radix + digit;
            if (value > 0xFFFFFFFFull) return std::nullopt;
        }
        if (value <= 0xFFFF) return static_cast<int16_t>(value);
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    // Sign, digits with one point, then an exponent (E or D) only when digits follow it.
    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i])))
            digits = true;
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
        number += s[i];
    }
    if (!digits) return 0;
    if (i < s.size() && oneOf("EeDd", s[i])) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exponent += s[j++];
            number += exponent;
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
