#include "pages/no_reinforcement.h"
#include "page_test_support.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace naklon {
namespace {

constexpr auto kSlab = MemberKind::SolidSlab;
constexpr auto kBeam = MemberKind::BeamOrRib;


HistoryLines forces(const std::string &atSupport, const std::string &atSectionEnd)
{
    return {"максимальная поперечная сила у грани опоры " + atSupport + "кг",
        "максимальная поперечная сила в конце сечения (2h0) " + atSectionEnd + "кг", ""};
}

struct ResultRow {
    NoReinforcementInput input;
    NumberFormat format;
    HistoryLines lines;
    std::vector<std::string> report = {}; // its lines, where the row gives them
};

TEST(NoReinforcementPage, WritesBothForces)
{
    const ResultRow rows[] = {
        {{"20", "20", "36", kSlab}, kPointComma, forces("16,513.7", "4,954.1")},
        {{"20", "20", "36", kBeam}, kPointComma, forces("13,211.0", "3,963.3")},
        {{"15", "100", "18", kSlab}, kPointComma, forces("34,403.4", "10,321.0")},
        {{"15", "100", "18", kBeam}, kPointComma, forces("27,522.7", "8,256.8")},
        {{"40", "30", "56.5", kSlab}, kPointComma, forces("60,473.8", "18,142.1")},
        {{"40", "30", "56.5", kBeam}, kPointComma, forces("48,379.0", "14,513.7")},
        {{"25", "0", "40", kSlab}, kPointComma, forces("0.0", "0.0")},
        {{"25", "0", "40", kBeam}, kPointComma, forces("0.0", "0.0")},
        {{"25", "", "40", kSlab}, kPointComma, forces("0.0", "0.0")},
        // The depth in the divisor keeps its sign, so both forces turn over.
        {{"20", "20", "-36", kSlab}, kPointComma, forces("-16,513.7", "-4,954.1")},
        {{"20", "-20", "36", kBeam}, kPointComma, forces("-13,211.0", "-3,963.3")},
        {{"20", " 20", "36 ", kSlab}, kPointComma, forces("16,513.7", "4,954.1")},
        {{"20", "0e6000", "36", kSlab}, kPointComma, forces("INF", "INF")},
        {{"20", "20", "36", kSlab}, kCommaBlank, forces("16 513,7", "4 954,1"),
            {"Без арматуры — сплошные плиты", "b = 20 см, h0 = 36 см, k1 = 2,5, k2 = 1,5", "В20: Rbt = 9,1743 кгс/см²",
                "Q1 = k1 · Rbt · b · h0", "  = 2,5 · 9,1743 · 20 · 36", "  = 16 513,7 кг",
                "Q2 = k2 · Rbt · b · h0² / (2 · h0)", "  = 1,5 · 9,1743 · 20 · 36² / (2 · 36)", "  = 4 954,1 кг"}},
        {{"15", "100", "18", kBeam}, kCommaBlank, forces("27 522,7", "8 256,8"),
            {"Без арматуры — балки, ребра плит", "b = 100 см, h0 = 18 см, k1 = 2, k2 = 1,2",
                "В15: Rbt = 7,6452 кгс/см²", "Q1 = k1 · Rbt · b · h0", "  = 2 · 7,6452 · 100 · 18", "  = 27 522,7 кг",
                "Q2 = k2 · Rbt · b · h0² / (2 · h0)", "  = 1,2 · 7,6452 · 100 · 18² / (2 · 18)", "  = 8 256,8 кг"}},
    };
    for (const ResultRow &row : rows) {
        SCOPED_TRACE(row.input.concreteClass + " / " + row.input.width + " / " + row.input.depth);
        EXPECT_EQ(calculateNoReinforcement(row.input, row.format), row.lines);

        // The report's results are the history's numbers, digit for digit.
        CalculationReport report;
        calculateNoReinforcement(row.input, row.format, &report);
        ASSERT_EQ(report.formulas.size(), 2u);
        EXPECT_EQ(forces(report.formulas.front().result, report.formulas.back().result), row.lines);
        if (!row.report.empty()) {
            EXPECT_EQ(reportLines(report), row.report);
        }
    }
}

struct FailureRow {
    const char *name;
    NoReinforcementInput input;
    const std::type_info *kind;
    std::string message;
};

TEST(NoReinforcementPage, FailsOrRefusesWithoutLines)
{
    const FailureRow rows[] = {
        {"empty depth", {"20", "20", "", kSlab}, &typeid(EInvalidOp), "Invalid floating point operation"},
        {"zero depth and width", {"20", "0", "0", kBeam}, &typeid(EInvalidOp), "Invalid floating point operation"},
        {"infinite depth", {"20", "20", "0e6000", kSlab}, &typeid(EInvalidOp), "Invalid floating point operation"},
        {"width too large to read", {"20", "1e400", "36", kSlab}, &typeid(EOverflow), "Floating point overflow"},
        {"force beyond a double", {"40", "1e300", "1e10", kSlab}, &typeid(EOverflow), "Floating point overflow"},
        {"no class", {"", "20", "36", kSlab}, &typeid(EInputError), "Не выбран класс бетона"},
        {"no class before zero depth", {"", "20", "", kSlab}, &typeid(EInputError), "Не выбран класс бетона"},
        {"width not a number", {"", "20см", "36", kSlab}, &typeid(EInputError),
            "Поле \"Ширина (см)\": \"20см\" не является числом"},
        {"depth with a comma", {"20", "20", "36,5", kSlab}, &typeid(EInputError),
            "Поле \"h0 (см)\": \"36,5\" не является числом (дробная часть отделяется точкой)"},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure([&] { return calculateNoReinforcement(row.input, kPointComma); }, std::type_index(*row.kind),
            row.message);
    }
}

} // namespace
} // namespace naklon
