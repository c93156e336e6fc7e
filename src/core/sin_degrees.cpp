#include "core/sin_degrees.h"

namespace naklon {
namespace {

constexpr ExtendedBits kTwoToThe63{0x403e, 0x8000000000000000};

} // namespace

Extended sinDegrees(double angle)
{
    const Extended x = (kPi * Extended(angle)) / Extended(180);
    const Extended magnitude = x.isNegative() ? -x : x;
    if (!(magnitude < Extended::fromBits(kTwoToThe63)))
        return Extended(0);
    return sine(x);
}

} // namespace naklon
