// Circles that meet three constraint objects where they stand (tangency for C and L,
// centre on the object for C' and L'): the merge's constraint equations with no motion,
// solved as one exact system in the circle's x, y and r.
#pragma once

#include "solver/merge_problem.h"

// The mode of a problem whose objects do not move; every candidate's parameter is 0.
inline constexpr int kNoMotion = 2;

enum class TouchingThreeOutcome {
    Found,                // real candidates stored
    NotThree,             // the problem does not hold exactly three objects
    LineWithoutDirection, // a line's end points coincide
    CentreOnly,           // three centre constraints: the radius is free
    Curve,                // the solutions form a curve: infinitely many circles
    EngineFailed,         // the exact engine could not run or finish
    NoRealCircle,         // only complex solutions, or none at all
};

// p holds the three objects in cluster 1's two slots and cluster 2's first. Sets the mode
// to kNoMotion and appends every real circle in engine order; the failure text (first line
// of what the user is told) goes to the message, and underdetermined is set when the
// constraints leave infinitely many circles. complexCount, when given, receives the
// number of complex solutions.
TouchingThreeOutcome solveTouchingThree(MergeProblem& p, int* complexCount = nullptr);
