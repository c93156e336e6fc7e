#include "core/sin_degrees.h"

#include <cmath>

namespace naklon {
namespace {

long double processorSine(long double x)
{
#if defined(__x86_64__) || defined(__i386__)
    long double result;
    __asm__("fsin" : "=t"(result) : "0"(x));
    return result;
#else
    return std::sin(x);
#endif
}

constexpr long double kTwoToThe63 = 9223372036854775808.0L;

} // namespace

Extended sinDegrees(double angle)
{
    const Extended x = (Extended(kPi) * Extended(angle)) / Extended(180.0L);
    if (std::fabs(x.value()) >= kTwoToThe63)
        return Extended(0.0L);
    return Extended(processorSine(x.value()));
}

} // namespace naklon
