#include "core/failures.h"
#include "pages/stirrups.h"
#include "page_test_support.h"

#include <gtest/gtest.h>

#include <typeindex>
#include <string>
#include <vector>

namespace naklon {
namespace {


StirrupsInput input(StirrupsMode mode,
    std::string concrete,
    std::string steel,
    std::string s,
    std::string v,
    std::string b,
    std::string h0)
{
    return {std::move(concrete), std::move(steel), std::move(s), std::move(v), std::move(b), std::move(h0), mode};
}

TEST(Stirrups, CheckModeWorkedExample)
{
    const HistoryLines lines =
        calculateStirrups(input(StirrupsMode::Check, "20", "300", "15", "0.57", "20", "40"), kPointComma);
    const HistoryLines expected = {"Класс бетона В20 Класс арматуры А300C1, площадь 0.57 см2, шаг 15см, сечение 20x40",
        "Поперечная сила   14,307.2 кг", ""};
    EXPECT_EQ(lines, expected);

    CalculationReport report;
    calculateStirrups(input(StirrupsMode::Check, "20", "300", "15", "0.57", "20", "40"), kCommaBlank, &report);
    const std::vector<std::string> reportExpected = {"Хомуты — проверка сечения",
        "s = 15 см, Asw = 0,57 см², b = 20 см, h0 = 40 см", "В20: Rbt = 9,1743 кгс/см²; А300: Rsw = 2 293,57 кгс/см²",
        "Q = √(8 · Rbt · b · h0² · Rsw · Asw / s)", "  = √(8 · 9,1743 · 20 · 40² · 2 293,57 · 0,57 / 15)",
        "  = 14 307,2 кг"};
    EXPECT_EQ(reportLines(report), reportExpected);
}

TEST(Stirrups, SelectionModeWorkedExample)
{
    const HistoryLines lines =
        calculateStirrups(input(StirrupsMode::Selection, "20", "300", "15", "10000", "20", "40"), kPointComma);
    const HistoryLines expected = {
        "Класс бетона В20 Класс арматуры А300C1 , шаг 15см, сечение 20x40 Поперечная сила 10000кг",
        "Площадь сечения хомутов 0.278 см2", ""};
    EXPECT_EQ(lines, expected);

    CalculationReport report;
    calculateStirrups(input(StirrupsMode::Selection, "20", "300", "15", "10000", "20", "40"), kCommaBlank, &report);
    const std::vector<std::string> reportExpected = {"Хомуты — подбор сечения",
        "s = 15 см, Q = 10 000 кг, b = 20 см, h0 = 40 см", "В20: Rbt = 9,1743 кгс/см²; А300: Rsw = 2 293,57 кгс/см²",
        "Asw = Q² · s / (8 · Rbt · b · h0² · Rsw)", "  = 10 000² · 15 / (8 · 9,1743 · 20 · 40² · 2 293,57)",
        "  = 0,278 см²"};
    EXPECT_EQ(reportLines(report), reportExpected);
}

struct ResultRow {
    const char *name;
    StirrupsMode mode;
    const char *concrete, *steel, *s, *v, *b, *h0;
    const char *pointComma;
    const char *commaBlank;
};

class StirrupsResults : public testing::TestWithParam<ResultRow> {};

TEST_P(StirrupsResults, WriteTheResultLine)
{
    const ResultRow &row = GetParam();
    const StirrupsInput in = input(row.mode, row.concrete, row.steel, row.s, row.v, row.b, row.h0);
    const bool check = row.mode == StirrupsMode::Check;
    const std::string head = check ? "Поперечная сила   " : "Площадь сечения хомутов ";
    const std::string tail = check ? " кг" : " см2";
    EXPECT_EQ(calculateStirrups(in, kPointComma).at(1), head + row.pointComma + tail);
    EXPECT_EQ(calculateStirrups(in, kCommaBlank).at(1), head + row.commaBlank + tail);
    // The report's result is the history's number, digit for digit.
    for (const NumberFormat &format : {kPointComma, kCommaBlank}) {
        CalculationReport report;
        const HistoryLines lines = calculateStirrups(in, format, &report);
        ASSERT_EQ(report.formulas.size(), 1u);
        EXPECT_EQ(lines.at(1), head + report.formulas.back().result + tail);
    }
}

INSTANTIATE_TEST_SUITE_P(FurtherResults,
    StirrupsResults,
    testing::Values(
        ResultRow{"check_B15_A240", StirrupsMode::Check, "15", "240", "10", "0.57", "20", "40", "14,107.0", "14 107,0"},
        ResultRow{"check_B25_A400", StirrupsMode::Check, "25", "400", "20", "1.01", "30", "55", "31,938.0", "31 938,0"},
        ResultRow{"check_B30_A300", StirrupsMode::Check, "30", "300", "15", "1.57", "40", "76", "73,672.4", "73 672,4"},
        ResultRow{"check_B40_A400", StirrupsMode::Check, "40", "400", "10", "2.26", "50", "96", "175,800.1",
            "175 800,1"},
        ResultRow{"selection_B15_A240", StirrupsMode::Selection, "15", "240", "10", "8000", "20", "40", "0.183",
            "0,183"},
        ResultRow{"selection_B25_A400", StirrupsMode::Selection, "25", "400", "20", "20000", "30", "55", "0.396",
            "0,396"},
        ResultRow{"selection_gives_back_the_checked_area", StirrupsMode::Selection, "20", "300", "15",
            "14307.18686233349", "20", "40", "0.570", "0,570"},
        // Edge cases: zeros, a squared negative force, a negative width, a
        // zero spacing in selection mode, trailing blanks that are not read.
        ResultRow{"selection_zero_force", StirrupsMode::Selection, "20", "300", "15", "0", "20", "40", "0.000",
            "0,000"},
        ResultRow{"check_zero_area", StirrupsMode::Check, "20", "300", "15", "0", "20", "40", "0.0", "0,0"},
        ResultRow{"selection_negative_force_squared", StirrupsMode::Selection, "20", "300", "15", "-10000", "20", "40",
            "0.278", "0,278"},
        ResultRow{"selection_negative_width", StirrupsMode::Selection, "20", "300", "15", "10000", "-20", "40",
            "-0.278", "-0,278"},
        ResultRow{"selection_empty_spacing", StirrupsMode::Selection, "20", "300", "", "10000", "20", "40", "0.000",
            "0,000"},
        ResultRow{"check_blanks_around_the_numbers", StirrupsMode::Check, "20", "300", "15  ", " 0.57", "20", "40 ",
            "14,307.2", "14 307,2"},
        ResultRow{"check_infinite_area", StirrupsMode::Check, "20", "300", "15", "1e400000", "20", "40", "INF", "INF"}),
    [](const testing::TestParamInfo<ResultRow> &info) { return std::string(info.param.name); });

TEST(Stirrups, EchoesTheFieldTextsAsTyped)
{
    const HistoryLines lines =
        calculateStirrups(input(StirrupsMode::Check, "20", "300", " 1.5e1 ", "+0.57", "2e1", "40."), kPointComma);
    EXPECT_EQ(lines.at(0), "Класс бетона В20 Класс арматуры А300C1, площадь +0.57 см2, шаг  1.5e1 см, сечение 2e1x40.");
    EXPECT_EQ(lines.at(1), "Поперечная сила   14,307.2 кг");
}

struct FailureRow {
    const char *name;
    StirrupsInput in;
    std::type_index kind;
    std::string message;
    std::size_t fieldsRead = 4; // before the calculation stopped
};

class StirrupsFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(StirrupsFailures, AppendNothingAndSayWhy)
{
    const FailureRow &row = GetParam();
    expectFailure([&] { return calculateStirrups(row.in, kPointComma); }, row.kind, row.message);

    // A failed calculation leaves the title and what it read, and no
    // formula; the report then ends with the message.
    CalculationReport report;
    expectFailure([&] { return calculateStirrups(row.in, kPointComma, &report); }, row.kind, row.message);
    EXPECT_EQ(report.title,
        row.in.mode == StirrupsMode::Check ? "Хомуты — проверка сечения" : "Хомуты — подбор сечения");
    EXPECT_EQ(report.inputs.size(), row.fieldsRead);
    EXPECT_TRUE(report.formulas.empty());
    report.failure = row.message;
    const std::vector<std::string> lines = reportLines(report);
    EXPECT_EQ(lines.front(), report.title);
    EXPECT_EQ(lines.back(), row.message);
}

using M = StirrupsMode;
INSTANTIATE_TEST_SUITE_P(Rows,
    StirrupsFailures,
    testing::Values(FailureRow{"check_zero_spacing", input(M::Check, "20", "300", "", "0.57", "20", "40"),
                        typeid(EZeroDivide), "Floating point division by zero"},
        FailureRow{"check_all_empty", input(M::Check, "20", "300", "", "", "", ""), typeid(EInvalidOp),
            "Invalid floating point operation"},
        FailureRow{"check_negative_under_root", input(M::Check, "20", "300", "15", "0.57", "-20", "40"),
            typeid(EInvalidOp), "Invalid floating point operation"},
        FailureRow{"selection_zero_depth", input(M::Selection, "20", "300", "15", "10000", "20", ""),
            typeid(EZeroDivide), "Floating point division by zero"},
        FailureRow{"selection_all_empty", input(M::Selection, "20", "300", "", "", "", ""), typeid(EInvalidOp),
            "Invalid floating point operation"},
        FailureRow{"field_beyond_double", input(M::Check, "20", "300", "15", "1e400", "20", "40"), typeid(EOverflow),
            "Floating point overflow", 1},
        FailureRow{"result_beyond_double", input(M::Selection, "20", "300", "1e300", "1e300", "20", "40"),
            typeid(EOverflow), "Floating point overflow"},
        FailureRow{"comma_in_spacing", input(M::Check, "20", "300", "15,5", "0.57", "20", "40"), typeid(EInputError),
            "Поле \"Шаг (см)\": \"15,5\" не является числом (дробная часть отделяется точкой)", 0},
        FailureRow{"area_caption_in_check_mode", input(M::Check, "20", "300", "15", "0.57x", "20", "40"),
            typeid(EInputError), "Поле \"Площадь (см2)\": \"0.57x\" не является числом", 1},
        FailureRow{"force_caption_in_selection_mode", input(M::Selection, "20", "300", "15", "1 000", "20", "40"),
            typeid(EInputError), "Поле \"Поперечная сила (кг)\": \"1 000\" не является числом", 1},
        FailureRow{"first_bad_field_in_reading_order", input(M::Check, "20", "300", "15", "0.57", "2o", "4o"),
            typeid(EInputError), "Поле \"Ширина сечения (см)\": \"2o\" не является числом", 2},
        FailureRow{"no_concrete_class", input(M::Check, "", "", "15", "0.57", "20", "40"), typeid(EInputError),
            "Не выбран класс бетона"},
        FailureRow{"no_reinforcement_class", input(M::Selection, "20", "", "15", "0.57", "20", "40"),
            typeid(EInputError), "Не выбран класс арматуры"},
        FailureRow{"refusal_comes_before_arithmetic", input(M::Check, "", "300", "", "", "", ""), typeid(EInputError),
            "Не выбран класс бетона"}),
    [](const testing::TestParamInfo<FailureRow> &info) { return std::string(info.param.name); });

// The same caption on "Хомуты" and on "Отгибы".
TEST(Stirrups, CaptionFollowsTheMode)
{
    EXPECT_EQ(valueCaption(StirrupsMode::Check), "Площадь (см2)");
    EXPECT_EQ(valueCaption(StirrupsMode::Selection), "Поперечная сила (кг)");
}

} // namespace
} // namespace naklon
