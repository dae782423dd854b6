// The last step of every solve: closed forms lose digits near close roots, so each
// new real candidate is polished on the four constraint equations themselves, and
// one that still does not meet them is not a solution and is dropped.
#pragma once

#include "solver/merge_problem.h"

// Refines candidates first..solutionCount-1 of p in place (complex ones are left as
// they are) and removes the real ones whose residual stays large; order is kept.
void refineCandidates(MergeProblem& p, int first);

// Largest residual a real candidate may keep: small next to the size of the scene
// and of the candidate itself.
double acceptedResidual(const MergeProblem& p, int n);
