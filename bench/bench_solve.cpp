// One MergeProblem::solve per closed-form solver, dispatch and refinement included,
// and the batch tool's solve end to end as one process per problem.
#include <benchmark/benchmark.h>

#include "solver/merge_problem.h"
#include "tests/support/known_answer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void solveFamily(benchmark::State& state, const char* kinds, int mode) {
    std::mt19937 rng(42);
    const KnownMerge m = makeKnownMerge(kindsFromLetters(kinds), mode, rng);
    for (auto _ : state) {
        KnownMerge copy = m;
        MergeProblem p;
        copy.load(p);
        benchmark::DoNotOptimize(p.solve(mode));
        benchmark::DoNotOptimize(p.solutionCount);
    }
}

// The kind strings list cluster 1 slot 0, slot 1, cluster 2 slot 0, slot 1; c = C', l = L'.
BENCHMARK_CAPTURE(solveFamily, T_4LineSolver, "LLLL", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_3Line1CircleSolver, "LLLC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_2Circle1ClusterSolver, "CCLL", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_2Circle2ClusterSolver, "LCLC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_3Circle1LineSolver, "CCLC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_4CircleSolver, "CCCC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_2Center1ClusterSolver, "ccLL", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, T_2Center2ClusterSolver, "LcLc", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(solveFamily, R_4LineSolver, "LLLL", MERGE_ROTATE);
BENCHMARK_CAPTURE(solveFamily, R_ClosedFormSolver, "CCLL", MERGE_ROTATE);
BENCHMARK_CAPTURE(solveFamily, R_2Center1ClusterSolver, "ccLL", MERGE_ROTATE);

void cliSolveProcess(benchmark::State& state) {
    const std::string input = "/tmp/torvane_bench_problem.json";
    if (FILE* f = std::fopen(input.c_str(), "w")) {
        std::fputs("{\"mode\":\"translate\",\"cluster1\":[{\"kind\":\"L\",\"x0\":0,\"y0\":0,"
                   "\"x1\":10,\"y1\":0},{\"kind\":\"C\",\"x\":5,\"y\":15,\"r\":-5}],"
                   "\"cluster2\":[{\"kind\":\"C\",\"x\":30,\"y\":10,\"r\":5},{\"kind\":\"L\","
                   "\"x0\":40,\"y0\":0,\"x1\":40,\"y1\":10}]}",
                   f);
        std::fclose(f);
    }
    const std::string command =
        std::string(TORVANE_CLI) + " solve --json < " + input + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("torvane-cli solve failed");
}
BENCHMARK(cliSolveProcess)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace
