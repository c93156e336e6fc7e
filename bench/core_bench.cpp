// Times the number rules, the extended steps with a transcendental inside,
// and every page calculation in each of its modes end to end: texts in,
// history lines out. Built once for each build of the core
// (naklon_core_bench, and naklon_core_soft_bench with the software format).
#include "core/format_result.h"
#include "core/read_number.h"
#include "core/sin_degrees.h"
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

void sinDegreesOfAnAngle(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(sinDegrees(45.0));
}
BENCHMARK(sinDegreesOfAnAngle);

void cubeRootOfAnAreaRatio(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bearingCoefficient(Extended(5.0)));
}
BENCHMARK(cubeRootOfAnAreaRatio);

template <typename Input, typename Calculation>
void runPage(benchmark::State &state, const Input &input, Calculation calculation)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(calculation(input, kFormat, nullptr));
}

void stirrupsCheck(benchmark::State &state)
{
    runPage(state, StirrupsInput{"20", "300", "15", "0.57", "20", "40", StirrupsMode::Check}, calculateStirrups);
}
BENCHMARK(stirrupsCheck);

void stirrupsSelection(benchmark::State &state)
{
    runPage(state, StirrupsInput{"20", "300", "10", "14307.2", "30", "55", StirrupsMode::Selection}, calculateStirrups);
}
BENCHMARK(stirrupsSelection);

void bentUpBarsCheck(benchmark::State &state)
{
    runPage(state, BentUpBarsInput{"400", "45", "2.5", BentUpBarsMode::Check}, calculateBentUpBars);
}
BENCHMARK(bentUpBarsCheck);

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

void noReinforcementSlab(benchmark::State &state)
{
    runPage(state, NoReinforcementInput{"20", "100", "18", MemberKind::SolidSlab}, calculateNoReinforcement);
}
BENCHMARK(noReinforcementSlab);

void pullOffStirrups(benchmark::State &state)
{
    runPage(state, PullOffInput{"300", "5000", "Угол (град)", PullOffReinforcement::Stirrups}, calculatePullOff);
}
BENCHMARK(pullOffStirrups);

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

void punchingConcreteSuffices(benchmark::State &state)
{
    runPage(state, PunchingInput{"20", "300", "20000", "200", "20"}, calculatePunching);
}
BENCHMARK(punchingConcreteSuffices);

void localBearingCubeRoot(benchmark::State &state)
{
    runPage(state, LocalBearingInput{"25", "200", "1000", "40000", LoadDistribution::NonUniform},
        calculateLocalBearing);
}
BENCHMARK(localBearingCubeRoot);

void localBearingUniform(benchmark::State &state)
{
    runPage(state, LocalBearingInput{"20", "100", "800", "20000", LoadDistribution::Uniform}, calculateLocalBearing);
}
BENCHMARK(localBearingUniform);

} // namespace
} // namespace naklon
