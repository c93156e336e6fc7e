// "Продавливание" on arbitrary texts and several number formats.

#include "page_oracle.h"

#include "core/format_result.h"
#include "pages/punching.h"

using namespace naklon;
using namespace naklon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const NumberFormat &format = formatFrom(input.byte());
    PunchingInput in;
    in.concreteClass = classText(input, {"15", "20", "25", "30", "35", "40"});
    in.reinforcementClass = classText(input, {"240", "300", "400"});
    in.force = fieldText(input);
    in.halfPerimeterSum = fieldText(input);
    in.depth = fieldText(input);

    const Outcome actual = outcomeOf([&] { return calculatePunching(in, format); });
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const double concrete = expectClass(in.concreteClass);
        const double reinforcement = expectClass(in.reinforcementClass);
        const double f = expectField("Продавливающая сила (кг)", in.force);
        const double u = expectField("Полусумма периметров (см)", in.halfPerimeterSum);
        const double h0 = expectField("h0 (см)", in.depth);
        const long double rbt = expectRbt(concrete);
        const long double rsw = expectRsw(reinforcement);
        clearFlags();
        const double fb = toDouble(times(times(rbt, u), h0));
        settle();
        const std::string resistance = formatResult(fb, 1, format);
        if (fb > f)
            return {resistance + " > " + in.force + " Поперечная арматура не требуется", ""};
        if (fb == f)
            return {resistance + " = " + in.force + " Поперечная арматура не требуется", ""};
        const double asw = toDouble(over(minus(f, times(times(rbt, u), h0)), rsw));
        settle();
        return {resistance + " < " + in.force + " Необходима поперечная арматура",
            "Площадь поперечного армирования " + formatResult(asw, 2, format) + " см2", "", ""};
    });
    checkOutcome(actual, expected,
        escaped(in.concreteClass + "|" + in.reinforcementClass + "|" + in.force + "|" + in.halfPerimeterSum + "|"
            + in.depth));
    return 0;
}
