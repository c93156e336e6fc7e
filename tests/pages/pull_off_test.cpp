#include "pages/pull_off.h"
#include "page_test_support.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace naklon {
namespace {

constexpr auto kStirrups = PullOffReinforcement::Stirrups;
constexpr auto kBentUpBars = PullOffReinforcement::BentUpBars;


std::string areaLine(const std::string &area)
{
    return "Площадь дополнительной арматуры в зоне отрыва " + area + " см2";
}

struct ResultRow {
    const char *name;
    PullOffInput input;
    NumberFormat format;
    HistoryLines lines;
    std::vector<std::string> report = {}; // its lines, where the row gives them
};

// Areas worked by hand: A = F / Rsw, or F / (sin(angle) Rsw).
TEST(PullOffPage, WritesTheAreaAndItsClosingLine)
{
    const ResultRow rows[] = {
        {"stirrups 240 5000", {"240", "5000", "Угол (град)", kStirrups}, kPointComma, {areaLine("2.803"), ""}},
        {"stirrups 300 12000", {"300", "12000", "60", kStirrups}, kPointComma, {areaLine("5.232"), ""}},
        {"stirrups 400 750", {"400", "750", "", kStirrups}, kPointComma, {areaLine("0.289"), ""}},
        {"stirrups zero force", {"240", "0", "30", kStirrups}, kPointComma, {areaLine("0.000"), ""}},
        {"bent 240 5000 at 45", {"240", "5000", "45", kBentUpBars}, kPointComma, {areaLine("3.964"), "Угол 45 град."}},
        {"bent 300 12000 at 60", {"300", "12000", "60", kBentUpBars}, kPointComma,
            {areaLine("6.041"), "Угол 60 град."}},
        {"bent 400 750 at 30", {"400", "750", "30", kBentUpBars}, kPointComma, {areaLine("0.577"), "Угол 30 град."}},
        {"typed angle 50", {"240", "5000", "50", kBentUpBars}, kPointComma, {areaLine("3.659"), "Угол 50 град."}},
        {"at 90 as stirrups", {"240", "5000", "90", kBentUpBars}, kPointComma, {areaLine("2.803"), "Угол 90 град."}},
        // Stirrups take no angle: a text that is no number, or one too large
        // to hold, does not stop them.
        {"stirrups ignore a text angle", {"240", "5000", "сорок", kStirrups}, kPointComma, {areaLine("2.803"), ""}},
        {"stirrups ignore a huge angle", {"240", "5000", "1e400", kStirrups}, kPointComma, {areaLine("2.803"), ""}},
        {"angle echoed as typed", {"240", "5000", "45 ", kBentUpBars}, kPointComma,
            {areaLine("3.964"), "Угол 45  град."}},
        {"angle in exponent form", {"240", "5000", "4.5e1", kBentUpBars}, kPointComma,
            {areaLine("3.964"), "Угол 4.5e1 град."}},
        {"negative force", {"240", "-5000", "", kStirrups}, kPointComma, {areaLine("-2.803"), ""}},
        {"infinite force", {"240", "0e6000", "", kStirrups}, kPointComma, {areaLine("INF"), ""}},
        {"stirrups, comma and blank", {"240", "5000000", "", kStirrups}, kCommaBlank, {areaLine("2 802,863"), ""},
            {"Отрыв — хомуты", "F = 5 000 000 кг", "А240: Rsw = 1 783,89 кгс/см²", "A = F / Rsw",
                "  = 5 000 000 / 1 783,89", "  = 2 802,863 см²"}},
        {"bent, comma and blank", {"240", "5000000", "45", kBentUpBars}, kCommaBlank,
            {areaLine("3 963,847"), "Угол 45 град."},
            {"Отрыв — отогнутые стержни", "F = 5 000 000 кг, θ = 45 град", "А240: Rsw = 1 783,89 кгс/см²",
                "A = F / (Rsw · sin θ)", "  = 5 000 000 / (1 783,89 · sin 45°)", "  = 3 963,847 см²"}},
        {"small area, comma", {"400", "750", "30", kBentUpBars}, kCommaBlank, {areaLine("0,577"), "Угол 30 град."}},
    };
    for (const ResultRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calculatePullOff(row.input, row.format), row.lines);

        // The report's result is the history's number, digit for digit.
        CalculationReport report;
        calculatePullOff(row.input, row.format, &report);
        ASSERT_EQ(report.formulas.size(), 1u);
        EXPECT_EQ(areaLine(report.formulas.back().result), row.lines.at(0));
        if (!row.report.empty()) {
            EXPECT_EQ(reportLines(report), row.report);
        }
    }
}

struct FailureRow {
    const char *name;
    PullOffInput input;
    const std::type_info *kind;
    std::string message;
};

TEST(PullOffPage, FailsOrRefusesWithoutLines)
{
    const FailureRow rows[] = {
        // The untouched prompt is an empty angle, whose sine is 0.
        {"untouched angle prompt", {"240", "5000", "Угол (град)", kBentUpBars}, &typeid(EZeroDivide),
            "Floating point division by zero"},
        {"prompt and zero force", {"240", "", "Угол (град)", kBentUpBars}, &typeid(EInvalidOp),
            "Invalid floating point operation"},
        {"zero angle", {"240", "5000", "0", kBentUpBars}, &typeid(EZeroDivide), "Floating point division by zero"},
        {"empty angle", {"240", "5000", "", kBentUpBars}, &typeid(EZeroDivide), "Floating point division by zero"},
        {"zero angle and force", {"240", "0", "0", kBentUpBars}, &typeid(EInvalidOp),
            "Invalid floating point operation"},
        {"angle beyond the sine range", {"240", "5000", "6e20", kBentUpBars}, &typeid(EZeroDivide),
            "Floating point division by zero"},
        {"force too large to hold", {"240", "1e400", "45", kStirrups}, &typeid(EOverflow), "Floating point overflow"},
        {"used angle too large to hold", {"240", "5000", "1e400", kBentUpBars}, &typeid(EOverflow),
            "Floating point overflow"},
        {"area beyond a double", {"240", "1e308", "0.001", kBentUpBars}, &typeid(EOverflow), "Floating point overflow"},
        {"angle with a unit", {"240", "5000", "45 град", kBentUpBars}, &typeid(EInputError),
            "Поле \"Угол (град)\": \"45 град\" не является числом"},
        {"angle with a comma", {"240", "5000", "22,5", kBentUpBars}, &typeid(EInputError),
            "Поле \"Угол (град)\": \"22,5\" не является числом (дробная часть отделяется точкой)"},
        {"force with a comma", {"240", "5000,5", "45", kBentUpBars}, &typeid(EInputError),
            "Поле \"Отрывающее усилие (кг)\": \"5000,5\" не является числом (дробная часть отделяется точкой)"},
        {"force refused before the angle", {"240", "пять", "сорок", kBentUpBars}, &typeid(EInputError),
            "Поле \"Отрывающее усилие (кг)\": \"пять\" не является числом"},
        {"no class picked", {"", "5000", "45", kBentUpBars}, &typeid(EInputError), "Не выбран класс арматуры"},
        {"no class before zero sine", {"", "5000", "Угол (град)", kBentUpBars}, &typeid(EInputError),
            "Не выбран класс арматуры"},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure([&] { return calculatePullOff(row.input, kPointComma); }, std::type_index(*row.kind),
            row.message);
    }
}

TEST(PullOffPage, StartsWithTheAnglePromptUnderStirrups)
{
    const PullOffInput fresh;
    EXPECT_EQ(fresh.angle, "Угол (град)");
    EXPECT_EQ(fresh.reinforcement, kStirrups);
}

} // namespace
} // namespace naklon
