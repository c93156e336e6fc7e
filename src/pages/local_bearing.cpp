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

HistoryLines calculateLocalBearing(const LocalBearingInput &input, const NumberFormat &format)
{
    const double concreteClass = readClass(input.concreteClass);
    const double bearingArea = readField("F смятия (см2)", input.bearingArea);
    const double designArea = readField("F-см расчетное (см2)", input.designArea);
    const double n = readField("Сжимающая сила (кг)", input.force);
    const Extended rb = requireConcrete(concreteClass).rb;
    const Extended psi = loadFactor(input.load);

    const Extended ratio = Extended(designArea) / Extended(bearingArea);
    const double phi = bearingCoefficient(ratio);
    const double p = (((Extended(phi) * rb) * psi) * Extended(bearingArea)).toDouble();
    const std::string capacity = formatResult(p, 2, format);
    if (p < n)
        return outcomeLines("Необходимо косвеное армирование", capacity, "<", input.force);
    return outcomeLines("Прочность сечения достаточна", capacity, p > n ? ">" : "=", input.force);
}

} // namespace naklon
