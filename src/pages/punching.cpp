#include "pages/punching.h"

#include "core/extended.h"
#include "core/format_result.h"

namespace naklon {
namespace {

HistoryLines concreteSufficient(const std::string &resistance, const char *sign, const std::string &force)
{
    return {resistance + sign + force + " Поперечная арматура не требуется", ""};
}

HistoryLines reinforcementRequired(const std::string &resistance, const std::string &area, const std::string &force)
{
    return {resistance + " < " + force + " Необходима поперечная арматура",
        "Площадь поперечного армирования " + area + " см2", "", ""};
}

} // namespace

HistoryLines calculatePunching(const PunchingInput &input, const NumberFormat &format)
{
    const double concreteClass = readClass(input.concreteClass);
    const double reinforcementClass = readClass(input.reinforcementClass);
    const double f = readField("Продавливающая сила (кг)", input.force);
    const double u = readField("Полусумма периметров (см)", input.halfPerimeterSum);
    const double h0 = readField("h0 (см)", input.depth);
    const Extended rbt = requireConcrete(concreteClass).rbt;
    const Extended rsw = requireReinforcement(reinforcementClass).rsw;

    const double fb = ((rbt * Extended(u)) * Extended(h0)).toDouble();
    const std::string resistance = formatResult(fb, 1, format);
    if (fb > f)
        return concreteSufficient(resistance, " > ", input.force);
    if (fb == f)
        return concreteSufficient(resistance, " = ", input.force);

    // The product is formed again at extended precision rather than taken
    // from the rounded Fb, so the difference keeps its low bits.
    const Extended concreteShare = (rbt * Extended(u)) * Extended(h0);
    const double asw = ((Extended(f) - concreteShare) / rsw).toDouble();
    return reinforcementRequired(resistance, formatResult(asw, 2, format), input.force);
}

} // namespace naklon
