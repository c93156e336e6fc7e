#pragma once

#include "core/extended.h"

namespace naklon {

// The sine of an angle in degrees, at extended precision and unrounded:
// x = (pi * angle) / 180 with pi the extended constant; 0 when |x| >= 2^63,
// else sin x of that extended x, rounded once.
//   90 -> 1    30 -> 0.5 (within the last bit)    -90 -> -1    6e20 -> 0
Extended sinDegrees(double angle);

} // namespace naklon
