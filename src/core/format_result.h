#pragma once

#include "core/number_format.h"

#include <string>

namespace naklon {

// Writes a result as the history shows it: `decimals` places (1, 2 or 3),
// thousands grouped, at least three characters, the separators of `format`.
// The exact double is first written with 18 significant digits (ties to
// even); that digit string is then cut to `decimals` places, rounding half
// away from zero on the digits. Magnitudes of 10^18 and more are written in
// scientific form with an exponent of at least `decimals` digits.
// With "." and ",":
//   12345.678, 1 -> "12,345.7"     -0.04, 1 -> "0.0"      -0.04, 2 -> "-0.04"
//   2.675, 2     -> "2.67"         0.125, 2 -> "0.13"     99.95, 1 -> "100.0"
//   1.5e20, 3    -> "1.5E020"      infinity -> "INF"
std::string formatResult(double value, int decimals, const NumberFormat &format);

// Writes a number read from a field or taken from a table as a report shows
// it: the fewest significant digits that read back to the same double, with
// the thousands grouping and separators of `format` as formatResult writes
// them, but only as many decimals as the number needs and no padding.
// Magnitudes of 10^18 and more, or below 10^-6, are written in scientific
// form; the sign of a zero is left out. With "," and " ":
//   15 -> "15"    0.57 -> "0,57"    2293.57 -> "2 293,57"    -20 -> "-20"
//   0.1 -> "0,1"  1.5e20 -> "1,5E20"  1e-7 -> "1E-7"  infinity -> "INF"
std::string formatReadNumber(double value, const NumberFormat &format);

} // namespace naklon
