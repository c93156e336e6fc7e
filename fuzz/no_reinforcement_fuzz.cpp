// "Без арматуры" on arbitrary texts, both member kinds, several number formats.

#include "page_oracle.h"

#include "core/format_result.h"
#include "pages/no_reinforcement.h"

using namespace naklon;
using namespace naklon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const NumberFormat &format = formatFrom(options >> 1);
    NoReinforcementInput in;
    in.kind = (options & 1) != 0 ? MemberKind::BeamOrRib : MemberKind::SolidSlab;
    in.concreteClass = classText(input, {"15", "20", "25", "30", "35", "40"});
    in.width = fieldText(input);
    in.depth = fieldText(input);

    const Outcome actual = outcomeOf([&] { return calculateNoReinforcement(in, format); });
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const double concrete = expectClass(in.concreteClass);
        const double b = expectField("Ширина (см)", in.width);
        const double h0 = expectField("h0 (см)", in.depth);
        const long double rbt = expectRbt(concrete);
        const bool slab = in.kind == MemberKind::SolidSlab;
        const double k1 = slab ? 2.5 : 2.0;
        const double k2 = slab ? 1.5 : 1.2;
        clearFlags();
        const double q1 = toDouble(times(times(times(k1, rbt), b), h0));
        settle();
        const long double numerator = times(times(h0, h0), times(times(k2, rbt), b));
        const double q2 = toDouble(over(numerator, times(2, h0)));
        settle();
        return {"максимальная поперечная сила у грани опоры " + formatResult(q1, 1, format) + "кг",
            "максимальная поперечная сила в конце сечения (2h0) " + formatResult(q2, 1, format) + "кг", ""};
    });
    checkOutcome(actual, expected,
        escaped(in.concreteClass + "|" + in.width + "|" + in.depth + "|" + std::to_string(options)));
    return 0;
}
