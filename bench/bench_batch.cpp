// The batch layer's costs per problem: reading the JSON alone, a whole --jsonl line
// (read, solve, write), and the certification of one real candidate.
#include <benchmark/benchmark.h>

#include "batch/jsonl_stream.h"
#include "batch/solve_result.h"
#include "solver/certify.h"
#include "tests/support/known_answer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Lines of the generic-problem generator, read once.
const std::vector<std::string>& problemLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> out;
        const std::string command = std::string(TORVANE_GENERIC_PROBLEMS) + " 10000";
        if (FILE* p = popen(command.c_str(), "r")) {
            char buf[4096];
            while (std::fgets(buf, sizeof buf, p)) {
                std::string line(buf);
                if (!line.empty() && line.back() == '\n')
                    line.pop_back();
                out.push_back(line);
            }
            pclose(p);
        }
        return out;
    }();
    return lines;
}

void readOnly(benchmark::State& state) {
    const auto& lines = problemLines();
    ProblemReader reader;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.read(lines[i++ % lines.size()]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(readOnly);

void wholeLine(benchmark::State& state) {
    const auto& lines = problemLines();
    ProblemReader reader;
    std::string out;
    std::size_t i = 0;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(solveLine(reader, lines[i % lines.size()], i + 1, {}, out));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(wholeLine);

void certifyOneCandidate(benchmark::State& state, const char* kinds, int mode) {
    std::mt19937 rng(3);
    KnownMerge m = makeKnownMerge(kindsFromLetters(kinds), mode, rng);
    MergeProblem p;
    m.load(p);
    p.solve(mode);
    const int n = m.match(p, 1e-6);
    if (n < 0) {
        state.SkipWithError("no candidate");
        return;
    }
    const SceneObject& s = p.solutions[n];
    for (auto _ : state)
        benchmark::DoNotOptimize(
            certifyCandidate(p.slots, mode, p.parameter[n], s.x[0], s.y[0], s.r));
}
BENCHMARK_CAPTURE(certifyOneCandidate, translate_LCLC, "LCLC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(certifyOneCandidate, translate_CCCC, "CCCC", MERGE_TRANSLATE);
BENCHMARK_CAPTURE(certifyOneCandidate, rotate_CCLL, "CCLL", MERGE_ROTATE);
BENCHMARK_CAPTURE(certifyOneCandidate, rotate_LLLL, "LLLL", MERGE_ROTATE);

} // namespace
