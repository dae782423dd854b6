// Plain-language reasons for a merge that added nothing, read from the problem's
// objects and candidates rather than from the solver's message.
#pragma once

#include "solver/merge_problem.h"
#include "solver/touching_three.h"

#include <string>

// Why a solve that failed, or found no real candidate, gives no circle to add.
std::string failureReason(const MergeProblem& p);
// Why a circle touching three objects could not be found.
std::string touchingThreeReason(const MergeProblem& p, TouchingThreeOutcome outcome,
                                int complexCount);
// Why OK on complex candidate n applied nothing.
std::string complexChoiceReason(const MergeProblem& p, int n);
// The "Info" box text: the solver's message (or fallback when it is empty) on the first
// line, the reason beneath.
std::string infoWithReason(const std::string& message, const std::string& reason);
