// "Отрыв" on arbitrary texts, both kinds of reinforcement, several number
// formats; the angle list may still show its prompt.

#include "page_oracle.h"

#include "core/format_result.h"
#include "core/sin_degrees.h"
#include "pages/pull_off.h"

using namespace naklon;
using namespace naklon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const NumberFormat &format = formatFrom(options >> 2);
    PullOffInput in;
    in.reinforcement = (options & 1) != 0 ? PullOffReinforcement::BentUpBars : PullOffReinforcement::Stirrups;
    in.reinforcementClass = classText(input, {"240", "300", "400"});
    in.force = fieldText(input);
    const std::string typed = fieldText(input);
    in.angle = (options & 2) != 0 ? std::string(kPullOffAnglePrompt) : typed;

    const Outcome actual = outcomeOf([&] { return calculatePullOff(in, format); });
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const bool bars = in.reinforcement == PullOffReinforcement::BentUpBars;
        const double reinforcement = expectClass(in.reinforcementClass);
        const double f = expectField("Отрывающее усилие (кг)", in.force);
        // Only bent-up bars take the angle; the prompt reads as no angle.
        double theta = 0;
        if (bars && in.angle != kPullOffAnglePrompt)
            theta = expectField("Угол (град)", in.angle);
        const long double rsw = expectRsw(reinforcement);
        const std::string prefix = "Площадь дополнительной арматуры в зоне отрыва ";
        clearFlags();
        if (!bars) {
            const double a = toDouble(over(f, rsw));
            settle();
            return {prefix + formatResult(a, 3, format) + " см2", ""};
        }
        const double a = toDouble(over(f, times(sinDegrees(theta).value(), rsw)));
        settle();
        return {prefix + formatResult(a, 3, format) + " см2", "Угол " + in.angle + " град."};
    });
    checkOutcome(actual, expected,
        escaped(in.reinforcementClass + "|" + in.force + "|" + in.angle + "|" + std::to_string(options)));
    return 0;
}
