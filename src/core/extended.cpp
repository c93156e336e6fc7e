#include "core/extended.h"

#include "core/failures.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__x86_64__) || defined(__i386__)
#define NAKLON_X87 1
#endif

namespace naklon {
namespace {

long double log2Times(long double x, long double factor)
{
#ifdef NAKLON_X87
    long double result;
    __asm__("fyl2x" : "=t"(result) : "0"(x), "u"(factor) : "st(1)");
    return result;
#else
    return factor * std::log2(x);
#endif
}

long double twoToTheMinusOne(long double f)
{
#ifdef NAKLON_X87
    long double result;
    __asm__("f2xm1" : "=t"(result) : "0"(f));
    return result;
#else
    return std::expm1(f * 0.693147180559945309417232121458176568L);
#endif
}

#ifdef NAKLON_X87
// Extended precision, round to nearest, every exception masked: the checks
// are explicit, so no operation traps.
constexpr std::uint16_t kX87ControlWord = 0x033F;

std::uint16_t x87ControlWord()
{
    std::uint16_t word = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}

void setX87ControlWord(std::uint16_t word)
{
    __asm__ __volatile__("fldcw %0" : : "m"(word));
}
#endif

constexpr long double kLn2 = 0.693147180559945309417232121458176568L;
constexpr long double kLog2E = 1.44269504088896340735992468100189214L;

} // namespace

double Extended::toDouble() const
{
    const auto rounded = static_cast<double>(value_);
    if (std::isinf(rounded) && std::isfinite(value_))
        throw EOverflow();
    return rounded;
}

void Extended::throwInvalidOp()
{
    throw EInvalidOp();
}

void Extended::throwOverflow()
{
    throw EOverflow();
}

void Extended::checkDivisionByZero(long double dividend)
{
    if (dividend == 0 || std::isnan(dividend))
        throw EInvalidOp();
    if (std::isfinite(dividend))
        throw EZeroDivide();
}

Extended squareRoot(Extended x)
{
    if (x.value() < 0 || std::isnan(x.value()))
        throw EInvalidOp();
    return Extended(std::sqrt(x.value()));
}

Extended naturalLog(Extended x)
{
    if (x.value() < 0 || std::isnan(x.value()))
        throw EInvalidOp();
    if (x.value() == 0)
        throw EZeroDivide();
    return Extended(log2Times(x.value(), kLn2));
}

Extended exponential(Extended x)
{
    const Extended t = x * Extended(kLog2E);
    const Extended n(std::nearbyint(t.value()));
    const Extended f = t - n; // inf - inf for an infinite t
    const Extended power = (Extended(twoToTheMinusOne(f.value())) + Extended(1.0L));
    // Beyond +-100000 the scaling overflows or underflows whatever the
    // exact power, so the clamp changes no result.
    const long double exponent = std::clamp(n.value(), -100000.0L, 100000.0L);
    const long double scaled = std::ldexp(power.value(), static_cast<int>(exponent));
    return Extended::checked(scaled, power.value(), 1.0L);
}

void applyFloatingPointSettings()
{
    std::fesetround(FE_TONEAREST);
#ifdef NAKLON_X87
    setX87ControlWord(kX87ControlWord);
#endif
    std::feclearexcept(FE_ALL_EXCEPT);
}

FloatingPointSettingsKeeper::FloatingPointSettingsKeeper()
    : rounding_(std::fegetround())
{
#ifdef NAKLON_X87
    x87ControlWord_ = x87ControlWord();
#endif
}

FloatingPointSettingsKeeper::~FloatingPointSettingsKeeper()
{
    std::fesetround(rounding_);
#ifdef NAKLON_X87
    setX87ControlWord(x87ControlWord_);
#endif
}

} // namespace naklon
