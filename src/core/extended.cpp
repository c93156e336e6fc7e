#include "core/extended.h"

#include "core/extended_mpfr.h"
#include "core/failures.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define NAKLON_X87 1
#endif

namespace naklon {
namespace {

namespace soft = extended_mpfr;

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

// Beyond +-100000 the scaling overflows or underflows whatever the exact
// power, so the clamp changes no result.
constexpr int kScaleLimit = 100000;

} // namespace

#ifdef NAKLON_NATIVE_EXTENDED

// The processor's long double is the format itself; its first ten bytes are
// the significand, then the sign and exponent.
Extended Extended::fromBits(ExtendedBits bits)
{
    long double value = 0;
    std::memcpy(&value, &bits.significand, sizeof bits.significand);
    std::memcpy(reinterpret_cast<unsigned char *>(&value) + sizeof bits.significand, &bits.signExponent,
        sizeof bits.signExponent);
    return Extended(value);
}

ExtendedBits Extended::bits() const
{
    ExtendedBits bits;
    std::memcpy(&bits.significand, &value_, sizeof bits.significand);
    std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char *>(&value_) + sizeof bits.significand,
        sizeof bits.signExponent);
    return bits;
}

double Extended::toDouble() const
{
    // Through memory: where doubles live in x87 registers (i386), a cast
    // alone may keep the extended bits.
    const volatile double stored = static_cast<double>(value_);
    const double rounded = stored;
    if (std::isinf(rounded) && std::isfinite(value_))
        throw EOverflow();
    return rounded;
}

namespace extended_detail {

void throwInvalidOp()
{
    throw EInvalidOp();
}

void throwOverflow()
{
    throw EOverflow();
}

void checkDivisionByZero(long double dividend)
{
    if (dividend == 0 || std::isnan(dividend))
        throw EInvalidOp();
    if (std::isfinite(dividend))
        throw EZeroDivide();
}

} // namespace extended_detail

Extended squareRoot(Extended x)
{
    if (x.isNegative() || std::isnan(x.value()))
        throw EInvalidOp();
    return Extended(std::sqrt(x.value()));
}

#else // software

namespace {

// The result of an operation on a and b, or the failure it stands for: NaN
// is an invalid operation; an infinity made from finite operands left the
// extended range.
Extended checked(ExtendedBits result, ExtendedBits a, ExtendedBits b)
{
    if (soft::isNaN(result)) [[unlikely]]
        throw EInvalidOp();
    if (soft::isInfinite(result) && !soft::isInfinite(a) && !soft::isInfinite(b)) [[unlikely]]
        throw EOverflow();
    return Extended::fromBits(result);
}

} // namespace

Extended::Extended(int value) : bits_(soft::fromInt(value))
{
}
Extended::Extended(double value) : bits_(soft::fromDouble(value))
{
}
Extended::Extended(long double value) : bits_(soft::fromLongDouble(value))
{
}

Extended Extended::fromBits(ExtendedBits bits)
{
    Extended x;
    x.bits_ = bits;
    return x;
}

ExtendedBits Extended::bits() const
{
    return bits_;
}

long double Extended::value() const
{
    return soft::toLongDouble(bits_);
}

double Extended::toDouble() const
{
    const double rounded = soft::toDouble(bits_);
    if (std::isinf(rounded) && isFinite())
        throw EOverflow();
    return rounded;
}

bool Extended::isZero() const
{
    return soft::isZero(bits_);
}

bool Extended::isFinite() const
{
    return (bits_.signExponent & soft::kExponentMask) != soft::kExponentMask;
}

bool Extended::isInfinite() const
{
    return soft::isInfinite(bits_);
}

bool Extended::isNegative() const
{
    return soft::isNegative(bits_) && !soft::isZero(bits_);
}

Extended Extended::operator-() const
{
    return fromBits({static_cast<std::uint16_t>(bits_.signExponent ^ soft::kSignBit), bits_.significand});
}

bool operator<(Extended a, Extended b)
{
    return soft::compare(a.bits_, b.bits_) < 0;
}

bool operator==(Extended a, Extended b)
{
    return soft::compare(a.bits_, b.bits_) == 0;
}

Extended operator+(Extended a, Extended b)
{
    return checked(soft::arithmetic(soft::Operation::Add, a.bits_, b.bits_), a.bits_, b.bits_);
}

Extended operator-(Extended a, Extended b)
{
    return checked(soft::arithmetic(soft::Operation::Subtract, a.bits_, b.bits_), a.bits_, b.bits_);
}

Extended operator*(Extended a, Extended b)
{
    return checked(soft::arithmetic(soft::Operation::Multiply, a.bits_, b.bits_), a.bits_, b.bits_);
}

Extended operator/(Extended a, Extended b)
{
    // Zero over zero is invalid, a finite non-zero number over zero a
    // division by zero; an infinity over zero stays an infinity.
    if (soft::isZero(b.bits_)) {
        if (soft::isZero(a.bits_) || soft::isNaN(a.bits_))
            throw EInvalidOp();
        if (a.isFinite())
            throw EZeroDivide();
    }
    return checked(soft::arithmetic(soft::Operation::Divide, a.bits_, b.bits_), a.bits_, b.bits_);
}

Extended squareRoot(Extended x)
{
    if (x.isNegative() || soft::isNaN(x.bits()))
        throw EInvalidOp();
    return Extended::fromBits(soft::squareRoot(x.bits()));
}

#endif

namespace {

// x * 2^n rounded once, subnormal results included, the same on every
// processor and C library.
Extended timesPowerOfTwo(Extended x, long n)
{
    return Extended::fromBits(extended_mpfr::timesPowerOfTwo(x.bits(), n));
}

} // namespace

// The three steps below are what the x87's FYL2X, F2XM1 and FSIN stand for,
// taken correctly rounded from MPFR on every processor: the instructions
// themselves are off in the last bit now and then, and not the same way on
// every maker's processor.

Extended naturalLog(Extended x)
{
    if (x.isNegative())
        throw EInvalidOp();
    if (x.isZero())
        throw EZeroDivide();
    return Extended::fromBits(extended_mpfr::timesLog2(kLn2Bits, x.bits()));
}

Extended exponential(Extended x)
{
    const Extended t = x * Extended::fromBits(kLog2EBits);
    const Extended n = Extended::fromBits(extended_mpfr::nearestInteger(t.bits()));
    const Extended f = t - n; // inf - inf for an infinite t
    const Extended power = Extended::fromBits(extended_mpfr::twoToTheMinusOne(f.bits())) + Extended(1);
    const Extended limit(kScaleLimit);
    const long exponent = n > limit ? kScaleLimit : n < -limit ? -kScaleLimit : static_cast<long>(n.toDouble());
    const Extended scaled = timesPowerOfTwo(power, exponent);
    if (scaled.isInfinite() && power.isFinite())
        throw EOverflow();
    return scaled;
}

Extended sine(Extended x)
{
    return Extended::fromBits(extended_mpfr::sine(x.bits()));
}

void applyFloatingPointSettings()
{
    std::fesetround(FE_TONEAREST);
#ifdef NAKLON_X87
    setX87ControlWord(kX87ControlWord);
#endif
    std::feclearexcept(FE_ALL_EXCEPT);
}

FloatingPointSettingsKeeper::FloatingPointSettingsKeeper() : rounding_(std::fegetround())
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
