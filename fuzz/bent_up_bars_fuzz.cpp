// "Отгибы" on arbitrary texts, both modes, several number formats.

#include "page_oracle.h"

#include "core/format_result.h"
#include "core/sin_degrees.h"
#include "pages/bent_up_bars.h"

using namespace naklon;
using namespace naklon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const NumberFormat &format = formatFrom(options >> 1);
    BentUpBarsInput in;
    in.mode = (options & 1) != 0 ? BentUpBarsMode::Selection : BentUpBarsMode::Check;
    in.reinforcementClass = classText(input, {"240", "300", "400"});
    in.angle = fieldText(input);
    in.value = fieldText(input);

    const Outcome actual = outcomeOf([&] { return calculateBentUpBars(in, format); });
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const bool check = in.mode == BentUpBarsMode::Check;
        const double reinforcement = expectClass(in.reinforcementClass);
        const double theta = expectField("Угол (град)", in.angle);
        const double v = expectField(check ? "Площадь (см2)" : "Поперечная сила (кг)", in.value);
        const long double rsw = expectRsw(reinforcement);
        const std::string bars = "Класс арматуры А" + in.reinforcementClass;
        clearFlags();
        const long double sine = sinDegrees(theta).value();
        if (check) {
            const double q = toDouble(times(sine, times(rsw, v)));
            settle();
            return {bars + "C1, площадь " + in.value + " см2,  угол " + in.angle + "град",
                "Поперечная сила   " + formatResult(q, 1, format) + " кг", ""};
        }
        const double a = toDouble(over(v, times(sine, rsw)));
        settle();
        return {bars + "C1,   угол  " + in.angle + " град",
            "Площадь сечения отгибов " + formatResult(a, 3, format) + " см2", ""};
    });
    checkOutcome(actual, expected,
        escaped(in.reinforcementClass + "|" + in.angle + "|" + in.value + "|" + std::to_string(options)));
    return 0;
}
