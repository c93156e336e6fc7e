#include "core/extended_mpfr.h"

#include <bit>
#include <cstring>

#include <gmp.h>
#include <mpfr.h>

namespace naklon::extended_mpfr {
namespace {

static_assert(GMP_NUMB_BITS == 64 || GMP_NUMB_BITS == 32, "limbs of 32 or 64 bits");

constexpr mpfr_prec_t kPrecision = 64;
constexpr int kExponentBias = 16383;
// MPFR writes a number as 0.1xxx * 2^e. The largest extended value has
// e = 16384; the smallest subnormal, 2^-16445, has e = -16444.
constexpr mpfr_exp_t kExtendedEmin = -16444;
constexpr mpfr_exp_t kExtendedEmax = 16384;
// The same for doubles: 2^-1074 up to just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

// An MPFR number of fixed precision whose significand lives inside it, so
// that an operation allocates nothing.
template <mpfr_prec_t Precision>
class Number {
public:
    Number()
    {
        mpfr_custom_init(limbs_, Precision);
        mpfr_custom_init_set(x_, MPFR_NAN_KIND, 0, Precision, limbs_);
    }
    Number(const Number &) = delete;
    Number &operator=(const Number &) = delete;
    ~Number() = default;

    mpfr_ptr get() { return x_; }
    mpfr_srcptr get() const { return x_; }

private:
    static constexpr int kLimbs = static_cast<int>((Precision + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS);
    mp_limb_t limbs_[kLimbs]{};
    mpfr_t x_;
};

class Extended64 : public Number<kPrecision> {
public:
    Extended64() = default;
    explicit Extended64(ExtendedBits bits) { set(bits); }

    void set(ExtendedBits bits)
    {
        const int sign = (bits.signExponent & kSignBit) != 0 ? -1 : 1;
        const int exponent = bits.signExponent & kExponentMask;
        std::uint64_t significand = bits.significand;
        if (exponent == kExponentMask) {
            if ((significand << 1) == 0)
                mpfr_set_inf(get(), sign);
            else
                mpfr_set_nan(get());
            return;
        }
        if (significand == 0) {
            mpfr_set_zero(get(), sign);
            return;
        }
        // value = significand * 2^(max(exponent, 1) - bias - 63); MPFR wants
        // the significand with its top bit set.
        const int shift = std::countl_zero(significand);
        significand <<= shift;
        const mpfr_exp_t e = (exponent == 0 ? 1 : exponent) - kExponentBias + 1 - shift;
        auto *limbs = static_cast<mp_limb_t *>(mpfr_custom_get_significand(get()));
#if GMP_NUMB_BITS == 64
        limbs[0] = significand;
#else
        limbs[0] = static_cast<mp_limb_t>(significand);
        limbs[1] = static_cast<mp_limb_t>(significand >> 32);
#endif
        mpfr_custom_init_set(get(), sign * MPFR_REGULAR_KIND, e, kPrecision, limbs);
    }

    ExtendedBits bits() const
    {
        if (mpfr_nan_p(get()))
            return {0xffff, 0xc000000000000000};
        const std::uint16_t sign = mpfr_signbit(get()) ? kSignBit : 0;
        if (mpfr_inf_p(get()))
            return {static_cast<std::uint16_t>(sign | kExponentMask), 0x8000000000000000};
        if (mpfr_zero_p(get()))
            return {sign, 0};
        const mp_limb_t *limbs = static_cast<const mp_limb_t *>(mpfr_custom_get_significand(get()));
#if GMP_NUMB_BITS == 64
        std::uint64_t significand = limbs[0];
#else
        std::uint64_t significand = (std::uint64_t{limbs[1]} << 32) | limbs[0];
#endif
        const long biased = static_cast<long>(mpfr_get_exp(get())) - 1 + kExponentBias;
        if (biased >= 1)
            return {static_cast<std::uint16_t>(sign | biased), significand};
        // A subnormal: its low bits are zero, as the rounding left them.
        significand >>= 1 - biased;
        return {sign, significand};
    }
};

// Puts MPFR's exponent range to that of a format for as long as it lives,
// so that results overflow, underflow and become subnormal where the
// format's do.
class ExponentRange {
public:
    ExponentRange(mpfr_exp_t emin, mpfr_exp_t emax) : emin_(mpfr_get_emin()), emax_(mpfr_get_emax())
    {
        mpfr_set_emin(emin);
        mpfr_set_emax(emax);
    }
    ~ExponentRange()
    {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    ExponentRange(const ExponentRange &) = delete;
    ExponentRange &operator=(const ExponentRange &) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

// Brings a result that MPFR rounded to the format's precision into the
// format's range: an overflow to infinity, an underflow to zero or the
// smallest subnormal, a subnormal to its fewer bits, without a second
// rounding error (MPFR takes the first rounding's direction into account).
template <mpfr_prec_t Precision>
void fitRange(Number<Precision> &result, int direction, mpfr_exp_t emin, mpfr_exp_t emax)
{
    const ExponentRange range(emin, emax);
    direction = mpfr_check_range(result.get(), direction, MPFR_RNDN);
    mpfr_subnormalize(result.get(), direction, MPFR_RNDN);
}

// Runs an MPFR function that rounds its result once into a number of the
// format, then fits the format's range.
template <typename Function>
ExtendedBits roundedOnce(Function function)
{
    Extended64 result;
    fitRange(result, function(result.get()), kExtendedEmin, kExtendedEmax);
    return result.bits();
}

} // namespace

ExtendedBits arithmetic(Operation operation, ExtendedBits a, ExtendedBits b)
{
    const Extended64 x(a);
    const Extended64 y(b);
    return roundedOnce([&](mpfr_ptr r) {
        switch (operation) {
        case Operation::Add: return mpfr_add(r, x.get(), y.get(), MPFR_RNDN);
        case Operation::Subtract: return mpfr_sub(r, x.get(), y.get(), MPFR_RNDN);
        case Operation::Multiply: return mpfr_mul(r, x.get(), y.get(), MPFR_RNDN);
        case Operation::Divide: break;
        }
        return mpfr_div(r, x.get(), y.get(), MPFR_RNDN);
    });
}

ExtendedBits squareRoot(ExtendedBits x)
{
    const Extended64 operand(x);
    return roundedOnce([&](mpfr_ptr r) { return mpfr_sqrt(r, operand.get(), MPFR_RNDN); });
}

int compare(ExtendedBits a, ExtendedBits b)
{
    const Extended64 x(a);
    const Extended64 y(b);
    return mpfr_less_p(x.get(), y.get()) ? -1 : mpfr_greater_p(x.get(), y.get()) ? 1 : 0;
}

ExtendedBits fromInt(int value)
{
    Extended64 x;
    mpfr_set_si(x.get(), value, MPFR_RNDN);
    return x.bits();
}

ExtendedBits fromDouble(double value)
{
    // Every double is an extended value: only the fields move.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const auto sign = static_cast<std::uint16_t>((bits >> 63) != 0 ? kSignBit : 0);
    const auto exponent = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t fraction = bits & 0xfffffffffffff;
    if (exponent == 0x7ff)
        return fraction == 0 ? ExtendedBits{static_cast<std::uint16_t>(sign | kExponentMask), 0x8000000000000000}
                             : ExtendedBits{0xffff, 0xc000000000000000};
    if (exponent == 0 && fraction == 0)
        return {sign, 0};
    int unbiased = exponent - 1023;
    if (exponent == 0) {
        // A double subnormal is a normal extended value.
        const int shift = std::countl_zero(fraction) - 11;
        fraction = (fraction << shift) & 0xfffffffffffff;
        unbiased = -1022 - shift;
    }
    return {static_cast<std::uint16_t>(sign | (unbiased + kExponentBias)), (fraction << 11) | (std::uint64_t{1} << 63)};
}

ExtendedBits fromLongDouble(long double value)
{
    return roundedOnce([&](mpfr_ptr r) { return mpfr_set_ld(r, value, MPFR_RNDN); });
}

long double toLongDouble(ExtendedBits x)
{
    const Extended64 operand(x);
    return mpfr_get_ld(operand.get(), MPFR_RNDN);
}

double toDouble(ExtendedBits x)
{
    const Extended64 operand(x);
    Number<53> rounded;
    fitRange(rounded, mpfr_set(rounded.get(), operand.get(), MPFR_RNDN), kDoubleEmin, kDoubleEmax);
    return mpfr_get_d(rounded.get(), MPFR_RNDN);
}

ExtendedBits nearestInteger(ExtendedBits x)
{
    const Extended64 operand(x);
    return roundedOnce([&](mpfr_ptr r) { return mpfr_roundeven(r, operand.get()); });
}

ExtendedBits timesPowerOfTwo(ExtendedBits x, long n)
{
    const Extended64 operand(x);
    return roundedOnce([&](mpfr_ptr r) { return mpfr_mul_2si(r, operand.get(), n, MPFR_RNDN); });
}

ExtendedBits timesLog2(ExtendedBits y, ExtendedBits x)
{
    const Extended64 factor(y);
    const Extended64 operand(x);
    if (!mpfr_regular_p(factor.get()) || !mpfr_regular_p(operand.get()) || mpfr_sgn(operand.get()) < 0) {
        // Zeros, infinities and NaNs: MPFR's own rules (log2 0 = -inf,
        // log2 inf = inf), then the product.
        return roundedOnce([&](mpfr_ptr r) {
            mpfr_log2(r, operand.get(), MPFR_RNDN);
            return mpfr_mul(r, r, factor.get(), MPFR_RNDN);
        });
    }
    // log2 x at a working precision p, the product with y exact in p + 64
    // bits; the error is below 2^(EXP(product) - p). Raise p until the
    // product rounds to 64 bits the same whichever way the error goes. An
    // exact logarithm (x a power of two) gives an exact product at once.
    for (mpfr_prec_t p = 128;; p += 64) {
        mpfr_t logarithm;
        mpfr_t product;
        mpfr_init2(logarithm, p);
        mpfr_init2(product, p + 64);
        const bool exact = mpfr_log2(logarithm, operand.get(), MPFR_RNDN) == 0;
        mpfr_mul(product, logarithm, factor.get(), MPFR_RNDN);
        const bool decided =
            exact || mpfr_zero_p(product) || mpfr_can_round(product, p - 1, MPFR_RNDN, MPFR_RNDZ, kPrecision + 1) != 0;
        ExtendedBits result;
        if (decided)
            result = roundedOnce([&](mpfr_ptr r) { return mpfr_set(r, product, MPFR_RNDN); });
        mpfr_clear(product);
        mpfr_clear(logarithm);
        if (decided)
            return result;
    }
}

ExtendedBits twoToTheMinusOne(ExtendedBits f)
{
    const Extended64 operand(f);
    return roundedOnce([&](mpfr_ptr r) { return mpfr_exp2m1(r, operand.get(), MPFR_RNDN); });
}

ExtendedBits sine(ExtendedBits x)
{
    const Extended64 operand(x);
    return roundedOnce([&](mpfr_ptr r) { return mpfr_sin(r, operand.get(), MPFR_RNDN); });
}

} // namespace naklon::extended_mpfr
