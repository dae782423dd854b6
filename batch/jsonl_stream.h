// Streaming batch solving: one problem per input line, one result per output line,
// in input order, with a bounded number of lines in flight so that memory does not
// grow with the input.
#pragma once

#include "batch/problem_json.h"
#include "batch/solve_result.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct StreamSummary {
    long long lines = 0, badLines = 0;
};

// Appends the result line of one input line (1-based lineNumber) and its newline to
// out: the solve result with "line", or {"schema":1,"line":N,"error":"..."}. Returns
// false for a bad line.
bool solveLine(ProblemReader& reader, std::string_view line, long long lineNumber,
               const SolveOptions& options, std::string& out);

// Reads the file descriptor inFd to its end and writes each result to out as soon as
// it and every line before it are done. threads >= 1 workers solve.
StreamSummary solveStream(int inFd, std::FILE* out, int threads, const SolveOptions& options);

struct ProblemResult {
    bool bad = false;
    std::string text; // the result object, or the reason the problem is bad
};

// Solves every problem text with threads >= 1 workers; results in input order.
std::vector<ProblemResult> solveAll(const std::vector<std::string>& problems, int threads,
                                    const SolveOptions& options);
