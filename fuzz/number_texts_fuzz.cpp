// The converter and the editor's locale number reading. Any double written with 0 to 15 decimals and either
// separator reads back as the double nearest to the text written, which writes again as the same text; the
// locale reading of a cell takes it the same way. Any text at all: the converter reads some number without
// failing, the locale reading gives a number or refuses with a type mismatch or an overflow.
#include <cmath>
#include <cstdlib>
#include <string>

#include "automation/automation_error.h"
#include "automation/number_reading.h"
#include "collaborators/plain_number_converter.h"
#include "fuzz_input.h"

using namespace orv;
using fuzz::finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const automation::NumberLocale locale{input.flag() ? u',' : u'.'};
    const int16_t decimals = static_cast<int16_t>(input.pick(16));
    const double value = input.raw<double>();
    collaborators::PlainNumberConverter converter(locale);

    if (std::isfinite(value)) {
        const automation::Text written = converter.NumberToText(value, decimals, 0);
        std::string plain;  // the text as the C library reads it
        for (char16_t c : written) plain.push_back(c == locale.decimalSeparator ? '.' : static_cast<char>(c));
        const double nearest = std::strtod(plain.c_str(), nullptr);
        const double back = converter.TextToNumber(written);
        if (back != nearest) finding("TextToNumber is not the double nearest to the text written");
        if (converter.NumberToText(back, decimals, 0) != written)
            finding("the text does not write again alike");
        if (automation::tryReadLocaleNumber(written, locale) != nearest)
            finding("the locale reading of a written number differs");
    }

    const automation::Text typed = input.rest();
    converter.TextToNumber(typed);
    try {
        const double read = automation::readLocaleNumber(automation::TextView(typed), locale);
        if (automation::tryReadLocaleNumber(typed, locale) != read) finding("the two locale readings differ");
    } catch (const automation::AutomationError& error) {
        if (error.number() != 13 && error.number() != 6)
            finding("a locale reading failed with another error");
        if (automation::tryReadLocaleNumber(typed, locale)) finding("the two locale readings differ");
    }
    return 0;
}
