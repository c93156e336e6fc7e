// formatResult against a reference written from exact integer arithmetic.

#include "oracles/exact_decimal.h"
#include "support/row_names.h"

#include "core/format_result.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace naklon {
namespace {

using reference::exactDecimal;
using reference::referenceFormat;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ExactRow {
    double value;
    const char *digits;
    int point;
};

class ExactDecimalRows : public testing::TestWithParam<ExactRow> {};

// The reference is only as good as its exact expansion.
TEST_P(ExactDecimalRows, ExpandsTheBinaryValueExactly)
{
    const ExactRow &row = GetParam();
    const auto exact = exactDecimal(row.value);
    EXPECT_EQ(exact.digits, row.digits);
    EXPECT_EQ(exact.point, row.point);
}

INSTANTIATE_TEST_SUITE_P(Values,
    ExactDecimalRows,
    testing::Values(ExactRow{0.0, "", 0},
        ExactRow{1.0, "1", 1},
        ExactRow{1234.0, "1234", 4},
        ExactRow{0.5, "5", 0},
        ExactRow{0.001953125, "1953125", -2},
        ExactRow{0.1, "1000000000000000055511151231257827021181583404541015625", 0},
        ExactRow{0.35, "34999999999999997779553950749686919152736663818359375", 0},
        ExactRow{2.675, "267499999999999982236431605997495353221893310546875", 1},
        ExactRow{1e18, "1", 19},
        ExactRow{9007199254740993.0, "9007199254740992", 16}, // rounds to 2^53 when stored
        ExactRow{std::ldexp(1.0, 100), "1267650600228229401496703205376", 31},
        ExactRow{1e23, "99999999999999991611392", 23}),
    [](const testing::TestParamInfo<ExactRow> &info) { return "of_" + valueName(info.param.value); });

TEST(ExactDecimal, ReachesBothEndsOfTheRange)
{
    const auto smallest = exactDecimal(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(smallest.point, -323);
    EXPECT_EQ(smallest.digits.size(), 751u); // 5^1074 has 751 digits
    EXPECT_EQ(smallest.digits.substr(0, 12), "494065645841");
    const auto largest = exactDecimal(std::numeric_limits<double>::max());
    EXPECT_EQ(largest.point, 309);
    EXPECT_EQ(largest.digits.substr(0, 17), "17976931348623157");
}

struct TableRow {
    double value;
    int decimals;
    const char *pointComma;
    const char *commaBlank;
};

class FormatTableRows : public testing::TestWithParam<TableRow> {};

// Every row of the rule's own table, written by both sides.
TEST_P(FormatTableRows, ReferenceAndImplementationWriteTheRow)
{
    const TableRow &row = GetParam();
    EXPECT_EQ(referenceFormat(row.value, row.decimals, ".", ","), row.pointComma);
    EXPECT_EQ(referenceFormat(row.value, row.decimals, ",", " "), row.commaBlank);
    EXPECT_EQ(formatResult(row.value, row.decimals, NumberFormat{".", ","}), row.pointComma);
    EXPECT_EQ(formatResult(row.value, row.decimals, NumberFormat{",", " "}), row.commaBlank);
}

INSTANTIATE_TEST_SUITE_P(Table,
    FormatTableRows,
    testing::Values(TableRow{12345.678, 1, "12,345.7", "12 345,7"},
        TableRow{12345.678, 2, "12,345.68", "12 345,68"},
        TableRow{12345.678, 3, "12,345.678", "12 345,678"},
        TableRow{0.5, 1, "0.5", "0,5"},
        TableRow{0.0, 1, "0.0", "0,0"},
        TableRow{-0.0, 2, "0.00", "0,00"},
        TableRow{-1234.56, 1, "-1,234.6", "-1 234,6"},
        TableRow{-1234.56, 3, "-1,234.560", "-1 234,560"},
        TableRow{-0.04, 1, "0.0", "0,0"},
        TableRow{-0.04, 2, "-0.04", "-0,04"},
        TableRow{0.125, 2, "0.13", "0,13"},
        TableRow{0.25, 1, "0.3", "0,3"},
        TableRow{0.35, 1, "0.3", "0,3"},
        TableRow{2.675, 2, "2.67", "2,67"},
        TableRow{99.95, 1, "100.0", "100,0"},
        TableRow{999.96, 1, "1,000.0", "1 000,0"},
        TableRow{0.0005, 3, "0.001", "0,001"},
        TableRow{0.0004, 3, "0.000", "0,000"},
        TableRow{1234567.891, 2, "1,234,567.89", "1 234 567,89"},
        TableRow{1.5e20, 1, "1.5E20", "1,5E20"},
        TableRow{1.5e20, 3, "1.5E020", "1,5E020"},
        TableRow{kInf, 1, "INF", "INF"},
        // Beyond the table: the two ends of the ranges and the 18-digit ties.
        TableRow{-kInf, 3, "-INF", "-INF"},
        TableRow{1e18, 2, "1E18", "1E18"},
        TableRow{999999999999999872.0, 3, "999,999,999,999,999,872.000", "999 999 999 999 999 872,000"},
        TableRow{5e-324, 1, "0.0", "0,0"},
        TableRow{-5e-324, 3, "0.000", "0,000"},
        TableRow{1.7976931348623157e308, 3, "1.79769313486231571E308", "1,79769313486231571E308"},
        // 19 significant digits ending in 5: the 18-digit step keeps the even 2.
        TableRow{123456789012345.0625, 3, "123,456,789,012,345.062", "123 456 789 012 345,062"},
        TableRow{123456789012345.1875, 3, "123,456,789,012,345.188", "123 456 789 012 345,188"},
        TableRow{0.0625, 3, "0.063", "0,063"}),
    valueAndDecimalsName<TableRow>);

// Doubles the comparison walks: a mixture that reaches every part of the
// range and every rounding case of the rules.
class DoubleSource {
public:
    explicit DoubleSource(std::uint64_t seed) : random_(seed) {}

    double next()
    {
        switch (counter_++ % 8) {
        case 0: return anyBitPattern();
        case 1: return subnormal();
        case 2: return logUniform(-25, 22);
        case 3: return nearPowerOfTen();
        case 4: return nearDecimalTie();
        case 5: return nineteenDigitTie();
        case 6: return nearCarry();
        default: return logUniform(-330, 308);
        }
    }

private:
    std::uint64_t bits() { return random_(); }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    double signedValue(double magnitude) { return (bits() & 1) != 0 ? -magnitude : magnitude; }

    double anyBitPattern()
    {
        for (;;) {
            const double value = std::bit_cast<double>(bits());
            if (!std::isnan(value))
                return value;
        }
    }

    double subnormal()
    {
        const std::uint64_t mantissa = bits() & ((std::uint64_t{1} << 52) - 1);
        const std::uint64_t sign = bits() & (std::uint64_t{1} << 63);
        // Now and then the smallest normal numbers as well.
        const std::uint64_t exponent = uniform(0, 7) == 0 ? std::uint64_t{1} << 52 : 0;
        return std::bit_cast<double>(sign | exponent | mantissa);
    }

    double logUniform(int lowPower, int highPower)
    {
        const double power = std::uniform_real_distribution<double>(lowPower, highPower)(random_);
        return signedValue(std::pow(10.0, power));
    }

    // 10^k itself and its neighbours a few steps away, 10^18 most often.
    double nearPowerOfTen()
    {
        const int k = uniform(0, 3) == 0 ? 18 : uniform(-8, 22);
        double value = std::pow(10.0, k);
        for (int steps = uniform(-4, 4); steps != 0; steps += steps < 0 ? 1 : -1)
            value = std::nextafter(value, steps < 0 ? 0.0 : kInf);
        return signedValue(value);
    }

    // (n + 1/2) / 10^d for d = 1..3 and its neighbours: the ties of the cut.
    double nearDecimalTie()
    {
        const int d = uniform(1, 3);
        const int digits = uniform(0, 16 - d);
        const double n = std::floor(std::uniform_real_distribution<double>(0, std::pow(10.0, digits))(random_));
        double value = (n + 0.5) / std::pow(10.0, d);
        const int steps = uniform(-2, 2);
        for (int i = 0; i < std::abs(steps); ++i)
            value = std::nextafter(value, steps < 0 ? 0.0 : kInf);
        return signedValue(value);
    }

    // Integers of 12 to 16 digits with a dyadic fraction: many of them have
    // exactly 19 significant digits ending in 5, a tie of the 18-digit step.
    double nineteenDigitTie()
    {
        const int digits = uniform(12, 16);
        const double integer = std::floor(
            std::uniform_real_distribution<double>(std::pow(10.0, digits - 1), std::pow(10.0, digits))(random_));
        const int k = uniform(1, 8);
        const double fraction = static_cast<double>(uniform(0, (1 << k) - 1)) / static_cast<double>(1 << k);
        return signedValue(integer + fraction);
    }

    // Just below the value where the cut carries into a new digit:
    // 10^k - 5 x 10^-(d+1) and its neighbours (99.95, 999.96 style).
    double nearCarry()
    {
        const int k = uniform(0, 17);
        const int d = uniform(1, 3);
        double value = std::pow(10.0, k) - 0.5 * std::pow(10.0, -d);
        const int steps = uniform(-3, 3);
        for (int i = 0; i < std::abs(steps); ++i)
            value = std::nextafter(value, steps < 0 ? 0.0 : kInf);
        return signedValue(value);
    }

    std::mt19937_64 random_;
    unsigned counter_ = 0;
};

long sampleCount()
{
    // The sanitizer build sets a smaller count; the plain suite runs the million.
    const char *text = std::getenv("NAKLON_REFERENCE_SAMPLES");
    return text != nullptr ? std::atol(text) : 1000000;
}

TEST(FormatResultReference, AgreesOnRandomDoublesAcrossTheWholeRange)
{
    const NumberFormat pointComma{".", ","};
    const NumberFormat commaNoBreak{",", "\u00A0"};
    DoubleSource source(20261208);
    const long samples = sampleCount();
    long comparisons = 0;
    long differences = 0;
    for (long i = 0; i < samples; ++i) {
        const double value = source.next();
        for (int decimals = 1; decimals <= 3; ++decimals) {
            // The digits do not depend on the separators; the second setting
            // is checked on every fourth value to keep the run short.
            const bool both = i % 4 == 0;
            for (int setting = 0; setting < (both ? 2 : 1); ++setting) {
                const NumberFormat &format = setting == 0 ? pointComma : commaNoBreak;
                const std::string expected =
                    referenceFormat(value, decimals, format.decimalSeparator, format.thousandsSeparator);
                const std::string actual = formatResult(value, decimals, format);
                ++comparisons;
                if (actual != expected && ++differences <= 20) {
                    ADD_FAILURE() << "value " << std::hexfloat << value << std::defaultfloat << " (" << value << "), "
                                  << decimals << " decimals: formatResult \"" << actual << "\", reference \""
                                  << expected << "\"";
                }
            }
        }
    }
    EXPECT_EQ(differences, 0);
    std::printf("formatResult reference: %ld doubles, %ld comparisons, %ld differences\n", samples, comparisons,
        differences);
}

} // namespace
} // namespace naklon
