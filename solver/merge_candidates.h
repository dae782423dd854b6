// The candidates of a solved problem as plain values, each real one with its
// independent residual: what reports and the batch tool print.
#pragma once

#include "solver/merge_problem.h"

#include <vector>

struct MergeCandidate {
    bool complex = false;
    double parameter = 0, x = 0, y = 0, r = 0; // real candidate
    double re = 0, im = 0;                     // complex root of the motion parameter
    double residual = 0;
};

std::vector<MergeCandidate> candidatesOf(const MergeProblem& p);
