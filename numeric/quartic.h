// Closed-form quartic solvers: Ferrari's method and the Descartes-Euler
// resolvent method, both cross-checked against the robust real-root finder.
#pragma once

#include "numeric/poly4.h"

// Returns 1 and writes four real roots (with multiplicity) when the quartic
// has them, else 0 and leaves out untouched. Degree other than 4 gives 0.
// Order: Ferrari's order (-a3/4 + R/2 +- D/2, then -a3/4 - R/2 +- E/2) when
// the formulas succeed and agree with the robust finder; when rounding defeats
// the formulas (e.g. double roots) the roots come in descending order.
// Every returned root is Newton-polished on q.
int ferrariQuartic(Poly4 q, double out[4]);

// Number of real roots counted with multiplicity (0, 2 or 4), written to out
// in descending order, Newton-polished on q. q4 == 0 gives 0.
int quarticRealRoots(Poly4 q, double out[4]);

// Real roots of a polynomial that is a quartic unless its leading terms cancelled.
// Degree 4: Ferrari's roots in Ferrari's order when ferrariFirst and all four are
// real, otherwise quarticRealRoots. Lower degree: the real roots of what is left,
// descending. A constant (or zero) polynomial gives 0.
int quarticOrLowerRealRoots(const Poly4& q, bool ferrariFirst, double out[4]);
