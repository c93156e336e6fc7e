#include "core/extended.h"
#include "core/failures.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace naklon {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kMax = std::numeric_limits<long double>::max();

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

INSTANTIATE_TEST_SUITE_P(Rows, ExtendedOperations,
    testing::Values(
        OperationRow{"zero_over_zero", [] { return zero / zero; }, Outcome::InvalidOp},
        OperationRow{"one_over_zero", [] { return one / zero; }, Outcome::ZeroDivide},
        OperationRow{"negative_over_negative_zero", [] { return Extended(-3.0L) / Extended(-0.0L); }, Outcome::ZeroDivide},
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
        OperationRow{"exponential_underflows_silently", [] { return exponential(Extended(-20000.0L)); }, Outcome::Passes},
        OperationRow{"product_beyond_extended", [] { return Extended(kMax) * Extended(2.0L); }, Outcome::Overflow},
        OperationRow{"sum_beyond_extended", [] { return Extended(kMax) + Extended(kMax); }, Outcome::Overflow},
        OperationRow{"quotient_beyond_extended", [] { return Extended(kMax) / Extended(0.5L); }, Outcome::Overflow},
        OperationRow{"underflow_is_silent", [] { return Extended(LDBL_MIN) * Extended(LDBL_MIN); }, Outcome::Passes},
        OperationRow{"beyond_double_when_rounded", [] { return Extended((Extended(1e308L) * Extended(10.0L)).toDouble()); }, Outcome::Overflow},
        OperationRow{"infinity_to_double", [] { return Extended(inf.toDouble()); }, Outcome::Passes}),
    [](const testing::TestParamInfo<OperationRow> &info) { return std::string(info.param.name); });

TEST(Extended, KeepsTheSixtyFourBitSignificand)
{
    // 2^64 + 1 does not fit a double but is exact in extended precision.
    const Extended big = Extended(18446744073709551616.0L) - Extended(1.0L);
    EXPECT_EQ(big.value(), 18446744073709551615.0L);
}

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
