// Where a closed form's double arithmetic can lose merges or make them up: a
// polynomial whose leading term or every term cancels, a near-multiple root, a
// denominator that vanishes at a root. Solvers that pass such a step ask for the
// exact system as well.
#pragma once

#include "numeric/poly4.h"

// Whether q, of nominal degree nominalDegree and with terms bounded by magnitude, is
// within rounding of a degenerate case: its leading coefficient (the root at
// infinity, or a degree lost) or a near-multiple root (a critical point where q
// nearly vanishes; a double root may also have rounded into a complex pair). The
// variable is measured in units of tScale, so the test does not depend on units.
bool nearlyDegenerate(const Poly4& q, const Poly4& magnitude, int nominalDegree, double tScale);
// Whether value, p(t) by Horner's rule, is zero within rounding of p's terms at t.
bool nearlyZeroAt(const Poly4& p, double t, double value);
