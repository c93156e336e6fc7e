#pragma once

// An independent way of writing doubles as the history shows them, built on
// exact integer arithmetic only (no printf, no floating-point rounding), to
// check formatResult against.

#include <string>
#include <string_view>

namespace naklon::reference {

// The exact decimal value of a finite double's magnitude: 0.digits x 10^point,
// digits without leading or trailing zeros (empty for zero).
//   0.1  -> digits "1000000000000000055511151231257827021181583404541015625", point 0
//   1234 -> digits "1234", point 4
struct ExactDecimal {
    std::string digits;
    int point = 0;
};

ExactDecimal exactDecimal(double value);

// The result line text of a double with `decimals` places, computed from the
// exact decimal value: 18 significant digits ties to even, then cut to the
// places with half away from zero on those digits, plain form below 10^18,
// scientific form from there, at least three characters.
std::string referenceFormat(
    double value, int decimals, std::string_view decimalSeparator, std::string_view thousandsSeparator);

} // namespace naklon::reference
