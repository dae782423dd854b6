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

// Whether p certainly changes sign, beyond the rounding of its evaluation, across a
// small interval [lo, hi] around x: a simple root lies there.
bool isolatesRoot(const Poly4& p, double x, double& lo, double& hi);
// Whether each of the n roots (descending) is isolated so, in disjoint intervals:
// then they are n distinct simple roots of p.
bool isolatesEach(const Poly4& p, const double* roots, int n);
// The sign of the sum of n terms when an error of `units` units of rounding of the
// terms' magnitude cannot have changed it; 0 when it can.
int certainSign(const double* terms, int n, double units);
