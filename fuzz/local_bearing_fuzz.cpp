// "Смятие" on arbitrary texts, both load kinds, several number formats.
// The cube root is taken here with the C library's cbrtl rather than through
// the logarithm, so the capacity may differ in its last bits: any of the
// doubles a few steps around it is accepted.

#include "page_oracle.h"

#include "core/format_result.h"
#include "pages/local_bearing.h"

#include <cmath>

using namespace naklon;
using namespace naklon::fuzz;

namespace {

constexpr int kSteps = 8;

HistoryLines linesFor(double p, double n, const std::string &force, const NumberFormat &format)
{
    const std::string capacity = formatResult(p, 2, format);
    if (p < n)
        return {"Необходимо косвеное армирование", capacity + "<" + force, ""};
    return {"Прочность сечения достаточна", capacity + (p > n ? ">" : "=") + force, ""};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const NumberFormat &format = formatFrom(options >> 1);
    LocalBearingInput in;
    in.load = (options & 1) != 0 ? LoadDistribution::Uniform : LoadDistribution::NonUniform;
    in.concreteClass = classText(input, {"15", "20", "25", "30", "35", "40"});
    in.bearingArea = fieldText(input);
    in.designArea = fieldText(input);
    in.force = fieldText(input);
    const std::string inputs = escaped(
        in.concreteClass + "|" + in.bearingArea + "|" + in.designArea + "|" + in.force + "|" + std::to_string(options));

    const Outcome actual = outcomeOf([&] { return calculateLocalBearing(in, format); });
    double n = 0;
    double p = 0;
    const Expected expected = expectedOf([&]() -> HistoryLines {
        const double concrete = expectClass(in.concreteClass);
        const double bearing = expectField("F смятия (см2)", in.bearingArea);
        const double design = expectField("F-см расчетное (см2)", in.designArea);
        n = expectField("Сжимающая сила (кг)", in.force);
        const long double rb = expectRb(concrete);
        const long double psi = in.load == LoadDistribution::Uniform ? 1.0L : 0.75L;
        clearFlags();
        const long double ratio = over(design, bearing);
        settle();
        // The root through the logarithm: ln 0 is a division by zero, the
        // logarithm of a negative ratio and the split of an infinite one are
        // invalid operations.
        if (ratio == 0)
            throw Expected{Outcome{Kind::ZeroDivide, {}, {}}, {Kind::ZeroDivide}};
        if (ratio < 0 || std::isinf(ratio))
            throw Expected{Outcome{Kind::InvalidOp, {}, {}}, {Kind::InvalidOp}};
        const double phi = toDouble(std::cbrt(ratio));
        p = toDouble(times(times(times(phi, rb), psi), bearing));
        settle();
        return linesFor(p, n, in.force, format);
    });
    if (actual.kind == Kind::Lines && expected.outcome.kind == Kind::Lines && actual.lines != expected.outcome.lines) {
        double candidate = p;
        for (int i = 0; i < kSteps && candidate != 0; ++i)
            candidate = std::nextafter(candidate, 0.0);
        for (int i = 0; i <= 2 * kSteps; ++i) {
            if (linesFor(candidate, n, in.force, format) == actual.lines) {
                checkOutcome(actual, Expected{actual, {}}, inputs);
                return 0;
            }
            candidate = std::nextafter(candidate, p < 0 ? -HUGE_VAL : HUGE_VAL);
        }
    }
    // A capacity at the very top of the double range may overflow on one
    // side only.
    if (actual.kind == Kind::Overflow && expected.outcome.kind == Kind::Lines && std::fabs(p) > 1.79e308)
        return 0;
    checkOutcome(actual, expected, inputs);
    return 0;
}
