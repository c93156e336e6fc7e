#include "pages/no_reinforcement.h"

#include "core/extended.h"
#include "core/format_result.h"
#include "pages/symbols.h"

namespace naklon {
namespace {

struct Coefficients {
    double k1; // at the face of the support
    double k2; // at the end of the section, 2 h0 away
};

Coefficients coefficientsFor(MemberKind kind)
{
    return kind == MemberKind::SolidSlab ? Coefficients{2.5, 1.5} : Coefficients{2.0, 1.2};
}

} // namespace

HistoryLines calculateNoReinforcement(
    const NoReinforcementInput &input, const NumberFormat &format, CalculationReport *report)
{
    ReportWriter out(report, format);
    out.title(
        input.kind == MemberKind::SolidSlab ? "Без арматуры — сплошные плиты" : "Без арматуры — балки, ребра плит");
    const double concreteClass = readClass(input.concreteClass);
    using namespace symbols;
    const double b = readInput(out, symbols::b, "Ширина (см)", input.width, "см");
    const double h0 = readInput(out, symbols::h0, "h0 (см)", input.depth, "см");
    const Coefficients k = coefficientsFor(input.kind);
    // The coefficients come with the kind of member, under its option's name.
    const char *kind = input.kind == MemberKind::SolidSlab ? "Сплошные плиты" : "Балки, ребра плит";
    out.input(k1, kind, k.k1, "");
    out.input(k2, kind, k.k2, "");
    const double rbtTable = tableRbt(input.concreteClass, concreteClass, out);
    const Extended rbt = rbtTable;

    const double q1 = (((Extended(k.k1) * rbt) * Extended(b)) * Extended(h0)).toDouble();
    // h0 is deliberately not cancelled: a depth of 0 is the invalid 0/0 here
    // rather than a force of 0 for a section that does not exist.
    const Extended depthSquared = Extended(h0) * Extended(h0);
    const Extended concreteTerm = (Extended(k.k2) * rbt) * Extended(b);
    const Extended numerator = depthSquared * concreteTerm;
    const Extended divisor = Extended(2) * Extended(h0);
    const double q2 = (numerator / divisor).toDouble();

    const std::string atSupport = formatResult(q1, 1, format);
    const std::string atSectionEnd = formatResult(q2, 1, format);
    if (out.active()) {
        const FormulaText depth = out.operand(h0);
        const FormulaText product = out.operand(rbtTable) + " · " + out.operand(b) + " · " + depth;
        out.formula(Q1, k1 + " · " + Rbt + " · " + symbols::b + " · " + symbols::h0,
            out.operand(k.k1) + " · " + product, atSupport, "кг");
        out.formula(Q2,
            k2 + " · " + Rbt + " · " + symbols::b + " · " + symbols::h0.squared() + " / (2 · " + symbols::h0 + ")",
            out.operand(k.k2) + " · " + squared(product) + " / (2 · " + depth + ")", atSectionEnd, "кг");
    }
    return {"максимальная поперечная сила у грани опоры " + atSupport + "кг",
        "максимальная поперечная сила в конце сечения (2h0) " + atSectionEnd + "кг", ""};
}

} // namespace naklon
