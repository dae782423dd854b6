// Ferrari and Descartes-Euler quartic solvers. The closed forms are fast but
// fragile near multiple roots, so each answer is checked against realRoots()
// and replaced by it when the two disagree.
#include "numeric/quartic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "numeric/cubic_solver.h"
#include "numeric/real_roots.h"

namespace {

// Insertion sort for at most four values; std::sort on such short runs trips
// GCC's -Warray-bounds at -O3 because it cannot see the length bound.
void sortSmall(double* v, int n, bool descending) {
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && (descending ? v[j - 1] < v[j] : v[j - 1] > v[j]); --j)
            std::swap(v[j - 1], v[j]);
}

bool allFinite(const Poly4& q) {
    for (double c : q.coef)
        if (!std::isfinite(c))
            return false;
    return true;
}

double absResidual(const Poly4& q, double x) {
    double v = 0.0, bound = 0.0;
    for (int i = 4; i >= 0; --i) {
        v = v * x + q.coef[i];
        bound = bound * std::fabs(x) + std::fabs(q.coef[i]);
    }
    // Never demand less than the rounding noise of the evaluation itself.
    return std::max(std::fabs(v), 32.0 * std::numeric_limits<double>::epsilon() * bound);
}

// The closed form and the finder agree when the sorted root lists coincide
// up to a tolerance that allows the sqrt(eps)-sized spread of double roots,
// and no formula root leaves a clearly larger residual than the finder's
// (the formulas tend to merge two nearly equal roots into one).
bool sameRoots(const Poly4& q, const double* a, const double* b, int n) {
    double x[4], y[4];
    std::copy(a, a + n, x);
    std::copy(b, b + n, y);
    sortSmall(x, n, false);
    sortSmall(y, n, false);
    for (int i = 0; i < n; ++i) {
        if (std::fabs(x[i] - y[i]) > 1e-6 * (1.0 + std::fabs(y[i])))
            return false;
        if (absResidual(q, x[i]) > 4.0 * absResidual(q, y[i]))
            return false;
    }
    return true;
}

// Formula roots (polished, in formula order) when they check out, otherwise
// the finder's, polished and sorted descending.
int settle(const Poly4& q, const double* formula, int nFormula, int minCount, double out[4]) {
    double robust[4];
    const int nRobust = realRoots(q, robust);
    if (nRobust < minCount)
        return 0;
    for (int i = 0; i < nRobust; ++i)
        robust[i] = polishRoot(q, robust[i]);
    if (nFormula == nRobust) {
        double polished[4];
        for (int i = 0; i < nFormula; ++i)
            polished[i] = polishRoot(q, formula[i]);
        if (sameRoots(q, polished, robust, nRobust)) {
            std::copy(polished, polished + nFormula, out);
            return nFormula;
        }
    }
    sortSmall(robust, nRobust, true);
    std::copy(robust, robust + nRobust, out);
    return nRobust;
}

// Ferrari's formulas proper; false when a square root argument goes negative.
bool ferrariFormula(const Poly4& q, double r[4]) {
    const double q4 = q.coef[4];
    const double a3 = q.coef[3] / q4, a2 = q.coef[2] / q4, a1 = q.coef[1] / q4, a0 = q.coef[0] / q4;
    CubicSolver cs;
    cs.c3 = 1.0;
    cs.c2 = -a2;
    cs.c1 = a3 * a1 - 4.0 * a0;
    cs.c0 = 4.0 * a0 * a2 - a1 * a1 - a3 * a3 * a0;
    cs.solve();
    const double y = cs.root;
    const double R2 = a3 * a3 / 4.0 - a2 + y;
    if (!(R2 >= 0.0))
        return false;
    const double R = std::sqrt(R2);
    double D2, E2;
    if (R == 0.0) {
        const double T = y * y - 4.0 * a0;
        if (!(T >= 0.0))
            return false;
        const double base = 0.75 * a3 * a3 - 2.0 * a2;
        D2 = base + 2.0 * std::sqrt(T);
        E2 = base - 2.0 * std::sqrt(T);
    } else {
        const double k = (4.0 * a3 * a2 - 8.0 * a1 - a3 * a3 * a3) * 0.25 / R;
        const double base = 0.75 * a3 * a3 - R2 - 2.0 * a2;
        D2 = base + k;
        E2 = base - k;
    }
    if (!(D2 >= 0.0) || !(E2 >= 0.0))
        return false;
    const double D = std::sqrt(D2), E = std::sqrt(E2);
    r[0] = -a3 / 4.0 + R / 2.0 + D / 2.0;
    r[1] = -a3 / 4.0 + R / 2.0 - D / 2.0;
    r[2] = -a3 / 4.0 - R / 2.0 + E / 2.0;
    r[3] = -a3 / 4.0 - R / 2.0 - E / 2.0;
    return std::isfinite(r[0] + r[1] + r[2] + r[3]);
}

// Descartes-Euler via the resolvent cubic; returns how many roots it found.
int resolventFormula(const Poly4& q, double r[4]) {
    const double q4 = q.coef[4];
    const double a = q.coef[3] / q4, b = q.coef[2] / q4, c = q.coef[1] / q4, d = q.coef[0] / q4;
    const double P = b - 0.375 * a * a;
    const double Q = 0.125 * a * a * a + c - 0.5 * a * b;
    const double S = d - 0.01171875 * a * a * a * a + 0.0625 * a * a * b - 0.25 * c * a;

    const double A = P / 2.0, B = (P * P - 4.0 * S) * 0.0625, C = -0.015625 * Q * Q;
    const double pc = (3.0 * B - A * A) / 3.0;
    const double qc = (2.0 * A * A * A - 9.0 * A * B + 27.0 * C) / 27.0;
    const double delta = qc * qc / 4.0 + pc * pc * pc / 27.0;
    const double sqrt3 = std::sqrt(3.0);

    double z[3];
    bool threeReal = true;
    if (pc == 0.0 && qc == 0.0 && delta == 0.0) {
        z[0] = z[1] = z[2] = -std::cbrt(C);
    } else if (delta > 0.0) {
        const double s = std::sqrt(delta);
        const double u = std::cbrt(s - qc / 2.0), v = std::cbrt(-qc / 2.0 - s);
        const double z1 = u + v - A / 3.0;
        const double rho = -(u + v) / 2.0 - A / 3.0;
        const double iota = sqrt3 * (u - v) / 2.0;
        const double mod = std::hypot(rho, iota);
        // A double resolvent root (the quartic then has double roots) shows up
        // as a "complex" pair with a rounding-sized imaginary part; treat it as
        // the real double root it is, or two real roots would go missing.
        if (std::fabs(iota) <= 1e-7 * std::max(std::fabs(z1), mod)) {
            z[0] = z1;
            z[1] = z[2] = rho;
        } else {
            // sqrt(rho + i iota) = alpha + i beta; take the larger part from its
            // own formula and derive the other, so neither suffers cancellation.
            double alpha, beta;
            if (rho > 0.0) {
                alpha = std::sqrt((mod + rho) / 2.0);
                beta = iota / (2.0 * alpha);
            } else {
                beta = std::sqrt((mod - rho) / 2.0);
                alpha = iota / (2.0 * beta);
            }
            const double W = -Q / (8.0 * (beta * beta + alpha * alpha));
            r[0] = 2.0 * alpha + W - a / 4.0;
            r[1] = W - 2.0 * alpha - a / 4.0;
            threeReal = false;
        }
    } else {
        const double m = std::sqrt(qc * qc / 4.0 - delta);
        if (m == 0.0)
            return -1;
        const double phi = std::acos(std::clamp(-qc / (2.0 * m), -1.0, 1.0));
        const double cm = std::cbrt(m), c3 = std::cos(phi / 3.0), s3 = std::sin(phi / 3.0);
        z[0] = 2.0 * cm * c3 - A / 3.0;
        z[1] = -cm * (c3 + sqrt3 * s3) - A / 3.0;
        z[2] = -cm * (c3 - sqrt3 * s3) - A / 3.0;
    }
    if (!threeReal)
        return 2;
    // Pair the two largest resolvent roots: their product stays clear of zero
    // unless the quartic is degenerate, so a resolvent root that should be 0
    // but rounded to 1e-16 can no longer swallow a root.
    sortSmall(z, 3, true);
    const double scale = std::max(std::fabs(z[0]), std::fabs(z[2]));
    const double tiny = 1e-12 * scale;
    for (double& zi : z)
        if (std::fabs(zi) <= tiny)
            zi = 0.0;
    if (z[2] < 0.0)
        return 0;
    const double F = std::sqrt(z[0]), G = std::sqrt(z[1]);
    const double H = (F * G == 0.0) ? 0.0 : -Q / (8.0 * F * G);
    r[0] = H + G + F - a / 4.0;
    r[1] = F - G - H - a / 4.0;
    r[2] = G - F - H - a / 4.0;
    r[3] = H - (G + F) - a / 4.0;
    return 4;
}

} // namespace

int ferrariQuartic(Poly4 q, double out[4]) {
    if (q.degree != 4 || q.coef[4] == 0.0 || !allFinite(q))
        return 0;
    double r[4];
    const bool ok = ferrariFormula(q, r);
    double res[4];
    // The finder decides whether all four roots are real; the formula only
    // supplies the order when it agrees.
    const int n = settle(q, r, ok ? 4 : 0, 4, res);
    if (n != 4)
        return 0;
    std::copy(res, res + 4, out);
    return 1;
}

int quarticRealRoots(Poly4 q, double out[4]) {
    if (q.coef[4] == 0.0 || !allFinite(q))
        return 0;
    q.degree = 4;
    double r[4];
    const int nf = resolventFormula(q, r);
    // Mismatch in count or value means the closed form lost accuracy; the
    // finder's roots, sorted descending, are returned instead.
    const int n = settle(q, r, nf, 0, out);
    // Polishing can nudge the two halves of a double root past each other.
    sortSmall(out, n, true);
    return n;
}

int quarticOrLowerRealRoots(const Poly4& q, bool ferrariFirst, double out[4]) {
    if (!allFinite(q))
        return 0;
    int degree = 4;
    while (degree > 0 && q.coef[degree] == 0.0)
        --degree;
    if (degree == 4) {
        Poly4 monic = q;
        monic.degree = 4;
        for (double& c : monic.coef)
            c /= q.coef[4];
        if (ferrariFirst && ferrariQuartic(monic, out))
            return 4;
        return quarticRealRoots(monic, out);
    }
    const Poly4 lower = Poly4::fromCoefs(degree, q.coef);
    const int n = realRoots(lower, out);
    for (int i = 0; i < n; ++i)
        out[i] = polishRoot(lower, out[i]);
    sortSmall(out, n, true);
    return n;
}
