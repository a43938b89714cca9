// Cost of one recomputation without its drawing, and of reading a typed
// number: both run on every keystroke.
#include "design/text/input_text.h"
#include "design/text/number_text.h"
#include "design/text/text_to_number.h"
#include "design/design_calculation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

lout::DesignState startUpInputs()
{
    lout::DesignState s;
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    s.secondaryPeakVoltage = 56;
    s.outputVoltage = 48;
    s.outputCurrent = 10;
    s.frequency = 100000;
    s.rippleRatio = lout::rippleFromSpinner(100, 5);
    return s;
}

void calculateDesignOnDefaults(benchmark::State& state)
{
    const lout::DesignState in = startUpInputs();
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::calculateDesign(in));
}
BENCHMARK(calculateDesignOnDefaults);

void calculateDesignFromZero(benchmark::State& state)
{
    lout::DesignState in; // the first start-up call: NaN and infinities
    in.coreArea = 1.0f;
    in.fluxDensity = 0.25f;
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::calculateDesign(in));
}
BENCHMARK(calculateDesignFromZero);

void textToNumberTypical(benchmark::State& state)
{
    const std::string text = "62.5";
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::textToNumber(text));
}
BENCHMARK(textToNumberTypical);

void textToNumberMegabyte(benchmark::State& state)
{
    const std::string text = "0." + std::string(1 << 20, '3') + "e5";
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::textToNumber(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(textToNumberMegabyte);

void formatLabel(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::formatFixed(57.4302f, 1));
}
BENCHMARK(formatLabel);

} // namespace

BENCHMARK_MAIN();
