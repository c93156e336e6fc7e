#pragma once

#include "core/extended_bits.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

// The calculations run in one format on every machine: the x87 extended
// format (64-bit significand with its integer bit, 15-bit exponent,
// subnormals, round to nearest with ties to even). Where the compiler's
// long double is that format, Extended holds one and the processor does
// +, -, x, / and the square root; elsewhere, and wherever
// NAKLON_SOFT_EXTENDED is defined, Extended holds the format's bits and MPFR
// computes each operation with the same rounding, range and failures.
#if !defined(NAKLON_SOFT_EXTENDED) && (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64                \
    && LDBL_MAX_EXP == 16384
#define NAKLON_NATIVE_EXTENDED 1
#endif

namespace naklon {

// A real number at extended precision whose every operation checks its own
// result and raises the arithmetic failure at that very operation:
//   EInvalidOp  for 0/0, inf-inf, 0*inf, inf/inf, sqrt and ln of a negative;
//   EZeroDivide for a finite non-zero number over zero and for ln(0);
//   EOverflow   for a finite result beyond the extended range.
// Underflow and inexact results are silent. Infinities are ordinary
// operands: inf*2, inf/3 and inf+1 pass without failure.
// No processor trap is unmasked; the checks are explicit.
class Extended {
public:
    constexpr Extended() = default;
    // Exact for every int and double; a long double wider than the format
    // (IEEE quad) is rounded to it. Implicit by design.
    Extended(int value);         // NOLINT(google-explicit-constructor)
    Extended(double value);      // NOLINT(google-explicit-constructor)
    Extended(long double value); // NOLINT(google-explicit-constructor)

    static Extended fromBits(ExtendedBits bits);
    ExtendedBits bits() const;

    // The value as this platform's long double: exact where long double is
    // the extended format or a wider one.
    long double value() const;

    // Rounds to a double; EOverflow when a finite value lies beyond it.
    double toDouble() const;

    bool isZero() const;
    bool isFinite() const;
    bool isInfinite() const;
    bool isNegative() const;

    friend Extended operator+(Extended a, Extended b);
    friend Extended operator-(Extended a, Extended b);
    friend Extended operator*(Extended a, Extended b);
    friend Extended operator/(Extended a, Extended b);
    Extended operator-() const;

    friend bool operator<(Extended a, Extended b);
    friend bool operator>(Extended a, Extended b) { return b < a; }
    friend bool operator==(Extended a, Extended b);

private:
#ifdef NAKLON_NATIVE_EXTENDED
    long double value_ = 0;
#else
    ExtendedBits bits_;
#endif
};

Extended squareRoot(Extended x);

// Natural logarithm as ln 2 x log2 x, the product rounded once (what the
// processor's FYL2X stands for).
Extended naturalLog(Extended x);

// e^x as 2^t with t = x * log2 e, t split into its nearest integer n (ties
// to even) and f = t - n, the result ((2^f - 1) + 1) * 2^n, 2^f - 1 rounded
// once (what F2XM1 stands for). An infinite t fails at the split as inf - inf.
Extended exponential(Extended x);

// sin x of the exact argument, rounded once; the caller keeps |x| below 2^63.
Extended sine(Extended x);

// The constants of the calculations, each the value of the format nearest
// to the real number, written as its bits.
inline constexpr ExtendedBits kPiBits{0x4000, 0xc90fdaa22168c235};       // 3.14159265358979323851
inline constexpr ExtendedBits kLn2Bits{0x3ffe, 0xb17217f7d1cf79ac};      // 0.693147180559945309428
inline constexpr ExtendedBits kLog2EBits{0x3fff, 0xb8aa3b295c17f0bc};    // 1.44269504088896340739
inline constexpr ExtendedBits kOneThirdBits{0x3ffd, 0xaaaaaaaaaaaaaaab}; // 0.33333333333333333334
inline const Extended kPi = Extended::fromBits(kPiBits);
inline const Extended kOneThird = Extended::fromBits(kOneThirdBits);

// The floating-point settings every calculation runs under: round to nearest
// with ties to even, extended working precision, all traps masked. Called
// once at start and again after any failure has been caught.
void applyFloatingPointSettings();

// Saves the floating-point settings in force and puts them back on
// destruction, so that creating a window cannot change them behind the
// calculations' back.
class FloatingPointSettingsKeeper {
public:
    FloatingPointSettingsKeeper();
    ~FloatingPointSettingsKeeper();
    FloatingPointSettingsKeeper(const FloatingPointSettingsKeeper &) = delete;
    FloatingPointSettingsKeeper &operator=(const FloatingPointSettingsKeeper &) = delete;

private:
    std::uint16_t x87ControlWord_ = 0;
    int rounding_ = 0;
};

#ifdef NAKLON_NATIVE_EXTENDED
// The native operations stay inline: they are single instructions, checked.
namespace extended_detail {
[[noreturn]] void throwInvalidOp();
[[noreturn]] void throwOverflow();
void checkDivisionByZero(long double dividend);

// The result of an operation on a and b, or the failure it stands for: NaN
// is an invalid operation; an infinity made from finite operands left the
// extended range.
inline long double checked(long double result, long double a, long double b)
{
    if (std::isnan(result)) [[unlikely]]
        throwInvalidOp();
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) [[unlikely]]
        throwOverflow();
    return result;
}
} // namespace extended_detail

inline Extended::Extended(int value) : value_(value)
{
}
inline Extended::Extended(double value) : value_(value)
{
}
inline Extended::Extended(long double value) : value_(value)
{
}
inline long double Extended::value() const
{
    return value_;
}
inline bool Extended::isZero() const
{
    return value_ == 0;
}
inline bool Extended::isFinite() const
{
    return std::isfinite(value_);
}
inline bool Extended::isInfinite() const
{
    return std::isinf(value_);
}
inline bool Extended::isNegative() const
{
    return value_ < 0;
}
inline Extended Extended::operator-() const
{
    return Extended(-value_);
}
inline bool operator<(Extended a, Extended b)
{
    return a.value_ < b.value_;
}
inline bool operator==(Extended a, Extended b)
{
    return a.value_ == b.value_;
}

inline Extended operator+(Extended a, Extended b)
{
    return Extended(extended_detail::checked(a.value_ + b.value_, a.value_, b.value_));
}
inline Extended operator-(Extended a, Extended b)
{
    return Extended(extended_detail::checked(a.value_ - b.value_, a.value_, b.value_));
}
inline Extended operator*(Extended a, Extended b)
{
    return Extended(extended_detail::checked(a.value_ * b.value_, a.value_, b.value_));
}
inline Extended operator/(Extended a, Extended b)
{
    if (b.value_ == 0)
        extended_detail::checkDivisionByZero(a.value_);
    return Extended(extended_detail::checked(a.value_ / b.value_, a.value_, b.value_));
}
#endif

} // namespace naklon
