#pragma once

#include <string>
#include <string_view>

namespace naklon {

// The separators results are written with, taken from the user's locale by
// the shell and passed to formatResult. Each is one character (UTF-8) or
// empty (then not written at all).
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
};

// Settles one separator from a locale value (UTF-8):
//   one character the Windows-1251 code page holds -> taken as it stands;
//   U+202F narrow no-break space -> U+00A0 no-break space;
//   empty -> empty;
//   longer, malformed, or a character no history file could hold -> fallback.
std::string separatorFromLocale(std::string_view localeValue, std::string_view fallback);

// Both separators from the locale's values, with the defaults "." and ",".
NumberFormat numberFormatFromLocale(std::string_view decimalSeparator, std::string_view thousandsSeparator);

} // namespace naklon
