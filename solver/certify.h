// Certified merge candidates: a Krawczyk test in ball arithmetic on the four
// constraint equations proves that exactly one true solution lies near a candidate.
#pragma once

#include "scene/scene_object.h"

struct Certificate {
    // Proved: exactly one solution (x, y, r, parameter) of the four constraints lies
    // within radius of the candidate in every one of the four unknowns.
    bool certified = false;
    double radius = 0.0;
};

// A candidate is only proved when the true solution is within a few units in the
// ninth decimal of the problem's size of it; one farther off is refused even though
// a solution may exist nearby.
inline constexpr double kCertifyRelativeRadius = 1e-9;

// slots[c][s] as in MergeProblem; mode MERGE_TRANSLATE (parameter = shift d) or
// MERGE_ROTATE (parameter = angle in radians). Never throws; degenerate input
// (a line of length zero, a singular system at the candidate) is simply not proved.
Certificate certifyCandidate(const SceneObject* const slots[2][2], int mode, double parameter,
                             double x, double y, double r);
