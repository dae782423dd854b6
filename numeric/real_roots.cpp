// Critical-point isolation plus safeguarded Newton/bisection for degree <= 4.
#include "numeric/real_roots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

struct Eval {
    double value;
    double slope;
    double bound; // sum |c_i| |x|^i, scales the rounding error of value
};

Eval horner(const Poly4& p, int deg, double x) {
    double v = p.coef[deg], d = 0.0, b = std::fabs(p.coef[deg]);
    const double ax = std::fabs(x);
    for (int i = deg - 1; i >= 0; --i) {
        d = d * x + v;
        v = v * x + p.coef[i];
        b = b * ax + std::fabs(p.coef[i]);
    }
    return {v, d, b};
}

int effectiveDegree(const Poly4& p) {
    int d = std::clamp(p.degree, 0, 4);
    while (d > 0 && p.coef[d] == 0.0)
        --d;
    return d;
}

bool nearZero(const Eval& e, int deg) {
    return std::fabs(e.value) <= 4.0 * (deg + 1) * kEps * e.bound;
}

// Evaluating by Horner's rule errs by at most 2·deg units of rounding of the terms'
// magnitude; 32 units leave the sign beyond doubt for every degree up to four.
bool signCertain(const Eval& e) {
    return std::fabs(e.value) > 32.0 * kEps * e.bound;
}

// p(lo) and p(hi) have strictly opposite signs.
double bracketRoot(const Poly4& p, int deg, double lo, double hi) {
    double flo = horner(p, deg, lo).value;
    double x = 0.5 * (lo + hi);
    for (int it = 0; it < 200; ++it) {
        Eval e = horner(p, deg, x);
        if (e.value == 0.0)
            return x;
        if ((e.value < 0.0) == (flo < 0.0)) {
            lo = x;
            flo = e.value;
        } else {
            hi = x;
        }
        if (hi - lo <= 2.0 * kEps * std::max(std::fabs(lo), std::fabs(hi)))
            break;
        double next = e.slope != 0.0 ? x - e.value / e.slope : lo - 1.0;
        // Newton only while it stays inside the bracket; otherwise halve it.
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (next == x)
            break;
        x = next;
    }
    return x;
}

// ratio^(1/k) for k = 1..4 without the general power function.
double kthRoot(double ratio, int k) {
    switch (k) {
    case 1:
        return ratio;
    case 2:
        return std::sqrt(ratio);
    case 3:
        return std::cbrt(ratio);
    default:
        return std::sqrt(std::sqrt(ratio));
    }
}

int rootsOfDegree(const Poly4& p, int deg, double* out) {
    if (deg <= 0)
        return 0;
    if (deg == 1) {
        out[0] = -p.coef[0] / p.coef[1];
        return 1;
    }
    double crit[4];
    const int nc = rootsOfDegree(derivative(p), deg - 1, crit);

    // Fujiwara's bound, 2·max |c_(deg-k)/c_deg|^(1/k) (the constant term halved),
    // widened a little so that every root lies strictly inside (-B, B). It stays
    // near the size of the roots where the simpler Cauchy bound follows the largest
    // coefficient, which would cost the bracketing many extra halvings.
    double bound = 0.0;
    for (int k = 1; k <= deg; ++k) {
        double ratio = std::fabs(p.coef[deg - k] / p.coef[deg]);
        if (k == deg)
            ratio *= 0.5;
        bound = std::max(bound, kthRoot(ratio, k));
    }
    bound = 2.0 * bound * (1.0 + 1e-6) + std::numeric_limits<double>::min();

    // Distinct critical points with the multiplicity the derivative gave them.
    double pts[4];
    int mult[4];
    int np = 0;
    for (int i = 0; i < nc; ++i) {
        if (np > 0 && crit[i] == pts[np - 1]) {
            ++mult[np - 1];
        } else {
            pts[np] = crit[i];
            mult[np] = 1;
            ++np;
        }
    }

    int n = 0;
    double left = -bound;
    Eval eLeft = horner(p, deg, left);
    bool leftZero = false;
    for (int k = 0; k <= np; ++k) {
        const double right = k < np ? pts[k] : bound;
        const Eval eRight = horner(p, deg, right);
        const bool rightZero = k < np && nearZero(eRight, deg);
        // p is monotone between neighbouring critical points, so a root inside
        // exists only with a strict sign change and neither end on a root.
        if (!leftZero && !rightZero && (eLeft.value < 0.0) != (eRight.value < 0.0) &&
            eLeft.value != 0.0 && eRight.value != 0.0 && n < deg)
            out[n++] = bracketRoot(p, deg, left, right);
        if (rightZero)
            for (int m = 0; m <= mult[k] && n < deg; ++m)
                out[n++] = right;
        left = right;
        eLeft = eRight;
        leftZero = rightZero;
    }
    std::sort(out, out + n);
    return n;
}

} // namespace

int realRoots(const Poly4& p, double out[4]) {
    for (int i = 0; i <= 4; ++i)
        if (!std::isfinite(p.coef[i]))
            return 0;
    double tmp[4];
    const int n = rootsOfDegree(p, effectiveDegree(p), tmp);
    std::copy(tmp, tmp + n, out);
    return n;
}

double polishRoot(const Poly4& p, double x, int steps) {
    const int deg = effectiveDegree(p);
    if (deg == 0)
        return x;
    Eval e = horner(p, deg, x);
    for (int i = 0; i < steps && e.value != 0.0 && e.slope != 0.0; ++i) {
        const double next = x - e.value / e.slope;
        if (!std::isfinite(next))
            break;
        const Eval en = horner(p, deg, next);
        if (std::fabs(en.value) > std::fabs(e.value))
            break;
        x = next;
        e = en;
    }
    return x;
}

bool isolatesRoot(const Poly4& p, double x, double& lo, double& hi) {
    const int deg = effectiveDegree(p);
    const Eval at = horner(p, deg, x);
    if (!(std::fabs(at.slope) > 0.0))
        return false;
    // Several times the root's own uncertainty: its residual and rounding noise over
    // the slope, and the rounding of x itself.
    const double h = 4.0 * (std::fabs(at.value) + 32.0 * kEps * at.bound) / std::fabs(at.slope) +
                     4.0 * kEps * std::fabs(x);
    lo = x - h;
    hi = x + h;
    const Eval below = horner(p, deg, lo), above = horner(p, deg, hi);
    return signCertain(below) && signCertain(above) && (below.value < 0.0) != (above.value < 0.0);
}

bool isolatesEach(const Poly4& p, const double* roots, int n) {
    double previousLow = HUGE_VAL;
    for (int i = 0; i < n; ++i) {
        double lo, hi;
        if (!isolatesRoot(p, roots[i], lo, hi) || !(hi < previousLow))
            return false;
        previousLow = lo;
    }
    return true;
}

int certainSign(const double* terms, int n, double units) {
    double sum = 0.0, magnitude = 0.0;
    for (int i = 0; i < n; ++i) {
        sum += terms[i];
        magnitude += std::fabs(terms[i]);
    }
    if (!std::isfinite(magnitude) || !(std::fabs(sum) > units * kEps * magnitude))
        return 0;
    return sum > 0.0 ? 1 : -1;
}
