#include "pages/punching.h"
#include "page_test_support.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <typeindex>
#include <typeinfo>
#include <vector>

namespace naklon {
namespace {


HistoryLines sufficient(const std::string &fb, const std::string &sign, const std::string &force)
{
    return {fb + sign + force + " Поперечная арматура не требуется", ""};
}

HistoryLines required(const std::string &fb, const std::string &force, const std::string &area)
{
    return {fb + " < " + force + " Необходима поперечная арматура", "Площадь поперечного армирования " + area + " см2",
        "", ""};
}

struct LinesRow {
    const char *name;
    PunchingInput input;
    NumberFormat format;
    HistoryLines lines;
    std::vector<std::string> report = {}; // its lines, where the row gives them
};

// Fb = Rbt u h0 and Asw = (F - Fb) / Rsw, worked out by hand from the
// table strengths.
const LinesRow kLinesRows[] = {
    {"class 20 suffices", {"20", "240", "30000", "200", "20"}, kPointComma, sufficient("36,697.2", " > ", "30000")},
    {"class 40 suffices", {"40", "400", "10000", "100", "12"}, kPointComma, sufficient("17,125.3", " > ", "10000")},
    {"class 15 needs reinforcement", {"15", "240", "50000", "200", "20"}, kPointComma,
        required("30,580.8", "50000", "10.89")},
    {"class 30 needs reinforcement", {"30", "400", "100000", "160", "25"}, kPointComma,
        required("48,929.6", "100000", "19.65")},
    {"class 35 needs reinforcement", {"35", "300", "120000", "180", "22"}, kPointComma,
        required("52,476.7", "120000", "29.44")},
    {"class 20 suffices, comma and blank", {"20", "240", "30000", "200", "20"}, kCommaBlank,
        sufficient("36 697,2", " > ", "30000"),
        {"Продавливание", "F = 30 000 кг, u = 200 см, h0 = 20 см",
            "В20: Rbt = 9,1743 кгс/см²; А240: Rsw = 1 783,89 кгс/см²", "Fb = Rbt · u · h0", "  = 9,1743 · 200 · 20",
            "  = 36 697,2 кг", "Fb > F: 36 697,2 > 30 000", "Поперечная арматура не требуется"}},
    {"class 30 needs reinforcement, comma and blank", {"30", "400", "100000", "160", "25"}, kCommaBlank,
        required("48 929,6", "100000", "19,65"),
        {"Продавливание", "F = 100 000 кг, u = 160 см, h0 = 25 см",
            "В30: Rbt = 12,2324 кгс/см²; А400: Rsw = 2 599,38 кгс/см²", "Fb = Rbt · u · h0", "  = 12,2324 · 160 · 25",
            "  = 48 929,6 кг", "Fb < F: 48 929,6 < 100 000", "Необходима поперечная арматура",
            "Asw = (F − Rbt · u · h0) / Rsw", "  = (100 000 − 12,2324 · 160 · 25) / 2 599,38", "  = 19,65 см²"}},
    {"negative force against empty fields", {"25", "300", "-100", "", ""}, kPointComma,
        sufficient("0.0", " > ", "-100")},
    {"force echoed as typed", {"15", "240", "5e4", "200", "20"}, kPointComma, required("30,580.8", "5e4", "10.89")},
    {"blanks around the force kept", {"15", "240", "  50000 ", "200", "20"}, kPointComma,
        required("30,580.8", "  50000 ", "10.89")},
    {"infinite force needs an infinite area", {"15", "240", "0e6000", "200", "20"}, kPointComma,
        required("30,580.8", "0e6000", "INF")},
    {"empty fields tie at zero", {"20", "240", "", "", ""}, kPointComma, sufficient("0.0", " = ", ""),
        {"Продавливание", "F = 0 кг, u = 0 см, h0 = 0 см", "В20: Rbt = 9.1743 кгс/см²; А240: Rsw = 1,783.89 кгс/см²",
            "Fb = Rbt · u · h0", "  = 9.1743 · 0 · 0", "  = 0.0 кг", "Fb = F: 0.0 = 0",
            "Поперечная арматура не требуется"}},
    // 9.1743 x 4000 rounds to a double just above 36697.2.
    {"force a hair below the resistance", {"20", "240", "36697.2", "200", "20"}, kPointComma,
        sufficient("36,697.2", " > ", "36697.2")},
    {"force equal to the bare strength", {"35", "300", "13.2517", "1", "1"}, kPointComma,
        sufficient("13.3", " = ", "13.2517")},
    // A force a hair above the resistance still asks for an area, however
    // small.
    {"force a hair above the resistance", {"35", "300", "13.2518", "1", "1"}, kPointComma,
        required("13.3", "13.2518", "0.00")},
};

TEST(Punching, AppendsTheLinesOfItsOutcome)
{
    for (const LinesRow &row : kLinesRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calculatePunching(row.input, row.format), row.lines);

        // The report's Fb, verdict and area are the history's, digit for
        // digit and word for word.
        CalculationReport report;
        const HistoryLines lines = calculatePunching(row.input, row.format, &report);
        const bool needed = lines.size() == 4;
        ASSERT_EQ(report.formulas.size(), needed ? 3u : 2u);
        EXPECT_TRUE(lines.at(0).starts_with(report.formulas.at(0).result + " ")) << lines.at(0);
        ASSERT_TRUE(report.formulas.at(1).verdict);
        EXPECT_TRUE(lines.at(0).ends_with(" " + report.formulas.at(1).result)) << lines.at(0);
        if (needed) {
            EXPECT_EQ(lines.at(1), "Площадь поперечного армирования " + report.formulas.back().result + " см2");
        }
        if (!row.report.empty()) {
            EXPECT_EQ(reportLines(report), row.report);
        }
    }
}

struct FailureRow {
    const char *name;
    PunchingInput input;
    std::type_index kind;
    const char *message;
};

const FailureRow kFailureRows[] = {
    {"force too large to hold", {"20", "240", "1e400", "200", "20"}, typeid(EOverflow), "Floating point overflow"},
    {"resistance beyond a double", {"20", "240", "30000", "1e200", "1e200"}, typeid(EOverflow),
        "Floating point overflow"},
    {"infinite perimeter over zero depth", {"20", "240", "30000", "0e6000", ""}, typeid(EInvalidOp),
        "Invalid floating point operation"},
    {"no concrete class", {"", "240", "30000", "200", "20"}, typeid(EInputError), "Не выбран класс бетона"},
    {"no class at all names the concrete", {"", "", "30000", "200", "20"}, typeid(EInputError),
        "Не выбран класс бетона"},
    {"no reinforcement class", {"20", "", "50000", "200", "20"}, typeid(EInputError), "Не выбран класс арматуры"},
    {"no reinforcement class even when the concrete suffices", {"20", "", "30000", "200", "20"}, typeid(EInputError),
        "Не выбран класс арматуры"},
    {"class that is no table row", {"17.5", "240", "30000", "200", "20"}, typeid(EInputError),
        "Не выбран класс бетона"},
    {"comma in the force", {"20", "240", "30000,5", "200", "20"}, typeid(EInputError),
        "Поле \"Продавливающая сила (кг)\": \"30000,5\" не является числом (дробная часть отделяется точкой)"},
    {"blank inside the perimeter", {"20", "240", "30000", "2 00", "20"}, typeid(EInputError),
        "Поле \"Полусумма периметров (см)\": \"2 00\" не является числом"},
    {"letters in the depth", {"20", "240", "30000", "200", "h0"}, typeid(EInputError),
        "Поле \"h0 (см)\": \"h0\" не является числом"},
    {"fields refused in reading order, before the classes", {"", "", "x", "y", "z"}, typeid(EInputError),
        "Поле \"Продавливающая сила (кг)\": \"x\" не является числом"},
    {"refusal before an overflowing product", {"20", "240", "1", "1e200", "x"}, typeid(EInputError),
        "Поле \"h0 (см)\": \"x\" не является числом"},
};

TEST(Punching, FailsWithTheRightKindAndMessage)
{
    for (const FailureRow &row : kFailureRows) {
        SCOPED_TRACE(row.name);
        expectFailure([&] { return calculatePunching(row.input, kPointComma); }, row.kind, row.message);
    }
}

} // namespace
} // namespace naklon
