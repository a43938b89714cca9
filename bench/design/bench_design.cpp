// Cost of one recomputation without its drawing, and of reading a typed
// number: both run on every keystroke.
#include "design/inputs.h"
#include "design/number_text.h"
#include "design/ref_pram.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

lout::DesignState startUpInputs()
{
    lout::DesignState s;
    s.Ae = 1.0f;
    s.Bm = 0.25f;
    s.U2m = 56;
    s.Uo = 48;
    s.Io = 10;
    s.Fosc = 100000;
    s.Wave = lout::rippleFromScrollBar(100, 5);
    return s;
}

void refPramOnDefaults(benchmark::State& state)
{
    const lout::DesignState in = startUpInputs();
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::refPram(in));
}
BENCHMARK(refPramOnDefaults);

void refPramFromZero(benchmark::State& state)
{
    lout::DesignState in; // the first start-up call: NaN and infinities
    in.Ae = 1.0f;
    in.Bm = 0.25f;
    for (auto _ : state)
        benchmark::DoNotOptimize(lout::refPram(in));
}
BENCHMARK(refPramFromZero);

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
