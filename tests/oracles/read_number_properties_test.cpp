// Properties of readNumber: what formatResult writes reads back, the edges
// of the scaling, and very long digit strings.

#include "core/failures.h"
#include "core/format_result.h"
#include "core/read_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace naklon {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Plain results (below 10^18) read back within half a unit of their last
// written decimal; the allowance beyond the half unit covers the rounding of
// a value that big to a double.
TEST(ReadNumberProperties, ReadsBackWhatFormatResultWrote)
{
    const NumberFormat plain{".", ""};
    std::mt19937_64 random(51);
    long checked = 0;
    for (int i = 0; i < 200000; ++i) {
        const double power = std::uniform_real_distribution<double>(-6, 18)(random);
        const double value = ((random() & 1) != 0 ? -1 : 1) * std::pow(10.0, power);
        for (int decimals = 1; decimals <= 3; ++decimals) {
            const std::string text = formatResult(value, decimals, plain);
            const NumberReading reading = readNumber(text);
            ASSERT_TRUE(reading.wholeText) << text;
            const double halfUnit = 0.5 * std::pow(10.0, -decimals);
            const double slack = std::fabs(value) * 4 * std::numeric_limits<double>::epsilon();
            ASSERT_LE(std::fabs(reading.value - value), halfUnit + slack)
                << "value " << value << " written " << text << " read " << reading.value;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 600000);
}

// Scientific results carry 18 significant digits and read back to the same
// double or its neighbour.
TEST(ReadNumberProperties, ReadsBackScientificResults)
{
    const NumberFormat plain{".", ""};
    std::mt19937_64 random(52);
    for (int i = 0; i < 50000; ++i) {
        // Bit patterns from 10^18 up to the largest double.
        const auto low = std::bit_cast<std::uint64_t>(1e18);
        const auto high = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::max());
        const double value = std::bit_cast<double>(low + random() % (high - low + 1));
        const std::string text = formatResult(value, 1 + i % 3, plain);
        const double read = readNumber(text).value;
        ASSERT_LE(std::fabs(read - value), 2 * std::fabs(value) * std::numeric_limits<double>::epsilon()) << text;
    }
}

enum class Outcome { Value, Overflow };

struct EdgeRow {
    const char *name;
    std::string text;
    Outcome outcome;
    double value; // for Outcome::Value
};

class ReadNumberEdges : public testing::TestWithParam<EdgeRow> {};

TEST_P(ReadNumberEdges, GivesTheValueOrFailsAsOverflow)
{
    const EdgeRow &row = GetParam();
    if (row.outcome == Outcome::Overflow) {
        EXPECT_THROW(readNumber(row.text), EOverflow);
        return;
    }
    const double value = readNumber(row.text).value;
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(std::signbit(value), std::signbit(row.value));
}

std::string repeated(char c, std::size_t count)
{
    return std::string(count, c);
}

INSTANTIATE_TEST_SUITE_P(Edges,
    ReadNumberEdges,
    testing::Values(
        // A total power of 5120 or more is infinity whatever the digits.
        EdgeRow{"zero_at_5120", "0e5120", Outcome::Value, kInf},
        EdgeRow{"one_at_5120", "1e5120", Outcome::Value, kInf},
        EdgeRow{"negative_at_5120", "-1e5120", Outcome::Value, -kInf},
        EdgeRow{"far_beyond", "7e99999999999999999999", Outcome::Value, kInf},
        EdgeRow{"fraction_digit_lowers_the_power", "0.0e5121", Outcome::Value, kInf},
        // Just below: zero stays zero, any other digit overflows.
        EdgeRow{"zero_at_5119", "0e5119", Outcome::Value, 0.0},
        EdgeRow{"one_at_5119", "1e5119", Outcome::Overflow, 0},
        EdgeRow{"one_point_zero_at_5120", "1.0e5120", Outcome::Overflow, 0},
        EdgeRow{"extended_range_exceeded", "1e4933", Outcome::Overflow, 0},
        EdgeRow{"fits_extended_not_double", "1e4000", Outcome::Overflow, 0},
        EdgeRow{"just_beyond_double", "1.8e308", Outcome::Overflow, 0},
        EdgeRow{"largest_double", "1.7976931348623157e308", Outcome::Value, 1.7976931348623157e308},
        // A total power of -5120 or less is zero; above it small numbers
        // underflow to zero or a tiny number without failure.
        EdgeRow{"one_at_minus_5120", "1e-5120", Outcome::Value, 0.0},
        EdgeRow{"negative_at_minus_5120", "-9e-5120", Outcome::Value, -0.0},
        EdgeRow{"one_at_minus_5119", "1e-5119", Outcome::Value, 0.0},
        EdgeRow{"below_doubles", "1e-400", Outcome::Value, 0.0},
        EdgeRow{"smallest_subnormal", "4.9406564584124654e-324", Outcome::Value, 5e-324},
        EdgeRow{"far_below", "1e-99999999999999999999", Outcome::Value, 0.0},
        // 5,000-digit strings: the running number overflows as it is read,
        // also when the reading would stop later or scale it down.
        EdgeRow{"five_thousand_nines", repeated('9', 5000), Outcome::Overflow, 0},
        EdgeRow{"five_thousand_digits_then_stop", "1" + repeated('0', 4999) + "x", Outcome::Overflow, 0},
        EdgeRow{"five_thousand_digits_scaled_down", "1" + repeated('0', 4999) + "e-4999", Outcome::Overflow, 0},
        EdgeRow{"running_number_fits", "1" + repeated('0', 4900) + "e-4900", Outcome::Value, 1.0},
        EdgeRow{"five_thousand_zeros", repeated('0', 5000), Outcome::Value, 0.0},
        EdgeRow{"five_thousand_fraction_digits", "0." + repeated('0', 4999) + "1", Outcome::Value, 0.0},
        EdgeRow{"long_fraction_back_to_one", "0." + repeated('0', 5999) + "1e6000", Outcome::Value, 1.0},
        EdgeRow{"long_exponent_digits", "1e" + repeated('0', 5000) + "2", Outcome::Value, 100.0}),
    [](const testing::TestParamInfo<EdgeRow> &info) { return std::string(info.param.name); });

// A text of a million digits reads in linear time.
TEST(ReadNumberProperties, LongTextsDoNotHang)
{
    const std::string zeros = "0." + repeated('0', 1000000) + "5e1000000";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readNumber(zeros).value, 0.5);
    EXPECT_THROW(readNumber(repeated('7', 1000000)), EOverflow);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace naklon
