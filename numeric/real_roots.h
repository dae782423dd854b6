// Robust real-root finder for polynomials of degree <= 4, and the Newton
// polishing step shared by the closed-form quartic solvers.
#pragma once

#include "numeric/poly4.h"

// All real roots of p, each repeated by multiplicity, in ascending order.
// Returns the count (at most the effective degree; 0 for constants).
// Roots are bracketed between the critical points (found recursively from the
// derivative) and located by safeguarded Newton/bisection; a critical point
// where p vanishes to within rounding is reported as a multiple root.
int realRoots(const Poly4& p, double out[4]);

// Up to `steps` Newton steps on p starting at x; a step is kept only when it
// does not increase |p|, so multiple roots and flat spots cannot throw x away.
double polishRoot(const Poly4& p, double x, int steps = 4);
