#include "pages/pull_off.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "core/sin_degrees.h"

namespace naklon {
namespace {

double readAngle(const std::string &text)
{
    // The prompt is no angle anyone typed; it reads as an empty list would.
    return text == kPullOffAnglePrompt ? 0.0 : readField("Угол (град)", text);
}

std::string areaLine(double area, const NumberFormat &format)
{
    return "Площадь дополнительной арматуры в зоне отрыва " + formatResult(area, 3, format) + " см2";
}

} // namespace

HistoryLines calculatePullOff(const PullOffInput &input, const NumberFormat &format)
{
    const bool bentUpBars = input.reinforcement == PullOffReinforcement::BentUpBars;
    const double reinforcementClass = readClass(input.reinforcementClass);
    const double f = readField("Отрывающее усилие (кг)", input.force);
    // Stirrups take no angle, so whatever the list holds cannot stop them.
    const double theta = bentUpBars ? readAngle(input.angle) : 0.0;
    const Extended rsw = requireReinforcement(reinforcementClass).rsw;

    if (!bentUpBars) {
        const double a = (Extended(f) / rsw).toDouble();
        return {areaLine(a, format), ""};
    }
    // A zero sine makes this a division by zero, or 0/0 when F is 0 too.
    const double a = (Extended(f) / (sinDegrees(theta) * rsw)).toDouble();
    // No empty line: the next calculation's lines follow the angle line.
    return {areaLine(a, format), "Угол " + input.angle + " град."};
}

} // namespace naklon
