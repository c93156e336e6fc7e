#pragma once

#include <cmath>
#include <cstdint>

namespace naklon {

// A real number held at extended precision (64-bit significand on x86) whose
// every operation checks its own result and raises the arithmetic failure at
// that very operation:
//   EInvalidOp  for 0/0, inf-inf, 0*inf, inf/inf, sqrt and ln of a negative;
//   EZeroDivide for a finite non-zero number over zero and for ln(0);
//   EOverflow   for a finite result beyond the extended range.
// Underflow and inexact results are silent. Infinities are ordinary
// operands: inf*2, inf/3 and inf+1 pass without failure.
// No processor trap is unmasked; the checks are explicit.
class Extended {
public:
    constexpr Extended() = default;
    constexpr Extended(long double value) : value_(value) {} // NOLINT: implicit by design

    constexpr long double value() const { return value_; }

    // Rounds to a double; EOverflow when a finite value lies beyond it.
    double toDouble() const;

    friend Extended operator+(Extended a, Extended b) { return checked(a.value_ + b.value_, a.value_, b.value_); }
    friend Extended operator-(Extended a, Extended b) { return checked(a.value_ - b.value_, a.value_, b.value_); }
    friend Extended operator*(Extended a, Extended b) { return checked(a.value_ * b.value_, a.value_, b.value_); }
    friend Extended operator/(Extended a, Extended b)
    {
        if (b.value_ == 0)
            checkDivisionByZero(a.value_);
        return checked(a.value_ / b.value_, a.value_, b.value_);
    }
    Extended operator-() const { return Extended(-value_); }

    friend bool operator<(Extended a, Extended b) { return a.value_ < b.value_; }
    friend bool operator>(Extended a, Extended b) { return a.value_ > b.value_; }
    friend bool operator==(Extended a, Extended b) { return a.value_ == b.value_; }

    // The result of an operation on a and b, or the failure it stands for:
    // NaN is an invalid operation; an infinity made from finite operands
    // left the extended range.
    static Extended checked(long double result, long double a, long double b)
    {
        if (std::isnan(result)) [[unlikely]]
            throwInvalidOp();
        if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) [[unlikely]]
            throwOverflow();
        return Extended(result);
    }

private:
    [[noreturn]] static void throwInvalidOp();
    [[noreturn]] static void throwOverflow();
    // Zero over zero is invalid, a finite non-zero number over zero a
    // division by zero; an infinity over zero stays an infinity.
    static void checkDivisionByZero(long double dividend);

    long double value_ = 0;
};

Extended squareRoot(Extended x);

// Natural logarithm as ln 2 x log2 x (the processor's FYL2X).
Extended naturalLog(Extended x);

// e^x as 2^t with t = x * log2 e, t split into its nearest integer n (ties
// to even) and f = t - n, the result ((2^f - 1) + 1) * 2^n. An infinite t
// fails at the split as inf - inf.
Extended exponential(Extended x);

// Extended-precision constants, each the 64-bit-significand value nearest
// to the real number.
inline constexpr long double kPi = 3.14159265358979323846264338327950288L;
inline constexpr long double kOneThird = 1.0L / 3.0L;

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

} // namespace naklon
