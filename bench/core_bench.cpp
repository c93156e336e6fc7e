// Times the number rules and every page calculation end to end: texts in,
// history lines out.
#include "core/format_result.h"
#include "core/read_number.h"
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

} // namespace
} // namespace naklon
