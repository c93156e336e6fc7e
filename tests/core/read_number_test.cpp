#include "core/failures.h"
#include "core/read_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace naklon {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadingRow {
    const char *name;
    std::string text;
    double value;
    bool wholeText;
};

class ReadNumberRows : public testing::TestWithParam<ReadingRow> {};

TEST_P(ReadNumberRows, GivesTheValueAndSaysWhetherItStopped)
{
    const ReadingRow &row = GetParam();
    const NumberReading reading = readNumber(row.text);
    EXPECT_EQ(reading.value, row.value);
    EXPECT_EQ(std::signbit(reading.value), std::signbit(row.value));
    EXPECT_EQ(reading.wholeText, row.wholeText);
}

INSTANTIATE_TEST_SUITE_P(Texts,
    ReadNumberRows,
    testing::Values(ReadingRow{"empty", "", 0, true},
        ReadingRow{"three_blanks", "   ", 0, true},
        ReadingRow{"minus_alone", "-", 0, true},
        ReadingRow{"plain", "12", 12, true},
        ReadingRow{"leading_blanks", "  12", 12, true},
        ReadingRow{"plus_sign", "+7", 7, true},
        ReadingRow{"blank_then_negative", " -3", -3, true},
        ReadingRow{"decimal", "12.5", 12.5, true},
        ReadingRow{"no_integer_part", ".5", 0.5, true},
        ReadingRow{"no_fraction_digits", "5.", 5, true},
        ReadingRow{"point_alone", ".", 0, true},
        ReadingRow{"leading_zeros", "0012", 12, true},
        ReadingRow{"exponent", "2e3", 2000, true},
        ReadingRow{"negative_exponent", "1E-2", 0.01, true},
        ReadingRow{"signed_exponent", "1e+05", 100000, true},
        ReadingRow{"exponent_without_digits_before", "e5", 0, true},
        ReadingRow{"negative_zero", "-0", -0.0, true},
        ReadingRow{"comma_stops", "1,5", 1, false},
        ReadingRow{"comma_stops_and_drops_sign", "-1,5", 1, false},
        ReadingRow{"trailing_blank_runs_digits_together", "12.5 ", 125, false},
        ReadingRow{"letter_runs_digits_together", "-12.5x", 125, false},
        ReadingRow{"second_point", "1.2.3", 12, false},
        ReadingRow{"thousands_comma", "12,345.6", 12, false},
        ReadingRow{"blank_inside", "1 000", 1, false},
        ReadingRow{"exponent_letter_alone", "1e", 1, false},
        ReadingRow{"exponent_sign_alone", "1e-", 1, false},
        ReadingRow{"exponent_digits_dropped_on_stop", "25e2x", 25, false},
        ReadingRow{"letters", "abc", 0, false},
        ReadingRow{"tab_is_no_blank", "\t5", 0, false},
        ReadingRow{"no_break_space_is_no_blank", "\u00A05", 0, false},
        ReadingRow{"zero_with_huge_power", "0e6000", kInf, true},
        ReadingRow{"negative_huge_power", "-1e5120", -kInf, true},
        ReadingRow{"power_just_below_the_bound", "0e5119", 0, true},
        ReadingRow{"tiny_power", "1e-5120", 0, true},
        ReadingRow{"underflow_is_silent", "1e-400", 0, true},
        ReadingRow{"smallest_subnormal", "4.9406564584124654e-324", 4.9406564584124654e-324, true},
        ReadingRow{"largest_double", "1.7976931348623157e308", 1.7976931348623157e308, true},
        ReadingRow{"fraction_digits_scale", "0.57", 0.57, true},
        ReadingRow{"table_strength", "9.1743", 9.1743, true},
        // A fraction of over a million digits balanced by an exponent of over
        // a million: the exponent is taken whole, not cut at some ceiling.
        ReadingRow{"long_fraction_balanced_by_exponent", "0." + std::string(1000001, '0') + "5e1000002", 5, true}),
    [](const testing::TestParamInfo<ReadingRow> &info) { return std::string(info.param.name); });

struct OverflowRow {
    const char *name;
    std::string text;
};

class ReadNumberOverflow : public testing::TestWithParam<OverflowRow> {};

TEST_P(ReadNumberOverflow, FailsAsOverflow)
{
    EXPECT_THROW(readNumber(GetParam().text), EOverflow);
}

INSTANTIATE_TEST_SUITE_P(Texts,
    ReadNumberOverflow,
    testing::Values(OverflowRow{"beyond_double_range", "1e400"},
        OverflowRow{"negative_beyond_double_range", "-1e309"},
        OverflowRow{"beyond_extended_range_while_scaling", "1e5000"},
        OverflowRow{"running_number_of_5000_digits", std::string(5000, '9')},
        OverflowRow{"stopped_number_beyond_double", std::string(400, '9') + ","}),
    [](const testing::TestParamInfo<OverflowRow> &info) { return std::string(info.param.name); });

TEST(ReadNumber, ReadsDecimalsAsTheNearestDouble)
{
    // Up to 19 significant digits the running number is exact and one scaling
    // step by an exact power of ten rounds once, so the nearest double comes out.
    const char *texts[] = {"0.1", "0.3", "2293.57", "1783.89", "14.2711", "123456.789", "3.14"};
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(readNumber(text).value, std::strtod(text, nullptr));
    }
}

TEST(ReadNumber, LongExponentDigitStringsDoNotWrapAround)
{
    EXPECT_EQ(readNumber("1e99999999999999999999").value, kInf);
    EXPECT_EQ(readNumber("1e-99999999999999999999").value, 0.0);
}

} // namespace
} // namespace naklon
