#include "pages/local_bearing.h"
#include "page_test_support.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <typeindex>
#include <typeinfo>
#include <vector>

namespace naklon {
namespace {

constexpr auto kUniform = LoadDistribution::Uniform;
constexpr auto kNonUniform = LoadDistribution::NonUniform;

HistoryLines strongEnough(const std::string &capacity, const std::string &sign, const std::string &force)
{
    return {"Прочность сечения достаточна", capacity + sign + force, ""};
}

HistoryLines reinforcementNeeded(const std::string &capacity, const std::string &force)
{
    return {"Необходимо косвеное армирование", capacity + "<" + force, ""};
}

struct CoefficientRow {
    long double ratio;
    double phi;
};

TEST(LocalBearing, TakesTheCubeRootOfTheAreaRatio)
{
    const CoefficientRow rows[] = {
        {8.0L, 2.0},
        {5.0L, 1.709975946676697},
        {1.0L, 1.0},
        {1000.0L, 10.0},
        {27.0L, 3.0},
        {0.125L, 0.5},
    };
    for (const CoefficientRow &row : rows) {
        SCOPED_TRACE(static_cast<double>(row.ratio));
        EXPECT_EQ(bearingCoefficient(row.ratio), row.phi);
    }
}

struct LinesRow {
    const char *name;
    LocalBearingInput input;
    NumberFormat format;
    HistoryLines lines;
    std::vector<std::string> report = {}; // its lines, where the row gives them
};

// P = cbrt(Fр / Fсм) Rb psi Fсм, worked out by hand from the table
// strengths.
const LinesRow kLinesRows[] = {
    {"class 20 uniform suffices", {"20", "100", "800", "20000", kUniform}, kPointComma,
        strongEnough("23,400.00", ">", "20000")},
    {"class 15 not uniform needs reinforcement", {"15", "100", "800", "30000", kNonUniform}, kPointComma,
        reinforcementNeeded("12,900.00", "30000")},
    {"class 25 not uniform needs reinforcement", {"25", "200", "1000", "40000", kNonUniform}, kPointComma,
        reinforcementNeeded("37,961.47", "40000")},
    {"class 25 uniform suffices", {"25", "200", "1000", "40000", kUniform}, kPointComma,
        strongEnough("50,615.29", ">", "40000")},
    {"class 25 uniform, comma and blank", {"25", "200", "1000", "40000", kUniform}, kCommaBlank,
        strongEnough("50 615,29", ">", "40000"),
        {"Смятие — равномерно распределенная нагрузка", "Fсм = 200 см², Fр = 1 000 см², N = 40 000 кг, ψ = 1",
            "В25: Rb = 148 кгс/см²", "φ = ∛(Fр / Fсм)", "  = ∛(1 000 / 200)", "  = 1,709975946676697",
            "P = φ · Rb · ψ · Fсм", "  = 1,709975946676697 · 148 · 1 · 200", "  = 50 615,29 кг",
            "P > N: 50 615,29 > 40 000", "Прочность сечения достаточна"}},
    {"class 25 not uniform, comma and blank", {"25", "200", "1000", "40000", kNonUniform}, kCommaBlank,
        reinforcementNeeded("37 961,47", "40000"),
        {"Смятие — неравномерно распределенная нагрузка", "Fсм = 200 см², Fр = 1 000 см², N = 40 000 кг, ψ = 0,75",
            "В25: Rb = 148 кгс/см²", "φ = ∛(Fр / Fсм)", "  = ∛(1 000 / 200)", "  = 1,709975946676697",
            "P = φ · Rb · ψ · Fсм", "  = 1,709975946676697 · 148 · 0,75 · 200", "  = 37 961,47 кг",
            "P < N: 37 961,47 < 40 000", "Необходимо косвеное армирование"}},
    {"capacity equal to the force", {"20", "100", "800", "23400", kUniform}, kPointComma,
        strongEnough("23,400.00", "=", "23400"),
        {"Смятие — равномерно распределенная нагрузка", "Fсм = 100 см², Fр = 800 см², N = 23,400 кг, ψ = 1",
            "В20: Rb = 117 кгс/см²", "φ = ∛(Fр / Fсм)", "  = ∛(800 / 100)", "  = 2", "P = φ · Rb · ψ · Fсм",
            "  = 2 · 117 · 1 · 100", "  = 23,400.00 кг", "P = N: 23,400.00 = 23,400", "Прочность сечения достаточна"}},
    {"equal areas give the plain strength", {"35", "30", "30", "5000", kNonUniform}, kPointComma,
        reinforcementNeeded("4,455.00", "5000")},
    {"thousandfold design area gives ten", {"30", "10", "10000", "17000", kUniform}, kPointComma,
        strongEnough("17,300.00", ">", "17000")},
    {"negative areas give a negative capacity", {"15", "-100", "-800", "0", kUniform}, kPointComma,
        reinforcementNeeded("-17,200.00", "0")},
    {"empty force reads as zero", {"20", "100", "800", "", kUniform}, kPointComma, strongEnough("23,400.00", ">", "")},
    {"force echoed as typed", {"20", "100", "800", "2e4", kUniform}, kPointComma,
        strongEnough("23,400.00", ">", "2e4")},
    {"infinite force", {"40", "100", "800", "0e6000", kUniform}, kPointComma,
        reinforcementNeeded("44,800.00", "0e6000")},
};

TEST(LocalBearing, AppendsTheLinesOfItsOutcome)
{
    for (const LinesRow &row : kLinesRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calculateLocalBearing(row.input, row.format), row.lines);

        // The report's P and verdict are the history's, digit for digit and
        // word for word.
        CalculationReport report;
        const HistoryLines lines = calculateLocalBearing(row.input, row.format, &report);
        ASSERT_EQ(report.formulas.size(), 3u);
        ASSERT_TRUE(report.formulas.back().verdict);
        EXPECT_EQ(lines.at(0), report.formulas.back().result);
        EXPECT_TRUE(lines.at(1).starts_with(report.formulas.at(1).result)) << lines.at(1);
        if (!row.report.empty()) {
            EXPECT_EQ(reportLines(report), row.report);
        }
    }
}

struct FailureRow {
    const char *name;
    LocalBearingInput input;
    std::type_index kind;
    const char *message;
};

const FailureRow kFailureRows[] = {
    {"fresh page with a class", {"20", "", "", "", kNonUniform}, typeid(EInvalidOp),
        "Invalid floating point operation"},
    {"zero bearing area", {"20", "0", "800", "20000", kUniform}, typeid(EZeroDivide),
        "Floating point division by zero"},
    {"empty design area", {"20", "100", "", "20000", kUniform}, typeid(EZeroDivide), "Floating point division by zero"},
    {"negative bearing area", {"20", "-100", "800", "20000", kUniform}, typeid(EInvalidOp),
        "Invalid floating point operation"},
    {"negative design area", {"20", "100", "-800", "20000", kUniform}, typeid(EInvalidOp),
        "Invalid floating point operation"},
    {"infinite design area", {"20", "100", "0e6000", "20000", kUniform}, typeid(EInvalidOp),
        "Invalid floating point operation"},
    {"infinite bearing area", {"20", "0e6000", "800", "20000", kUniform}, typeid(EZeroDivide),
        "Floating point division by zero"},
    {"force too large to hold", {"20", "100", "800", "1e400", kUniform}, typeid(EOverflow), "Floating point overflow"},
    {"capacity beyond a double", {"40", "1e306", "1e306", "1", kUniform}, typeid(EOverflow), "Floating point overflow"},
    {"no class picked", {"", "100", "800", "20000", kUniform}, typeid(EInputError), "Не выбран класс бетона"},
    {"no class on a fresh page", {"", "", "", "", kNonUniform}, typeid(EInputError), "Не выбран класс бетона"},
    {"comma in the bearing area", {"20", "100,5", "800", "20000", kUniform}, typeid(EInputError),
        "Поле \"F смятия (см2)\": \"100,5\" не является числом (дробная часть отделяется точкой)"},
    {"words in the design area", {"20", "100", "восемьсот", "20000", kUniform}, typeid(EInputError),
        "Поле \"F-см расчетное (см2)\": \"восемьсот\" не является числом"},
    {"blank inside the force", {"20", "100", "800", "20 000", kUniform}, typeid(EInputError),
        "Поле \"Сжимающая сила (кг)\": \"20 000\" не является числом"},
    {"fields refused in reading order, before the class", {"", "a", "b", "c", kUniform}, typeid(EInputError),
        "Поле \"F смятия (см2)\": \"a\" не является числом"},
    {"design area refused before the force", {"20", "100", "1e", "c", kUniform}, typeid(EInputError),
        "Поле \"F-см расчетное (см2)\": \"1e\" не является числом"},
};

TEST(LocalBearing, FailsWithTheRightKindAndMessage)
{
    for (const FailureRow &row : kFailureRows) {
        SCOPED_TRACE(row.name);
        expectFailure([&] { return calculateLocalBearing(row.input, kPointComma); }, row.kind, row.message);
    }
}

} // namespace
} // namespace naklon
