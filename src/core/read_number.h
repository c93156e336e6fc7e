#pragma once

#include <string_view>

namespace naklon {

// What readNumber made of a text.
struct NumberReading {
    double value = 0;
    // True when the reading reached the end of the text; false when it
    // stopped at an unexpected character and value is the running whole
    // number at that moment.
    bool wholeText = true;
};

// Reads a number the way every field and class list of the program is read:
// the point is the decimal separator whatever the locale, no thousands
// separator, an optional exponent. Leading blanks (code 32 only) are skipped.
//   ""        -> 0          "  12"   -> 12        "-0"   -> -0
//   ".5"      -> 0.5        "5."     -> 5         "e5"   -> 0
//   "1E-2"    -> 0.01       "0e6000" -> infinity  "-"    -> 0
// Any other character where the next element is expected stops the reading:
// the value is then all digits read so far run together as one whole number,
// without sign, point or exponent, and wholeText is false.
//   "1,5" -> 1    "12.5 " -> 125    "-12.5x" -> 125    "1e" -> 1
// Throws EOverflow when the number leaves the extended range while it is
// read, or the double range when it is rounded to a double ("1e400").
NumberReading readNumber(std::string_view text);

} // namespace naklon
