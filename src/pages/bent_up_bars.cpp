#include "pages/bent_up_bars.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "core/sin_degrees.h"

namespace naklon {

HistoryLines calculateBentUpBars(const BentUpBarsInput &input, const NumberFormat &format)
{
    const double reinforcementClass = readClass(input.reinforcementClass);
    const double theta = readField("Угол (град)", input.angle);
    const double v = readField(valueCaption(input.mode), input.value);
    const Extended rsw = requireReinforcement(reinforcementClass).rsw;

    // The class is echoed as the list holds it, after a Cyrillic "А".
    const std::string bars = "Класс арматуры А" + input.reinforcementClass;
    const Extended sine = sinDegrees(theta);
    if (input.mode == BentUpBarsMode::Check) {
        const double q = (sine * (rsw * Extended(v))).toDouble();
        const std::string force = formatResult(q, 1, format);
        return {bars + "C1, " + "площадь " + input.value + " см2," + "  угол " + input.angle + "град",
            "Поперечная сила   " + force + " кг", ""};
    }
    // A zero sine makes this a division by zero, or 0/0 when Q is 0 too.
    const double a = (Extended(v) / (sine * rsw)).toDouble();
    const std::string area = formatResult(a, 3, format);
    return {bars + "C1,  " + " угол  " + input.angle + " град", "Площадь сечения отгибов " + area + " см2", ""};
}

} // namespace naklon
