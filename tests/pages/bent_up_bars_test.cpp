#include "pages/bent_up_bars.h"
#include "page_test_support.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace naklon {
namespace {

using Mode = BentUpBarsMode;


struct ResultRow {
    BentUpBarsInput input;
    NumberFormat format;
    HistoryLines lines;
    std::vector<std::string> report = {}; // its lines, where the row gives them
};

TEST(BentUpBarsPage, WritesWholeLines)
{
    const ResultRow rows[] = {
        {{"300", "45", "2.26", Mode::Check}, kPointComma,
            {"Класс арматуры А300C1, площадь 2.26 см2,  угол 45град", "Поперечная сила   3,665.3 кг", ""}},
        {{"400", "45", "5000", Mode::Selection}, kPointComma,
            {"Класс арматуры А400C1,   угол  45 град", "Площадь сечения отгибов 2.720 см2", ""}},
        {{"240", "90", "1", Mode::Check}, kPointComma,
            {"Класс арматуры А240C1, площадь 1 см2,  угол 90град", "Поперечная сила   1,783.9 кг", ""}},
        {{"400", "30", "3.14", Mode::Check}, kPointComma,
            {"Класс арматуры А400C1, площадь 3.14 см2,  угол 30град", "Поперечная сила   4,081.0 кг", ""}},
        {{"240", "60", "4.02", Mode::Check}, kPointComma,
            {"Класс арматуры А240C1, площадь 4.02 см2,  угол 60град", "Поперечная сила   6,210.5 кг", ""}},
        {{"300", "0", "2.26", Mode::Check}, kPointComma,
            {"Класс арматуры А300C1, площадь 2.26 см2,  угол 0град", "Поперечная сила   0.0 кг", ""}},
        {{"240", "30", "3000", Mode::Selection}, kPointComma,
            {"Класс арматуры А240C1,   угол  30 град", "Площадь сечения отгибов 3.363 см2", ""}},
        {{"300", "60", "10000", Mode::Selection}, kPointComma,
            {"Класс арматуры А300C1,   угол  60 град", "Площадь сечения отгибов 5.035 см2", ""}},
        {{"240", "90", "1783.89", Mode::Selection}, kPointComma,
            {"Класс арматуры А240C1,   угол  90 град", "Площадь сечения отгибов 1.000 см2", ""}},
        // Texts are echoed as typed, blanks included, while the numbers
        // read from them are used; empty fields read as 0.
        {{"300", " 45", "2.26 ", Mode::Check}, kPointComma,
            {"Класс арматуры А300C1, площадь 2.26  см2,  угол  45град", "Поперечная сила   3,665.3 кг", ""}},
        {{"240", "", "", Mode::Check}, kPointComma,
            {"Класс арматуры А240C1, площадь  см2,  угол град", "Поперечная сила   0.0 кг", ""}},
        {{"300", "45", "2.26", Mode::Check}, kCommaBlank,
            {"Класс арматуры А300C1, площадь 2.26 см2,  угол 45град", "Поперечная сила   3 665,3 кг", ""},
            {"Отгибы — проверка сечения", "θ = 45 град, As = 2,26 см²", "А300: Rsw = 2 293,57 кгс/см²",
                "Q = Rsw · As · sin θ", "  = 2 293,57 · 2,26 · sin 45°", "  = 3 665,3 кг"}},
        {{"240", "90", "1", Mode::Check}, kCommaBlank,
            {"Класс арматуры А240C1, площадь 1 см2,  угол 90град", "Поперечная сила   1 783,9 кг", ""}},
        {{"400", "45", "5000", Mode::Selection}, kCommaBlank,
            {"Класс арматуры А400C1,   угол  45 град", "Площадь сечения отгибов 2,720 см2", ""},
            {"Отгибы — подбор сечения", "θ = 45 град, Q = 5 000 кг", "А400: Rsw = 2 599,38 кгс/см²",
                "As = Q / (Rsw · sin θ)", "  = 5 000 / (2 599,38 · sin 45°)", "  = 2,720 см²"}},
    };
    for (const ResultRow &row : rows) {
        SCOPED_TRACE(row.input.reinforcementClass + " / " + row.input.angle + " / " + row.input.value);
        EXPECT_EQ(calculateBentUpBars(row.input, row.format), row.lines);

        // The report's result is the history's number, digit for digit.
        CalculationReport report;
        calculateBentUpBars(row.input, row.format, &report);
        ASSERT_EQ(report.formulas.size(), 1u);
        const std::string &result = report.formulas.back().result;
        EXPECT_EQ(row.lines.at(1),
            row.input.mode == Mode::Check ? "Поперечная сила   " + result + " кг"
                                          : "Площадь сечения отгибов " + result + " см2");
        if (!row.report.empty()) {
            EXPECT_EQ(reportLines(report), row.report);
        }
    }
}

struct FailureRow {
    const char *name;
    BentUpBarsInput input;
    const std::type_info *kind;
    std::string message;
};

TEST(BentUpBarsPage, FailsOrRefusesWithoutLines)
{
    const FailureRow rows[] = {
        {"zero sine, force", {"240", "0", "3000", Mode::Selection}, &typeid(EZeroDivide),
            "Floating point division by zero"},
        {"empty angle, force", {"240", "", "3000", Mode::Selection}, &typeid(EZeroDivide),
            "Floating point division by zero"},
        {"zero sine, zero force", {"240", "0", "", Mode::Selection}, &typeid(EInvalidOp),
            "Invalid floating point operation"},
        {"force too large to read", {"240", "45", "1e400", Mode::Selection}, &typeid(EOverflow),
            "Floating point overflow"},
        {"force beyond a double", {"400", "90", "1e306", Mode::Check}, &typeid(EOverflow), "Floating point overflow"},
        {"no class, check", {"", "45", "2.26", Mode::Check}, &typeid(EInputError), "Не выбран класс арматуры"},
        {"no class before zero sine", {"", "0", "3000", Mode::Selection}, &typeid(EInputError),
            "Не выбран класс арматуры"},
        {"angle with a comma", {"", "4,5", "2.26", Mode::Check}, &typeid(EInputError),
            "Поле \"Угол (град)\": \"4,5\" не является числом (дробная часть отделяется точкой)"},
        {"area not a number", {"240", "45", "2.26x", Mode::Check}, &typeid(EInputError),
            "Поле \"Площадь (см2)\": \"2.26x\" не является числом"},
        {"force not a number", {"240", "45", "5 000", Mode::Selection}, &typeid(EInputError),
            "Поле \"Поперечная сила (кг)\": \"5 000\" не является числом"},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure([&] { return calculateBentUpBars(row.input, kPointComma); }, std::type_index(*row.kind),
            row.message);
    }
}

} // namespace
} // namespace naklon
