#include "pages/punching.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "pages/symbols.h"

namespace naklon {
namespace {

constexpr const char *kConcreteSuffices = "Поперечная арматура не требуется";
constexpr const char *kReinforcementRequired = "Необходима поперечная арматура";

HistoryLines concreteSufficient(const std::string &resistance, const char *sign, const std::string &force)
{
    return {resistance + sign + force + " " + kConcreteSuffices, ""};
}

HistoryLines reinforcementRequired(const std::string &resistance, const std::string &area, const std::string &force)
{
    return {resistance + " < " + force + " " + kReinforcementRequired,
        "Площадь поперечного армирования " + area + " см2", "", ""};
}

} // namespace

HistoryLines calculatePunching(const PunchingInput &input, const NumberFormat &format, CalculationReport *report)
{
    ReportWriter out(report, format);
    out.title("Продавливание");
    const double concreteClass = readClass(input.concreteClass);
    const double reinforcementClass = readClass(input.reinforcementClass);
    using namespace symbols;
    const double f = readInput(out, F, "Продавливающая сила (кг)", input.force, "кг");
    const double u = readInput(out, symbols::u, "Полусумма периметров (см)", input.halfPerimeterSum, "см");
    const double h0 = readInput(out, symbols::h0, "h0 (см)", input.depth, "см");
    const double rbtTable = tableRbt(input.concreteClass, concreteClass, out);
    const double rswTable = tableRsw(input.reinforcementClass, reinforcementClass, out);
    const Extended rbt = rbtTable;
    const Extended rsw = rswTable;

    const double fb = ((rbt * Extended(u)) * Extended(h0)).toDouble();
    const std::string resistance = formatResult(fb, 1, format);
    const FormulaText concreteSymbols = Rbt + " · " + symbols::u + " · " + symbols::h0;
    const FormulaText concreteProduct =
        out.active() ? out.operand(rbtTable) + " · " + out.operand(u) + " · " + out.operand(h0) : FormulaText();
    if (out.active())
        out.formula(Fb, concreteSymbols, concreteProduct, resistance, "кг");
    // The verdict compares the history's Fb with the force as read.
    const auto verdict = [&](const char *sign, const char *words) {
        if (out.active()) {
            out.verdict(Fb + " " + sign + " " + F, FormulaText::number(resistance) + " " + sign + " " + out.operand(f),
                words);
        }
    };
    if (fb > f) {
        verdict(">", kConcreteSuffices);
        return concreteSufficient(resistance, " > ", input.force);
    }
    if (fb == f) {
        verdict("=", kConcreteSuffices);
        return concreteSufficient(resistance, " = ", input.force);
    }
    verdict("<", kReinforcementRequired);

    // The product is formed again at extended precision rather than taken
    // from the rounded Fb, so the difference keeps its low bits.
    const Extended concreteShare = (rbt * Extended(u)) * Extended(h0);
    const double asw = ((Extended(f) - concreteShare) / rsw).toDouble();
    const std::string area = formatResult(asw, 2, format);
    if (out.active()) {
        out.formula(Asw, "(" + F + " − " + concreteSymbols + ") / " + Rsw,
            "(" + out.operand(f) + " − " + concreteProduct + ") / " + out.operand(rswTable), area, "см²");
    }
    return reinforcementRequired(resistance, area, input.force);
}

} // namespace naklon
