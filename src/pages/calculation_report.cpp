#include "pages/calculation_report.h"

#include "core/format_result.h"

#include <utility>

namespace naklon {
namespace {

std::string quantityText(const ReportQuantity &quantity)
{
    std::string text = FormulaText(quantity.symbol).flat() + " = " + quantity.value;
    if (!quantity.unit.empty())
        text += " " + quantity.unit;
    return text;
}

std::string inputsLine(const std::vector<ReportQuantity> &inputs)
{
    std::string line;
    for (const ReportQuantity &input : inputs) {
        if (!line.empty())
            line += ", ";
        line += quantityText(input);
    }
    return line;
}

// "В20: Rbt = 9,1743 кгс/см²; А300: Rsw = 2 293,57 кгс/см²": strengths of
// one class in a row share its name.
std::string strengthsLine(const std::vector<ReportQuantity> &strengths)
{
    std::string line;
    const std::string *source = nullptr;
    for (const ReportQuantity &strength : strengths) {
        if (source && *source == strength.source) {
            line += ", ";
        } else {
            if (source)
                line += "; ";
            if (!strength.source.empty())
                line += strength.source + ": ";
            source = &strength.source;
        }
        line += quantityText(strength);
    }
    return line;
}

void appendFormula(std::vector<std::string> &lines, const ReportFormula &formula)
{
    if (formula.verdict) {
        lines.push_back(formula.symbolicLine() + ": " + formula.substituted.flat());
        lines.push_back(formula.result);
        return;
    }
    lines.push_back(formula.symbolicLine());
    lines.push_back("  = " + formula.substituted.flat());
    lines.push_back("  = " + formula.result + (formula.unit.empty() ? "" : " " + formula.unit));
}

} // namespace

std::string ReportFormula::symbolicLine() const
{
    return verdict ? symbolic.flat() : (FormulaText(symbol) + " = " + symbolic).flat();
}

std::vector<std::string> reportLines(const CalculationReport &report)
{
    std::vector<std::string> lines{report.title};
    if (!report.inputs.empty())
        lines.push_back(inputsLine(report.inputs));
    if (!report.strengths.empty())
        lines.push_back(strengthsLine(report.strengths));
    if (!report.failure.empty()) {
        lines.push_back(report.failure);
        return lines;
    }
    for (const ReportFormula &formula : report.formulas)
        appendFormula(lines, formula);
    return lines;
}

void ReportWriter::title(std::string text)
{
    if (report_)
        report_->title = std::move(text);
}

void ReportWriter::input(const Symbol &symbol, std::string caption, double value, std::string unit)
{
    if (report_) {
        report_->inputs.push_back({symbol, std::move(caption), formatReadNumber(value, format_), std::move(unit), {}});
    }
}

void ReportWriter::strength(std::string source, const Symbol &symbol, double value)
{
    if (report_)
        report_->strengths.push_back({symbol, {}, formatReadNumber(value, format_), "кгс/см²", std::move(source)});
}

void ReportWriter::formula(
    const Symbol &symbol, FormulaText symbolic, FormulaText substituted, std::string result, std::string unit)
{
    if (report_) {
        report_->formulas.push_back(
            {symbol, std::move(symbolic), std::move(substituted), std::move(result), std::move(unit)});
    }
}

void ReportWriter::verdict(FormulaText comparison, FormulaText substituted, std::string words)
{
    if (report_)
        report_->formulas.push_back({{}, std::move(comparison), std::move(substituted), std::move(words), {}, true});
}

FormulaText ReportWriter::operand(double value) const
{
    const std::string text = formatReadNumber(value, format_);
    return text.front() == '-' ? "(" + FormulaText::number(text) + ")" : FormulaText::number(text);
}

} // namespace naklon
