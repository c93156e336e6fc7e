#include "pages/no_reinforcement.h"

#include "core/extended.h"
#include "core/format_result.h"

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

HistoryLines calculateNoReinforcement(const NoReinforcementInput &input, const NumberFormat &format)
{
    const double concreteClass = readClass(input.concreteClass);
    const double b = readField("Ширина (см)", input.width);
    const double h0 = readField("h0 (см)", input.depth);
    const Extended rbt = requireConcrete(concreteClass).rbt;
    const Coefficients k = coefficientsFor(input.kind);

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
    return {"максимальная поперечная сила у грани опоры " + atSupport + "кг",
        "максимальная поперечная сила в конце сечения (2h0) " + atSectionEnd + "кг", ""};
}

} // namespace naklon
