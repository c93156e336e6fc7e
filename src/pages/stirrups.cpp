#include "pages/stirrups.h"

#include "core/extended.h"
#include "core/format_result.h"

namespace naklon {

HistoryLines calculateStirrups(const StirrupsInput &input, const NumberFormat &format)
{
    const double concreteClass = readClass(input.concreteClass);
    const double reinforcementClass = readClass(input.reinforcementClass);
    const double s = readField("Шаг (см)", input.spacing);
    const double v = readField(valueCaption(input.mode), input.value);
    const double b = readField("Ширина сечения (см)", input.width);
    const double h0 = readField("h0 (см)", input.depth);
    const Extended rbt = requireConcrete(concreteClass).rbt;
    const Extended rsw = requireReinforcement(reinforcementClass).rsw;

    const std::string classes = "Класс бетона В" + input.concreteClass + " Класс арматуры А" + input.reinforcementClass;
    if (input.mode == StirrupsMode::Check) {
        const Extended depthSquared = Extended(h0) * Extended(h0);
        const Extended concreteTerm = (Extended(8) * rbt) * Extended(b);
        const Extended steelTerm = (rsw * Extended(v)) / Extended(s);
        const double q = squareRoot((depthSquared * concreteTerm) * steelTerm).toDouble();
        const std::string force = formatResult(q, 1, format);
        return {classes + "C1, " + "площадь " + input.value + " см2," + " шаг " + input.spacing + "см," + " сечение "
                + input.width + "x" + input.depth,
            "Поперечная сила   " + force + " кг", ""};
    }
    // Operations run in the order that decides which failure a bad input
    // meets first: v*v, h0*h0, 8*Rbt*b, their product, and on.
    const Extended forceSquared = Extended(v) * Extended(v);
    const Extended depthSquared = Extended(h0) * Extended(h0);
    const Extended divisor = depthSquared * ((Extended(8) * rbt) * Extended(b));
    const double asw = ((forceSquared / divisor) * Extended(s) / rsw).toDouble();
    const std::string area = formatResult(asw, 3, format);
    return {classes + "C1 " + ", шаг " + input.spacing + "см, " + "сечение " + input.width + "x" + input.depth
            + " Поперечная сила " + input.value + "кг",
        "Площадь сечения хомутов " + area + " см2", ""};
}

} // namespace naklon
