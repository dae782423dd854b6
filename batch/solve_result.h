// Solving a problem and writing its result object: the one place that decides what
// `solve --json`, every `--jsonl` line and the Python module report.
#pragma once

#include "batch/exit_status.h"
#include "batch/json_writer.h"
#include "batch/problem_json.h"
#include "solver/certify.h"
#include "solver/merge_candidates.h"

#include <string>
#include <vector>

// The version of every JSON object the batch tool reads and writes.
inline constexpr int kSchemaVersion = 1;

struct SolveOptions {
    bool certify = false;
};

struct SolveOutcome {
    bool ok = false;
    std::string solver, message;  // message: the failure text, empty on success
    bool underdetermined = false; // the constraints leave a curve of circles
    std::vector<MergeCandidate> candidates;
    // One per candidate with certification asked for, else empty.
    std::vector<Certificate> certificates;
    double seconds = 0;
};

SolveOutcome solveProblem(ProblemInput in, const SolveOptions& options);
// Certificates of the real candidates of a solved problem (complex ones: not proved).
std::vector<Certificate> certifyCandidates(const SceneObject* const slots[2][2], int mode,
                                           const std::vector<MergeCandidate>& candidates);

// 0 when a real candidate exists, else 1.
int candidatesExitCode(const std::vector<MergeCandidate>& candidates);

// The members of a solve result after "schema" (and "line"): ok, solver, message,
// underdetermined, candidates, seconds.
void writeSolveMembers(JsonWriter& w, const SolveOutcome& outcome);
// The whole result object of `solve --json`.
std::string solveResultJson(const SolveOutcome& outcome);
void writeCandidates(JsonWriter& w, const std::vector<MergeCandidate>& candidates,
                     const std::vector<Certificate>& certificates);
