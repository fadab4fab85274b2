#pragma once
// Text as the automation boundary carries it: UTF-16, as BSTR holds it.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::automation {

using Text = std::u16string;
using TextView = std::u16string_view;

// Conversions for diagnostics, tests and file names; the dialogs themselves speak UTF-16 only.
Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView text);

// Plain decimal digits with a leading '-' for negatives, as the dialogs write numbers into fields and
// captions.
Text decimalText(int64_t value);

}  // namespace orv::automation
