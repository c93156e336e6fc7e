#pragma once

#include "core/extended_bits.h"

#include <cstdint>

// The extended format's operations carried out by MPFR on the format's bits:
// precision 64, the x87 exponent range with its subnormals, round to nearest
// with ties to even, each result rounded once. Nothing here fails: an
// invalid operation gives a NaN and an overflow an infinity, for the caller
// to judge.
namespace naklon::extended_mpfr {

inline constexpr std::uint16_t kSignBit = 0x8000;
inline constexpr std::uint16_t kExponentMask = 0x7fff;

inline bool isNaN(ExtendedBits x)
{
    return (x.signExponent & kExponentMask) == kExponentMask && (x.significand << 1) != 0;
}
inline bool isInfinite(ExtendedBits x)
{
    return (x.signExponent & kExponentMask) == kExponentMask && (x.significand << 1) == 0;
}
inline bool isZero(ExtendedBits x)
{
    return (x.signExponent & kExponentMask) == 0 && x.significand == 0;
}
inline bool isNegative(ExtendedBits x)
{
    return (x.signExponent & kSignBit) != 0 && !isNaN(x);
}

enum class Operation { Add, Subtract, Multiply, Divide };

ExtendedBits arithmetic(Operation operation, ExtendedBits a, ExtendedBits b);
ExtendedBits squareRoot(ExtendedBits x);
// -1, 0 or 1; NaN never reaches it.
int compare(ExtendedBits a, ExtendedBits b);

ExtendedBits fromInt(int value);
ExtendedBits fromDouble(double value);
ExtendedBits fromLongDouble(long double value);
long double toLongDouble(ExtendedBits x);
// Rounded once to the double format with its subnormals; an infinity when
// the value lies beyond it.
double toDouble(ExtendedBits x);

// The nearest integer, ties to even.
ExtendedBits nearestInteger(ExtendedBits x);
// x * 2^n rounded once.
ExtendedBits timesPowerOfTwo(ExtendedBits x, long n);

// y * log2 x, 2^f - 1 and sin x, each correctly rounded.
ExtendedBits timesLog2(ExtendedBits y, ExtendedBits x);
ExtendedBits twoToTheMinusOne(ExtendedBits f);
ExtendedBits sine(ExtendedBits x);

} // namespace naklon::extended_mpfr
