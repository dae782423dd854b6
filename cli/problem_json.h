// JSON forms of the batch tool: a merge problem read from JSON, candidates written.
#pragma once

#include "solver/merge_candidates.h"

#include <nlohmann/json.hpp>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

// A problem text that cannot be used; what() says where and what is wrong.
struct BadProblem : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ProblemInput {
    int mode = 0;
    // Each cluster's objects as given (a cluster may hold fewer than two; the solver
    // then says so).
    std::array<std::vector<SceneObject>, 2> clusters;
};

// Throws BadProblem.
ProblemInput parseProblem(const std::string& text);
int parseMode(const std::string& name); // -1 when unknown
// The exit status of a solve or merge: 0 when a real candidate exists, else 1.
int candidatesExitCode(const std::vector<MergeCandidate>& candidates);
nlohmann::ordered_json candidatesJson(const std::vector<MergeCandidate>& candidates);
// One line per candidate, numbers with every digit.
std::string candidatesText(const std::vector<MergeCandidate>& candidates);
