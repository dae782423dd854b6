// The exact engine in process: one remaining-case merge solve per mode over a fixed
// set of known-answer problems (median and maximum per solve as counters), and the
// exact system of the four constraints for a closed-form family.
#include <benchmark/benchmark.h>

#include "solver/general_solve.h"
#include "solver/merge_problem.h"

#include "tests/support/fixed_motion_answer.h"

#include <algorithm>
#include <chrono>
#include <vector>

using namespace fixed_motion;

namespace {

// The kind combinations that reach the remaining-case solvers, ten problems each.
std::vector<KnownAnswer> remainingCases(int mode) {
    const int C = KIND_C, L = KIND_L, Cp = KIND_C_PRIME, Lp = KIND_L_PRIME;
    const int combos[][4] = {{C, C, C, Cp},  {C, C, L, Cp},  {C, L, C, Cp},  {C, L, L, Cp},
                             {C, Cp, C, C},  {C, Cp, C, L},  {C, Cp, C, Cp}, {C, Cp, C, Lp},
                             {C, Cp, L, L},  {C, Cp, L, Cp}, {C, Cp, L, Lp}, {C, Cp, Lp, Lp},
                             {C, Lp, C, Cp}, {C, Lp, L, Cp}, {L, L, C, Cp},  {L, Cp, C, C},
                             {L, Cp, C, L},  {L, Cp, C, Cp}, {L, Cp, C, Lp}, {L, Lp, C, Cp},
                             {Lp, Lp, C, Cp}};
    std::mt19937 rng(2024);
    std::vector<KnownAnswer> out;
    for (const auto& kinds : combos)
        for (int n = 0; n < 10; ++n)
            out.push_back(makeKnownAnswer(kinds, mode, rng));
    return out;
}

void BM_RemainingCaseSolve(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    std::vector<KnownAnswer> cases = remainingCases(mode);
    std::vector<double> ms;
    int found = 0;
    for (auto _ : state) {
        ms.clear();
        found = 0;
        for (KnownAnswer& k : cases) {
            MergeProblem p;
            k.addTo(p);
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(p.solve(mode));
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            found += k.foundIn(p) ? 1 : 0;
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
    state.counters["found_pct"] = 100.0 * found / static_cast<double>(cases.size());
    state.SetItemsProcessed(state.iterations() * static_cast<long>(cases.size()));
}
BENCHMARK(BM_RemainingCaseSolve)
    ->Arg(MERGE_TRANSLATE)
    ->Arg(MERGE_ROTATE)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The exact system of four tangency circles, a quartic family, once per iteration.
void BM_ExactSystemFourCircles(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const int kinds[4] = {KIND_C, KIND_C, KIND_C, KIND_C};
    std::mt19937 rng(7);
    KnownAnswer k = makeKnownAnswer(kinds, mode, rng);
    MergeProblem p;
    k.addTo(p);
    for (auto _ : state) {
        EngineSession engine;
        benchmark::DoNotOptimize(exactCandidates(engine, p.slots, mode));
    }
}
BENCHMARK(BM_ExactSystemFourCircles)
    ->Arg(MERGE_TRANSLATE)
    ->Arg(MERGE_ROTATE)
    ->Unit(benchmark::kMillisecond);

} // namespace
