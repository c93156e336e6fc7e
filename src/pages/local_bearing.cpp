#include "pages/local_bearing.h"

#include "core/format_result.h"
#include "pages/symbols.h"

namespace naklon {
namespace {

double loadFactor(LoadDistribution load)
{
    return load == LoadDistribution::Uniform ? 1.0 : 0.75;
}

HistoryLines outcomeLines(const char *verdict, const std::string &capacity, const char *sign, const std::string &force)
{
    return {verdict, capacity + sign + force, ""};
}

} // namespace

double bearingCoefficient(Extended ratio)
{
    // The root goes through the logarithm, so a ratio of zero or below
    // fails there, and an infinite one fails in the exponential when its
    // exponent is split (inf - inf).
    const Extended y = naturalLog(ratio);
    const Extended x = y * Extended(kOneThird);
    return exponential(x).toDouble();
}

HistoryLines calculateLocalBearing(
    const LocalBearingInput &input, const NumberFormat &format, CalculationReport *report)
{
    ReportWriter out(report, format);
    out.title(input.load == LoadDistribution::Uniform ? "Смятие — равномерно распределенная нагрузка"
                                                      : "Смятие — неравномерно распределенная нагрузка");
    const double concreteClass = readClass(input.concreteClass);
    using namespace symbols;
    const double bearingArea = readInput(out, Fsm, "F смятия (см2)", input.bearingArea, "см²");
    const double designArea = readInput(out, Fr, "F-см расчетное (см2)", input.designArea, "см²");
    const double n = readInput(out, N, "Сжимающая сила (кг)", input.force, "кг");
    const double psiFactor = loadFactor(input.load);
    // The coefficient comes with the load, under its option's name.
    out.input(symbols::psi,
        input.load == LoadDistribution::Uniform ? "равномерно распределенная" : "НЕ равномерно распределенная",
        psiFactor, "");
    const double rbTable = tableRb(input.concreteClass, concreteClass, out);
    const Extended rb = rbTable;
    const Extended psi = psiFactor;

    const Extended ratio = Extended(designArea) / Extended(bearingArea);
    const double phi = bearingCoefficient(ratio);
    if (out.active()) {
        // The history shows no φ; the report gives every digit P is
        // computed from.
        out.formula(symbols::phi, "∛(" + Fr + " / " + Fsm + ")",
            "∛(" + out.operand(designArea) + " / " + out.operand(bearingArea) + ")", formatReadNumber(phi, format), "");
    }
    const double p = (((Extended(phi) * rb) * psi) * Extended(bearingArea)).toDouble();
    const std::string capacity = formatResult(p, 2, format);
    if (out.active()) {
        out.formula(P, symbols::phi + " · " + Rb + " · " + symbols::psi + " · " + Fsm,
            out.operand(phi) + " · " + out.operand(rbTable) + " · " + out.operand(psiFactor) + " · "
                + out.operand(bearingArea),
            capacity, "кг");
    }
    const char *sign = p < n ? "<" : p > n ? ">" : "=";
    const char *words = p < n ? "Необходимо косвеное армирование" : "Прочность сечения достаточна";
    if (out.active())
        out.verdict(P + " " + sign + " " + N, FormulaText::number(capacity) + " " + sign + " " + out.operand(n), words);
    return outcomeLines(words, capacity, sign, input.force);
}

} // namespace naklon
