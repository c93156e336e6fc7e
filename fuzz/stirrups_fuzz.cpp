// "Хомуты" on arbitrary texts, both modes, several number formats.

#include "page_oracle.h"

#include "core/format_result.h"
#include "pages/stirrups.h"

using namespace naklon;
using namespace naklon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const NumberFormat &format = formatFrom(options >> 1);
    StirrupsInput in;
    in.mode = (options & 1) != 0 ? StirrupsMode::Selection : StirrupsMode::Check;
    in.concreteClass = classText(input, {"15", "20", "25", "30", "35", "40"});
    in.reinforcementClass = classText(input, {"240", "300", "400"});
    in.spacing = fieldText(input);
    in.value = fieldText(input);
    in.width = fieldText(input);
    in.depth = fieldText(input);

    const Outcome actual = outcomeOf([&] { return calculateStirrups(in, format); });
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const bool check = in.mode == StirrupsMode::Check;
        const double concrete = expectClass(in.concreteClass);
        const double reinforcement = expectClass(in.reinforcementClass);
        const double s = expectField("Шаг (см)", in.spacing);
        const double v = expectField(check ? "Площадь (см2)" : "Поперечная сила (кг)", in.value);
        const double b = expectField("Ширина сечения (см)", in.width);
        const double h0 = expectField("h0 (см)", in.depth);
        const long double rbt = expectRbt(concrete);
        const long double rsw = expectRsw(reinforcement);
        const std::string classes = "Класс бетона В" + in.concreteClass + " Класс арматуры А" + in.reinforcementClass;
        clearFlags();
        if (check) {
            const long double depth = times(h0, h0);
            const long double concreteTerm = times(times(8, rbt), b);
            const long double product = times(depth, concreteTerm);
            const long double steel = over(times(rsw, v), s);
            const double q = toDouble(root(times(product, steel)));
            settle();
            return {classes + "C1, площадь " + in.value + " см2, шаг " + in.spacing + "см, сечение " + in.width + "x"
                    + in.depth,
                "Поперечная сила   " + formatResult(q, 1, format) + " кг", ""};
        }
        const long double force = times(v, v);
        const long double divisor = times(times(h0, h0), times(times(8, rbt), b));
        const double asw = toDouble(over(times(over(force, divisor), s), rsw));
        settle();
        return {classes + "C1 , шаг " + in.spacing + "см, сечение " + in.width + "x" + in.depth + " Поперечная сила "
                + in.value + "кг",
            "Площадь сечения хомутов " + formatResult(asw, 3, format) + " см2", ""};
    });
    checkOutcome(actual, expected,
        escaped(in.concreteClass + "|" + in.reinforcementClass + "|" + in.spacing + "|" + in.value + "|" + in.width
            + "|" + in.depth + "|" + std::to_string(options)));
    return 0;
}
