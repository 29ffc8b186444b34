// Evaluation cost: a typical formula, and formulas of up to 1 MB of each shape.

#include "engine/evaluation.h"
#include "engine/exec_text.h"
#include "engine/number_format.h"
#include "engine/number_text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using quarnis::evaluate;

std::u16string repeat(std::u16string_view unit, std::size_t chars)
{
    std::u16string s;
    s.reserve(chars + unit.size());
    while (s.size() + unit.size() <= chars)
        s += unit;
    return s;
}

void run(benchmark::State& state, const std::u16string& formula)
{
    for (auto _ : state) {
        const quarnis::Evaluation outcome = evaluate(formula);
        benchmark::DoNotOptimize(outcome.value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * formula.size()));
}

std::size_t size(const benchmark::State& state) { return static_cast<std::size_t>(state.range(0)); }

void BM_Typical(benchmark::State& state) { run(state, u"2*sin(Pi/6)+3^2-1/3"); }
BENCHMARK(BM_Typical);

void BM_ExecTextTypical(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(quarnis::execText(u"2*sin(Pi/6)+3^2-1/3", 2));
}
BENCHMARK(BM_ExecTextTypical);

// The two number texts for values of everyday magnitudes.
void BM_GeneralNumberText(benchmark::State& state)
{
    std::u16string out;
    quarnis::Extended v = 0.001525902189669642L;
    for (auto _ : state) {
        out.clear();
        quarnis::appendGeneralNumberText(out, v);
        benchmark::DoNotOptimize(out.data());
        v = v * 1.0001L + 0.37L;
        if (v > 1e12L)
            v = 0.001525902189669642L;
    }
}
BENCHMARK(BM_GeneralNumberText);

void BM_ValueText(benchmark::State& state)
{
    std::u16string out;
    quarnis::Extended v = 0.001525902189669642L;
    for (auto _ : state) {
        out.clear();
        quarnis::appendValueText(out, v);
        benchmark::DoNotOptimize(out.data());
        v = v * 1.0001L + 0.37L;
        if (v > 1e12L)
            v = 0.001525902189669642L;
    }
}
BENCHMARK(BM_ValueText);

constexpr long kMB = 1 << 20;

// Each shape at 1/16, 1/4 and 1 MB, to show that the cost grows linearly. Real time, as
// deeply nested formulas are evaluated on a thread of their own.
void BM_LongSum(benchmark::State& state) { run(state, repeat(u"1+", size(state)) + u"1"); }
void BM_ProductChain(benchmark::State& state) { run(state, repeat(u"1*", size(state)) + u"1"); }
void BM_PowerChain(benchmark::State& state) { run(state, repeat(u"1^", size(state)) + u"1"); }
void BM_FunctionWords(benchmark::State& state)
{
    run(state, repeat(u"SIN(1)+", size(state)) + u"1");
}
void BM_Factorials(benchmark::State& state) { run(state, repeat(u"1754!/", size(state)) + u"1"); }
void BM_NestedGroups(benchmark::State& state)
{
    const std::size_t depth = size(state) / 2;
    run(state, std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')'));
}
void BM_NestedFunctions(benchmark::State& state)
{
    const std::size_t depth = size(state) / 5;
    run(state, repeat(u"ABS(", depth * 4) + u"1" + std::u16string(depth, u')'));
}
void BM_NestedPowerBases(benchmark::State& state)
{
    const std::size_t depth = size(state) / 4;
    run(state, std::u16string(depth, u'(') + u"1" + repeat(u")^1", depth * 3));
}
void BM_Garbage(benchmark::State& state) { run(state, repeat(u"#", size(state))); }
void BM_NumberRun(benchmark::State& state) { run(state, repeat(u"9", size(state))); }

#define SIZES ->Arg(kMB / 16)->Arg(kMB / 4)->Arg(kMB)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_LongSum) SIZES;
BENCHMARK(BM_ProductChain) SIZES;
BENCHMARK(BM_PowerChain) SIZES;
BENCHMARK(BM_FunctionWords) SIZES;
BENCHMARK(BM_Factorials) SIZES;
BENCHMARK(BM_NestedGroups) SIZES;
BENCHMARK(BM_NestedFunctions) SIZES;
BENCHMARK(BM_NestedPowerBases) SIZES;
BENCHMARK(BM_Garbage) SIZES;
BENCHMARK(BM_NumberRun) SIZES;

} // namespace

BENCHMARK_MAIN();
