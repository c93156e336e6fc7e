#include "pages/bent_up_bars.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "core/sin_degrees.h"
#include "pages/symbols.h"

namespace naklon {

HistoryLines calculateBentUpBars(const BentUpBarsInput &input, const NumberFormat &format, CalculationReport *report)
{
    const bool check = input.mode == BentUpBarsMode::Check;
    ReportWriter out(report, format);
    out.title(check ? "Отгибы — проверка сечения" : "Отгибы — подбор сечения");
    const double reinforcementClass = readClass(input.reinforcementClass);
    using namespace symbols;
    const double theta = readInput(out, symbols::theta, "Угол (град)", input.angle, "град");
    const double v = readInput(out, check ? As : Q, valueCaption(input.mode), input.value, check ? "см²" : "кг");
    const double rswTable = tableRsw(input.reinforcementClass, reinforcementClass, out);
    const Extended rsw = rswTable;

    // The class is echoed as the list holds it, after a Cyrillic "А".
    const std::string bars = "Класс арматуры А" + input.reinforcementClass;
    const Extended sine = sinDegrees(theta);
    if (check) {
        const double q = (sine * (rsw * Extended(v))).toDouble();
        const std::string force = formatResult(q, 1, format);
        if (out.active()) {
            out.formula(Q, Rsw + " · " + As + " · sin " + symbols::theta,
                out.operand(rswTable) + " · " + out.operand(v) + " · sin " + out.operand(theta) + "°", force, "кг");
        }
        return {bars + "C1, " + "площадь " + input.value + " см2," + "  угол " + input.angle + "град",
            "Поперечная сила   " + force + " кг", ""};
    }
    // A zero sine makes this a division by zero, or 0/0 when Q is 0 too.
    const double a = (Extended(v) / (sine * rsw)).toDouble();
    const std::string area = formatResult(a, 3, format);
    if (out.active()) {
        out.formula(As, Q + " / (" + Rsw + " · sin " + symbols::theta + ")",
            out.operand(v) + " / (" + out.operand(rswTable) + " · sin " + out.operand(theta) + "°)", area, "см²");
    }
    return {bars + "C1,  " + " угол  " + input.angle + " град", "Площадь сечения отгибов " + area + " см2", ""};
}

} // namespace naklon
