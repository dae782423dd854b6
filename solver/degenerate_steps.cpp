// The degenerate-step tests of the closed forms. The level is far above rounding
// (so that every true degeneracy is caught) and far below what generic data shows
// (so that the exact system stays off the fast path).
#include "solver/degenerate_steps.h"

#include "numeric/cubic_solver.h"
#include "numeric/real_roots.h"

#include <algorithm>
#include <cmath>

namespace {

// A root whose denominator is this small next to its terms is near a pole.
constexpr double kLevel = 1e-8;
// A polynomial this small next to its terms (relative to the term magnitudes, before
// cancellation) at its leading coefficient or at a critical point: rounding of the
// data can make or break a root there. A true multiple root or lost degree of the
// closed forms' polynomials comes out at 1e-15 of the terms or below (touching and
// lined-up figures), a hundred times under this level; near-multiple roots of generic
// data fall below it about as often as the square root of the level, so a higher
// level would send generic merges to the exact system for nothing.
constexpr double kPolynomialLevel = 1e-13;

// Where q' vanishes, for q of degree 2 or 4 with its leading coefficient: the test
// reads q there, and q is flat in the point's error, so closed forms with a Newton
// polish are exact enough. Other degrees take the general root finder.
int criticalPoints(const Poly4& q, double out[4]) {
    const Poly4 slope = derivative(q);
    if (q.degree == 2) {
        out[0] = -q.coef[1] / (2.0 * q.coef[2]);
        return 1;
    }
    if (q.degree != 4)
        return realRoots(slope, out);
    CubicSolver cubic;
    const double lead = slope.coef[3];
    cubic.c2 = slope.coef[2] / lead;
    cubic.c1 = slope.coef[1] / lead;
    cubic.c0 = slope.coef[0] / lead;
    cubic.solve();
    const double r = polishRoot(slope, cubic.root);
    // The other two are roots of t² + b·t + c, the cubic divided by (t - r).
    const double b = cubic.c2 + r, c = cubic.c1 + r * b;
    double disc = b * b - 4.0 * c;
    int n = 0;
    out[n++] = r;
    // A double root of q' (a triple root of q) may round to a slightly negative
    // discriminant: its point still counts.
    if (disc < 0.0 && disc > -1e-6 * (b * b + 4.0 * std::fabs(c)))
        disc = 0.0;
    if (disc < 0.0)
        return n;
    const double h = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    out[n++] = polishRoot(slope, h);
    if (h != 0.0)
        out[n++] = polishRoot(slope, c / h);
    return n;
}

double valueBound(const double* bound, int degree, double t) {
    double sum = 0.0;
    for (int i = degree; i >= 0; --i)
        sum = sum * std::fabs(t) + bound[i];
    return sum;
}

// The same for the terms of p itself, their signs made positive.
double termBound(const Poly4& p, double t) {
    double sum = 0.0;
    for (int i = p.degree; i >= 0; --i)
        sum = sum * std::fabs(t) + std::fabs(p.coef[i]);
    return sum;
}

} // namespace

bool nearlyDegenerate(const Poly4& q, const Poly4& magnitude, int nominalDegree, double tScale) {
    if (!(tScale > 0.0) || !std::isfinite(tScale))
        tScale = 1.0;
    double qs[5] = {}, ms[5] = {};
    double largest = 0.0, power = 1.0;
    for (int i = 0; i <= nominalDegree; ++i) {
        qs[i] = q.coef[i] * power;
        ms[i] = std::max(magnitude.coef[i], std::fabs(q.coef[i])) * power;
        largest = std::max(largest, ms[i]);
        power *= tScale;
    }
    if (!(largest > 0.0) || !std::isfinite(largest))
        return true;
    if (std::fabs(qs[nominalDegree]) <= kPolynomialLevel * largest)
        return true;
    const Poly4 scaled = Poly4::fromCoefs(nominalDegree, qs);
    double critical[4];
    const int n = criticalPoints(scaled, critical);
    for (int k = 0; k < n; ++k)
        if (std::fabs(hornerValue(scaled, critical[k])) <=
            kPolynomialLevel * valueBound(ms, nominalDegree, critical[k]))
            return true;
    return false;
}

bool nearlyZeroAt(const Poly4& p, double t, double value) {
    return !std::isfinite(value) || std::fabs(value) <= kLevel * termBound(p, t);
}
