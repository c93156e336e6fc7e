#include "pages/local_bearing.h"

#include "core/format_result.h"

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
    const double bearingArea = readField("F смятия (см2)", input.bearingArea);
    out.input("Fсм", bearingArea, "см²");
    const double designArea = readField("F-см расчетное (см2)", input.designArea);
    out.input("Fр", designArea, "см²");
    const double n = readField("Сжимающая сила (кг)", input.force);
    out.input("N", n, "кг");
    const double psiFactor = loadFactor(input.load);
    out.input("ψ", psiFactor, "");
    const double rbTable = tableRb(input.concreteClass, concreteClass, out);
    const Extended rb = rbTable;
    const Extended psi = psiFactor;

    const Extended ratio = Extended(designArea) / Extended(bearingArea);
    const double phi = bearingCoefficient(ratio);
    if (out.active()) {
        // The history shows no φ; the report gives every digit P is
        // computed from.
        out.formula("φ = ∛(Fр / Fсм)", "φ = ∛(" + out.operand(designArea) + " / " + out.operand(bearingArea) + ")",
            formatReadNumber(phi, format), "");
    }
    const double p = (((Extended(phi) * rb) * psi) * Extended(bearingArea)).toDouble();
    const std::string capacity = formatResult(p, 2, format);
    if (out.active()) {
        out.formula("P = φ · Rb · ψ · Fсм",
            "P = " + out.operand(phi) + " · " + out.operand(rbTable) + " · " + out.operand(psiFactor) + " · "
                + out.operand(bearingArea),
            capacity, "кг");
    }
    const char *sign = p < n ? "<" : p > n ? ">" : "=";
    const char *words = p < n ? "Необходимо косвеное армирование" : "Прочность сечения достаточна";
    if (out.active())
        out.verdict(std::string("P ") + sign + " N", capacity + " " + sign + " " + out.operand(n), words);
    return outcomeLines(words, capacity, sign, input.force);
}

} // namespace naklon
