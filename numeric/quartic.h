// Closed-form quartic solvers: Ferrari's method and the Descartes-Euler
// resolvent method, with a proof of the root count or the robust finder.
#pragma once

#include "numeric/poly4.h"

// Returns 1 and writes four real roots (with multiplicity) when the quartic
// has them, else 0 and leaves out untouched. Degree other than 4 gives 0.
// Order: Ferrari's (-a3/4 + R/2 +- D/2, then -a3/4 - R/2 +- E/2), also where
// rounding would defeat the formulas themselves (e.g. double roots).
// Every returned root is Newton-polished on q.
int ferrariQuartic(Poly4 q, double out[4]);

// Number of real roots counted with multiplicity (0, 2 or 4), written to out
// in the Descartes-Euler order (H + G + F, F - G - H, G - F - H, H - (G + F);
// of two roots the larger first), Newton-polished on q. q4 == 0 gives 0.
int quarticRealRoots(Poly4 q, double out[4]);

// Real roots of a polynomial that is a quartic unless its leading terms cancelled.
// Degree 4: the real roots once, in Ferrari's order when ferrariFirst and all four
// are real, otherwise in quarticRealRoots' order. Lower degree: the real roots of
// what is left, descending. A constant (or zero) polynomial gives 0.
int quarticOrLowerRealRoots(const Poly4& q, bool ferrariFirst, double out[4]);
