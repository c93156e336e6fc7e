#include "pages/stirrups.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "pages/symbols.h"

namespace naklon {

HistoryLines calculateStirrups(const StirrupsInput &input, const NumberFormat &format, CalculationReport *report)
{
    const bool check = input.mode == StirrupsMode::Check;
    ReportWriter out(report, format);
    out.title(check ? "Хомуты — проверка сечения" : "Хомуты — подбор сечения");
    const double concreteClass = readClass(input.concreteClass);
    const double reinforcementClass = readClass(input.reinforcementClass);
    using namespace symbols;
    const double s = readInput(out, symbols::s, "Шаг (см)", input.spacing, "см");
    const double v = readInput(out, check ? Asw : Q, valueCaption(input.mode), input.value, check ? "см²" : "кг");
    const double b = readInput(out, symbols::b, "Ширина сечения (см)", input.width, "см");
    const double h0 = readInput(out, symbols::h0, "h0 (см)", input.depth, "см");
    const double rbtTable = tableRbt(input.concreteClass, concreteClass, out);
    const double rswTable = tableRsw(input.reinforcementClass, reinforcementClass, out);
    const Extended rbt = rbtTable;
    const Extended rsw = rswTable;

    const std::string classes = "Класс бетона В" + input.concreteClass + " Класс арматуры А" + input.reinforcementClass;
    if (check) {
        const Extended depthSquared = Extended(h0) * Extended(h0);
        const Extended concreteTerm = (Extended(8) * rbt) * Extended(b);
        const Extended steelTerm = (rsw * Extended(v)) / Extended(s);
        const double q = squareRoot((depthSquared * concreteTerm) * steelTerm).toDouble();
        const std::string force = formatResult(q, 1, format);
        if (out.active()) {
            out.formula(Q,
                "√(8 · " + Rbt + " · " + symbols::b + " · " + symbols::h0.squared() + " · " + Rsw + " · " + Asw + " / "
                    + symbols::s + ")",
                "√(8 · " + out.operand(rbtTable) + " · " + out.operand(b) + " · " + squared(out.operand(h0)) + " · "
                    + out.operand(rswTable) + " · " + out.operand(v) + " / " + out.operand(s) + ")",
                force, "кг");
        }
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
    if (out.active()) {
        out.formula(Asw,
            Q.squared() + " · " + symbols::s + " / (8 · " + Rbt + " · " + symbols::b + " · " + symbols::h0.squared()
                + " · " + Rsw + ")",
            squared(out.operand(v)) + " · " + out.operand(s) + " / (8 · " + out.operand(rbtTable) + " · "
                + out.operand(b) + " · " + squared(out.operand(h0)) + " · " + out.operand(rswTable) + ")",
            area, "см²");
    }
    return {classes + "C1 " + ", шаг " + input.spacing + "см, " + "сечение " + input.width + "x" + input.depth
            + " Поперечная сила " + input.value + "кг",
        "Площадь сечения хомутов " + area + " см2", ""};
}

} // namespace naklon
