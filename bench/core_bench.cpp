// Times the number rules and every page calculation end to end: texts in,
// history lines out.
#include "core/format_result.h"
#include "core/read_number.h"
#include "pages/bent_up_bars.h"
#include "pages/local_bearing.h"
#include "pages/no_reinforcement.h"
#include "pages/pull_off.h"
#include "pages/punching.h"
#include "pages/stirrups.h"

#include <benchmark/benchmark.h>

namespace naklon {
namespace {

const NumberFormat kFormat{".", ","};

void readNumberOfAFieldText(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readNumber("14307.18686233349"));
}
BENCHMARK(readNumberOfAFieldText);

void formatResultOfAForce(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(formatResult(14307.186862333493, 1, kFormat));
}
BENCHMARK(formatResultOfAForce);

template <typename Input, typename Calculation>
void runPage(benchmark::State &state, const Input &input, Calculation calculation)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(calculation(input, kFormat));
}

void stirrupsCheck(benchmark::State &state)
{
    runPage(state, StirrupsInput{"20", "300", "15", "0.57", "20", "40", StirrupsMode::Check}, calculateStirrups);
}
BENCHMARK(stirrupsCheck);

void bentUpBarsSelection(benchmark::State &state)
{
    runPage(state, BentUpBarsInput{"400", "45", "5000", BentUpBarsMode::Selection}, calculateBentUpBars);
}
BENCHMARK(bentUpBarsSelection);

void noReinforcementBeam(benchmark::State &state)
{
    runPage(state, NoReinforcementInput{"20", "20", "40", MemberKind::BeamOrRib}, calculateNoReinforcement);
}
BENCHMARK(noReinforcementBeam);

void pullOffBentUpBars(benchmark::State &state)
{
    runPage(state, PullOffInput{"300", "5000", "45", PullOffReinforcement::BentUpBars}, calculatePullOff);
}
BENCHMARK(pullOffBentUpBars);

void punchingWithReinforcement(benchmark::State &state)
{
    runPage(state, PunchingInput{"20", "300", "50000", "200", "20"}, calculatePunching);
}
BENCHMARK(punchingWithReinforcement);

void localBearingCubeRoot(benchmark::State &state)
{
    runPage(state, LocalBearingInput{"25", "200", "1000", "40000", LoadDistribution::NonUniform}, calculateLocalBearing);
}
BENCHMARK(localBearingCubeRoot);

} // namespace
} // namespace naklon
