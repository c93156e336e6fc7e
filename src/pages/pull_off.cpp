#include "pages/pull_off.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "core/sin_degrees.h"
#include "pages/symbols.h"

namespace naklon {
namespace {

double readAngle(const std::string &text)
{
    // The prompt is no angle anyone typed; it reads as an empty list would.
    return text == kPullOffAnglePrompt ? 0.0 : readField("Угол (град)", text);
}

std::string areaLine(const std::string &area)
{
    return "Площадь дополнительной арматуры в зоне отрыва " + area + " см2";
}

} // namespace

HistoryLines calculatePullOff(const PullOffInput &input, const NumberFormat &format, CalculationReport *report)
{
    const bool bentUpBars = input.reinforcement == PullOffReinforcement::BentUpBars;
    ReportWriter out(report, format);
    out.title(bentUpBars ? "Отрыв — отогнутые стержни" : "Отрыв — хомуты");
    const double reinforcementClass = readClass(input.reinforcementClass);
    using namespace symbols;
    const double f = readInput(out, F, "Отрывающее усилие (кг)", input.force, "кг");
    // Stirrups take no angle, so whatever the list holds cannot stop them.
    const double theta = bentUpBars ? readAngle(input.angle) : 0.0;
    if (bentUpBars)
        out.input(symbols::theta, "Угол", theta, "град");
    const double rswTable = tableRsw(input.reinforcementClass, reinforcementClass, out);
    const Extended rsw = rswTable;

    if (!bentUpBars) {
        const std::string area = formatResult((Extended(f) / rsw).toDouble(), 3, format);
        if (out.active())
            out.formula(A, F + " / " + Rsw, out.operand(f) + " / " + out.operand(rswTable), area, "см²");
        return {areaLine(area), ""};
    }
    // A zero sine makes this a division by zero, or 0/0 when F is 0 too.
    const std::string area = formatResult((Extended(f) / (sinDegrees(theta) * rsw)).toDouble(), 3, format);
    if (out.active()) {
        out.formula(A, F + " / (" + Rsw + " · sin " + symbols::theta + ")",
            out.operand(f) + " / (" + out.operand(rswTable) + " · sin " + out.operand(theta) + "°)", area, "см²");
    }
    // No empty line: the next calculation's lines follow the angle line.
    return {areaLine(area), "Угол " + input.angle + " град."};
}

} // namespace naklon
