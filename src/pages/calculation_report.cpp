#include "pages/calculation_report.h"

#include "core/format_result.h"

#include <utility>

namespace naklon {
namespace {

std::string quantityText(const ReportQuantity &quantity)
{
    std::string text = quantity.symbol + " = " + quantity.value;
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

// The right-hand side of "Q = √(...)", or the whole text when it has no "=".
std::string rightHandSide(const std::string &formula)
{
    const std::string equals = " = ";
    const std::size_t at = formula.find(equals);
    return at == std::string::npos ? formula : formula.substr(at + equals.size());
}

void appendFormula(std::vector<std::string> &lines, const ReportFormula &formula)
{
    if (formula.verdict) {
        lines.push_back(formula.symbolic + ": " + formula.substituted);
        lines.push_back(formula.result);
        return;
    }
    lines.push_back(formula.symbolic);
    lines.push_back("  = " + rightHandSide(formula.substituted));
    lines.push_back("  = " + formula.result + (formula.unit.empty() ? "" : " " + formula.unit));
}

} // namespace

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

void ReportWriter::input(std::string symbol, double value, std::string unit)
{
    if (report_)
        report_->inputs.push_back({std::move(symbol), formatReadNumber(value, format_), std::move(unit), {}});
}

void ReportWriter::strength(std::string source, std::string symbol, double value)
{
    if (report_)
        report_->strengths.push_back(
            {std::move(symbol), formatReadNumber(value, format_), "кгс/см²", std::move(source)});
}

void ReportWriter::formula(std::string symbolic, std::string substituted, std::string result, std::string unit)
{
    if (report_)
        report_->formulas.push_back({std::move(symbolic), std::move(substituted), std::move(result), std::move(unit)});
}

void ReportWriter::verdict(std::string comparison, std::string substituted, std::string words)
{
    if (report_)
        report_->formulas.push_back({std::move(comparison), std::move(substituted), std::move(words), {}, true});
}

std::string ReportWriter::operand(double value) const
{
    const std::string text = formatReadNumber(value, format_);
    return text.front() == '-' ? "(" + text + ")" : text;
}

} // namespace naklon
