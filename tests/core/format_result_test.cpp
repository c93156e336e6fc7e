#include "core/format_result.h"
#include "support/row_names.h"

#include <gtest/gtest.h>

#include <limits>

namespace naklon {
namespace {

const NumberFormat kPointComma{".", ","};
const NumberFormat kCommaBlank{",", " "};

struct FormatRow {
    double value;
    int decimals;
    const char *pointComma;
    const char *commaBlank;
};

class FormatResultRows : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatResultRows, WritesWithBothSeparatorSettings)
{
    const FormatRow &row = GetParam();
    EXPECT_EQ(formatResult(row.value, row.decimals, kPointComma), row.pointComma);
    EXPECT_EQ(formatResult(row.value, row.decimals, kCommaBlank), row.commaBlank);
}

INSTANTIATE_TEST_SUITE_P(Values,
    FormatResultRows,
    testing::Values(FormatRow{12345.678, 1, "12,345.7", "12 345,7"},
        FormatRow{12345.678, 2, "12,345.68", "12 345,68"},
        FormatRow{12345.678, 3, "12,345.678", "12 345,678"},
        FormatRow{0.5, 1, "0.5", "0,5"},
        FormatRow{0.0, 1, "0.0", "0,0"},
        FormatRow{-0.0, 2, "0.00", "0,00"},
        FormatRow{-1234.56, 1, "-1,234.6", "-1 234,6"},
        FormatRow{-1234.56, 3, "-1,234.560", "-1 234,560"},
        FormatRow{-0.04, 1, "0.0", "0,0"},
        FormatRow{-0.04, 2, "-0.04", "-0,04"},
        FormatRow{0.125, 2, "0.13", "0,13"},
        FormatRow{0.25, 1, "0.3", "0,3"},
        FormatRow{0.35, 1, "0.3", "0,3"},
        FormatRow{2.675, 2, "2.67", "2,67"},
        FormatRow{99.95, 1, "100.0", "100,0"},
        FormatRow{999.96, 1, "1,000.0", "1 000,0"},
        FormatRow{0.0005, 3, "0.001", "0,001"},
        FormatRow{0.0004, 3, "0.000", "0,000"},
        FormatRow{1234567.891, 2, "1,234,567.89", "1 234 567,89"},
        FormatRow{1.5e20, 1, "1.5E20", "1,5E20"},
        FormatRow{1.5e20, 3, "1.5E020", "1,5E020"},
        FormatRow{std::numeric_limits<double>::infinity(), 1, "INF", "INF"},
        FormatRow{-std::numeric_limits<double>::infinity(), 2, "-INF", "-INF"},
        // Just below 10^18 the plain form still holds; rounding up to 10^18
        // itself switches to the scientific form.
        FormatRow{999999999999999872.0, 1, "999,999,999,999,999,872.0", "999 999 999 999 999 872,0"},
        FormatRow{1e18, 1, "1E18", "1E18"},
        FormatRow{1e300, 2, "1.00000000000000005E300", "1,00000000000000005E300"},
        FormatRow{1e20, 2, "1E20", "1E20"},
        FormatRow{1.7976931348623157e308, 1, "1.79769313486231571E308", "1,79769313486231571E308"},
        // Smaller than the last place: a half rounds up, less is cut away.
        FormatRow{0.05, 1, "0.1", "0,1"},
        FormatRow{0.049, 1, "0.0", "0,0"},
        FormatRow{5e-324, 3, "0.000", "0,000"},
        FormatRow{-0.0005, 3, "-0.001", "-0,001"},
        FormatRow{14307.186812, 1, "14,307.2", "14 307,2"},
        FormatRow{100.0, 3, "100.000", "100,000"},
        FormatRow{1000.0, 1, "1,000.0", "1 000,0"}),
    valueAndDecimalsName<FormatRow>);

struct ReadNumberRow {
    const char *name;
    double value;
    const char *pointComma;
    const char *commaBlank;
};

// Numbers as the fields and tables give them: every digit they need, no
// more, grouped and separated as the results are.
TEST(FormatReadNumber, WritesTheShortestDigitsWithBothSeparatorSettings)
{
    const ReadNumberRow rows[] = {
        {"whole", 15.0, "15", "15"},
        {"fraction", 0.57, "0.57", "0,57"},
        {"table strength", 9.1743, "9.1743", "9,1743"},
        {"grouped", 2293.57, "2,293.57", "2 293,57"},
        {"grouped whole", 10000.0, "10,000", "10 000"},
        {"a million", 1234567.0, "1,234,567", "1 234 567"},
        {"tenth is not its binary expansion", 0.1, "0.1", "0,1"},
        {"all digits kept", 14307.18686233349, "14,307.18686233349", "14 307,18686233349"},
        {"negative", -20.0, "-20", "-20"},
        {"negative fraction", -0.75, "-0.75", "-0,75"},
        {"zero", 0.0, "0", "0"},
        {"negative zero", -0.0, "0", "0"},
        {"smallest plain", 0.000001, "0.000001", "0,000001"},
        {"below the plain range", 1e-7, "1E-7", "1E-7"},
        {"largest plain", 999999999999999872.0, "999,999,999,999,999,900", "999 999 999 999 999 900"},
        {"above the plain range", 1e18, "1E18", "1E18"},
        {"scientific fraction", 1.5e20, "1.5E20", "1,5E20"},
        {"smallest double", 5e-324, "5E-324", "5E-324"},
        {"infinity", std::numeric_limits<double>::infinity(), "INF", "INF"},
        {"negative infinity", -std::numeric_limits<double>::infinity(), "-INF", "-INF"},
    };
    for (const ReadNumberRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatReadNumber(row.value, kPointComma), row.pointComma);
        EXPECT_EQ(formatReadNumber(row.value, kCommaBlank), row.commaBlank);
    }
}

TEST(FormatResult, LeavesOutEmptySeparators)
{
    const NumberFormat bare{"", ""};
    EXPECT_EQ(formatResult(12345.678, 2, bare), "1234568");
    EXPECT_EQ(formatResult(0.0, 1, bare), " 00");
    EXPECT_EQ(formatReadNumber(12345.5, bare), "123455");
    EXPECT_EQ(formatReadNumber(12345.0, bare), "12345");
}

TEST(FormatResult, TakesMultiByteSeparators)
{
    const NumberFormat russian{",", "\u00A0"};
    EXPECT_EQ(formatResult(1234567.891, 2, russian), "1\u00A0234\u00A0567,89");
}

TEST(FormatResult, PadsShortResultsToThreeCharacters)
{
    const NumberFormat noDecimalPoint{"", ","};
    EXPECT_EQ(formatResult(5.0, 1, noDecimalPoint), " 50");
}

} // namespace
} // namespace naklon
