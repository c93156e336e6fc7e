#include "core/extended.h"
#include "core/failures.h"
#include "core/powers_of_ten.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include <mpfr.h>

namespace naklon {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
// The largest finite value and the smallest normal one of the format.
const Extended kMax = Extended::fromBits({0x7ffe, 0xffffffffffffffff});
const Extended kMinNormal = Extended::fromBits({0x0001, 0x8000000000000000});

// Every test runs under the floating-point settings the program starts
// with (on Windows x64 the processor starts at double precision).
class ProgramSettings : public testing::Environment {
public:
    void SetUp() override { applyFloatingPointSettings(); }
};
[[maybe_unused]] const testing::Environment *const kProgramSettings =
    testing::AddGlobalTestEnvironment(new ProgramSettings); // NOLINT(cppcoreguidelines-owning-memory): gtest owns it

enum class Outcome { Passes, InvalidOp, ZeroDivide, Overflow };

struct OperationRow {
    const char *name;
    std::function<Extended()> operation;
    Outcome outcome;
};

Outcome outcomeOf(const std::function<Extended()> &operation)
{
    try {
        operation();
        return Outcome::Passes;
    } catch (const EInvalidOp &) {
        return Outcome::InvalidOp;
    } catch (const EZeroDivide &) {
        return Outcome::ZeroDivide;
    } catch (const EOverflow &) {
        return Outcome::Overflow;
    }
}

class ExtendedOperations : public testing::TestWithParam<OperationRow> {};

TEST_P(ExtendedOperations, FailAtTheOperationWithTheRightKind)
{
    EXPECT_EQ(outcomeOf(GetParam().operation), GetParam().outcome);
}

const Extended zero(0.0L);
const Extended one(1.0L);
const Extended inf(kInf);

INSTANTIATE_TEST_SUITE_P(Rows,
    ExtendedOperations,
    testing::Values(OperationRow{"zero_over_zero", [] { return zero / zero; }, Outcome::InvalidOp},
        OperationRow{"one_over_zero", [] { return one / zero; }, Outcome::ZeroDivide},
        OperationRow{"negative_over_negative_zero", [] { return Extended(-3.0L) / Extended(-0.0L); },
            Outcome::ZeroDivide},
        OperationRow{"infinity_over_zero", [] { return inf / zero; }, Outcome::Passes},
        OperationRow{"infinity_minus_infinity", [] { return inf - inf; }, Outcome::InvalidOp},
        OperationRow{"infinity_plus_negative_infinity", [] { return inf + (-inf); }, Outcome::InvalidOp},
        OperationRow{"zero_times_infinity", [] { return zero * inf; }, Outcome::InvalidOp},
        OperationRow{"infinity_over_infinity", [] { return inf / inf; }, Outcome::InvalidOp},
        OperationRow{"infinity_times_two", [] { return inf * Extended(2.0L); }, Outcome::Passes},
        OperationRow{"infinity_plus_one", [] { return inf + one; }, Outcome::Passes},
        OperationRow{"root_of_negative", [] { return squareRoot(Extended(-1.0L)); }, Outcome::InvalidOp},
        OperationRow{"root_of_negative_zero", [] { return squareRoot(Extended(-0.0L)); }, Outcome::Passes},
        OperationRow{"log_of_negative", [] { return naturalLog(Extended(-2.0L)); }, Outcome::InvalidOp},
        OperationRow{"log_of_zero", [] { return naturalLog(zero); }, Outcome::ZeroDivide},
        OperationRow{"log_of_infinity", [] { return naturalLog(inf); }, Outcome::Passes},
        OperationRow{"exponential_of_infinity", [] { return exponential(inf); }, Outcome::InvalidOp},
        OperationRow{"exponential_beyond_range", [] { return exponential(Extended(20000.0L)); }, Outcome::Overflow},
        OperationRow{"exponential_underflows_silently", [] { return exponential(Extended(-20000.0L)); },
            Outcome::Passes},
        OperationRow{"product_beyond_extended", [] { return kMax * Extended(2.0L); }, Outcome::Overflow},
        OperationRow{"sum_beyond_extended", [] { return kMax + kMax; }, Outcome::Overflow},
        OperationRow{"quotient_beyond_extended", [] { return kMax / Extended(0.5L); }, Outcome::Overflow},
        OperationRow{"underflow_is_silent", [] { return kMinNormal * kMinNormal; }, Outcome::Passes},
        OperationRow{"beyond_double_when_rounded",
            [] { return Extended((Extended(1e308L) * Extended(10.0L)).toDouble()); }, Outcome::Overflow},
        OperationRow{"infinity_to_double", [] { return Extended(inf.toDouble()); }, Outcome::Passes}),
    [](const testing::TestParamInfo<OperationRow> &info) { return std::string(info.param.name); });

// The working format itself: a 64-bit significand rounded to nearest with
// ties to even, the x87 exponent range with its subnormals, and one rounding
// to double. Each row fails where Extended is any other format.
struct FormatRow {
    const char *name;
    std::function<Extended()> operation;
    ExtendedBits bits;
};

class WorkingFormat : public testing::TestWithParam<FormatRow> {};

TEST_P(WorkingFormat, GivesTheBitsOfTheExtendedFormat)
{
    const ExtendedBits bits = GetParam().operation().bits();
    EXPECT_EQ(bits.signExponent, GetParam().bits.signExponent);
    EXPECT_EQ(bits.significand, GetParam().bits.significand);
}

Extended twoTo(int power)
{
    return Extended::fromBits({static_cast<std::uint16_t>(0x3fff + power), 0x8000000000000000});
}

const Extended kMinSubnormal = Extended::fromBits({0x0000, 0x0000000000000001});

INSTANTIATE_TEST_SUITE_P(Rows,
    WorkingFormat,
    testing::Values(
        FormatRow{"sixty_four_bits_exact", [] { return twoTo(64) - Extended(1); }, {0x403e, 0xffffffffffffffff}},
        FormatRow{"tie_at_bit_65_to_even", [] { return (Extended(1) + twoTo(-63)) + twoTo(-64); },
            {0x3fff, 0x8000000000000002}},
        FormatRow{"tie_at_bit_65_stays_even", [] { return Extended(1) + twoTo(-64); }, {0x3fff, 0x8000000000000000}},
        FormatRow{"one_third", [] { return Extended(1) / Extended(3); }, {0x3ffd, 0xaaaaaaaaaaaaaaab}},
        FormatRow{"root_of_two", [] { return squareRoot(Extended(2)); }, {0x3fff, 0xb504f333f9de6484}},
        FormatRow{"subnormal_from_normals", [] { return kMinNormal * twoTo(-63); }, {0x0000, 0x0000000000000001}},
        FormatRow{"half_the_least_subnormal_to_zero", [] { return kMinSubnormal / Extended(2); }, {0x0000, 0}},
        FormatRow{"three_quarters_of_it_up", [] { return kMinSubnormal * Extended(0.75); },
            {0x0000, 0x0000000000000001}},
        FormatRow{"subnormal_rounds_in_fewer_bits",
            [] {
    return Extended::fromBits({0x0001, 0x8000000000000003}) / Extended(4);
                  },
            {0x0000, 0x2000000000000001}},
        FormatRow{"subnormal_double_exact", [] { return Extended(4.9406564584124654e-324); },
            {0x3bcd, 0x8000000000000000}},
        FormatRow{"to_double_tie_to_even", [] { return Extended((Extended(1) + twoTo(-53)).toDouble()); },
            {0x3fff, 0x8000000000000000}},
        FormatRow{"to_double_above_tie_up", [] { return Extended((Extended(1) + twoTo(-53) + twoTo(-63)).toDouble()); },
            {0x3fff, 0x8000000000000800}},
        FormatRow{"to_double_subnormal_once", [] { return Extended((twoTo(-1075) * Extended(1.5)).toDouble()); },
            {0x3bcd, 0x8000000000000000}},
        FormatRow{"to_double_below_half_least", [] { return Extended((twoTo(-1076)).toDouble()); }, {0x0000, 0}},
        FormatRow{"negative_zero_kept", [] { return Extended(-1) * Extended(0); }, {0x8000, 0}},
        FormatRow{"largest_finite_kept", [] { return kMax * Extended(1); }, {0x7ffe, 0xffffffffffffffff}},
        FormatRow{"infinity_from_infinity", [] { return Extended(kInf) * Extended(2); }, {0x7fff, 0x8000000000000000}}),
    [](const testing::TestParamInfo<FormatRow> &info) { return std::string(info.param.name); });

TEST(Extended, CubeRootThroughLogarithmAndExponential)
{
    const auto cubeRoot = [](long double x) {
        return exponential(naturalLog(Extended(x)) * Extended(kOneThird)).toDouble();
    };
    EXPECT_EQ(cubeRoot(8.0L), 2.0);
    EXPECT_EQ(cubeRoot(1.0L), 1.0);
    EXPECT_EQ(cubeRoot(1000.0L), 10.0);
    EXPECT_EQ(cubeRoot(5.0L), 1.709975946676697);
}

TEST(Extended, SettingsKeeperPutsTheRoundingBack)
{
    applyFloatingPointSettings();
    {
        FloatingPointSettingsKeeper keeper;
        std::fesetround(FE_UPWARD);
    }
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    volatile long double one = 1.0L;
    EXPECT_EQ(one / 3.0L, kOneThird);
}

} // namespace
} // namespace naklon

namespace naklon {
namespace {

// The same numbers from MPFR at 256 bits, rounded to the format once at the
// end: an independent path to the correctly rounded values.
class Oracle {
public:
    Oracle() { mpfr_init2(x_, 256); }
    ~Oracle() { mpfr_clear(x_); }
    Oracle(const Oracle &) = delete;
    Oracle &operator=(const Oracle &) = delete;
    mpfr_ptr get() { return x_; }

    long double rounded()
    {
        mpfr_t r;
        mpfr_init2(r, 64);
        mpfr_set(r, x_, MPFR_RNDN);
        const long double value = mpfr_get_ld(r, MPFR_RNDN);
        mpfr_clear(r);
        return value;
    }

private:
    mpfr_t x_;
};

long double oracleTimesLog2(ExtendedBits y, long double x)
{
    Oracle result;
    mpfr_set_ld(result.get(), x, MPFR_RNDN);
    mpfr_log2(result.get(), result.get(), MPFR_RNDN);
    Oracle factor;
    mpfr_set_ld(factor.get(), Extended::fromBits(y).value(), MPFR_RNDN);
    mpfr_mul(result.get(), result.get(), factor.get(), MPFR_RNDN);
    return result.rounded();
}

long double oracleSine(long double x)
{
    Oracle result;
    mpfr_set_ld(result.get(), x, MPFR_RNDN);
    mpfr_sin(result.get(), result.get(), MPFR_RNDN);
    return result.rounded();
}

// Arguments where the x87 instructions are off in the last bit or worse:
// a sine of pi and of huge arguments (its own 66-bit pi), logarithms near 1.
TEST(Extended, TranscendentalStepsAreCorrectlyRounded)
{
    const long double logArguments[] = {2.0L, 3.0L, 5.0L, 7.0L / 3.0L, 10.0L, 0.2L, 1.0L + 0x1p-63L, 1e300L, 4.9e-324L};
    for (const long double x : logArguments) {
        SCOPED_TRACE(static_cast<double>(x));
        // The argument as the format holds it (a quad literal has more bits).
        const Extended argument(x);
        EXPECT_EQ(naturalLog(argument).value(), oracleTimesLog2(kLn2Bits, argument.value()));
    }
    const long double sineArguments[] = {kPi.value(), 2 * kPi.value(), 0.5L, 1e-10L, 0x1p62L, 1.7453292519943295e13L,
        8.7266462599716477e18L};
    for (const long double x : sineArguments) {
        SCOPED_TRACE(static_cast<double>(x));
        const Extended argument(x);
        EXPECT_EQ(sine(argument).value(), oracleSine(argument.value()));
    }
}

// The constants and every power of ten readNumber scales by are the values
// of the format nearest to the real numbers.
TEST(Extended, ConstantsAreTheNearestValues)
{
    const auto nearest = [](auto compute) {
        mpfr_t r;
        mpfr_init2(r, 64);
        compute(r);
        const long double value = mpfr_get_ld(r, MPFR_RNDN);
        mpfr_clear(r);
        return value;
    };
    EXPECT_EQ(kPi.value(), nearest([](mpfr_ptr r) { mpfr_const_pi(r, MPFR_RNDN); }));
    EXPECT_EQ(Extended::fromBits(kLn2Bits).value(), nearest([](mpfr_ptr r) { mpfr_const_log2(r, MPFR_RNDN); }));
    EXPECT_EQ(kOneThird.value(), nearest([](mpfr_ptr r) {
        mpfr_set_ui(r, 1, MPFR_RNDN);
        mpfr_div_ui(r, r, 3, MPFR_RNDN);
    }));
    EXPECT_EQ(Extended::fromBits(kLog2EBits).value(), nearest([](mpfr_ptr r) {
        Oracle e;
        mpfr_const_log2(e.get(), MPFR_RNDN);
        mpfr_ui_div(r, 1, e.get(), MPFR_RNDN);
    }));
    const auto checkPowers = [&](const auto &table, unsigned step) {
        for (unsigned i = 0; i < table.size(); ++i) {
            SCOPED_TRACE(i * step);
            EXPECT_EQ(Extended::fromBits(table[i]).value(),
                nearest([&](mpfr_ptr r) { mpfr_ui_pow_ui(r, 10, i * step, MPFR_RNDN); }));
        }
    };
    checkPowers(kTenToThe, 1);
    checkPowers(kTenToThe32Times, 32);
    checkPowers(kTenToThe512Times, 512);
}

} // namespace
} // namespace naklon
