#pragma once

#include "core/number_format.h"
#include "pages/formula_text.h"

#include <string>
#include <vector>

namespace naklon {

// The report with formulas of one calculation: what was read, what the
// tables gave and how the result came out of them. The page calculations
// fill it beside the lines they return, so its results are the history's
// own digits.

// An input field or a strength from the tables, as the report lists it.
struct ReportQuantity {
    Symbol symbol;       // s, A_sw, R_bt
    std::string caption; // an input's field as the window names it, without the unit: "Шаг"
    std::string value;   // the number, in the locale's separators (formatReadNumber)
    std::string unit;    // "см", "см²", "кг", "кгс/см²", "град"; may be empty (k1)
    std::string source;  // a strength's class as the history writes it: "В20", "А300"; empty for an input
};

// One formula: what it gives, in symbols, with the numbers put in, and its
// result. A verdict is a comparison instead, with no `symbol`: `symbolic`
// "Fb > F", `substituted` "36 697,2 > 30 000" and `result` the history's
// words for it ("Поперечная арматура не требуется"), with no unit.
struct ReportFormula {
    Symbol symbol;           // Q
    FormulaText symbolic;    // "√(8 · Rbt · b · h0² · Rsw · Asw / s)"
    FormulaText substituted; // "√(8 · 9,1743 · 20 · 40² · 2 293,57 · 0,57 / 15)"
    std::string result;      // exactly the digits the history line shows: "14 307,2"
    std::string unit;        // "кг"
    bool verdict = false;

    // The first line of the formula in plain text: "Q = √(8 · Rbt · …)",
    // or the comparison "Fb > F".
    std::string symbolicLine() const;
};

struct CalculationReport {
    std::string title; // "Хомуты — проверка сечения"
    std::vector<ReportQuantity> inputs;
    std::vector<ReportQuantity> strengths;
    std::vector<ReportFormula> formulas;
    std::string failure; // set by the caller when the calculation failed: its message
};

// The report of one calculation as lines of text: the title, the inputs on
// one line, the strengths on one line grouped by class, then each formula
// as three lines (in symbols; indented "= " with the numbers; indented "= "
// with the result and its unit), e.g.
//   Хомуты — проверка сечения
//   s = 15 см, Asw = 0,57 см², b = 20 см, h0 = 40 см
//   В20: Rbt = 9,1743 кгс/см²; А300: Rsw = 2 293,57 кгс/см²
//   Q = √(8 · Rbt · b · h0² · Rsw · Asw / s)
//     = √(8 · 9,1743 · 20 · 40² · 2 293,57 · 0,57 / 15)
//     = 14 307,2 кг
// A verdict takes two lines, the comparison with its numbers and the words:
//   Fb > F: 36 697,2 > 30 000
//   Поперечная арматура не требуется
// A failed calculation shows its failure message in place of the formulas.
// Empty parts (no inputs read, no strength found) give no line.
std::vector<std::string> reportLines(const CalculationReport &report);

// What a page calculation writes into the report its caller asked for; every
// call does nothing when no report was asked for, and `active()` tells the
// calculation whether to build the texts of its formulas at all.
class ReportWriter {
public:
    ReportWriter(CalculationReport *report, const NumberFormat &format) : report_(report), format_(format) {}

    bool active() const { return report_ != nullptr; }

    void title(std::string text);
    void input(const Symbol &symbol, std::string caption, double value, std::string unit);
    void strength(std::string source, const Symbol &symbol, double value);
    void formula(
        const Symbol &symbol, FormulaText symbolic, FormulaText substituted, std::string result, std::string unit);
    void verdict(FormulaText comparison, FormulaText substituted, std::string words);

    // A number as it stands in a formula with the numbers put in: as
    // formatReadNumber writes it, in brackets when negative ("(-20)").
    FormulaText operand(double value) const;

private:
    CalculationReport *report_;
    const NumberFormat &format_;
};

} // namespace naklon
